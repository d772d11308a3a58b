// Reading the text of a component file (.ctl, .frm, .pag, .dob, .dsr, .cls,
// .bas) into the parts the object model keeps: the header bytes, the
// designer's controls, the module name and the code bytes.
//
// The header is everything before code line 1: the VERSION line, the Object
// lines, the designer block (or the class's BEGIN ... END settings) and the
// module Attribute lines that follow it. It is kept byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qfw::ide {

struct ParsedControl {
    std::string progId;  // "Library.Class" from the Begin line
    std::string name;
    std::vector<std::pair<std::string, std::string>> properties;  // file order
    int32_t line = 0;                                             // of the Begin line
};

struct ComponentText {
    std::string header;
    std::string code;
    std::vector<std::string> objectLines;
    std::string vbName;  // the VB_Name attribute's value, "" when absent
    bool hasDesigner = false;
    std::string rootProgId;  // VB.UserControl, VB.Form ...
    std::string rootName;
    std::vector<ParsedControl> controls;  // nested ones too, in file order
};

// True for the component types that carry a form designer.
bool HasFormDesigner(int32_t componentType);

// Parses `bytes` as a component of `componentType`. Raises VbError 321 with
// "<fileName>: line <n>: <problem>" for text the environment would refuse:
// binary data, a designer component without its Begin block, a Begin or
// BeginProperty block (or class BEGIN block) without its End.
ComponentText ParseComponentText(std::string_view bytes, int32_t componentType,
                                 const std::string& fileName);

// The value of a property line as Property.Value gives it: quotes removed
// from strings, trailing comments removed from the others.
std::string PropertyValueText(std::string_view raw);

}  // namespace qfw::ide
