#include "browser/control/type_library_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "browser/control/byte_reader.h"
#include "browser/control/library_path.h"
#include "browser/control/msft_reader.h"
#include "browser/control/pe_resource.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

// Larger files are not type libraries of any control; refusing them keeps a
// mistaken path from reading gigabytes.
constexpr uint64_t kMaxFileSize = 256u << 20;

bool StartsWith(std::span<const uint8_t> bytes, const char* magic, size_t length) {
    if (bytes.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (bytes[i] != static_cast<uint8_t>(magic[i]))
            return false;
    return true;
}

using MsftParse = std::function<TypeLibrary(const ByteReader&)>;

TypeLibrary ParseBlob(std::span<const uint8_t> blob, const std::string& source, uint64_t base,
                      const MsftParse& parse) {
    const ByteReader reader(blob, source, base);
    if (StartsWith(blob, "MSFT", 4))
        return parse(reader);
    if (StartsWith(blob, "SLTG", 4))
        reader.Fail("old-format (SLTG) type library, which is not supported");
    reader.Fail("not a type library (neither MSFT data nor a PE image)");
}

[[noreturn]] void ThrowFileError(int32_t number, const std::string& source) {
    throw VbError(number, source + ": " + ErrorDescription(number));
}

TypeLibrary Read(std::span<const uint8_t> bytes, const std::string& source,
                 const MsftParse& parse) {
    if (StartsWith(bytes, "MZ", 2)) {
        const ResourceBlob blob = FindTypeLibResource(ByteReader(bytes, source));
        return ParseBlob(blob.data, source, blob.fileOffset, parse);
    }
    return ParseBlob(bytes, source, 0, parse);
}

// The file's bytes, mapped read-only: the parser touches only the pages it
// reads, so a library's name costs a few pages, not the whole file.
class MappedFile {
  public:
    MappedFile(const std::string& unixPath, const std::string& source);
    ~MappedFile() {
        if (data_ != nullptr)
            munmap(data_, size_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    std::span<const uint8_t> Bytes() const { return {static_cast<const uint8_t*>(data_), size_}; }

  private:
    void* data_ = nullptr;
    size_t size_ = 0;
};

MappedFile::MappedFile(const std::string& unixPath, const std::string& source) {
    struct stat info {};
    if (stat(unixPath.c_str(), &info) != 0)
        ThrowFileError(errno == EACCES ? kErrPermissionDenied : kErrFileNotFound, source);
    if (!S_ISREG(info.st_mode))
        ThrowFileError(kErrPathFileAccess, source);
    if (static_cast<uint64_t>(info.st_size) > kMaxFileSize)
        ThrowFormatError(source, "file of " + std::to_string(info.st_size) +
                                     " bytes is too large to be a type library");

    const int fd = ::open(unixPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowFileError(errno == EACCES ? kErrPermissionDenied : kErrPathFileAccess, source);
    size_ = static_cast<size_t>(info.st_size);
    if (size_ > 0) {
        data_ = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (data_ == MAP_FAILED)
            data_ = nullptr;
    }
    ::close(fd);
    if (size_ > 0 && data_ == nullptr)
        ThrowFileError(kErrPathFileAccess, source);
}

// The libraries a library file imports: looked for beside it first (a
// vendor ships a control's libraries together), then where the browser
// control looks for a library of that name. Each is read once, without its
// own imports.
class ImportsNear : public ImportedLibraries {
  public:
    explicit ImportsNear(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const TypeLibrary* Find(const std::string& fileName) override {
        auto [entry, added] = libraries_.try_emplace(fileName);
        if (added)
            entry->second = Load(fileName);
        return entry->second ? &*entry->second : nullptr;
    }

  private:
    std::optional<TypeLibrary> Load(const std::string& fileName) const {
        if (std::optional<TypeLibrary> library = TryRead(Beside(fileName), fileName))
            return library;
        try {
            return TryRead(ResolveTypeLibPath(fileName), fileName);
        } catch (const VbError&) {
            return std::nullopt;
        }
    }

    // Not there, or not readable: its types keep their stand-in names.
    static std::optional<TypeLibrary> TryRead(const std::string& path,
                                              const std::string& fileName) {
        if (path.empty())
            return std::nullopt;
        try {
            const MappedFile file(path, fileName);
            return Read(file.Bytes(), fileName, [](const ByteReader& r) { return ParseMsft(r); });
        } catch (const VbError&) {
            return std::nullopt;
        }
    }

    // The file of the stored name's last element in the folder, in any letter case.
    std::string Beside(const std::string& fileName) const {
        const size_t slash = fileName.find_last_of("\\/");
        const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
            const std::string name = entry.path().filename().string();
            if (name.size() == base.size() &&
                std::equal(name.begin(), name.end(), base.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) ==
                           std::tolower(static_cast<unsigned char>(b));
                }))
                return entry.path().string();
        }
        return {};
    }

    std::filesystem::path folder_;
    std::map<std::string, std::optional<TypeLibrary>> libraries_;
};

}  // namespace

TypeLibrary ReadTypeLibrary(std::span<const uint8_t> bytes, const std::string& source) {
    return Read(bytes, source, [](const ByteReader& r) { return ParseMsft(r); });
}

TypeLibrary ReadTypeLibraryFile(const std::string& unixPath, const std::string& source) {
    const MappedFile file(unixPath, source);
    ImportsNear imports(std::filesystem::path(unixPath).parent_path());
    return Read(file.Bytes(), source, [&](const ByteReader& r) { return ParseMsft(r, &imports); });
}

TypeLibrary ReadTypeLibrarySummaryFile(const std::string& unixPath, const std::string& source) {
    const MappedFile file(unixPath, source);
    return Read(file.Bytes(), source, &ParseMsftSummary);
}

}  // namespace qfw
