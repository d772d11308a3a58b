// ByteReader: the one way the type-library readers touch outside bytes.
//
// Every read names what it reads and is checked against the buffer with
// 64-bit arithmetic; values are decoded little-endian explicitly. A read
// outside the buffer raises "Invalid file format" (321) with a message that
// names the file, the item, its offset and the buffer's size, so a damaged
// library never reads past its end.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/vb_error.h"

namespace qfw {

// Raises kErrInvalidFileFormat (321, "Invalid file format") with "<source>: <what>".
[[noreturn]] void ThrowFormatError(const std::string& source, const std::string& what);

// "0x1c40": offsets in messages are written in hex, as dump tools show them.
std::string Hex(uint64_t value);

// Little-endian values at `p`.
inline uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Reads inside a range of a ByteReader's buffer that was checked as a whole
// (ByteReader::Range): the many small fields of a record need no check of
// their own. Offsets are those of the whole buffer; a read outside the range
// is a fault of the caller's arithmetic, which debug builds assert.
class CheckedRange {
  public:
    uint8_t U8(uint64_t offset, const char*) const { return *At(offset, 1); }
    uint16_t U16(uint64_t offset, const char*) const { return LoadU16(At(offset, 2)); }
    uint32_t U32(uint64_t offset, const char*) const { return LoadU32(At(offset, 4)); }
    int32_t I32(uint64_t offset, const char* what) const {
        return static_cast<int32_t>(U32(offset, what));
    }
    int16_t I16(uint64_t offset, const char* what) const {
        return static_cast<int16_t>(U16(offset, what));
    }

  private:
    friend class ByteReader;
    CheckedRange(const uint8_t* data, uint64_t first, uint64_t end)
        : data_(data), first_(first), end_(end) {}
    const uint8_t* At(uint64_t offset, [[maybe_unused]] uint64_t length) const {
        assert(offset >= first_ && offset <= end_ && length <= end_ - offset);
        return data_ + offset;
    }

    const uint8_t* data_;
    uint64_t first_;
    uint64_t end_;
};

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
    void Require(uint64_t offset, uint64_t length, const char* what) const {
        if (!Contains(offset, length)) [[unlikely]]
            FailOutside(offset, length, what);
    }
    bool Contains(uint64_t offset, uint64_t length) const {
        return offset <= data_.size() && length <= data_.size() - offset;
    }

    // [offset, offset + length) for reads without checks of their own, or
    // nullopt when the range is not inside the buffer.
    std::optional<CheckedRange> Range(uint64_t offset, uint64_t length) const {
        if (!Contains(offset, length))
            return std::nullopt;
        return CheckedRange(data_.data(), offset, offset + length);
    }

    uint8_t U8(uint64_t offset, const char* what) const {
        Require(offset, 1, what);
        return data_[offset];
    }
    uint16_t U16(uint64_t offset, const char* what) const {
        Require(offset, 2, what);
        return LoadU16(data_.data() + offset);
    }
    uint32_t U32(uint64_t offset, const char* what) const {
        Require(offset, 4, what);
        return LoadU32(data_.data() + offset);
    }
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
    // Kept out of line: the checks above are on every read, the failure is rare.
    [[noreturn, gnu::cold, gnu::noinline]] void FailOutside(uint64_t offset, uint64_t length,
                                                            const char* what) const;

    std::span<const uint8_t> data_;
    std::string source_;
    uint64_t base_;
};

}  // namespace qfw
