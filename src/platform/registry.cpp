#include "platform/registry.h"

#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/text_codec.h"

namespace qfw {
namespace {

// Normalises a key path relative to HKEY_CLASSES_ROOT: lower case, one
// backslash between elements, a single trailing backslash tolerated.
// Nothing when an element is empty.
std::optional<std::string> NormaliseKeyPath(std::string_view path) {
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    std::string out = AsciiLower(path);
    if (out.empty())
        return out;
    if (out.front() == '\\' || out.find("\\\\") != std::string::npos)
        return std::nullopt;
    return out;
}

// Subkeys of HKEY_CLASSES_ROOT that 64-bit Windows keeps apart for 32-bit
// programs under Wow6432Node (the others are shared).
bool IsRedirectedForWow64(std::string_view path) {
    static constexpr std::array<std::string_view, 5> kRedirected = {
        "clsid", "interface", "directshow", "media type", "mediafoundation"};
    const std::string_view first = path.substr(0, path.find('\\'));
    for (const auto name : kRedirected) {
        if (first == name)
            return true;
    }
    return false;
}

bool IsStringType(uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

RegValue StringValue(std::string_view text) {
    std::u16string units = Utf8ToUtf16(text);
    units.push_back(u'\0');
    return RegValue{kRegSz, TextToUtf16LeBytes(units)};
}

}  // namespace

const RegistryView::Values* RegistryView::FindKey(const std::string& path, bool* wow64View) const {
    std::vector<std::string> candidates;
    if (IsRedirectedForWow64(path))
        candidates.push_back("wow6432node\\" + path);
    candidates.push_back(path);
    for (const auto& candidate : candidates) {
        for (const auto& layer : layers_) {
            if (const auto it = layer.find(candidate); it != layer.end()) {
                if (wow64View != nullptr)
                    *wow64View = candidate.size() != path.size();
                return &it->second;
            }
        }
    }
    return nullptr;
}

bool RegistryView::InWow64View(const RegKey& key) const {
    bool wow64View = false;
    return !key.path.empty() && FindKey(key.path, &wow64View) != nullptr && wow64View;
}

std::optional<RegValue> RegistryView::ReadLayerValue(RegLayer layer, const RegKey& key,
                                                     std::string_view valueName) const {
    const Keys& keys = layers_[static_cast<int>(layer)];
    const auto found = keys.find(key.path);
    if (found == keys.end())
        return std::nullopt;
    const auto it = found->second.find(AsciiLower(valueName));
    if (it == found->second.end())
        return std::nullopt;
    RegValue value = it->second;
    if (IsStringType(value.type))
        value.data = Utf16ToUtf8(Utf16LeBytesToText(value.data));
    return value;
}

int32_t RegistryView::OpenKey(std::string_view subKey, RegKey& key) const {
    const auto path = NormaliseKeyPath(subKey);
    if (!path)
        return kErrorBadPathname;
    if (!path->empty() && FindKey(*path) == nullptr)
        return kErrorFileNotFound;
    key.path = *path;
    return kErrorSuccess;
}

std::optional<RegValue> RegistryView::ReadValue(const RegKey& key,
                                                std::string_view valueName) const {
    const Values* values = key.path.empty() ? nullptr : FindKey(key.path);
    if (values == nullptr)
        return std::nullopt;
    const auto it = values->find(AsciiLower(valueName));
    if (it == values->end())
        return std::nullopt;
    RegValue value = it->second;
    if (IsStringType(value.type))
        value.data = Utf16ToUtf8(Utf16LeBytesToText(value.data));
    return value;
}

int32_t RegistryView::QueryValueEx(const RegKey& key, std::string_view valueName, uint32_t* type,
                                   uint8_t* data, uint32_t* cbData) const {
    if (data != nullptr && cbData == nullptr)
        return kErrorInvalidParameter;
    const auto value = ReadValue(key, valueName);
    if (!value)
        return kErrorFileNotFound;
    if (type != nullptr)
        *type = value->type;
    const auto size = static_cast<uint32_t>(value->data.size());
    if (cbData == nullptr)
        return kErrorSuccess;
    const uint32_t capacity = *cbData;
    *cbData = size;
    if (data == nullptr)
        return kErrorSuccess;
    if (capacity < size)
        return kErrorMoreData;
    if (size > 0)
        std::memcpy(data, value->data.data(), size);
    return kErrorSuccess;
}

void RegistryView::CreateKey(RegLayer layer, std::string_view keyPath) {
    const auto path = NormaliseKeyPath(keyPath);
    if (!path || path->empty())
        return;
    Keys& keys = layers_[static_cast<int>(layer)];
    for (size_t slash = path->find('\\'); slash != std::string::npos;
         slash = path->find('\\', slash + 1)) {
        keys.try_emplace(path->substr(0, slash));
    }
    keys.try_emplace(*path);
}

void RegistryView::SetValue(RegLayer layer, std::string_view keyPath, std::string_view valueName,
                            RegValue value) {
    const auto path = NormaliseKeyPath(keyPath);
    if (!path || path->empty())
        return;
    CreateKey(layer, *path);
    layers_[static_cast<int>(layer)][*path][AsciiLower(valueName)] = std::move(value);
}

void RegistryView::AddEntry(std::string_view keyPath, std::string_view valueName,
                            std::string_view value, RegLayer layer) {
    SetValue(layer, keyPath, valueName, StringValue(value));
}

void RegistryView::DeleteValue(RegLayer layer, std::string_view keyPath,
                               std::string_view valueName) {
    const auto path = NormaliseKeyPath(keyPath);
    if (!path)
        return;
    Keys& keys = layers_[static_cast<int>(layer)];
    if (const auto it = keys.find(*path); it != keys.end())
        it->second.erase(AsciiLower(valueName));
}

void RegistryView::DeleteKey(RegLayer layer, std::string_view keyPath) {
    const auto path = NormaliseKeyPath(keyPath);
    if (!path || path->empty())
        return;
    Keys& keys = layers_[static_cast<int>(layer)];
    const std::string below = *path + "\\";
    keys.erase(*path);
    auto it = keys.lower_bound(below);
    while (it != keys.end() && it->first.compare(0, below.size(), below) == 0)
        it = keys.erase(it);
}

std::vector<std::filesystem::path> SplitRegistryList(std::string_view list) {
    std::vector<std::filesystem::path> files;
    while (!list.empty()) {
        const size_t colon = list.find(':');
        const std::string_view element = list.substr(0, colon);
        if (!element.empty())
            files.emplace_back(element);
        if (colon == std::string_view::npos)
            break;
        list.remove_prefix(colon + 1);
    }
    return files;
}

RegistryView LoadRegistry(const RegistrySources& sources, std::vector<std::string>& warnings) {
    RegistryView view;
    if (sources.winePrefix) {
        const std::pair<const char*, RegLayer> hives[] = {{"system.reg", RegLayer::Machine},
                                                          {"user.reg", RegLayer::User}};
        for (const auto& [name, layer] : hives) {
            const auto file = *sources.winePrefix / name;
            std::error_code ec;
            if (!std::filesystem::is_regular_file(file, ec))
                continue;
            try {
                view.LoadWineFile(file, layer, warnings);
            } catch (const RegistryFileError& e) {
                warnings.emplace_back(e.what());
            }
        }
    }
    for (const auto& file : sources.regFiles)
        view.LoadRegFile(file, warnings);
    return view;
}

}  // namespace qfw
