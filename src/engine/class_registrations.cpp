#include "engine/class_registrations.h"

#include "browser/control/type_library_reader.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "generation/item_text.h"
#include "platform/classes_root.h"
#include "platform/file_ops.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw {

namespace {

std::string AfterFirstDot(const std::string& text) {
    const size_t dot = text.find('.');
    return dot == std::string::npos ? text : text.substr(dot + 1);
}

int32_t DotPosition(const std::string& text) {
    const size_t dot = text.find('.');
    return dot == std::string::npos ? 0 : static_cast<int32_t>(dot) + 1;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The registered path of a type library: TypeLib\{guid}\ver\0\win32.
std::string RegisteredLibraryPath(const RegistryView& view, const std::string& guid,
                                  const std::string& version) {
    RegKey key;
    const std::string path = "TypeLib\\" + guid + "\\" + version + "\\0\\win32";
    if (view.OpenKey(path, key) != kErrorSuccess)
        return {};
    const auto value = view.ReadValue(key, "");
    if (!value || value->type != kRegSz || value->data.empty())
        return {};
    return value->data.substr(0, value->data.find('\0'));
}

// The default value of a key under HKEY_CLASSES_ROOT, read as the original
// did: into a 2048-character buffer, blanks trimmed, and the last character
// (the terminating NUL the size counts) dropped. A missing key reads as an
// empty text, so dropping its last character fails with error 5.
std::string ReadDefaultValue(const std::string& key) {
    constexpr uint32_t kBufferSize = 2048;
    std::string text;
    RegKey handle;
    if (ClassesRoot().OpenKey(key, handle) == kErrorSuccess) {
        std::string buffer(kBufferSize, '\0');
        uint32_t size = kBufferSize;
        if (ClassesRoot().QueryValueEx(handle, "", nullptr,
                                       reinterpret_cast<uint8_t*>(buffer.data()),
                                       &size) == kErrorSuccess) {
            text = buffer.substr(0, size);
        }
    }
    text = Trim(text);
    return generation::LeftOf(text, static_cast<int32_t>(text.size()) - 1);
}

void AddLearned(RegistryView& view, const std::string& key, const std::string& clsid) {
    view.AddEntry(key, "", clsid, RegLayer::Learned);
}

}  // namespace

std::string ConstituentClassKey(const std::string& progId, const std::string& className) {
    if (generation::LeftOf(className, 3) == "Qfn" || generation::LeftOf(className, 2) == "Qf") {
        return AsciiUpper(className) + "." + className + "Ctrl.1" + "\\Clsid";
    }
    if (generation::LeftOf(progId, 2) == "Mh") {
        return generation::LeftOf(progId, DotPosition(progId) - 4) + "." + className + "Ctrl.1" +
               "\\Clsid";
    }
    if (className == "MhEPEncryption")
        return "ENCRYPT.EncryptCtrl.1\\Clsid";
    if (AsciiUpper(generation::LeftOf(progId, 9)) == "COMCTLLIB") {
        return AsciiUpper(generation::LeftOf(progId, 6)) + "." + AfterFirstDot(progId) +
               "Ctrl\\CLSID";
    }
    return progId + "\\Clsid";
}

std::string LocateObjectLibrary(const RegistryView& view, const std::string& objectLine,
                                const std::string& projectFile) {
    // "{guid}#maj.min#flags; FILE.OCX"
    const size_t semicolon = objectLine.find(';');
    if (semicolon == std::string::npos)
        return {};
    const std::string reference = objectLine.substr(0, semicolon);
    const std::string fileName = Trimmed(objectLine.substr(semicolon + 1));
    if (fileName.empty())
        return {};
    const size_t hash = reference.find('#');
    if (hash != std::string::npos) {
        const std::string guid = reference.substr(0, hash);
        const std::string version =
            reference.substr(hash + 1, reference.find('#', hash + 1) - hash - 1);
        const std::string registered = RegisteredLibraryPath(view, guid, version);
        if (!registered.empty() && FileExists(registered))
            return registered;
    }
    const std::vector<std::string> folders = {WindowsFolderOf(projectFile), "C:\\WINDOWS\\SYSTEM",
                                              "C:\\WINDOWS\\SYSTEM32"};
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        const std::string candidate = CombineWindowsPath(folder, fileName);
        if (FileExists(candidate))
            return candidate;
    }
    return {};
}

void LearnProjectControls(ide::VBE& vbe, RegistryView& view, std::vector<std::string>& warnings) {
    auto projects = vbe.VBProjects();
    for (int32_t p = 1; p <= projects->Count(); ++p) {
        auto project = projects->Item(p);
        for (const std::string& line : project->ObjectLines()) {
            const std::string library = LocateObjectLibrary(view, line, project->FileName());
            if (library.empty()) {
                warnings.push_back(project->FileName() + ": the library of Object=" + line +
                                   " was not found beside the project or in the system folder");
                continue;
            }
            try {
                const TypeLibrary typeLibrary =
                    ReadTypeLibraryFile(WindowsToUnix(library), library);
                for (const TypeLibType& type : typeLibrary.types) {
                    if (type.kind != TypeKind::Coclass || type.guid.empty())
                        continue;
                    const std::string progId = typeLibrary.name + "." + type.name;
                    AddLearned(view, progId + "\\Clsid", type.guid);
                    try {
                        AddLearned(view, ConstituentClassKey(progId, type.name), type.guid);
                    } catch (const VbError&) {
                        // A class the lookup rules cannot name is found by its
                        // plain key only.
                    }
                    view.AddEntry("CLSID\\" + type.guid + "\\InprocServer32", "", library,
                                  RegLayer::Learned);
                }
            } catch (const VbError& e) {
                warnings.push_back(e.Description());
            }
        }
    }
}

bool FindControlLibrary(const ide::VBControl& control, const std::string& vbeFullName,
                        std::string& result) {
    // Every step runs even after an earlier one failed: a failure leaves its
    // description as the result, and a later step that succeeds replaces it.
    bool found = false;
    auto step = [&](auto&& action) {
        try {
            action();
        } catch (const VbError& e) {
            result = e.Description();
            found = false;
        }
    };
    const std::string& progId = control.ProgId();
    // Only the environment's own library "VB" is intrinsic: third-party
    // libraries may well be named "VB..." too (VBCCR18.TextBoxW).
    if (generation::LeftOf(progId, 3) == "VB.") {
        step([&] {
            if (vbeFullName.empty())
                throw VbError(kErrObjectNotSet);
            result = generation::LeftOf(vbeFullName, static_cast<int32_t>(vbeFullName.size()) - 3) +
                     "OLB";
            found = true;
        });
        return found;
    }

    std::string key;
    std::string clsid;
    step([&] { key = ConstituentClassKey(progId, control.ClassName()); });
    step([&] { clsid = ReadDefaultValue(key); });
    step([&] {
        result = ReadDefaultValue("CLSID\\" + clsid + "\\InprocServer32");
        found = true;
    });
    return found;
}

}  // namespace qfw
