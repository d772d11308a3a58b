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
        Report(type.index, static_cast<int16_t>(type.kind), type.name, type.documentation, "");
        if (type.kind == TypeKind::Interface || type.kind == TypeKind::Dispatch)
            ReportMembers(type);
    }
    if (library_ == library)
        ShowLibrary();
}

void Qfnrws::ReportMembers(const TypeLibType& type) {
    const std::unordered_map<int32_t, int16_t> setters = SettersById(type);
    int32_t position = 0;
    for (const TypeLibFunction& f : type.functions) {
        ++position;
        if (f.flags & (kFuncFlagHidden | kFuncFlagRestricted))
            continue;
        const auto found = setters.find(f.memberId);
        const int16_t setter = found == setters.end() ? 0 : found->second;
        if (f.invokeKind == kInvokePropertyPutRef && (setter & kInvokePropertyPut))
            continue;
        if (f.invokeKind == kInvokePropertyGet && setter == 0) {
            Report(position, kTypeInfoVariable, f.name, f.documentation, f.returnType);
            continue;
        }
        Report(position, kTypeInfoFunction, f.name, f.documentation, f.returnType);
        int32_t p = 0;
        for (const TypeLibParameter& parameter : f.parameters)
            Report(++p, kTypeInfoParameter, parameter.name, "", ListedParameterType(parameter));
    }
    for (const TypeLibVariable& v : type.variables) {
        ++position;
        if (IsListedVariable(v))
            Report(position, kTypeInfoVariable, v.name, v.documentation, v.type);
    }
}

void Qfnrws::Report(int32_t index, int16_t kind, const std::string& name,
                    const std::string& documentation, const std::string& type) {
    iName_ = name;
    documentation_ = documentation;
    paramType_ = type;
    RaiseTypeInfo(index, kind);
}

}  // namespace qfw
