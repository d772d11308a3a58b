// What HKEY_CLASSES_ROOT knows about the controls a project uses.
//
// On Windows a control library registers its classes when it is installed.
// A project on Linux often comes without that registration (or with a Wine
// prefix that has it), so the wizard also learns registrations from the
// libraries the loaded projects name in their Object= lines: each class of
// such a library is entered, under the key the constituent lookup derives
// from its "Library.Class" text and under "Library.Class\Clsid", with its
// class identifier and the library file as in-process server. Real
// registrations always win over learned ones.
#pragma once

#include <string>
#include <vector>

#include "engine/ide/vb_control.h"
#include "engine/ide/vbe.h"
#include "platform/registry.h"

namespace qfw {

// The key under HKEY_CLASSES_ROOT whose default value is the class
// identifier of a control with this ProgId and ClassName. Raises VbError 5
// where the rules cut more characters than the ProgId has.
std::string ConstituentClassKey(const std::string& progId, const std::string& className);

// The library file that describes a control: the environment's own library
// beside vbeFullName for intrinsic ("VB...") controls, otherwise the
// in-process server registered for the control's class under
// HKEY_CLASSES_ROOT (ClassesRoot()). Every step runs even after an earlier
// one failed; on failure the result is the description of the last error
// and the answer is false.
bool FindControlLibrary(const ide::VBControl& control, const std::string& vbeFullName,
                        std::string& result);

// Where the library named by an Object= value ("{guid}#1.0#0; FILE.OCX")
// of a project whose file is `projectFile` lies: its registered path, the
// project's folder, or the system folders. Empty when it is nowhere.
std::string LocateObjectLibrary(const RegistryView& view, const std::string& objectLine,
                                const std::string& projectFile);

// Adds the learned entries for every library the loaded projects reference.
// A library that cannot be found or read is skipped with a warning.
void LearnProjectControls(ide::VBE& vbe, RegistryView& view, std::vector<std::string>& warnings);

}  // namespace qfw
