// Qfnrws: the type-library browser control.
//
// Opens the library named by TypeLibName (a full Windows-style path, a Unix
// path, or a bare file name in the system folder), parses it into an
// immutable TypeLibrary, and replays that model as the TypeInfo event
// stream of TypeLibControl.
//
// What the stream reports, as the environment's object browser shows it:
// - every type, in index order, with its TKIND as kind code, its type flags
//   and, for a component class, the types it implements;
// - members only of interfaces and dispatch interfaces: the constants of an
//   enum or the fields of a record are no members of an object, and would
//   otherwise be taken for properties of the interface before them;
// - the functions of an interface's whole base chain, base first;
// - no hidden or restricted members;
// - of a property with both a Let and a Set accessor, the Let accessor
//   only, so that the property is listed once;
// - a read-only property (a Get accessor with no Let or Set) as the
//   function it is, with its parameters, and a read-only variable as a
//   function without parameters: code can call them but not assign them.
//   One of them is never followed by a member whose name begins its own
//   (nor follows one whose name it begins), which the browser would take
//   for its accessor pair;
// - functions with their dispatch-view result type ("None" for none), and a
//   parameter that is an optional Variant without default without a type
//   ("None"), as the object browser prints it ("[Top]");
// - a named parameter passed by value as "ByVal " and its name, except in
//   the stock events (Click, DblClick, KeyDown, KeyPress, KeyUp, MouseDown,
//   MouseMove, MouseUp with their standard dispatch ids), which Visual
//   Basic raises through declarations of its own.
//
// Errors (see type_library_reader.h) are raised from TypeLibName; after a
// failed open no library is open and Enumerate reports nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "browser/control/type_lib_control.h"
#include "browser/control/type_library.h"

namespace qfw {

class Qfnrws : public TypeLibControl {
  public:
    void TypeLibName(const std::string& typeLibName) override;
    const std::string& TypeLibName() const override { return typeLibName_; }
    const std::string& iName() const override { return iName_; }
    const std::string& Documentation() const override { return documentation_; }
    const std::string& iParamType() const override { return paramType_; }
    bool ParamTypeIsNamed() const override { return paramTypeIsNamed_; }
    bool ParamTypeIsEnumeration() const override { return paramTypeIsEnumeration_; }
    uint16_t TypeFlags() const override { return typeFlags_; }
    const std::vector<TypeLibImplemented>& ImplementedTypes() const override {
        return implemented_;
    }

    // Dispatch identifier 7: raises the TypeInfo events of the open library.
    void Enumerate() override;

    // Opens an already parsed library (the command line and tests use it to
    // skip the path lookup).
    void Open(std::shared_ptr<const TypeLibrary> library, const std::string& typeLibName);

  private:
    void Report(int32_t index, int16_t kind, const std::string& name,
                const std::string& documentation, const std::string& type, bool namedType,
                bool enumType);
    void ReportType(const TypeLibType& type);
    void ReportMembers(const TypeLibType& type);
    void ShowLibrary();

    std::shared_ptr<const TypeLibrary> library_;
    std::string path_;  // the file still to read when library_ is not loaded yet
    std::string typeLibName_;
    std::string iName_;
    std::string documentation_;
    std::string paramType_;
    bool paramTypeIsNamed_ = false;
    bool paramTypeIsEnumeration_ = false;
    uint16_t typeFlags_ = 0;
    std::vector<TypeLibImplemented> implemented_;
};

// The type a parameter is reported with.
std::string ListedParameterType(const TypeLibParameter& parameter);

}  // namespace qfw
