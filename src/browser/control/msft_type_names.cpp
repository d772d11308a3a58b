#include "browser/control/msft_type_names.h"

#include "browser/control/stdole_names.h"

namespace qfw::msft {
namespace {

constexpr int kMaxTypeDepth = 16;

enum VarType : uint16_t {
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
    kVtUnknown = 13,
    kVtI1 = 16,
    kVtUi1 = 17,
    kVtUi2 = 18,
    kVtUi4 = 19,
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

// Visual Basic's names for the simple automation types by VARTYPE: a type
// Visual Basic lacks is the smallest one that holds every value of it.
// Empty, Null, Decimal, 64-bit integers and anything newer only exist for
// Visual Basic inside a Variant.
std::array<std::string, kVtUintPtr + 1> SimpleNames() {
    std::array<std::string, kVtUintPtr + 1> names{};
    for (std::string& name : names)
        name = "Variant";
    names[kVtI2] = names[kVtI1] = "Integer";
    for (VarType vt :
         {kVtUi2, kVtI4, kVtUi4, kVtInt, kVtUint, kVtError, kVtHresult, kVtIntPtr, kVtUintPtr})
        names[vt] = "Long";
    names[kVtR4] = "Single";
    names[kVtR8] = "Double";
    names[kVtCy] = "Currency";
    names[kVtDate] = "Date";
    names[kVtBstr] = names[kVtLpstr] = names[kVtLpwstr] = "String";
    names[kVtDispatch] = "Object";
    names[kVtBool] = "Boolean";
    names[kVtUnknown] = "Unknown";
    names[kVtUi1] = "Byte";
    names[kVtVoid] = "None";
    return names;
}

// The environment writes the types of its own library and of OLE
// Automation's unqualified, every other library's as Library.Name.
std::string QualifiedBy(std::string_view library, std::string_view name) {
    if (library == "VB" || library == "stdole")
        return std::string(name);
    std::string qualified;
    qualified.reserve(library.size() + 1 + name.size());
    return qualified.append(library).append(".").append(name);
}

}  // namespace

const std::array<std::string, 39> kSimpleTypeNames = SimpleNames();

TypeNames::TypeNames(const Tables& tables, const std::vector<int32_t>& coclassOfDefault,
                     std::string libraryName, ImportedLibraries* imports,
                     std::deque<std::string>& texts)
    : tables_(tables),
      r_(tables.Reader()),
      coclassOfDefault_(coclassOfDefault),
      libraryName_(std::move(libraryName)),
      imports_(imports),
      texts_(texts),
      declaredOf_(tables.SegmentLength(kTypeDescSegment) / 8, -1),
      byValueOf_(tables.SegmentLength(kTypeDescSegment) / 8, -1) {}

TypeRef TypeNames::DeclaredFirst(int32_t word) {
    Resolved resolved = Resolve(word, 0);
    const TypeRef type{Keep(std::move(resolved.name)), resolved.named, resolved.enumeration};
    const size_t slot = static_cast<size_t>(word) / 8;
    if (word % 8 == 0 && slot < declaredOf_.size()) {
        declaredOf_[slot] = static_cast<int32_t>(declared_.size());
        declared_.push_back(type);
    }
    return type;
}

bool TypeNames::PassedByValueFirst(int32_t word) {
    const bool byValue = ComputePassedByValue(word);
    const size_t slot = static_cast<size_t>(word) / 8;
    if (word % 8 == 0 && slot < byValueOf_.size())
        byValueOf_[slot] = byValue ? 1 : 0;
    return byValue;
}

TextView TypeNames::Keep(std::string text) {
    if (const auto kept = kept_.find(text); kept != kept_.end())
        return TextView(*kept->second);
    const std::string& stored = texts_.emplace_back(std::move(text));
    kept_.emplace(stored, &stored);
    return TextView(stored);
}

std::string TypeNames::Qualified(std::string_view name) const {
    return QualifiedBy(libraryName_, name);
}

TypeNames::Resolved TypeNames::Resolve(int32_t word, int depth) const {
    if (word < 0)
        return {std::string(SimpleTypeName(static_cast<uint16_t>(word & 0x0FFF)))};
    if (depth >= kMaxTypeDepth)
        r_.Fail("type descriptor nested too deeply");
    if (word % 8 != 0)
        r_.Fail("type descriptor " + Hex(word) + " is misaligned");
    const uint64_t at = tables_.InSegment(kTypeDescSegment, word, 8, "type descriptor");
    const uint16_t vt = r_.U16(at, "type descriptor");
    const int32_t target = r_.I32(at + 4, "type descriptor target");
    switch (vt) {
        case kVtPtr:
            if (target < 0 && (target & 0x0FFF) == kVtVoid)
                return {"Any"};
            return Resolve(target, depth + 1);
        case kVtSafeArray:
            return {Resolve(target, depth + 1).name + "()"};
        case kVtCArray: {
            const uint64_t array =
                tables_.InSegment(kArrayDescSegment, target, 8, "array descriptor");
            return {Resolve(r_.I32(array, "array element type"), depth + 1).name + "()"};
        }
        case kVtUserDefined:
            return ReferenceRef(target, depth);
        default:
            return {std::string(SimpleTypeName(vt))};
    }
}

TypeNames::Resolved TypeNames::ReferenceRef(int32_t href, int depth) const {
    if (href == -1)
        return {"Variant"};
    if ((href & 3) == 0)
        return LocalRef(tables_.LocalIndex(href), depth);
    if ((href & 3) == 1)
        return ImportedRef(href & ~3);
    r_.Fail("type reference " + Hex(static_cast<uint32_t>(href)) + " has an unknown form");
}

TypeNames::Resolved TypeNames::LocalRef(int32_t local, int depth) const {
    const std::string_view name = tables_.TypeNames()[static_cast<size_t>(local)];
    const TypeBase& base = tables_.Bases()[static_cast<size_t>(local)];
    switch (base.Kind()) {
        case TypeKind::Alias:
            if (const char* known = KnownAliasType(name))
                return {known};
            return Resolve(base.datatype1, depth + 1);
        case TypeKind::Enum:
            return {Qualified(name), true, true};
        case TypeKind::Interface:
        case TypeKind::Dispatch:
        case TypeKind::Coclass: {
            // The environment names a class's default interface by the class.
            const int32_t coclass = coclassOfDefault_[static_cast<size_t>(local)];
            return {
                Qualified(tables_.TypeNames()[static_cast<size_t>(coclass >= 0 ? coclass : local)]),
                true};
        }
        default:
            return {std::string(name)};
    }
}

// The kind of the type `href` refers to; Union (no object) when unknown.
TypeKind TypeNames::ReferencedKind(int32_t href) const {
    if (href != -1 && (href & 3) == 0)
        return tables_.Bases()[static_cast<size_t>(tables_.LocalIndex(href))].Kind();
    if (href != -1 && (href & 3) == 1) {
        const uint64_t at =
            tables_.InSegment(kImportInfoSegment, href & ~3, 12, "import reference");
        return static_cast<TypeKind>((r_.U32(at, "import flags") >> 24) & 0xF);
    }
    return TypeKind::Union;
}

// The importing library stores no names of imported types: types of OLE
// Automation's stdole library are named from a table; others get a stand-in
// by their kind.
TypeNames::Resolved TypeNames::ImportedRef(int32_t offset) const {
    if (offset % 12 != 0)
        r_.Fail("import reference " + Hex(offset) + " is misaligned");
    const uint64_t at = tables_.InSegment(kImportInfoSegment, offset, 12, "import reference");
    const uint32_t flags = r_.U32(at, "import flags");
    const int32_t file = r_.I32(at + 4, "import file offset");
    const int32_t target = r_.I32(at + 8, "import target");
    const char* name = nullptr;
    if (flags & 0x10000) {
        if (target != -1)
            name = StdOleNameByGuid(tables_.Guid(target));
    } else if (ImportsStdOle(file)) {
        name = StdOleNameByIndex(target);
    }
    if (name) {
        const StdOleType type = StdOleVisualBasicType(name);
        return {type.name, type.named, type.enumeration};
    }
    if (!(flags & 0x10000) || target != -1)
        if (std::optional<Resolved> named = NamedInImport(file, flags, target))
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
std::optional<TypeNames::Resolved> TypeNames::NamedInImport(int32_t fileOffset, uint32_t flags,
                                                            int32_t target) const {
    if (imports_ == nullptr)
        return std::nullopt;
    const TypeLibrary* library = imports_->Find(ImportFileName(fileOffset));
    if (library == nullptr)
        return std::nullopt;
    const TypeLibType* type = nullptr;
    if (flags & 0x10000) {
        const std::string guid = tables_.Guid(target, true);
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
            return Resolved{QualifiedBy(library->name, type->name), true, true};
        case TypeKind::Coclass:
            return Resolved{QualifiedBy(library->name, type->name), true};
        case TypeKind::Interface:
        case TypeKind::Dispatch:
            for (const TypeLibType& t : library->types)
                for (const TypeLibImplemented& i : t.implemented)
                    if (i.typeIndex == type->index &&
                        (i.flags & (kImplTypeFlagDefault | kImplTypeFlagSource)) ==
                            kImplTypeFlagDefault)
                        return Resolved{QualifiedBy(library->name, t.name), true};
            return Resolved{QualifiedBy(library->name, type->name), true};
        default:
            return std::nullopt;
    }
}

// The file name an import file record stores: after the library id, locale
// and version, a 16-bit word of length << 2 and the name's bytes.
std::string TypeNames::ImportFileName(int32_t fileOffset) const {
    const uint64_t at = tables_.InSegment(kImportFileSegment, fileOffset, 14, "import file");
    const uint16_t length = r_.U16(at + 12, "import file name length") >> 2;
    tables_.InSegment(kImportFileSegment, fileOffset, 14 + uint64_t{length}, "import file name");
    return r_.Text(at + 14, length, "import file name");
}

bool TypeNames::ImportsStdOle(int32_t fileOffset) const {
    const uint64_t at = tables_.InSegment(kImportFileSegment, fileOffset, 14, "import file");
    const int32_t libid = r_.I32(at, "import file library id");
    return libid != -1 && tables_.Guid(libid) == kStdOleLibId;
}

bool TypeNames::ComputePassedByValue(int32_t word) const {
    const uint64_t at = tables_.InSegment(kTypeDescSegment, word, 8, "type descriptor");
    if (r_.U16(at, "type descriptor") != kVtPtr)
        return true;
    const int32_t target = r_.I32(at + 4, "type descriptor target");
    if (target < 0 || target % 8 != 0)
        return false;
    const uint64_t pointee = tables_.InSegment(kTypeDescSegment, target, 8, "type descriptor");
    if (r_.U16(pointee, "type descriptor") != kVtUserDefined)
        return false;
    const TypeKind kind = ReferencedKind(r_.I32(pointee + 4, "type descriptor target"));
    return kind == TypeKind::Interface || kind == TypeKind::Dispatch || kind == TypeKind::Coclass;
}

}  // namespace qfw::msft
