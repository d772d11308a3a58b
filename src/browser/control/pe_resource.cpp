#include "browser/control/pe_resource.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace qfw {
namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint64_t kMaxResourceSize = 64u << 20;

struct Section {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawSize;
    uint32_t rawOffset;
};

// The image's sections and its resource directory, read from the headers.
struct Image {
    std::vector<Section> sections;
    uint32_t resourceRva = 0;
};

Image ReadHeaders(const ByteReader& file) {
    if (file.size() < 0x40 || file.U16(0, "DOS header") != 0x5A4D)
        file.Fail("not a PE image");
    const uint32_t peOffset = file.U32(0x3C, "PE header offset");
    if (file.U32(peOffset, "PE signature") != 0x4550)
        file.Fail("no PE signature at " + Hex(peOffset) + " (not a 32- or 64-bit Windows image)");
    const uint16_t sectionCount = file.U16(uint64_t{peOffset} + 6, "section count");
    const uint16_t optionalSize = file.U16(uint64_t{peOffset} + 0x14, "optional header size");
    const uint64_t optional = uint64_t{peOffset} + 0x18;
    file.Require(optional, optionalSize, "optional header");
    const uint16_t magic = file.U16(optional, "optional header magic");
    if (magic != kPe32Magic && magic != kPe32PlusMagic)
        file.Fail("unknown optional header magic " + Hex(magic));
    const uint64_t countField = magic == kPe32Magic ? 0x5C : 0x6C;
    const uint64_t directories = countField + 4;
    if (optionalSize < directories)
        file.Fail("optional header too small for its data directories");
    const uint32_t directoryCount =
        std::min<uint32_t>(file.U32(optional + countField, "data directory count"), 16);
    const uint64_t fitting = (optionalSize - directories) / 8;

    Image image;
    if (directoryCount > kResourceDirectory && fitting > kResourceDirectory)
        image.resourceRva =
            file.U32(optional + directories + 8 * kResourceDirectory, "resource directory");
    if (image.resourceRva == 0)
        file.Fail("no resources (no type library)");

    const uint64_t table = optional + optionalSize;
    file.Require(table, uint64_t{sectionCount} * 40, "section table");
    image.sections.reserve(sectionCount);
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const uint64_t at = table + uint64_t{i} * 40;
        image.sections.push_back(
            {file.U32(at + 12, "section address"), file.U32(at + 8, "section size"),
             file.U32(at + 16, "section raw size"), file.U32(at + 20, "section raw offset")});
    }
    return image;
}

// Maps [rva, rva + length) to a file offset; the range must lie in the raw
// data of one section (bytes past the raw data are not in the file).
uint64_t MapRange(const ByteReader& file, const Image& image, uint32_t rva, uint64_t length,
                  const char* what) {
    for (const Section& s : image.sections) {
        const uint64_t extent = std::max(s.virtualSize, s.rawSize);
        if (rva < s.virtualAddress || rva >= uint64_t{s.virtualAddress} + extent)
            continue;
        const uint64_t inSection = rva - s.virtualAddress;
        if (inSection + length > s.rawSize)
            file.Fail(std::string(what) + " at address " + Hex(rva) +
                      " extends past its section's data");
        const uint64_t offset = uint64_t{s.rawOffset} + inSection;
        file.Require(offset, length, what);
        return offset;
    }
    file.Fail(std::string(what) + " at address " + Hex(rva) + " lies in no section");
}

struct Entry {
    uint32_t name;
    uint32_t target;
};

// The entries of the resource directory table at `offset` (relative to the
// resource directory).
std::vector<Entry> ReadTable(const ByteReader& file, const Image& image, uint32_t offset) {
    const uint32_t rva = image.resourceRva + offset;
    const uint64_t at = MapRange(file, image, rva, 16, "resource directory table");
    const uint32_t count =
        uint32_t{file.U16(at + 12, "resource name count")} + file.U16(at + 14, "resource id count");
    const uint64_t entries =
        MapRange(file, image, rva, 16 + uint64_t{count} * 8, "resource directory entries");
    std::vector<Entry> result;
    result.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        result.push_back({file.U32(entries + 16 + 8 * i, "resource entry"),
                          file.U32(entries + 20 + 8 * i, "resource entry")});
    return result;
}

bool IsTypeLibName(const ByteReader& file, const Image& image, uint32_t nameField) {
    if ((nameField & kHighBit) == 0)
        return false;
    const uint32_t rva = image.resourceRva + (nameField & ~kHighBit);
    const uint64_t at = MapRange(file, image, rva, 2, "resource name");
    const uint16_t length = file.U16(at, "resource name length");
    if (length != 7)
        return false;
    const uint64_t chars = MapRange(file, image, rva, 2 + 14, "resource name");
    static const char kName[] = "TYPELIB";
    for (int i = 0; i < 7; ++i) {
        const uint16_t c = file.U16(chars + 2 + 2 * i, "resource name");
        if (c > 0x7F || std::toupper(c) != kName[i])
            return false;
    }
    return true;
}

uint32_t SubTable(const ByteReader& file, const Entry& entry, const char* level) {
    if ((entry.target & kHighBit) == 0)
        file.Fail(std::string("resource ") + level + " entry is not a directory");
    return entry.target & ~kHighBit;
}

}  // namespace

ResourceBlob FindTypeLibResource(const ByteReader& file) {
    const Image image = ReadHeaders(file);

    const std::vector<Entry> types = ReadTable(file, image, 0);
    const auto type = std::find_if(types.begin(), types.end(), [&](const Entry& e) {
        return IsTypeLibName(file, image, e.name);
    });
    if (type == types.end())
        file.Fail("no TYPELIB resource (the file holds no type library)");

    const std::vector<Entry> ids = ReadTable(file, image, SubTable(file, *type, "type"));
    if (ids.empty())
        file.Fail("empty TYPELIB resource directory");
    auto id = std::find_if(ids.begin(), ids.end(), [](const Entry& e) { return e.name == 1; });
    if (id == ids.end())
        id = ids.begin();

    const std::vector<Entry> languages = ReadTable(file, image, SubTable(file, *id, "name"));
    if (languages.empty())
        file.Fail("empty TYPELIB language directory");
    if (languages.front().target & kHighBit)
        file.Fail("TYPELIB language entry is a directory, not data");

    const uint32_t entryRva = image.resourceRva + languages.front().target;
    const uint64_t dataEntry = MapRange(file, image, entryRva, 16, "TYPELIB data entry");
    const uint32_t dataRva = file.U32(dataEntry, "TYPELIB data address");
    const uint32_t dataSize = file.U32(dataEntry + 4, "TYPELIB data size");
    if (dataSize == 0 || dataSize > kMaxResourceSize)
        file.Fail("TYPELIB resource size " + Hex(dataSize) + " is not plausible");
    const uint64_t offset = MapRange(file, image, dataRva, dataSize, "TYPELIB resource");
    return {file.bytes().subspan(offset, dataSize), offset};
}

}  // namespace qfw
