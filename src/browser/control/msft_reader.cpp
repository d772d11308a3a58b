#include "browser/control/msft_reader.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "browser/control/msft_tables.h"
#include "browser/control/msft_type_names.h"

namespace qfw {

// The texts and parameters the views and ranges of a library's members
// point into.
struct TypeLibStorage {
    // Room for `count` parameters that never moves, after those of the
    // function before; Use says how many of them a function took.
    TypeLibParameter* Room(size_t count) {
        if (count == 0)
            return nullptr;
        if (blocks.empty() || blocks.back().capacity - blocks.back().used < count) {
            // Blocks grow up to 4,096 parameters: a small library takes little room.
            const size_t last = blocks.empty() ? 32 : blocks.back().capacity;
            const size_t capacity = std::max(count, std::min<size_t>(2 * last, 4096));
            blocks.push_back({std::make_unique<TypeLibParameter[]>(capacity), 0, capacity});
        }
        return blocks.back().items.get() + blocks.back().used;
    }
    void Use(size_t count) {
        if (count > 0)
            blocks.back().used += count;
    }

    struct Block {
        std::unique_ptr<TypeLibParameter[]> items;
        size_t used = 0;
        size_t capacity = 0;
    };

    std::deque<std::string> texts;  // every name, help string and type name, once
    std::vector<Block> blocks;      // the parameters of every function
};

namespace {

using msft::Tables;
using msft::TypeBase;

constexpr int kMaxBaseDepth = 16;
constexpr uint16_t kParamFlagLcid = 0x4;
constexpr uint16_t kParamFlagRetval = 0x8;
constexpr uint16_t kTypeFlagDual = 0x40;
constexpr uint32_t kKindWordDispatchPartner = 0x10;

bool IsHresult(int32_t word) {
    constexpr int32_t kVtHresult = 25;
    return word < 0 && (word & 0x0FFF) == kVtHresult;
}

class MsftParser {
  public:
    explicit MsftParser(const ByteReader& r, ImportedLibraries* imports = nullptr)
        : r_(r), tables_(r), imports_(imports) {}

    TypeLibrary Summary() {
        TypeLibrary library;
        library.name = tables_.Name(r_.I32(0x38, "library name offset"));
        library.documentation = tables_.String(r_.I32(0x24, "library help string offset"));
        return library;
    }

    TypeLibrary Parse() {
        auto storage = std::make_shared<TypeLibStorage>();
        storage_ = storage.get();
        nameOf_.assign(tables_.SegmentLength(msft::kNameSegment) / 4, nullptr);
        stringOf_.assign(tables_.SegmentLength(msft::kStringSegment) / 4, nullptr);
        tables_.ReadTypeBases();
        FindDefaultInterfaces();

        TypeLibrary library;
        library.name = tables_.Name(r_.I32(0x38, "library name offset"));
        library.documentation = tables_.String(r_.I32(0x24, "library help string offset"));
        msft::TypeNames typeNames(tables_, coclassOfDefault_, library.name, imports_,
                                  storage->texts);
        typeNames_ = &typeNames;
        const size_t typeCount = tables_.Bases().size();
        library.types.reserve(typeCount);
        for (size_t i = 0; i < typeCount; ++i)
            library.types.push_back(ReadType(i));
        InheritBaseFunctions(library);
        library.storage = std::move(storage);
        return library;
    }

  private:
    // A name or help string of a member, kept once however many members
    // show it (the tables store each text once, so a repeated offset is a
    // repeated text).
    TextView Name(int32_t offset) {
        return Kept(nameOf_, offset, [&] { return tables_.Name(offset); });
    }
    TextView String(int32_t offset) {
        return Kept(stringOf_, offset, [&] { return tables_.String(offset); });
    }

    template <class Read>
    TextView Kept(std::vector<const std::string*>& keptAt, int32_t offset, const Read& read) {
        if (offset == -1)
            return {};
        const size_t slot = static_cast<size_t>(offset) / 4;
        const bool keepable = offset % 4 == 0 && slot < keptAt.size();
        if (keepable && keptAt[slot] != nullptr)
            return TextView(*keptAt[slot]);
        const std::string& text = storage_->texts.emplace_back(read());
        if (keepable)
            keptAt[slot] = &text;
        return TextView(text);
    }

    // A coclass's [default] interface is shown under the coclass's name, as
    // the environment names a class by its class rather than its hidden
    // "_Class" interface.
    void FindDefaultInterfaces() {
        const std::vector<TypeBase>& bases = tables_.Bases();
        coclassOfDefault_.assign(bases.size(), -1);
        referencesOf_.assign(bases.size(), {0, 0});
        for (size_t i = 0; i < bases.size(); ++i) {
            if (bases[i].Kind() != TypeKind::Coclass)
                continue;
            const size_t first = references_.size();
            ReadReferences(bases[i]);
            referencesOf_[i] = {first, references_.size()};
            for (size_t k = first; k < references_.size(); ++k) {
                const auto [href, flags] = references_[k];
                const int32_t local = tables_.LocalIndex(href);
                if (local >= 0 &&
                    (flags & (kImplTypeFlagDefault | kImplTypeFlagSource)) == kImplTypeFlagDefault)
                    if (coclassOfDefault_[static_cast<size_t>(local)] < 0)
                        coclassOfDefault_[static_cast<size_t>(local)] = static_cast<int32_t>(i);
            }
        }
    }

    // Appends the (hreftype, flags) pairs of a coclass's reference chain to
    // references_, up to the first repeated link.
    void ReadReferences(const TypeBase& b) {
        // A chain is a few links; only a damaged file's long one needs the set.
        constexpr size_t kShortChain = 16;
        std::array<int32_t, kShortChain> seen{};
        std::set<int32_t> seenOfLong;
        int32_t offset = b.datatype1;
        for (uint16_t k = 0; k < b.implCount && offset != -1; ++k) {
            if (k < kShortChain) {
                if (std::find(seen.begin(), seen.begin() + k, offset) != seen.begin() + k)
                    break;
                seen[k] = offset;
                if (k + 1 == kShortChain)
                    seenOfLong.insert(seen.begin(), seen.end());
            } else if (!seenOfLong.insert(offset).second) {
                break;
            }
            const uint64_t at =
                tables_.InSegment(msft::kReferenceSegment, offset, 16, "implemented type");
            references_.emplace_back(r_.I32(at, "implemented type"),
                                     r_.U16(at + 4, "implemented type flags"));
            offset = r_.I32(at + 12, "next implemented type");
        }
    }

    TypeLibType ReadType(size_t index) {
        const TypeBase& b = tables_.Bases()[index];
        TypeLibType type;
        type.kind = b.Kind();
        type.index = static_cast<int32_t>(index);
        type.name = tables_.TypeNames()[index];
        type.documentation = tables_.String(b.docOffset);
        if (b.guidOffset >= 0)
            type.guid = tables_.Guid(b.guidOffset, true);
        type.flags = b.flags;
        if (type.kind == TypeKind::Coclass) {
            const auto [first, end] = referencesOf_[index];
            for (size_t k = first; k < end; ++k) {
                const auto [href, flags] = references_[k];
                const int32_t local = tables_.LocalIndex(href);
                type.implemented.push_back(
                    {local >= 0 ? std::string(tables_.TypeNames()[static_cast<size_t>(local)])
                                : typeNames_->ReferenceName(href),
                     local, flags});
            }
        }
        if (b.functionCount + b.variableCount > 0)
            ReadMembers(b, type);
        return type;
    }

    [[noreturn, gnu::cold]] void FailMember(const char* what, const TextView& name,
                                            const TypeLibType& type,
                                            const std::string& detail) const {
        r_.Fail(what + (" " + std::string(name)) + " of " + type.name + detail);
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
        type.functions.resize(b.functionCount);
        type.variables.resize(b.variableCount);
        // Every read below lies inside the records or the arrays: when they
        // are inside the data as a whole, no read needs a check of its own.
        if (const std::optional<CheckedRange> in = r_.Range(records, recordBytes + members * 12))
            ReadMemberRecords(*in, b, type, records, recordBytes);
        else
            ReadMemberRecords(r_, b, type, records, recordBytes);
    }

    template <class Bytes>
    void ReadMemberRecords(const Bytes& in, const TypeBase& b, TypeLibType& type, uint64_t records,
                           uint32_t recordBytes) {
        const uint64_t members = uint64_t{b.functionCount} + b.variableCount;
        const uint64_t arrays = records + recordBytes;
        for (uint64_t i = 0; i < members; ++i) {
            const int32_t memberId = in.I32(arrays + 4 * i, "member id");
            const TextView name = Name(in.I32(arrays + 4 * (members + i), "member name"));
            const int32_t offset = in.I32(arrays + 4 * (2 * members + i), "member offset");
            if (offset < 0 || static_cast<uint64_t>(offset) + 4 > recordBytes)
                FailMember("member", name, type,
                           " at offset " + Hex(offset) + " outside its block");
            const uint64_t record = records + static_cast<uint64_t>(offset);
            const uint16_t size = in.U16(record, "member record size");
            if (static_cast<uint64_t>(offset) + size > recordBytes)
                FailMember("member", name, type, " extends past its block");
            if (i < b.functionCount)
                ReadFunction(in, record, size, name, memberId, type, type.functions[i]);
            else
                ReadVariable(in, record, size, name, memberId, type,
                             type.variables[i - b.functionCount]);
        }
    }

    template <class Bytes>
    void ReadFunction(const Bytes& in, uint64_t at, uint16_t size, TextView name, int32_t memberId,
                      const TypeLibType& type, TypeLibFunction& f) {
        if (size < 0x18)
            FailMember("function", name, type, " record too small");
        f.name = name;
        f.memberId = memberId;
        const int32_t returnWord = in.I32(at + 4, "function return type");
        f.flags = in.U16(at + 8, "function flags");
        const uint32_t packed = in.U32(at + 0x10, "function kind");
        f.invokeKind = static_cast<int16_t>((packed >> 3) & 0xF);
        const uint16_t paramCount = in.U16(at + 0x14, "parameter count");
        const uint64_t tail = uint64_t{paramCount} * ((packed & 0x1000) ? 16 : 12);
        if (0x18 + tail > size)
            FailMember("function", name, type,
                       ": " + std::to_string(paramCount) + " parameters do not fit in its record");
        if ((size - 0x18 - tail) / 4 >= 2)
            f.documentation = String(in.I32(at + 0x1C, "help"));

        const uint64_t params = at + size - uint64_t{paramCount} * 12;
        if (raw_.size() < paramCount)
            raw_.resize(paramCount);
        for (uint16_t p = 0; p < paramCount; ++p) {
            const uint64_t rec = params + 12 * uint64_t{p};
            RawParameter& parameter = raw_[p];
            parameter.word = in.I32(rec, "parameter type");
            parameter.name = Name(in.I32(rec + 4, "parameter name"));
            parameter.flags = static_cast<uint16_t>(in.U32(rec + 8, "parameter flags"));
        }

        // The dispatch view: an HRESULT result disappears, a trailing
        // [retval] parameter becomes the result, lcid parameters are hidden.
        constexpr uint16_t kVtVoid = 24;
        msft::TypeRef result{msft::TypeNames::SimpleTypeName(kVtVoid)};
        size_t shown = paramCount;
        if (IsHresult(returnWord)) {
            if (shown > 0 && (raw_[shown - 1].flags & kParamFlagRetval))
                result = typeNames_->Declared(raw_[--shown].word);
        } else {
            result = typeNames_->Declared(returnWord);
        }
        f.returnType = result.name;
        f.namedReturnType = result.named;
        f.enumReturnType = result.enumeration;
        TypeLibParameter* const parameters = storage_->Room(shown);
        size_t count = 0;
        for (size_t p = 0; p < shown; ++p) {
            const RawParameter& read = raw_[p];
            if (read.flags & kParamFlagLcid)
                continue;
            TypeLibParameter& parameter = parameters[count];
            parameter.name = read.name;
            parameter.flags = read.flags;
            const msft::TypeRef declared = typeNames_->Declared(read.word);
            parameter.type = declared.name;
            parameter.namedType = declared.named;
            parameter.enumType = declared.enumeration;
            parameter.byValue = typeNames_->PassedByValue(read.word);
            ++count;
        }
        storage_->Use(count);
        f.parameters = TypeLibParameters(parameters, count);
    }

    template <class Bytes>
    void ReadVariable(const Bytes& in, uint64_t at, uint16_t size, TextView name, int32_t memberId,
                      const TypeLibType& type, TypeLibVariable& v) {
        if (size < 0x14)
            FailMember("variable", name, type, " record too small");
        v.name = name;
        v.memberId = memberId;
        const msft::TypeRef declared = typeNames_->Declared(in.I32(at + 4, "variable type"));
        v.type = declared.name;
        v.namedType = declared.named;
        v.enumType = declared.enumeration;
        v.flags = in.U16(at + 8, "variable flags");
        v.varKind = in.I16(at + 0xC, "variable kind");
        if (size >= 0x1C)
            v.documentation = String(in.I32(at + 0x18, "variable help"));
    }

    // The local interface an interface derives from (a dual interface's
    // base, or Y of "dispinterface X { interface Y; }"), or -1.
    int32_t LocalBase(size_t i) const {
        const TypeBase& b = tables_.Bases()[i];
        if (b.Kind() != TypeKind::Interface && b.Kind() != TypeKind::Dispatch)
            return -1;
        if (b.Kind() == TypeKind::Dispatch && !(b.flags & kTypeFlagDual) &&
            !(b.kindWord & kKindWordDispatchPartner))
            return -1;
        const int32_t base = tables_.LocalIndex(b.datatype1);
        if (base < 0 || static_cast<size_t>(base) == i)
            return -1;
        const TypeKind kind = tables_.Bases()[static_cast<size_t>(base)].Kind();
        return kind == TypeKind::Interface || kind == TypeKind::Dispatch ? base : -1;
    }

    // An interface stores only its own functions; Visual Basic shows those
    // of its whole base chain, base first.
    void InheritBaseFunctions(TypeLibrary& library) const {
        const size_t typeCount = tables_.Bases().size();
        std::vector<std::vector<size_t>> chains(typeCount);
        std::map<size_t, std::vector<TypeLibFunction>> ownOfBase;
        for (size_t i = 0; i < typeCount; ++i) {
            std::vector<size_t>& chain = chains[i];
            for (int32_t base = LocalBase(i); base >= 0 && chain.size() < kMaxBaseDepth;
                 base = LocalBase(static_cast<size_t>(base))) {
                if (std::find(chain.begin(), chain.end(), static_cast<size_t>(base)) != chain.end())
                    break;
                chain.push_back(static_cast<size_t>(base));
            }
            for (size_t base : chain)
                ownOfBase.try_emplace(base, library.types[base].functions);
        }
        for (size_t i = 0; i < typeCount; ++i) {
            if (chains[i].empty())
                continue;
            std::vector<TypeLibFunction> functions;
            for (auto base = chains[i].rbegin(); base != chains[i].rend(); ++base)
                functions.insert(functions.end(), ownOfBase[*base].begin(), ownOfBase[*base].end());
            std::vector<TypeLibFunction>& own = library.types[i].functions;
            functions.insert(functions.end(), own.begin(), own.end());
            own = std::move(functions);
        }
    }

    const ByteReader& r_;
    Tables tables_;
    ImportedLibraries* imports_ = nullptr;
    TypeLibStorage* storage_ = nullptr;
    msft::TypeNames* typeNames_ = nullptr;
    std::vector<int32_t> coclassOfDefault_;
    // The (hreftype, flags) pairs of every coclass, and where each coclass's are.
    std::vector<std::pair<int32_t, uint16_t>> references_;
    std::vector<std::pair<size_t, size_t>> referencesOf_;
    // The kept text of each name and help string, by offset / 4.
    std::vector<const std::string*> nameOf_;
    std::vector<const std::string*> stringOf_;
    // A function's parameters as its record stores them (reused).
    struct RawParameter {
        int32_t word = 0;
        TextView name;
        uint16_t flags = 0;
    };
    std::vector<RawParameter> raw_;
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
