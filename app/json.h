// JSON text for the commands' --json output. Project files and libraries
// hold 8-bit Windows-1252 text, converted to UTF-8 once, here; paths are
// the user's own bytes and are written unchanged.
#pragma once

#include <string>
#include <vector>

namespace qfw::app {

// A quoted, escaped JSON string of text whose bytes are kept (paths).
std::string JsonString(const std::string& text);

// A quoted, escaped JSON string of Windows-1252 text (names, item texts).
std::string JsonAnsi(const std::string& text);

// A JSON array of Windows-1252 strings.
std::string JsonArray(const std::vector<std::string>& items);

}  // namespace qfw::app
