// Registration of the program as the automation server of "QFNWizard.Connector".
//
// Registering writes a per-user .reg file of ours (HKEY_CURRENT_USER's
// Software\Classes): the ProgID with its CLSID, the class with its ProgID,
// the executable as its LocalServer32 and its type library, and the type
// library's file. The registry view merges that file, so the environment
// finds the add-in registered; the Wine prefix's own registry is never
// written.
#pragma once

#include <filesystem>
#include <string>

#include "platform/registry.h"

namespace qfw::host {

inline constexpr const char* kConnectorClsid = "{9C158572-05B4-431E-8C0B-1E68D01017C6}";
inline constexpr const char* kTypeLibId = "{21C7E332-8561-4D0D-A888-625E8F3E89C6}";

// $XDG_DATA_HOME/qfwizard/registry.reg (~/.local/share/qfwizard/registry.reg).
std::filesystem::path UserRegistryFile();

// The .reg text (REGEDIT4) that registers the server at `serverWinPath` with
// its type library at `typeLibWinPath` (both Windows paths).
std::string RegistrationText(const std::string& serverWinPath, const std::string& typeLibWinPath);

// Writes the registration to `regFile` atomically, creating its folder.
// Throws VbError when the file cannot be written.
void RegisterServer(const std::filesystem::path& regFile, const std::string& serverWinPath,
                    const std::string& typeLibWinPath);

// Registers this executable and the data folder's QFNWizard.tlb in
// UserRegistryFile().
void RegisterThisProgram();

// Whether the view holds a class registration for the ProgID (its Clsid key).
bool IsProgIdRegistered(const RegistryView& view, const std::string& progId);

// Adds UserRegistryFile() to the view when it exists (a damaged file adds a
// warning, as any registry file does).
void MergeUserRegistry(RegistryView& view, std::vector<std::string>& warnings);

}  // namespace qfw::host
