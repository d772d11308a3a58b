// libFuzzer target for the registry file readers: the input as a .reg
// export and as a Wine registry file, then a class lookup through the view.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qfw::RegistryView view;
    std::vector<std::string> warnings;
    try {
        view.LoadRegText(bytes, "fuzz.reg", warnings);
    } catch (const qfw::RegistryFileError&) {
    }
    try {
        view.LoadWineText(bytes, "fuzz-system.reg", qfw::RegLayer::Machine, warnings);
    } catch (const qfw::RegistryFileError&) {
    }
    qfw::RegKey key;
    uint8_t buffer[64];
    uint32_t length = sizeof buffer;
    if (view.OpenKey("CLSID", key) == qfw::kErrorSuccess)
        view.QueryValueEx(key, "", nullptr, buffer, &length);
    return 0;
}
