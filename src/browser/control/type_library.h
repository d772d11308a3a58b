// The parsed type library: immutable plain data that the browser control's
// event stream and the command-line listing walk.
//
// Types are already in the form Visual Basic code declares them: Visual
// Basic type names ("String", "Long", "OLE_COLOR", "None" for no value), a
// type Visual Basic lacks as the smallest one that holds its values, an
// alias as the type it stands for, an object or enumeration type by its
// name (qualified by its library's name unless that is the environment's
// own library or OLE Automation's) and marked when it is an enumeration (or
// an alias of one), whose values code assigns as numbers; dual and vtable
// functions in their dispatch view (an [out, retval] parameter becomes the
// return type, an HRESULT result disappears, lcid parameters are hidden).
// Interfaces carry the functions of their whole base chain, base first.
//
// The texts of members and parameters are references to text the library
// owns (each name and help string of the file, and each type name composed
// from them, kept once), and a function's parameters are a range of the
// library's parameter blocks: a library of many members costs a few
// allocations, not a few per member. Copies of a TypeLibrary share that
// storage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qfw {

// An empty text that views without text of their own show.
inline const std::string kNoText{};

// A text a TypeLibrary owns, by reference: valid while the library (or a
// copy of it) lives. Each distinct text is stored once, so showing one is
// handing out a reference, never a copy; converts to std::string where a
// caller keeps text of its own.
class TextView {
  public:
    TextView() = default;
    explicit TextView(const std::string& text) : text_(&text) {}

    const std::string& str() const { return *text_; }
    operator const std::string&() const { return *text_; }
    operator std::string_view() const { return *text_; }
    size_t size() const { return text_->size(); }
    bool empty() const { return text_->empty(); }
    bool starts_with(std::string_view prefix) const { return text_->starts_with(prefix); }

    friend bool operator==(const TextView& a, const TextView& b) { return *a.text_ == *b.text_; }
    friend bool operator==(const TextView& a, std::string_view b) { return *a.text_ == b; }

  private:
    const std::string* text_ = &kNoText;
};

// TYPEKIND values as stored in the file.
enum class TypeKind : int16_t {
    Enum = 0,
    Record = 1,
    Module = 2,
    Interface = 3,
    Dispatch = 4,
    Coclass = 5,
    Alias = 6,
    Union = 7,
};

// INVOKEKIND values.
enum InvokeKind : int16_t {
    kInvokeFunc = 1,
    kInvokePropertyGet = 2,
    kInvokePropertyPut = 4,
    kInvokePropertyPutRef = 8,
};

// Flag bits the listing needs (TYPEFLAGS, FUNCFLAGS, VARFLAGS, PARAMFLAGS,
// IMPLTYPEFLAGS).
inline constexpr uint16_t kTypeFlagCanCreate = 0x2;
inline constexpr uint16_t kTypeFlagHidden = 0x10;
inline constexpr uint16_t kFuncFlagRestricted = 0x1;
inline constexpr uint16_t kFuncFlagHidden = 0x40;
inline constexpr uint16_t kVarFlagReadOnly = 0x1;
inline constexpr uint16_t kVarFlagHidden = 0x40;
inline constexpr uint16_t kVarFlagRestricted = 0x80;
inline constexpr uint16_t kParamFlagOptional = 0x10;
inline constexpr uint16_t kParamFlagHasDefault = 0x20;
inline constexpr uint16_t kImplTypeFlagDefault = 0x1;
inline constexpr uint16_t kImplTypeFlagSource = 0x2;

struct TypeLibParameter {
    TextView name;  // empty when the library stores none (a property put's value)
    TextView type;
    uint16_t flags = 0;
    bool namedType = false;  // `type` names an object or enumeration type
    bool enumType = false;   // ... and that type is an enumeration
    bool byValue = false;    // passed by value: no pointer beyond an object's own

    bool Optional() const { return (flags & kParamFlagOptional) != 0; }
    bool HasDefault() const { return (flags & kParamFlagHasDefault) != 0; }
};

// A function's parameters: a range of the library's parameter blocks.
class TypeLibParameters {
  public:
    TypeLibParameters() = default;
    TypeLibParameters(const TypeLibParameter* first, size_t count) : first_(first), count_(count) {}

    const TypeLibParameter* begin() const { return first_; }
    const TypeLibParameter* end() const { return first_ + count_; }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const TypeLibParameter& operator[](size_t i) const { return first_[i]; }
    const TypeLibParameter& at(size_t i) const {
        if (i >= count_)
            throw std::out_of_range("parameter index");
        return first_[i];
    }

  private:
    const TypeLibParameter* first_ = nullptr;
    size_t count_ = 0;
};

struct TypeLibFunction {
    TextView name;
    TextView documentation;
    int32_t memberId = 0;
    int16_t invokeKind = kInvokeFunc;
    uint16_t flags = 0;
    TextView returnType;  // "None" when the function returns no value
    bool namedReturnType = false;
    bool enumReturnType = false;
    TypeLibParameters parameters;
};

struct TypeLibVariable {
    TextView name;
    TextView documentation;
    int32_t memberId = 0;
    uint16_t flags = 0;
    int16_t varKind = 0;
    TextView type;
    bool namedType = false;
    bool enumType = false;
};

struct TypeLibImplemented {
    std::string name;
    int32_t typeIndex = -1;  // index in this library, -1 for an imported type
    uint16_t flags = 0;
};

struct TypeLibType {
    TypeKind kind = TypeKind::Enum;
    int32_t index = 0;
    std::string name;
    std::string documentation;
    std::string guid;  // "{XXXXXXXX-...}", empty when the type has none
    uint16_t flags = 0;
    std::vector<TypeLibFunction> functions;
    std::vector<TypeLibVariable> variables;
    std::vector<TypeLibImplemented> implemented;  // coclasses only
};

// What the views and parameter ranges of a library's members point into.
struct TypeLibStorage;

struct TypeLibrary {
    std::string name;
    std::string documentation;
    std::vector<TypeLibType> types;  // in index order
    std::shared_ptr<const TypeLibStorage> storage;

    // Number of members (functions, variables, parameters) in the library.
    size_t MemberCount() const;
};

}  // namespace qfw
