// A browser control that replays a hand-written TypeInfo event stream.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "browser/control/type_lib_control.h"

namespace qfw::test {

struct Event {
    int32_t index;
    int16_t kind;
    std::string name;
    std::string documentation;
    std::string type;
    bool namedType = false;
    uint16_t typeFlags = 0;
    std::vector<TypeLibImplemented> implemented = {};
};

// Event builders: a type (kind 3, 4, 5) at an index, a function, a data
// member and a parameter.
inline Event Type(int16_t kind, int32_t index, std::string name, std::string doc = "") {
    return {index, kind, std::move(name), std::move(doc), ""};
}
inline Event Func(std::string name, std::string type = "None") {
    return {0, kTypeInfoFunction, std::move(name), "", std::move(type)};
}
inline Event Var(std::string name, std::string type) {
    return {0, kTypeInfoVariable, std::move(name), "", std::move(type)};
}
inline Event Param(std::string name, std::string type = "None") {
    return {0, kTypeInfoParameter, std::move(name), "", std::move(type)};
}
// A component class with its type flags and the (type index, flags) of the
// types it implements.
inline Event Class(int32_t index, std::string name, std::string doc, uint16_t flags,
                   std::vector<std::pair<int32_t, uint16_t>> implemented) {
    Event e{index, kTypeInfoCoclass, std::move(name), std::move(doc), ""};
    e.typeFlags = flags;
    for (const auto& [type, implFlags] : implemented)
        e.implemented.push_back({"", type, implFlags});
    return e;
}
// The same event with its type reported as an object or enumeration type.
inline Event Named(Event e) {
    e.namedType = true;
    return e;
}

class ScriptedControl : public TypeLibControl {
  public:
    explicit ScriptedControl(std::vector<Event> events, std::string name = "TestLib",
                             std::string doc = "Test library")
        : events_(std::move(events)), libName_(std::move(name)), libDoc_(std::move(doc)) {}

    void TypeLibName(const std::string& value) override {
        typeLibName_ = value;
        iName_ = libName_;
        documentation_ = libDoc_;
    }
    const std::string& TypeLibName() const override { return typeLibName_; }
    const std::string& iName() const override { return iName_; }
    const std::string& Documentation() const override { return documentation_; }
    const std::string& iParamType() const override { return type_; }
    bool ParamTypeIsNamed() const override { return namedType_; }
    uint16_t TypeFlags() const override { return current_ ? current_->typeFlags : 0; }
    const std::vector<TypeLibImplemented>& ImplementedTypes() const override {
        return current_ ? current_->implemented : TypeLibControl::ImplementedTypes();
    }
    void Enumerate() override {
        ++enumerations;
        for (const Event& e : events_) {
            iName_ = e.name;
            documentation_ = e.documentation;
            type_ = e.type;
            namedType_ = e.namedType;
            current_ = &e;
            RaiseTypeInfo(e.index, e.kind);
        }
        current_ = nullptr;
    }

    int enumerations = 0;

  private:
    std::vector<Event> events_;
    std::string libName_, libDoc_, typeLibName_, iName_, documentation_, type_;
    bool namedType_ = false;
    const Event* current_ = nullptr;
};

}  // namespace qfw::test
