#include "browser/control/byte_reader.h"

#include <cstdio>

#include "platform/vb_error.h"

namespace qfw {

void ThrowFormatError(const std::string& source, const std::string& what) {
    throw VbError(kErrInvalidFileFormat, source + ": " + what);
}

std::string Hex(uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

void ByteReader::FailOutside(uint64_t offset, uint64_t length, const char* what) const {
    Fail(std::string(what) + " at " + Hex(base_ + offset) + " (" + std::to_string(length) +
         " bytes) beyond end of data (" + Hex(base_ + data_.size()) + ")");
}

std::string ByteReader::Text(uint64_t offset, uint64_t length, const char* what) const {
    Require(offset, length, what);
    return std::string(reinterpret_cast<const char*>(data_.data() + offset), length);
}

}  // namespace qfw
