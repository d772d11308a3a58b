#include "browser/control/type_library_reader.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

#include "browser/control/byte_reader.h"
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

TypeLibrary ParseBlob(std::span<const uint8_t> blob, const std::string& source, uint64_t base) {
    const ByteReader reader(blob, source, base);
    if (StartsWith(blob, "MSFT", 4))
        return ParseMsft(reader);
    if (StartsWith(blob, "SLTG", 4))
        reader.Fail("old-format (SLTG) type library, which is not supported");
    reader.Fail("not a type library (neither MSFT data nor a PE image)");
}

[[noreturn]] void ThrowFileError(int32_t number, const std::string& source) {
    throw VbError(number, source + ": " + ErrorDescription(number));
}

}  // namespace

TypeLibrary ReadTypeLibrary(std::span<const uint8_t> bytes, const std::string& source) {
    if (StartsWith(bytes, "MZ", 2)) {
        const ResourceBlob blob = FindTypeLibResource(ByteReader(bytes, source));
        return ParseBlob(blob.data, source, blob.fileOffset);
    }
    return ParseBlob(bytes, source, 0);
}

TypeLibrary ReadTypeLibraryFile(const std::string& unixPath, const std::string& source) {
    struct stat info {};
    if (stat(unixPath.c_str(), &info) != 0)
        ThrowFileError(errno == EACCES ? kErrPermissionDenied : kErrFileNotFound, source);
    if (!S_ISREG(info.st_mode))
        ThrowFileError(kErrPathFileAccess, source);
    if (static_cast<uint64_t>(info.st_size) > kMaxFileSize)
        ThrowFormatError(source, "file of " + std::to_string(info.st_size) +
                                     " bytes is too large to be a type library");

    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(unixPath.c_str(), "rb"),
                                                     &std::fclose);
    if (!file)
        ThrowFileError(errno == EACCES ? kErrPermissionDenied : kErrPathFileAccess, source);
    std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        ThrowFileError(kErrPathFileAccess, source);
    return ReadTypeLibrary(bytes, source);
}

}  // namespace qfw
