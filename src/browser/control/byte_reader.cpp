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

void ByteReader::Require(uint64_t offset, uint64_t length, const char* what) const {
    if (Contains(offset, length))
        return;
    Fail(std::string(what) + " at " + Hex(base_ + offset) + " (" + std::to_string(length) +
         " bytes) beyond end of data (" + Hex(base_ + data_.size()) + ")");
}

uint8_t ByteReader::U8(uint64_t offset, const char* what) const {
    Require(offset, 1, what);
    return data_[offset];
}

uint16_t ByteReader::U16(uint64_t offset, const char* what) const {
    Require(offset, 2, what);
    return static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
}

uint32_t ByteReader::U32(uint64_t offset, const char* what) const {
    Require(offset, 4, what);
    return static_cast<uint32_t>(data_[offset]) | (static_cast<uint32_t>(data_[offset + 1]) << 8) |
           (static_cast<uint32_t>(data_[offset + 2]) << 16) |
           (static_cast<uint32_t>(data_[offset + 3]) << 24);
}

std::string ByteReader::Text(uint64_t offset, uint64_t length, const char* what) const {
    Require(offset, length, what);
    return std::string(reinterpret_cast<const char*>(data_.data() + offset), length);
}

}  // namespace qfw
