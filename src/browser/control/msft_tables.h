// The tables of an MSFT type library that every other read goes through:
// the header, the segment directory, the type-info base records and the
// name, string and GUID tables.
//
// Every offset a record stores is checked against its segment before use
// (InSegment); a failed check raises kErrInvalidFileFormat naming the item
// and the offset.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "browser/control/byte_reader.h"
#include "browser/control/type_library.h"

namespace qfw::msft {

enum Segment {
    kTypeInfoSegment = 0,
    kImportInfoSegment = 1,
    kImportFileSegment = 2,
    kReferenceSegment = 3,
    kGuidSegment = 5,
    kNameSegment = 7,
    kStringSegment = 8,
    kTypeDescSegment = 9,
    kArrayDescSegment = 10,
};

inline constexpr uint64_t kTypeInfoSize = 0x64;
inline constexpr int kSegmentCount = 15;

// The fields of a type-info base record that the reader needs.
struct TypeBase {
    uint32_t kindWord = 0;
    int32_t memberBlock = -1;
    int32_t guidOffset = -1;
    uint16_t functionCount = 0;
    uint16_t variableCount = 0;
    uint16_t flags = 0;
    int32_t nameOffset = -1;
    int32_t docOffset = -1;
    uint16_t implCount = 0;
    int32_t datatype1 = -1;

    TypeKind Kind() const { return static_cast<TypeKind>(kindWord & 0xF); }
};

class Tables {
  public:
    // Reads and checks the header and the segment directory.
    explicit Tables(const ByteReader& r);

    const ByteReader& Reader() const { return r_; }

    // The file offset of [offset, offset + length) inside segment `s`.
    uint64_t InSegment(int s, int64_t offset, uint64_t length, const char* what) const {
        const SegmentRange& seg = segments_[s];
        if (offset < 0 || static_cast<uint64_t>(offset) > seg.length ||
            length > seg.length - static_cast<uint64_t>(offset)) [[unlikely]]
            FailOutsideSegment(seg, offset, what);
        return seg.offset + static_cast<uint64_t>(offset);
    }

    // A name or help string (empty for offset -1), viewed in the bytes
    // being read.
    std::string_view Name(int32_t offset) const {
        if (offset == -1)
            return {};
        const uint64_t at = InSegment(kNameSegment, offset, 12, "name");
        const uint8_t length = r_.U8(at + 8, "name length");
        InSegment(kNameSegment, offset, 12 + uint64_t{length}, "name");
        return std::string_view(names_ + offset + 12, length);
    }
    std::string_view String(int32_t offset) const {
        if (offset == -1)
            return {};
        const uint64_t at = InSegment(kStringSegment, offset, 2, "string");
        const uint16_t length = r_.U16(at, "string length");
        InSegment(kStringSegment, offset, 2 + uint64_t{length}, "string");
        return std::string_view(strings_ + offset + 2, length);
    }
    // "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (upper-case hex), in braces
    // when `braced`.
    std::string Guid(int32_t offset, bool braced = false) const;

    // Reads the type-info base records and the types' names.
    void ReadTypeBases();
    uint32_t TypeCount() const { return typeCount_; }
    const std::vector<TypeBase>& Bases() const { return bases_; }
    const std::vector<std::string_view>& TypeNames() const { return typeNames_; }

    // The index of a local type referred to by `href`, or -1 for another
    // kind of reference; raises when the reference names no type.
    int32_t LocalIndex(int32_t href) const {
        if (href == -1 || (href & 3) != 0)
            return -1;
        if (href % kTypeInfoSize != 0 || static_cast<uint64_t>(href) / kTypeInfoSize >= typeCount_)
            FailReference(href);
        return static_cast<int32_t>(href / kTypeInfoSize);
    }

    uint64_t SegmentLength(int s) const { return segments_[s].length; }

  private:
    struct SegmentRange {
        uint64_t offset = 0;
        uint64_t length = 0;
    };

    [[noreturn, gnu::cold, gnu::noinline]] void FailOutsideSegment(const SegmentRange& seg,
                                                                   int64_t offset,
                                                                   const char* what) const;
    [[noreturn, gnu::cold, gnu::noinline]] void FailReference(int32_t href) const;

    const ByteReader& r_;
    std::array<SegmentRange, kSegmentCount> segments_{};
    uint32_t typeCount_ = 0;
    const char* names_ = nullptr;    // the name segment's bytes
    const char* strings_ = nullptr;  // the string segment's bytes
    std::vector<TypeBase> bases_;
    std::vector<std::string_view> typeNames_;
};

}  // namespace qfw::msft
