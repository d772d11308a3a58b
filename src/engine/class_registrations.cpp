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

// The registered path of a type library: TypeLib\{guid}\ver\0\win32. That
// entry is the 32-bit registration, so its path is redirected as a 32-bit
// program on a 64-bit prefix would open it.
std::string RegisteredLibraryPath(const RegistryView& view, const std::string& guid,
                                  const std::string& version) {
    RegKey key;
    const std::string path = "TypeLib\\" + guid + "\\" + version + "\\0\\win32";
    if (view.OpenKey(path, key) != kErrorSuccess)
        return {};
    const auto value = view.ReadValue(key, "");
    if (!value || value->type != kRegSz || value->data.empty())
        return {};
    return RedirectFor32BitView(value->data.substr(0, value->data.find('\0')));
}

// An Object= line that names a project of the group ("*\AOther.vbp"), not
// a control library.
bool NamesGroupProject(const std::string& objectLine) {
    return objectLine.size() >= 3 && objectLine[0] == '*' && objectLine[1] == '\\' &&
           (objectLine[2] == 'A' || objectLine[2] == 'a');
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

// The in-process server of a class, as a 32-bit program opens it. A
// registered file that is not there gives way to the library a project's
// Object= line names (found beside the project and learned from it); when
// there is none either, the class's library counts as not found.
std::string RegisteredServer(const std::string& clsid) {
    const std::string key = "CLSID\\" + clsid + "\\InprocServer32";
    std::string path = ReadDefaultValue(key);
    RegKey handle;
    if (ClassesRoot().OpenKey(key, handle) != kErrorSuccess)
        return path;
    if (ClassesRoot().InWow64View(handle))
        path = RedirectFor32BitView(path);
    if (FileExists(path))
        return path;
    if (const auto learned = ClassesRoot().ReadLayerValue(RegLayer::Learned, handle, "")) {
        const std::string beside = learned->data.substr(0, learned->data.find('\0'));
        if (FileExists(beside))
            return beside;
    }
    throw VbError(kErrFileNotFound, ErrorDescription(kErrFileNotFound) + ": " + path);
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
    std::vector<std::string> folders = SystemFolders();
    folders.insert(folders.begin(), WindowsFolderOf(projectFile));
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
            if (NamesGroupProject(line))
                continue;
            const std::string library = LocateObjectLibrary(view, line, project->FileName());
            if (library.empty()) {
                warnings.push_back(project->FileName() + ": the library of Object=" + line +
                                   " was not found beside the project or in the system folders");
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
        result = RegisteredServer(clsid);
        found = true;
    });
    return found;
}

}  // namespace qfw
