#include "host/registration.h"

#include <cstdlib>

#include "engine/ide/vbe.h"
#include "platform/file_ops.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::host {
namespace {

namespace fs = std::filesystem;

// A REGEDIT4 string: backslashes and quotes escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Key(const std::string& path, const std::string& value) {
    return "[HKEY_CURRENT_USER\\Software\\Classes\\" + path + "]\r\n@=" + Quoted(value) +
           "\r\n\r\n";
}

}  // namespace

fs::path UserRegistryFile() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local/share";
    } else {
        base = "/tmp";
    }
    return base / "qfwizard" / "registry.reg";
}

std::string RegistrationText(const std::string& serverWinPath, const std::string& typeLibWinPath) {
    const std::string progId = "QFNWizard.Connector";
    const std::string clsid = std::string("CLSID\\") + kConnectorClsid;
    return "REGEDIT4\r\n\r\n" + Key(progId, progId) + Key(progId + "\\Clsid", kConnectorClsid) +
           Key(clsid, progId) + Key(clsid + "\\ProgID", progId) +
           Key(clsid + "\\LocalServer32", serverWinPath) + Key(clsid + "\\TypeLib", kTypeLibId) +
           Key(std::string("TypeLib\\") + kTypeLibId + "\\1.0", "QFNWizard") +
           Key(std::string("TypeLib\\") + kTypeLibId + "\\1.0\\0\\win32", typeLibWinPath);
}

void RegisterServer(const fs::path& regFile, const std::string& serverWinPath,
                    const std::string& typeLibWinPath) {
    std::error_code error;
    fs::create_directories(regFile.parent_path(), error);
    WriteUnixFileAtomically(regFile.string(), RegistrationText(serverWinPath, typeLibWinPath),
                            UnixToWindows(regFile.string()));
}

void RegisterThisProgram() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        exe = fs::current_path(error) / "qfwizard";
    const std::string dataFolder = WindowsFolderOf(ide::VBE::DefaultFullName());
    RegisterServer(UserRegistryFile(), UnixToWindows(exe.string()), dataFolder + "\\QFNWizard.tlb");
}

bool IsProgIdRegistered(const RegistryView& view, const std::string& progId) {
    RegKey key;
    return view.OpenKey(progId + "\\Clsid", key) == kErrorSuccess;
}

void MergeUserRegistry(RegistryView& view, std::vector<std::string>& warnings) {
    const fs::path file = UserRegistryFile();
    std::error_code error;
    if (!fs::exists(file, error))
        return;
    try {
        view.LoadRegFile(file, warnings);
    } catch (const RegistryFileError& e) {
        warnings.push_back(e.what());
    }
}

}  // namespace qfw::host
