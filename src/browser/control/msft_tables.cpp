#include "browser/control/msft_tables.h"

namespace qfw::msft {
namespace {

constexpr uint32_t kMsftMagic = 0x5446534D;
constexpr uint64_t kHeaderSize = 0x54;
constexpr uint32_t kHelpDllFlag = 0x100;

}  // namespace

Tables::Tables(const ByteReader& r) : r_(r) {
    r_.Require(0, kHeaderSize, "type library header");
    if (r_.U32(0, "magic") != kMsftMagic)
        r_.Fail("not an MSFT type library");
    const uint32_t varFlags = r_.U32(0x14, "library flags");
    const uint32_t count = r_.U32(0x20, "type count");
    if (count > 0xFFFF)
        r_.Fail("type count " + std::to_string(count) + " is not plausible");
    typeCount_ = count;
    const uint64_t directory =
        kHeaderSize + ((varFlags & kHelpDllFlag) ? 4 : 0) + uint64_t{count} * 4;
    r_.Require(directory, kSegmentCount * 16, "segment directory");
    for (int i = 0; i < kSegmentCount; ++i) {
        const int32_t offset = r_.I32(directory + 16 * i, "segment offset");
        const int32_t length = r_.I32(directory + 16 * i + 4, "segment length");
        if (offset == -1)
            continue;
        if (offset < 0 || length < 0)
            r_.Fail("segment " + std::to_string(i) + " has a negative offset or length");
        r_.Require(static_cast<uint64_t>(offset), static_cast<uint64_t>(length), "segment");
        segments_[i] = {static_cast<uint64_t>(offset), static_cast<uint64_t>(length)};
    }
    if (uint64_t{count} * kTypeInfoSize > segments_[kTypeInfoSegment].length)
        r_.Fail(std::to_string(count) + " types do not fit in the type-info segment (" +
                Hex(segments_[kTypeInfoSegment].length) + " bytes)");
    const char* bytes = reinterpret_cast<const char*>(r_.bytes().data());
    names_ = bytes + segments_[kNameSegment].offset;
    strings_ = bytes + segments_[kStringSegment].offset;
}

void Tables::FailOutsideSegment(const SegmentRange& seg, int64_t offset, const char* what) const {
    r_.Fail(std::string(what) + " offset " + Hex(static_cast<uint64_t>(offset)) +
            " outside its segment (" + Hex(seg.length) + " bytes)");
}

void Tables::FailReference(int32_t href) const {
    r_.Fail("type reference " + Hex(static_cast<uint32_t>(href)) + " names no type");
}

std::string Tables::Guid(int32_t offset, bool braced) const {
    const uint64_t at = InSegment(kGuidSegment, offset, 16, "GUID");
    static constexpr char kDigits[] = "0123456789ABCDEF";
    // Data1, Data2 and Data3 are little-endian numbers, Data4 eight bytes in order.
    std::string text(braced ? 38 : 36, '-');
    size_t out = 0;
    if (braced) {
        text.front() = '{';
        text.back() = '}';
        ++out;
    }
    const auto put = [&](uint64_t byteOffset) {
        const uint8_t byte = r_.U8(at + byteOffset, "GUID");
        text[out++] = kDigits[byte >> 4];
        text[out++] = kDigits[byte & 0xF];
    };
    for (uint64_t b : {3, 2, 1, 0})
        put(b);
    ++out;
    for (uint64_t b : {5, 4})
        put(b);
    ++out;
    for (uint64_t b : {7, 6})
        put(b);
    ++out;
    for (uint64_t b : {8, 9})
        put(b);
    ++out;
    for (uint64_t b = 10; b < 16; ++b)
        put(b);
    return text;
}

void Tables::ReadTypeBases() {
    bases_.resize(typeCount_);
    for (uint32_t i = 0; i < typeCount_; ++i) {
        const uint64_t at = segments_[kTypeInfoSegment].offset + i * kTypeInfoSize;
        TypeBase& b = bases_[i];
        b.kindWord = r_.U32(at, "type kind");
        b.memberBlock = r_.I32(at + 0x04, "member block offset");
        b.functionCount = r_.U16(at + 0x18, "function count");
        b.guidOffset = r_.I32(at + 0x2C, "type GUID offset");
        b.variableCount = r_.U16(at + 0x1A, "variable count");
        b.flags = r_.U16(at + 0x30, "type flags");
        b.nameOffset = r_.I32(at + 0x34, "type name offset");
        b.docOffset = r_.I32(at + 0x3C, "type help string offset");
        b.implCount = r_.U16(at + 0x4C, "implemented type count");
        b.datatype1 = r_.I32(at + 0x54, "type data");
        if ((b.kindWord & 0xF) > static_cast<uint32_t>(TypeKind::Union))
            r_.Fail("type " + std::to_string(i) + " has unknown kind " +
                    std::to_string(b.kindWord & 0xF));
    }
    typeNames_.reserve(typeCount_);
    for (const TypeBase& b : bases_)
        typeNames_.push_back(Name(b.nameOffset));
}

}  // namespace qfw::msft
