#include "browser/control/qfnrws.h"

#include <algorithm>

#include "browser/control/library_path.h"
#include "browser/control/type_library_reader.h"
#include "platform/vb_error.h"

namespace qfw {

bool IsListedFunction(const TypeLibType& type, const TypeLibFunction& function) {
    if (function.flags & (kFuncFlagHidden | kFuncFlagRestricted))
        return false;
    if (function.invokeKind != kInvokePropertyPutRef)
        return true;
    return std::none_of(type.functions.begin(), type.functions.end(),
                        [&](const TypeLibFunction& f) {
                            return f.invokeKind == kInvokePropertyPut &&
                                   f.memberId == function.memberId && f.name == function.name;
                        });
}

bool IsListedVariable(const TypeLibVariable& variable) {
    return (variable.flags & (kVarFlagHidden | kVarFlagRestricted)) == 0;
}

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
    if (typeLibName.empty())
        throw VbError(kErrBadFileNameOrNumber, "No type library file named");
    Open(std::make_shared<const TypeLibrary>(
             ReadTypeLibraryFile(ResolveTypeLibPath(typeLibName), typeLibName)),
         typeLibName);
}

void Qfnrws::Open(std::shared_ptr<const TypeLibrary> library, const std::string& typeLibName) {
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
    int32_t position = 0;
    for (const TypeLibFunction& f : type.functions) {
        ++position;
        if (!IsListedFunction(type, f))
            continue;
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
