// Reading the specification control: the two steps the specification control
// page and the interface page take through the shared browser, shared with
// the headless run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "browser/browser.h"
#include "model/obj_control.h"

namespace qfw {

// Empties `spec`, makes `library` its ControlFileName, has the shared browser
// list that library's interfaces for it by `listing` and returns their
// texts. Raises VbError: the browser's own errors, and GetInterfaces's
// number (9) for a library that lists no interface.
std::vector<std::string> ListSpecificationInterfaces(
    objControl& spec, const std::string& library,
    InterfaceListing listing = InterfaceListing::Positional);

// Fills `spec` (emptied first, ControlFileName included) with the items of
// the interface at `interfaceIndex` of the listed interfaces, read by the
// rule of the listing that listed them, after handing the chosen interface
// texts to the browser. Returns the enumeration types the items are declared
// with (Browser::EnumerationTypes), which the engine needs for generation
// (Wizard::AddEnumerationTypes). Raises the browser's errors.
std::vector<std::string> ReadSpecificationItems(objControl& spec,
                                                const std::vector<std::string>& selectedInterfaces,
                                                int16_t interfaceIndex);

// The component class name an interface text starts with ("QuillEdit" of
// "QuillEdit - Quillfern edit control").
std::string InterfaceClassName(const std::string& interfaceText);

}  // namespace qfw
