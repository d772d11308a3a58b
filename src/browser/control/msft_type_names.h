// Visual Basic's names for the types an MSFT library's type descriptors
// declare.
//
// A library declares most of its parameters with a few descriptors, so each
// descriptor is resolved once and its name kept: the names of a library's
// members are views of the few texts composed here. Descriptors are followed
// at most 16 levels deep.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "browser/control/msft_reader.h"
#include "browser/control/msft_tables.h"

namespace qfw::msft {

// A type as Visual Basic code declares it.
struct TypeRef {
    TextView name;
    bool named = false;        // an object or enumeration type, named by its name
    bool enumeration = false;  // a named enumeration type: a value, never an object
};

// Visual Basic's names for the simple automation types, by VARTYPE (up to
// VT_UINT_PTR; any later one is a Variant).
extern const std::array<std::string, 39> kSimpleTypeNames;

class TypeNames {
  public:
    // `coclassOfDefault` gives for each type the class whose [default]
    // interface it is (-1 for none); the names are kept in `texts`.
    TypeNames(const Tables& tables, const std::vector<int32_t>& coclassOfDefault,
              std::string libraryName, ImportedLibraries* imports, std::deque<std::string>& texts);

    // The type of a type-descriptor word: a simple type in the word itself,
    // or the offset of a descriptor.
    TypeRef Declared(int32_t word) {
        if (word < 0)
            return {SimpleTypeName(static_cast<uint16_t>(word & 0x0FFF))};
        const size_t slot = static_cast<size_t>(word) / 8;
        if (word % 8 == 0 && slot < declaredOf_.size() && declaredOf_[slot] >= 0)
            return declared_[static_cast<size_t>(declaredOf_[slot])];
        return DeclaredFirst(word);
    }

    // By value means no pointer beyond the one that an interface or class
    // pointer itself is: `long x`, `BSTR s` and `Button* b` are passed by
    // value, `short* KeyCode` and `DataObject** Data` by reference.
    bool PassedByValue(int32_t word) {
        if (word < 0)
            return true;
        const size_t slot = static_cast<size_t>(word) / 8;
        if (word % 8 == 0 && slot < byValueOf_.size() && byValueOf_[slot] >= 0)
            return byValueOf_[slot] == 1;
        return PassedByValueFirst(word);
    }

    // Visual Basic's name for a simple automation type.
    static TextView SimpleTypeName(uint16_t vt) {
        constexpr uint16_t kVtVariant = 12;
        return TextView(kSimpleTypeNames[vt < kSimpleTypeNames.size() ? vt : kVtVariant]);
    }

    // The name of the type a reference (hreftype) names.
    std::string ReferenceName(int32_t href) { return ReferenceRef(href, 0).name; }

  private:
    // A type while it is being resolved; Declared keeps its name.
    struct Resolved {
        std::string name;
        bool named = false;
        bool enumeration = false;
    };

    TypeRef DeclaredFirst(int32_t word);
    bool PassedByValueFirst(int32_t word);
    Resolved Resolve(int32_t word, int depth) const;
    Resolved ReferenceRef(int32_t href, int depth) const;
    Resolved LocalRef(int32_t local, int depth) const;
    Resolved ImportedRef(int32_t offset) const;
    std::optional<Resolved> NamedInImport(int32_t fileOffset, uint32_t flags, int32_t target) const;
    std::string ImportFileName(int32_t fileOffset) const;
    bool ImportsStdOle(int32_t fileOffset) const;
    TypeKind ReferencedKind(int32_t href) const;
    bool ComputePassedByValue(int32_t word) const;
    std::string Qualified(std::string_view name) const;

    // `text` as a view of the one kept copy of it.
    TextView Keep(std::string text);

    const Tables& tables_;
    const ByteReader& r_;
    const std::vector<int32_t>& coclassOfDefault_;
    std::string libraryName_;
    ImportedLibraries* imports_;
    std::deque<std::string>& texts_;
    std::unordered_map<std::string_view, const std::string*> kept_;
    // By descriptor (offset / 8): the index in declared_ of its type, -1
    // before it is resolved; and whether it is passed by value, -1 before
    // that is known.
    std::vector<int32_t> declaredOf_;
    std::vector<TypeRef> declared_;
    std::vector<int8_t> byValueOf_;
};

}  // namespace qfw::msft
