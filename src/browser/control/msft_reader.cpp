#include "browser/control/msft_reader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "browser/control/stdole_names.h"

namespace qfw {
namespace {

constexpr uint32_t kMsftMagic = 0x5446534D;
constexpr uint64_t kHeaderSize = 0x54;
constexpr uint64_t kTypeInfoSize = 0x64;
constexpr uint32_t kHelpDllFlag = 0x100;
constexpr int kSegmentCount = 15;
constexpr int kMaxTypeDepth = 16;

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

enum VarType : uint16_t {
    kVtEmpty = 0,
    kVtNull = 1,
    kVtI2 = 2,
    kVtI4 = 3,
    kVtR4 = 4,
    kVtR8 = 5,
    kVtCy = 6,
    kVtDate = 7,
    kVtBstr = 8,
    kVtDispatch = 9,
    kVtError = 10,
    kVtBool = 11,
    kVtVariant = 12,
    kVtUnknown = 13,
    kVtDecimal = 14,
    kVtI1 = 16,
    kVtUi1 = 17,
    kVtUi2 = 18,
    kVtUi4 = 19,
    kVtI8 = 20,
    kVtUi8 = 21,
    kVtInt = 22,
    kVtUint = 23,
    kVtVoid = 24,
    kVtHresult = 25,
    kVtPtr = 26,
    kVtSafeArray = 27,
    kVtCArray = 28,
    kVtUserDefined = 29,
    kVtLpstr = 30,
    kVtLpwstr = 31,
    kVtIntPtr = 37,
    kVtUintPtr = 38,
};

constexpr uint16_t kParamFlagLcid = 0x4;
constexpr uint16_t kParamFlagRetval = 0x8;
constexpr uint16_t kTypeFlagDual = 0x40;
constexpr uint32_t kKindWordDispatchPartner = 0x10;

// A type as Visual Basic code declares it.
struct TypeRef {
    std::string name;
    bool named = false;        // an object or enumeration type, named by its name
    bool enumeration = false;  // a named enumeration type: a value, never an object
};

// Visual Basic's name for a simple automation type: a type Visual Basic
// lacks is the smallest one that holds every value of it.
std::string SimpleTypeName(uint16_t vt) {
    switch (vt) {
        case kVtI2:
        case kVtI1:
            return "Integer";
        case kVtUi2:
        case kVtI4:
        case kVtUi4:
        case kVtInt:
        case kVtUint:
        case kVtError:
        case kVtHresult:
        case kVtIntPtr:
        case kVtUintPtr:
            return "Long";
        case kVtR4:
            return "Single";
        case kVtR8:
            return "Double";
        case kVtCy:
            return "Currency";
        case kVtDate:
            return "Date";
        case kVtBstr:
        case kVtLpstr:
        case kVtLpwstr:
            return "String";
        case kVtDispatch:
            return "Object";
        case kVtBool:
            return "Boolean";
        case kVtUnknown:
            return "Unknown";
        case kVtUi1:
            return "Byte";
        case kVtVoid:
            return "None";
        default:
            // Empty, Null, Decimal, 64-bit integers and anything newer only
            // exist for Visual Basic inside a Variant.
            return "Variant";
    }
}

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

class MsftParser {
  public:
    explicit MsftParser(const ByteReader& r, ImportedLibraries* imports = nullptr)
        : r_(r), imports_(imports) {}

    TypeLibrary Summary() {
        ReadHeaderAndSegments();
        TypeLibrary library;
        library.name = Name(r_.I32(0x38, "library name offset"));
        library.documentation = String(r_.I32(0x24, "library help string offset"));
        return library;
    }

    TypeLibrary Parse() {
        ReadHeaderAndSegments();
        ReadTypeBases();
        FindDefaultInterfaces();

        TypeLibrary library;
        library.name = Name(r_.I32(0x38, "library name offset"));
        libraryName_ = library.name;
        library.documentation = String(r_.I32(0x24, "library help string offset"));
        library.types.reserve(bases_.size());
        for (size_t i = 0; i < bases_.size(); ++i)
            library.types.push_back(ReadType(i));
        InheritBaseFunctions(library);
        return library;
    }

  private:
    struct SegmentRange {
        uint64_t offset = 0;
        uint64_t length = 0;
    };

    void ReadHeaderAndSegments() {
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
    }

    // The file offset of [offset, offset + length) inside segment `s`.
    uint64_t InSegment(int s, int64_t offset, uint64_t length, const char* what) const {
        const SegmentRange& seg = segments_[s];
        if (offset < 0 || static_cast<uint64_t>(offset) > seg.length ||
            length > seg.length - static_cast<uint64_t>(offset))
            r_.Fail(std::string(what) + " offset " + Hex(static_cast<uint64_t>(offset)) +
                    " outside its segment (" + Hex(seg.length) + " bytes)");
        return seg.offset + static_cast<uint64_t>(offset);
    }

    std::string Name(int32_t offset) const {
        if (offset == -1)
            return {};
        const uint64_t at = InSegment(kNameSegment, offset, 12, "name");
        const uint8_t length = r_.U8(at + 8, "name length");
        InSegment(kNameSegment, offset, 12 + uint64_t{length}, "name");
        return r_.Text(at + 12, length, "name");
    }

    std::string String(int32_t offset) const {
        if (offset == -1)
            return {};
        const uint64_t at = InSegment(kStringSegment, offset, 2, "string");
        const uint16_t length = r_.U16(at, "string length");
        InSegment(kStringSegment, offset, 2 + uint64_t{length}, "string");
        return r_.Text(at + 2, length, "string");
    }

    std::string Guid(int32_t offset) const {
        const uint64_t at = InSegment(kGuidSegment, offset, 16, "GUID");
        char text[40];
        std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                      r_.U32(at, "GUID"), r_.U16(at + 4, "GUID"), r_.U16(at + 6, "GUID"),
                      r_.U8(at + 8, "GUID"), r_.U8(at + 9, "GUID"), r_.U8(at + 10, "GUID"),
                      r_.U8(at + 11, "GUID"), r_.U8(at + 12, "GUID"), r_.U8(at + 13, "GUID"),
                      r_.U8(at + 14, "GUID"), r_.U8(at + 15, "GUID"));
        return text;
    }

    void ReadTypeBases() {
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

    // A coclass's [default] interface is shown under the coclass's name, as
    // the environment names a class by its class rather than its hidden
    // "_Class" interface.
    void FindDefaultInterfaces() {
        coclassOfDefault_.assign(typeCount_, -1);
        for (uint32_t i = 0; i < typeCount_; ++i) {
            if (bases_[i].Kind() != TypeKind::Coclass)
                continue;
            for (const auto& [href, flags] : References(bases_[i])) {
                const int32_t local = LocalIndex(href);
                if (local >= 0 &&
                    (flags & (kImplTypeFlagDefault | kImplTypeFlagSource)) == kImplTypeFlagDefault)
                    if (coclassOfDefault_[local] < 0)
                        coclassOfDefault_[local] = i;
            }
        }
    }

    // The (hreftype, flags) pairs of a coclass's reference chain.
    std::vector<std::pair<int32_t, uint16_t>> References(const TypeBase& b) const {
        std::vector<std::pair<int32_t, uint16_t>> result;
        std::set<int32_t> seen;
        int32_t offset = b.datatype1;
        for (uint16_t k = 0; k < b.implCount && offset != -1; ++k) {
            if (!seen.insert(offset).second)
                break;
            const uint64_t at = InSegment(kReferenceSegment, offset, 16, "implemented type");
            result.emplace_back(r_.I32(at, "implemented type"),
                                r_.U16(at + 4, "implemented type flags"));
            offset = r_.I32(at + 12, "next implemented type");
        }
        return result;
    }

    // The index of a local type referred to by `href`, or -1 for another kind of reference.
    int32_t LocalIndex(int32_t href) const {
        if (href == -1 || (href & 3) != 0)
            return -1;
        if (href % kTypeInfoSize != 0 || static_cast<uint64_t>(href) / kTypeInfoSize >= typeCount_)
            r_.Fail("type reference " + Hex(static_cast<uint32_t>(href)) + " names no type");
        return static_cast<int32_t>(href / kTypeInfoSize);
    }

    TypeRef ReferenceRef(int32_t href, int depth) const {
        if (href == -1)
            return {"Variant"};
        if ((href & 3) == 0)
            return LocalRef(LocalIndex(href), depth);
        if ((href & 3) == 1)
            return ImportedRef(href & ~3);
        r_.Fail("type reference " + Hex(static_cast<uint32_t>(href)) + " has an unknown form");
    }

    // The environment writes the types of its own library and of OLE
    // Automation's unqualified, every other library's as Library.Name.
    std::string Qualified(const std::string& name) const { return QualifiedBy(libraryName_, name); }

    static std::string QualifiedBy(const std::string& library, const std::string& name) {
        if (library == "VB" || library == "stdole")
            return name;
        return library + "." + name;
    }

    TypeRef LocalRef(int32_t local, int depth) const {
        const std::string& name = typeNames_[local];
        switch (bases_[local].Kind()) {
            case TypeKind::Alias:
                if (const char* known = KnownAliasType(name))
                    return {known};
                return TypeName(bases_[local].datatype1, depth + 1);
            case TypeKind::Enum:
                return {Qualified(name), true, true};
            case TypeKind::Interface:
            case TypeKind::Dispatch:
            case TypeKind::Coclass: {
                // The environment names a class's default interface by the class.
                const int32_t coclass = coclassOfDefault_[local];
                return {Qualified(typeNames_[coclass >= 0 ? coclass : local]), true};
            }
            default:
                return {name};
        }
    }

    // The kind of the type `href` refers to; Union (no object) when unknown.
    TypeKind ReferencedKind(int32_t href) const {
        if (href != -1 && (href & 3) == 0)
            return bases_[LocalIndex(href)].Kind();
        if (href != -1 && (href & 3) == 1) {
            const uint64_t at = InSegment(kImportInfoSegment, href & ~3, 12, "import reference");
            return static_cast<TypeKind>((r_.U32(at, "import flags") >> 24) & 0xF);
        }
        return TypeKind::Union;
    }

    // The importing library stores no names of imported types: types of
    // OLE Automation's stdole library are named from a table; others get a
    // stand-in by their kind.
    TypeRef ImportedRef(int32_t offset) const {
        if (offset % 12 != 0)
            r_.Fail("import reference " + Hex(offset) + " is misaligned");
        const uint64_t at = InSegment(kImportInfoSegment, offset, 12, "import reference");
        const uint32_t flags = r_.U32(at, "import flags");
        const int32_t file = r_.I32(at + 4, "import file offset");
        const int32_t target = r_.I32(at + 8, "import target");
        const char* name = nullptr;
        if (flags & 0x10000) {
            if (target != -1)
                name = StdOleNameByGuid(Guid(target));
        } else if (ImportsStdOle(file)) {
            name = StdOleNameByIndex(target);
        }
        if (name) {
            const StdOleType type = StdOleVisualBasicType(name);
            return {type.name, type.named, type.enumeration};
        }
        if (!(flags & 0x10000) || target != -1)
            if (std::optional<TypeRef> named = NamedInImport(file, flags, target))
                return *named;
        switch (static_cast<TypeKind>((flags >> 24) & 0xF)) {
            case TypeKind::Enum:
            case TypeKind::Alias:
                return {"Long"};
            case TypeKind::Interface:
            case TypeKind::Dispatch:
            case TypeKind::Coclass:
                return {"Object"};
            default:
                return {"Variant"};
        }
    }

    // The name of an imported interface, class or enumeration, read from the
    // imported library itself.
    std::optional<TypeRef> NamedInImport(int32_t fileOffset, uint32_t flags, int32_t target) const {
        if (imports_ == nullptr)
            return std::nullopt;
        const TypeLibrary* library = imports_->Find(ImportFileName(fileOffset));
        if (library == nullptr)
            return std::nullopt;
        const TypeLibType* type = nullptr;
        if (flags & 0x10000) {
            const std::string guid = "{" + Guid(target) + "}";
            for (const TypeLibType& t : library->types)
                if (t.guid == guid)
                    type = &t;
        } else if (target >= 0 && static_cast<size_t>(target) < library->types.size()) {
            type = &library->types[static_cast<size_t>(target)];
        }
        if (type == nullptr)
            return std::nullopt;
        switch (type->kind) {
            case TypeKind::Enum:
                return TypeRef{QualifiedBy(library->name, type->name), true, true};
            case TypeKind::Coclass:
                return TypeRef{QualifiedBy(library->name, type->name), true};
            case TypeKind::Interface:
            case TypeKind::Dispatch:
                for (const TypeLibType& t : library->types)
                    for (const TypeLibImplemented& i : t.implemented)
                        if (i.typeIndex == type->index &&
                            (i.flags & (kImplTypeFlagDefault | kImplTypeFlagSource)) ==
                                kImplTypeFlagDefault)
                            return TypeRef{QualifiedBy(library->name, t.name), true};
                return TypeRef{QualifiedBy(library->name, type->name), true};
            default:
                return std::nullopt;
        }
    }

    // The file name an import file record stores: after the library id,
    // locale and version, a 16-bit word of length << 2 and the name's bytes.
    std::string ImportFileName(int32_t fileOffset) const {
        const uint64_t at = InSegment(kImportFileSegment, fileOffset, 14, "import file");
        const uint16_t length = r_.U16(at + 12, "import file name length") >> 2;
        InSegment(kImportFileSegment, fileOffset, 14 + uint64_t{length}, "import file name");
        return r_.Text(at + 14, length, "import file name");
    }

    bool ImportsStdOle(int32_t fileOffset) const {
        const uint64_t at = InSegment(kImportFileSegment, fileOffset, 14, "import file");
        const int32_t libid = r_.I32(at, "import file library id");
        return libid != -1 && Guid(libid) == kStdOleLibId;
    }

    TypeRef TypeName(int32_t word, int depth = 0) const {
        if (word < 0)
            return {SimpleTypeName(static_cast<uint16_t>(word & 0x0FFF))};
        if (depth >= kMaxTypeDepth)
            r_.Fail("type descriptor nested too deeply");
        if (word % 8 != 0)
            r_.Fail("type descriptor " + Hex(word) + " is misaligned");
        const uint64_t at = InSegment(kTypeDescSegment, word, 8, "type descriptor");
        const uint16_t vt = r_.U16(at, "type descriptor");
        const int32_t target = r_.I32(at + 4, "type descriptor target");
        switch (vt) {
            case kVtPtr:
                if (target < 0 && (target & 0x0FFF) == kVtVoid)
                    return {"Any"};
                return TypeName(target, depth + 1);
            case kVtSafeArray:
                return {TypeName(target, depth + 1).name + "()"};
            case kVtCArray: {
                const uint64_t array = InSegment(kArrayDescSegment, target, 8, "array descriptor");
                return {TypeName(r_.I32(array, "array element type"), depth + 1).name + "()"};
            }
            case kVtUserDefined:
                return ReferenceRef(target, depth);
            default:
                return {SimpleTypeName(vt)};
        }
    }

    // By value means no pointer beyond the one that an interface or class
    // pointer itself is: `long x`, `BSTR s` and `Button* b` are passed by
    // value, `short* KeyCode` and `DataObject** Data` by reference.
    bool PassedByValue(int32_t word) const {
        if (word < 0)
            return true;
        const uint64_t at = InSegment(kTypeDescSegment, word, 8, "type descriptor");
        if (r_.U16(at, "type descriptor") != kVtPtr)
            return true;
        const int32_t target = r_.I32(at + 4, "type descriptor target");
        if (target < 0 || target % 8 != 0)
            return false;
        const uint64_t pointee = InSegment(kTypeDescSegment, target, 8, "type descriptor");
        if (r_.U16(pointee, "type descriptor") != kVtUserDefined)
            return false;
        const TypeKind kind = ReferencedKind(r_.I32(pointee + 4, "type descriptor target"));
        return kind == TypeKind::Interface || kind == TypeKind::Dispatch ||
               kind == TypeKind::Coclass;
    }

    bool IsHresult(int32_t word) const { return word < 0 && (word & 0x0FFF) == kVtHresult; }

    TypeLibType ReadType(size_t index) {
        const TypeBase& b = bases_[index];
        TypeLibType type;
        type.kind = b.Kind();
        type.index = static_cast<int32_t>(index);
        type.name = typeNames_[index];
        type.documentation = String(b.docOffset);
        if (b.guidOffset >= 0)
            type.guid = "{" + Guid(b.guidOffset) + "}";
        type.flags = b.flags;
        if (type.kind == TypeKind::Coclass) {
            for (const auto& [href, flags] : References(b)) {
                const int32_t local = LocalIndex(href);
                type.implemented.push_back(
                    {local >= 0 ? typeNames_[local] : ReferenceRef(href, 0).name, local, flags});
            }
        }
        if (b.functionCount + b.variableCount > 0)
            ReadMembers(b, type);
        return type;
    }

    void ReadMembers(const TypeBase& b, TypeLibType& type) {
        const uint64_t members = uint64_t{b.functionCount} + b.variableCount;
        if (b.memberBlock < 0)
            r_.Fail("type " + type.name + " has no member block");
        const uint64_t block = static_cast<uint64_t>(b.memberBlock);
        const uint32_t recordBytes = r_.U32(block, "member block size");
        const uint64_t records = block + 4;
        const uint64_t arrays = records + recordBytes;
        r_.Require(arrays, members * 12, "member arrays");
        type.functions.reserve(b.functionCount);
        type.variables.reserve(b.variableCount);
        for (uint64_t i = 0; i < members; ++i) {
            const int32_t memberId = r_.I32(arrays + 4 * i, "member id");
            const std::string name = Name(r_.I32(arrays + 4 * (members + i), "member name"));
            const int32_t offset = r_.I32(arrays + 4 * (2 * members + i), "member offset");
            if (offset < 0 || static_cast<uint64_t>(offset) + 4 > recordBytes)
                r_.Fail("member " + name + " of " + type.name + " at offset " + Hex(offset) +
                        " outside its block");
            const uint64_t record = records + static_cast<uint64_t>(offset);
            const uint16_t size = r_.U16(record, "member record size");
            if (static_cast<uint64_t>(offset) + size > recordBytes)
                r_.Fail("member " + name + " of " + type.name + " extends past its block");
            if (i < b.functionCount)
                type.functions.push_back(ReadFunction(record, size, name, memberId, type));
            else
                type.variables.push_back(ReadVariable(record, size, name, memberId, type));
        }
    }

    TypeLibFunction ReadFunction(uint64_t at, uint16_t size, const std::string& name,
                                 int32_t memberId, const TypeLibType& type) const {
        if (size < 0x18)
            r_.Fail("function " + name + " of " + type.name + " record too small");
        TypeLibFunction f;
        f.name = name;
        f.memberId = memberId;
        const int32_t returnWord = r_.I32(at + 4, "function return type");
        f.flags = r_.U16(at + 8, "function flags");
        const uint32_t packed = r_.U32(at + 0x10, "function kind");
        f.invokeKind = static_cast<int16_t>((packed >> 3) & 0xF);
        const uint16_t paramCount = r_.U16(at + 0x14, "parameter count");
        const uint64_t tail = uint64_t{paramCount} * ((packed & 0x1000) ? 16 : 12);
        if (0x18 + tail > size)
            r_.Fail("function " + name + " of " + type.name + ": " + std::to_string(paramCount) +
                    " parameters do not fit in its record");
        if ((size - 0x18 - tail) / 4 >= 2)
            f.documentation = String(r_.I32(at + 0x1C, "help"));

        const uint64_t params = at + size - uint64_t{paramCount} * 12;
        std::vector<std::pair<int32_t, TypeLibParameter>> raw;
        raw.reserve(paramCount);
        for (uint16_t p = 0; p < paramCount; ++p) {
            const uint64_t rec = params + 12 * uint64_t{p};
            TypeLibParameter parameter;
            const int32_t typeWord = r_.I32(rec, "parameter type");
            parameter.name = Name(r_.I32(rec + 4, "parameter name"));
            parameter.flags = static_cast<uint16_t>(r_.U32(rec + 8, "parameter flags"));
            raw.emplace_back(typeWord, std::move(parameter));
        }

        // The dispatch view: an HRESULT result disappears, a trailing
        // [retval] parameter becomes the result, lcid parameters are hidden.
        TypeRef result{"None"};
        if (IsHresult(returnWord)) {
            if (!raw.empty() && (raw.back().second.flags & kParamFlagRetval)) {
                result = TypeName(raw.back().first);
                raw.pop_back();
            }
        } else {
            result = TypeName(returnWord);
        }
        f.returnType = std::move(result.name);
        f.namedReturnType = result.named;
        f.enumReturnType = result.enumeration;
        for (auto& [typeWord, parameter] : raw) {
            if (parameter.flags & kParamFlagLcid)
                continue;
            TypeRef declared = TypeName(typeWord);
            parameter.type = std::move(declared.name);
            parameter.namedType = declared.named;
            parameter.enumType = declared.enumeration;
            parameter.byValue = PassedByValue(typeWord);
            f.parameters.push_back(std::move(parameter));
        }
        return f;
    }

    TypeLibVariable ReadVariable(uint64_t at, uint16_t size, const std::string& name,
                                 int32_t memberId, const TypeLibType& type) const {
        if (size < 0x14)
            r_.Fail("variable " + name + " of " + type.name + " record too small");
        TypeLibVariable v;
        v.name = name;
        v.memberId = memberId;
        TypeRef declared = TypeName(r_.I32(at + 4, "variable type"));
        v.type = std::move(declared.name);
        v.namedType = declared.named;
        v.enumType = declared.enumeration;
        v.flags = r_.U16(at + 8, "variable flags");
        v.varKind = r_.I16(at + 0xC, "variable kind");
        if (size >= 0x1C)
            v.documentation = String(r_.I32(at + 0x18, "variable help"));
        return v;
    }

    // The local interface an interface derives from (a dual interface's
    // base, or Y of "dispinterface X { interface Y; }"), or -1.
    int32_t LocalBase(size_t i) const {
        const TypeBase& b = bases_[i];
        if (b.Kind() != TypeKind::Interface && b.Kind() != TypeKind::Dispatch)
            return -1;
        if (b.Kind() == TypeKind::Dispatch && !(b.flags & kTypeFlagDual) &&
            !(b.kindWord & kKindWordDispatchPartner))
            return -1;
        const int32_t base = LocalIndex(b.datatype1);
        if (base < 0 || static_cast<size_t>(base) == i)
            return -1;
        const TypeKind kind = bases_[static_cast<size_t>(base)].Kind();
        return kind == TypeKind::Interface || kind == TypeKind::Dispatch ? base : -1;
    }

    // An interface stores only its own functions; Visual Basic shows those
    // of its whole base chain, base first.
    void InheritBaseFunctions(TypeLibrary& library) const {
        std::vector<std::vector<size_t>> chains(bases_.size());
        std::map<size_t, std::vector<TypeLibFunction>> ownOfBase;
        for (size_t i = 0; i < bases_.size(); ++i) {
            std::vector<size_t>& chain = chains[i];
            for (int32_t base = LocalBase(i); base >= 0 && chain.size() < kMaxTypeDepth;
                 base = LocalBase(static_cast<size_t>(base))) {
                if (std::find(chain.begin(), chain.end(), static_cast<size_t>(base)) != chain.end())
                    break;
                chain.push_back(static_cast<size_t>(base));
            }
            for (size_t base : chain)
                ownOfBase.try_emplace(base, library.types[base].functions);
        }
        for (size_t i = 0; i < bases_.size(); ++i) {
            if (chains[i].empty())
                continue;
            std::vector<TypeLibFunction> functions;
            for (auto base = chains[i].rbegin(); base != chains[i].rend(); ++base)
                functions.insert(functions.end(), ownOfBase[*base].begin(), ownOfBase[*base].end());
            std::vector<TypeLibFunction>& own = library.types[i].functions;
            functions.insert(functions.end(), std::make_move_iterator(own.begin()),
                             std::make_move_iterator(own.end()));
            own = std::move(functions);
        }
    }

    const ByteReader& r_;
    ImportedLibraries* imports_ = nullptr;
    std::array<SegmentRange, kSegmentCount> segments_{};
    uint32_t typeCount_ = 0;
    std::vector<TypeBase> bases_;
    std::vector<std::string> typeNames_;
    std::vector<int32_t> coclassOfDefault_;
    std::string libraryName_;
};

}  // namespace

TypeLibrary ParseMsft(const ByteReader& blob, ImportedLibraries* imports) {
    return MsftParser(blob, imports).Parse();
}

size_t TypeLibrary::MemberCount() const {
    size_t count = 0;
    for (const TypeLibType& t : types) {
        count += t.variables.size() + t.functions.size();
        for (const TypeLibFunction& f : t.functions)
            count += f.parameters.size();
    }
    return count;
}

TypeLibrary ParseMsftSummary(const ByteReader& blob) {
    return MsftParser(blob).Summary();
}

}  // namespace qfw
