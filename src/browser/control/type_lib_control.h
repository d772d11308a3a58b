// TypeLibControl: what the Browser needs from a type-library browser
// control. Qfnrws is the real one; tests script their own event streams.
//
// Protocol: setting TypeLibName opens a library (iName and Documentation
// then give the library's name and help string); Enumerate raises every
// TypeInfo event synchronously before it returns, each type (kind 3
// interface, 4 dispatch interface, 5 coclass, other kinds as their TKIND)
// followed by its members (-1 function, -2 data member), each followed by
// its parameters (-3). During an event iName, Documentation and iParamType
// describe the reported item; during a type event TypeFlags and
// ImplementedTypes describe the type.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "browser/control/type_library.h"

namespace qfw {

// Kind codes of the TypeInfo event.
inline constexpr int16_t kTypeInfoInterface = 3;
inline constexpr int16_t kTypeInfoDispatch = 4;
inline constexpr int16_t kTypeInfoCoclass = 5;
inline constexpr int16_t kTypeInfoFunction = -1;
inline constexpr int16_t kTypeInfoVariable = -2;
inline constexpr int16_t kTypeInfoParameter = -3;

class TypeLibControl {
  public:
    // The TypeInfo event; both arguments are passed by reference.
    using TypeInfoHandler = std::function<void(int32_t& Index, int16_t& Kind)>;

    virtual ~TypeLibControl() = default;

    virtual void TypeLibName(const std::string& typeLibName) = 0;
    virtual const std::string& TypeLibName() const = 0;
    virtual const std::string& iName() const = 0;
    virtual const std::string& Documentation() const = 0;
    virtual const std::string& iParamType() const = 0;
    // True when iParamType names an object or enumeration type (by its
    // name, "Library.Name" or a name of the environment's own libraries)
    // rather than a Visual Basic type.
    virtual bool ParamTypeIsNamed() const { return false; }
    // True when that named type is an enumeration (or an alias of one):
    // code assigns its values as numbers, never with Set.
    virtual bool ParamTypeIsEnumeration() const { return false; }
    // The reported type's TYPEFLAGS, and the types a component class
    // implements (index -1 for a type of another library) with their
    // IMPLTYPEFLAGS; 0 and none outside a type event.
    virtual uint16_t TypeFlags() const { return 0; }
    virtual const std::vector<TypeLibImplemented>& ImplementedTypes() const {
        static const std::vector<TypeLibImplemented> none;
        return none;
    }
    virtual void Enumerate() = 0;

    // Connects the TypeInfo event; a control has one handler.
    void OnTypeInfo(TypeInfoHandler handler) { handler_ = std::move(handler); }

  protected:
    void RaiseTypeInfo(int32_t index, int16_t kind) {
        if (handler_)
            handler_(index, kind);
    }

  private:
    TypeInfoHandler handler_;
};

}  // namespace qfw
