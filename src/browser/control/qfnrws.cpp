#include "browser/control/qfnrws.h"

#include <unordered_map>

#include "browser/control/library_path.h"
#include "browser/control/type_library_reader.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

bool IsListedVariable(const TypeLibVariable& variable) {
    return (variable.flags & (kVarFlagHidden | kVarFlagRestricted)) == 0;
}

// The setter kinds (Let, Set) each property of a type has, by member id.
std::unordered_map<int32_t, int16_t> SettersById(const TypeLibType& type) {
    std::unordered_map<int32_t, int16_t> setters;
    for (const TypeLibFunction& f : type.functions)
        if (f.invokeKind == kInvokePropertyPut || f.invokeKind == kInvokePropertyPutRef)
            setters[f.memberId] |= f.invokeKind;
    return setters;
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

// One member as the stream reports it.
struct ListedMember {
    int32_t position = 0;
    int16_t kind = 0;
    const TypeLibFunction* function = nullptr;  // else a variable
    const TypeLibVariable* variable = nullptr;
    bool readOnly = false;

    const std::string& Name() const { return function ? function->name : variable->name; }
};

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

std::vector<ListedMember> ListedMembers(const TypeLibType& type) {
    const std::unordered_map<int32_t, int16_t> setters = SettersById(type);
    std::vector<ListedMember> members;
    int32_t position = 0;
    for (const TypeLibFunction& f : type.functions) {
        ++position;
        if (f.flags & (kFuncFlagHidden | kFuncFlagRestricted))
            continue;
        const auto found = setters.find(f.memberId);
        const int16_t setter = found == setters.end() ? 0 : found->second;
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
    return members;
}

}  // namespace

std::string ListedParameterType(const TypeLibParameter& parameter) {
    if (parameter.Optional() && !parameter.HasDefault() && parameter.type == "Variant")
        return "None";
    return parameter.type;
}

void Qfnrws::TypeLibName(const std::string& typeLibName) {
    library_.reset();
    typeLibName_ = typeLibName;
    iName_.clear();
    documentation_.clear();
    paramType_.clear();
    path_.clear();
    if (typeLibName.empty())
        throw VbError(kErrBadFileNameOrNumber, "No type library file named");
    // Opening needs only the library's name and help string; its types are
    // read when they are first enumerated.
    const std::string path = ResolveTypeLibPath(typeLibName);
    const TypeLibrary summary = ReadTypeLibrarySummaryFile(path, typeLibName);
    path_ = path;
    iName_ = summary.name;
    documentation_ = summary.documentation;
}

void Qfnrws::Open(std::shared_ptr<const TypeLibrary> library, const std::string& typeLibName) {
    path_.clear();
    library_ = std::move(library);
    typeLibName_ = typeLibName;
    ShowLibrary();
}

void Qfnrws::ShowLibrary() {
    iName_ = library_ ? library_->name : std::string();
    documentation_ = library_ ? library_->documentation : std::string();
    paramType_.clear();
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
    // A handler may open another library; the one being reported stays alive.
    const std::shared_ptr<const TypeLibrary> library = library_;
    if (!library)
        return;
    for (const TypeLibType& type : library->types) {
        ReportType(type);
        if (type.kind == TypeKind::Interface || type.kind == TypeKind::Dispatch)
            ReportMembers(type);
    }
    if (library_ == library)
        ShowLibrary();
}

void Qfnrws::ReportType(const TypeLibType& type) {
    typeFlags_ = type.flags;
    implemented_ = type.implemented;
    Report(type.index, static_cast<int16_t>(type.kind), type.name, type.documentation, "", false,
           false);
    typeFlags_ = 0;
    implemented_.clear();
}

void Qfnrws::ReportMembers(const TypeLibType& type) {
    for (const ListedMember& member : ListedMembers(type)) {
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
            Report(++p, kTypeInfoParameter, byVal ? "ByVal " + parameter.name : parameter.name, "",
                   ListedParameterType(parameter), parameter.namedType, parameter.enumType);
        }
    }
}

void Qfnrws::Report(int32_t index, int16_t kind, const std::string& name,
                    const std::string& documentation, const std::string& type, bool namedType,
                    bool enumType) {
    iName_ = name;
    documentation_ = documentation;
    paramType_ = type;
    paramTypeIsNamed_ = namedType;
    paramTypeIsEnumeration_ = enumType;
    RaiseTypeInfo(index, kind);
}

}  // namespace qfw
