#include "json.h"

#include "platform/text_codec.h"

namespace qfw::app {

std::string JsonString(const std::string& text) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out = "\"";
    for (const unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kDigits[c >> 4];
                    out += kDigits[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string JsonAnsi(const std::string& text) {
    return JsonString(Windows1252ToUtf8(text));
}

std::string JsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + JsonAnsi(items[i]);
    return out + "]";
}

}  // namespace qfw::app
