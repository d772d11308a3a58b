// A read-only view of HKEY_CLASSES_ROOT, and the two registry calls the
// wizard makes to follow a control's class registration to its file.
//
// The view is built from layers. Each layer maps key paths (relative to
// HKEY_CLASSES_ROOT) to keys holding named values. Lookups consult the layers
// in precedence order and the first layer that holds the key answers for it,
// as Windows' merged HKEY_CLASSES_ROOT lets a per-user key hide the machine
// one:
//   1. RegLayer::User     HKCU\Software\Classes (user.reg, HKCU .reg keys)
//   2. RegLayer::Machine  HKLM\Software\Classes (system.reg, HKLM and HKCR
//                         .reg keys)
//   3. RegLayer::Learned  entries the program adds itself (from type
//                         libraries it has read), consulted only when no
//                         real registration exists.
// The wizard is a 32-bit program on its platform, so for the keys that 64-bit
// Windows redirects (CLSID, Interface, ...) a key under Wow6432Node is looked
// up first and the plain key second, as a 32-bit process on a 64-bit Wine
// prefix sees them.
//
// Names of keys and values compare case-insensitively (ASCII). Values keep
// the bytes and type Windows would store: strings as UTF-16LE with their
// terminator. The "A" style query converts string data to UTF-8, the
// program's text encoding.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qfw {

// Results of the registry calls, as the Windows API numbers them.
inline constexpr int32_t kErrorSuccess = 0;
inline constexpr int32_t kErrorFileNotFound = 2;
inline constexpr int32_t kErrorInvalidParameter = 87;
inline constexpr int32_t kErrorBadPathname = 161;
inline constexpr int32_t kErrorMoreData = 234;

// Registry value types.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;
inline constexpr uint32_t kRegQword = 11;

enum class RegLayer { User = 0, Machine = 1, Learned = 2 };

// One stored value: its type and the bytes Windows would hold for it.
struct RegValue {
    uint32_t type = kRegNone;
    std::string data;
};

// An open key. It names the key rather than pointing into the view, so it
// stays valid (if possibly stale) whatever happens to the view.
struct RegKey {
    std::string path;  // normalised: lower case, elements joined by '\'
};

// A registry file that cannot be used at all (unreadable, unknown format).
class RegistryFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class RegistryView {
  public:
    // RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, ...): kErrorSuccess and the
    // key, or kErrorFileNotFound when no layer holds it. An empty subKey
    // opens the root itself; a path with an empty element (a leading or
    // doubled backslash) gives kErrorBadPathname.
    int32_t OpenKey(std::string_view subKey, RegKey& key) const;

    // RegQueryValueExA(key, valueName, NULL, type, data, cbData). An empty
    // valueName reads the default value. On entry *cbData is the size of data
    // in bytes; on return it is the size of the value, string terminators
    // included. data == nullptr asks for the size only. A buffer that is too
    // small gives kErrorMoreData and the required size, leaving data as it
    // was. type may be nullptr; cbData may be nullptr only when data is.
    int32_t QueryValueEx(const RegKey& key, std::string_view valueName, uint32_t* type,
                         uint8_t* data, uint32_t* cbData) const;

    // The value as QueryValueEx would return it, or nothing when the key or
    // value does not exist. For a string this is its text plus terminator.
    std::optional<RegValue> ReadValue(const RegKey& key, std::string_view valueName) const;

    // The value as one layer alone holds it (same form as ReadValue).
    std::optional<RegValue> ReadLayerValue(RegLayer layer, const RegKey& key,
                                           std::string_view valueName) const;

    // True when the key is answered from the 32-bit view (a Wow6432Node
    // key), so that paths read from it are subject to the 32-bit file-system
    // redirection.
    bool InWow64View(const RegKey& key) const;

    // Adds (or replaces) a REG_SZ value; an empty valueName sets the default
    // value. keyPath is relative to HKEY_CLASSES_ROOT, e.g.
    // "CLSID\{...}\InprocServer32". The key and its parents are created.
    void AddEntry(std::string_view keyPath, std::string_view valueName, std::string_view value,
                  RegLayer layer = RegLayer::Learned);

    // Adds a value with any type and raw data.
    void SetValue(RegLayer layer, std::string_view keyPath, std::string_view valueName,
                  RegValue value);
    // Removes a value, or a key with everything below it, from one layer.
    void DeleteValue(RegLayer layer, std::string_view keyPath, std::string_view valueName);
    void DeleteKey(RegLayer layer, std::string_view keyPath);
    // Creates an empty key (and its parents) in one layer.
    void CreateKey(RegLayer layer, std::string_view keyPath);

    // Merges a Wine registry file (system.reg or user.reg): its keys under
    // Software\Classes go to `layer`. Lines that cannot be understood are
    // skipped, each adding "file:line: problem" to warnings. Throws
    // RegistryFileError when the file cannot be read or is not a Wine
    // registry file.
    void LoadWineFile(const std::filesystem::path& file, RegLayer layer,
                      std::vector<std::string>& warnings);
    // Merges a .reg file (REGEDIT4 or version 5.00, ANSI, UTF-8 or UTF-16LE):
    // HKEY_CLASSES_ROOT and HKLM\Software\Classes keys go to the machine
    // layer, HKCU\Software\Classes keys to the user layer, other keys are
    // ignored. Same error behaviour as LoadWineFile.
    void LoadRegFile(const std::filesystem::path& file, std::vector<std::string>& warnings);

    // The same two loaders on text already in memory; `name` is used in
    // warnings and errors.
    void LoadWineText(std::string_view bytes, std::string_view name, RegLayer layer,
                      std::vector<std::string>& warnings);
    void LoadRegText(std::string_view bytes, std::string_view name,
                     std::vector<std::string>& warnings);

  private:
    using Values = std::map<std::string, RegValue>;  // by lower-case name
    using Keys = std::map<std::string, Values>;      // by normalised path

    const Values* FindKey(const std::string& normalisedPath, bool* wow64View = nullptr) const;

    Keys layers_[3];
};

// Where the registry comes from. The command line fills this from its
// options and the environment and passes it to LoadRegistry.
struct RegistrySources {
    // The Wine prefix whose system.reg and user.reg are read, if any.
    std::optional<std::filesystem::path> winePrefix;
    // .reg files to merge, in order; later files override earlier ones.
    std::vector<std::filesystem::path> regFiles;
};

// The files named by a colon-separated list such as QFW_REGISTRY's value;
// empty elements are skipped.
std::vector<std::filesystem::path> SplitRegistryList(std::string_view list);

// Builds the view from the sources. A prefix without registry files simply
// contributes nothing; a damaged prefix file is skipped with a warning. A .reg
// file the user named that cannot be read throws RegistryFileError naming it.
RegistryView LoadRegistry(const RegistrySources& sources, std::vector<std::string>& warnings);

}  // namespace qfw
