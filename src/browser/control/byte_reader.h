// ByteReader: the one way the type-library readers touch outside bytes.
//
// Every read names what it reads and is checked against the buffer with
// 64-bit arithmetic; values are decoded little-endian explicitly. A read
// outside the buffer raises "Invalid file format" (321) with a message that
// names the file, the item, its offset and the buffer's size, so a damaged
// library never reads past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/vb_error.h"

namespace qfw {

// Raises kErrInvalidFileFormat (321, "Invalid file format") with "<source>: <what>".
[[noreturn]] void ThrowFormatError(const std::string& source, const std::string& what);

// "0x1c40": offsets in messages are written in hex, as dump tools show them.
std::string Hex(uint64_t value);

class ByteReader {
  public:
    // `base` is added to offsets in messages, so that an error inside a
    // resource names the position in the whole file.
    ByteReader(std::span<const uint8_t> data, std::string source, uint64_t base = 0)
        : data_(data), source_(std::move(source)), base_(base) {}

    uint64_t size() const { return data_.size(); }
    const std::string& source() const { return source_; }
    std::span<const uint8_t> bytes() const { return data_; }

    // Raises unless [offset, offset + length) lies inside the buffer.
    void Require(uint64_t offset, uint64_t length, const char* what) const;
    bool Contains(uint64_t offset, uint64_t length) const {
        return offset <= data_.size() && length <= data_.size() - offset;
    }

    uint8_t U8(uint64_t offset, const char* what) const;
    uint16_t U16(uint64_t offset, const char* what) const;
    uint32_t U32(uint64_t offset, const char* what) const;
    int32_t I32(uint64_t offset, const char* what) const {
        return static_cast<int32_t>(U32(offset, what));
    }
    int16_t I16(uint64_t offset, const char* what) const {
        return static_cast<int16_t>(U16(offset, what));
    }
    // `length` bytes as an 8-bit string.
    std::string Text(uint64_t offset, uint64_t length, const char* what) const;

    [[noreturn]] void Fail(const std::string& what) const { ThrowFormatError(source_, what); }

  private:
    std::span<const uint8_t> data_;
    std::string source_;
    uint64_t base_;
};

}  // namespace qfw
