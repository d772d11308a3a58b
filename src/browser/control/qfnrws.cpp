#include "browser/control/qfnrws.h"

#include <algorithm>
#include <cstdint>

#include "browser/control/library_path.h"
#include "browser/control/type_library_reader.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

constexpr std::string_view kByVal = "ByVal ";
const std::string kNoneType = "None";

bool IsListedVariable(const TypeLibVariable& variable) {
    return (variable.flags & (kVarFlagHidden | kVarFlagRestricted)) == 0;
}

// The setter kinds (Let, Set) of each property of a type, by member id: a
// hash table with linear probing, of a power-of-two size at least twice the
// number of setters (a slot of kind 0 is free).
using Setters = std::vector<std::pair<int32_t, int16_t>>;

size_t SlotOf(int32_t memberId, size_t mask) {
    return (static_cast<uint32_t>(memberId) * 0x9E3779B1u >> 7) & mask;
}

void SettersById(const TypeLibType& type, Setters& setters) {
    size_t count = 0;
    for (const TypeLibFunction& f : type.functions)
        count += f.invokeKind == kInvokePropertyPut || f.invokeKind == kInvokePropertyPutRef;
    size_t size = 16;
    while (size < 2 * count)
        size *= 2;
    setters.assign(size, {0, 0});
    for (const TypeLibFunction& f : type.functions) {
        if (f.invokeKind != kInvokePropertyPut && f.invokeKind != kInvokePropertyPutRef)
            continue;
        size_t slot = SlotOf(f.memberId, size - 1);
        while (setters[slot].second != 0 && setters[slot].first != f.memberId)
            slot = (slot + 1) & (size - 1);
        setters[slot].first = f.memberId;
        setters[slot].second |= f.invokeKind;
    }
}

int16_t SetterOf(const Setters& setters, int32_t memberId) {
    for (size_t slot = SlotOf(memberId, setters.size() - 1); setters[slot].second != 0;
         slot = (slot + 1) & (setters.size() - 1))
        if (setters[slot].first == memberId)
            return setters[slot].second;
    return 0;
}

// The environment raises these through its own declarations, with every
// parameter by reference.
bool IsStockEvent(const TypeLibFunction& f) {
    static const char* const kStock[] = {"Click", "DblClick",  "KeyDown",   "KeyPress",
                                         "KeyUp", "MouseDown", "MouseMove", "MouseUp"};
    // In 64 bits: a damaged file's member id may lie anywhere in 32 bits.
    const int64_t slot = -600 - static_cast<int64_t>(f.memberId);
    return slot >= 0 && slot < 8 && f.name == kStock[slot];
}

}  // namespace

// One member as the stream reports it.
struct ListedMember {
    int32_t position = 0;
    int16_t kind = 0;
    const TypeLibFunction* function = nullptr;  // else a variable
    const TypeLibVariable* variable = nullptr;
    bool readOnly = false;

    std::string_view Name() const { return function ? function->name : variable->name; }
};

namespace {

// The browser pairs a function with the next member when that member's name
// begins the function's name. A read-only member must not take part in such
// a pairing, so it moves behind a neighbour it would pair with.
void KeepReadOnlyMembersUnpaired(std::vector<ListedMember>& members) {
    bool moved = true;
    for (size_t pass = 0; moved && pass < members.size(); ++pass) {
        moved = false;
        for (size_t k = 0; k + 1 < members.size(); ++k) {
            const ListedMember& first = members[k];
            const ListedMember& next = members[k + 1];
            if ((first.readOnly || next.readOnly) && first.kind == kTypeInfoFunction &&
                first.Name().size() > next.Name().size() && first.Name().starts_with(next.Name())) {
                std::swap(members[k], members[k + 1]);
                moved = true;
            }
        }
    }
}

// The members of `type` the stream reports, in their order; `setters` is
// room for the setter kinds.
void ListMembers(const TypeLibType& type, std::vector<ListedMember>& members, Setters& setters) {
    SettersById(type, setters);
    members.clear();
    int32_t position = 0;
    for (const TypeLibFunction& f : type.functions) {
        ++position;
        if (f.flags & (kFuncFlagHidden | kFuncFlagRestricted))
            continue;
        // Only a Get and a Set accessor depend on the property's other accessors.
        const bool accessor =
            f.invokeKind == kInvokePropertyGet || f.invokeKind == kInvokePropertyPutRef;
        const int16_t setter = accessor ? SetterOf(setters, f.memberId) : 0;
        if (f.invokeKind == kInvokePropertyPutRef && (setter & kInvokePropertyPut))
            continue;
        const bool readOnly = f.invokeKind == kInvokePropertyGet && setter == 0;
        members.push_back({position, kTypeInfoFunction, &f, nullptr, readOnly});
    }
    for (const TypeLibVariable& v : type.variables) {
        ++position;
        if (!IsListedVariable(v))
            continue;
        const bool readOnly = (v.flags & kVarFlagReadOnly) != 0;
        members.push_back(
            {position, readOnly ? kTypeInfoFunction : kTypeInfoVariable, nullptr, &v, readOnly});
    }
    KeepReadOnlyMembersUnpaired(members);
}

}  // namespace

TextView ListedParameterType(const TypeLibParameter& parameter) {
    if (parameter.Optional() && !parameter.HasDefault() && parameter.type == "Variant")
        return TextView(kNoneType);
    return parameter.type;
}

void Qfnrws::TypeLibName(const std::string& typeLibName) {
    library_.reset();
    typeLibName_ = typeLibName;
    iName_.Set("");
    documentation_.Set("");
    paramType_.Set("");
    path_.clear();
    if (typeLibName.empty())
        throw VbError(kErrBadFileNameOrNumber, "No type library file named");
    // Opening needs only the library's name and help string; its types are
    // read when they are first enumerated.
    const std::string path = ResolveTypeLibPath(typeLibName);
    const TypeLibrary summary = ReadTypeLibrarySummaryFile(path, typeLibName);
    path_ = path;
    iName_.Set(summary.name);
    documentation_.Set(summary.documentation);
}

void Qfnrws::Open(std::shared_ptr<const TypeLibrary> library, const std::string& typeLibName) {
    path_.clear();
    library_ = std::move(library);
    typeLibName_ = typeLibName;
    ShowLibrary();
}

void Qfnrws::ShowLibrary() {
    iName_.Set(library_ ? library_->name : std::string_view());
    documentation_.Set(library_ ? library_->documentation : std::string_view());
    paramType_.Set("");
    paramTypeIsNamed_ = false;
    paramTypeIsEnumeration_ = false;
    typeFlags_ = 0;
    implemented_.clear();
}

void Qfnrws::Enumerate() {
    if (!library_ && !path_.empty()) {
        library_ = std::make_shared<const TypeLibrary>(ReadTypeLibraryFile(path_, typeLibName_));
        path_.clear();
    }
    // A handler may open another library; the one being reported stays alive
    // until the end, and the texts still shown of it are then kept as copies.
    const std::shared_ptr<const TypeLibrary> library = library_;
    if (!library)
        return;
    try {
        for (const TypeLibType& type : library->types) {
            ReportType(type);
            if (type.kind == TypeKind::Interface || type.kind == TypeKind::Dispatch)
                ReportMembers(type);
        }
    } catch (...) {
        KeepShownTexts();
        throw;
    }
    if (library_ == library)
        ShowLibrary();
    else
        KeepShownTexts();
}

void Qfnrws::KeepShownTexts() {
    iName_.Keep();
    documentation_.Keep();
    paramType_.Keep();
}

void Qfnrws::ReportType(const TypeLibType& type) {
    typeFlags_ = type.flags;
    implemented_ = type.implemented;
    Report(type.index, static_cast<int16_t>(type.kind), type.name, type.documentation, kNoText,
           false, false);
    typeFlags_ = 0;
    implemented_.clear();
}

Qfnrws::Qfnrws() = default;
Qfnrws::~Qfnrws() = default;

void Qfnrws::ReportMembers(const TypeLibType& type) {
    // The lists are reused from type to type; a handler that enumerates
    // again meanwhile finds them taken and makes its own.
    std::vector<ListedMember> members = std::move(listed_);
    Setters setters = std::move(setters_);
    ListMembers(type, members, setters);
    for (const ListedMember& member : members) {
        if (member.function == nullptr) {
            const TypeLibVariable& v = *member.variable;
            Report(member.position, member.kind, v.name, v.documentation, v.type, v.namedType,
                   v.enumType);
            continue;
        }
        const TypeLibFunction& f = *member.function;
        Report(member.position, member.kind, f.name, f.documentation, f.returnType,
               f.namedReturnType, f.enumReturnType);
        const bool stock = IsStockEvent(f);
        int32_t p = 0;
        for (const TypeLibParameter& parameter : f.parameters) {
            const bool byVal = parameter.byValue && !stock && !parameter.name.empty();
            if (byVal)
                byValName_.replace(kByVal.size(), std::string::npos, parameter.name.str());
            Report(++p, kTypeInfoParameter, byVal ? byValName_ : parameter.name.str(), kNoText,
                   ListedParameterType(parameter), parameter.namedType, parameter.enumType);
        }
    }
    listed_ = std::move(members);
    setters_ = std::move(setters);
}

void Qfnrws::Report(int32_t index, int16_t kind, const std::string& name,
                    const std::string& documentation, const std::string& type, bool namedType,
                    bool enumType) {
    iName_.Show(name);
    documentation_.Show(documentation);
    paramType_.Show(type);
    paramTypeIsNamed_ = namedType;
    paramTypeIsEnumeration_ = enumType;
    RaiseTypeInfo(index, kind);
}

}  // namespace qfw
