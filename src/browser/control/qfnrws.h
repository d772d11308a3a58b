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
// During an event, iName, Documentation and iParamType are the library's
// own texts, handed out by reference (no copy per event): a handler copies
// what it keeps beyond the event. Outside events they are copies.
//
// Errors (see type_library_reader.h) are raised from TypeLibName; after a
// failed open no library is open and Enumerate reports nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browser/control/type_lib_control.h"
#include "browser/control/type_library.h"

namespace qfw {

// One member as the event stream reports it.
struct ListedMember;

class Qfnrws : public TypeLibControl {
  public:
    Qfnrws();
    ~Qfnrws() override;

    void TypeLibName(const std::string& typeLibName) override;
    const std::string& TypeLibName() const override { return typeLibName_; }
    const std::string& iName() const override { return iName_.Text(); }
    const std::string& Documentation() const override { return documentation_.Text(); }
    const std::string& iParamType() const override { return paramType_.Text(); }
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
    // A text the control shows: during an event a text of the library
    // being reported, by reference (no copy per event); otherwise a copy of
    // its own.
    class ShownText {
      public:
        const std::string& Text() const { return *shown_; }
        // Shows a text that stays valid until the next Show or Set.
        void Show(const std::string& text) { shown_ = &text; }
        // Shows a copy of `text`.
        void Set(std::string_view text) {
            own_.assign(text);
            shown_ = &own_;
        }
        // Keeps a copy of the text shown (its library is about to go).
        void Keep() {
            if (shown_ != &own_)
                Set(*shown_);
        }

      private:
        std::string own_;
        const std::string* shown_ = &own_;
    };

    void Report(int32_t index, int16_t kind, const std::string& name,
                const std::string& documentation, const std::string& type, bool namedType,
                bool enumType);
    void ReportType(const TypeLibType& type);
    void ReportMembers(const TypeLibType& type);
    void ShowLibrary();
    void KeepShownTexts();

    std::shared_ptr<const TypeLibrary> library_;
    std::string path_;  // the file still to read when library_ is not loaded yet
    std::string typeLibName_;
    ShownText iName_;
    ShownText documentation_;
    ShownText paramType_;
    std::vector<ListedMember> listed_;                  // reused by ReportMembers
    std::vector<std::pair<int32_t, int16_t>> setters_;  // reused by ReportMembers
    std::string byValName_ = "ByVal ";  // "ByVal " and the name of the parameter shown
    bool paramTypeIsNamed_ = false;
    bool paramTypeIsEnumeration_ = false;
    uint16_t typeFlags_ = 0;
    std::vector<TypeLibImplemented> implemented_;
};

// The type a parameter is reported with.
TextView ListedParameterType(const TypeLibParameter& parameter);

}  // namespace qfw
