#include "typed_paths.h"

#include <filesystem>

#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::app {

std::string WithTypedPath(std::string message, const std::string& typedPath) {
    std::string windows;
    try {
        windows = UnixToWindows(std::filesystem::absolute(typedPath).lexically_normal().string());
    } catch (const VbError&) {
        return message;
    }
    for (size_t at = message.find(windows); at != std::string::npos;
         at = message.find(windows, at + typedPath.size())) {
        message.replace(at, windows.size(), typedPath);
    }
    return message;
}

}  // namespace qfw::app
