// JSON text for the commands' --json output. Project files and libraries
// hold 8-bit Windows-1252 text; JSON wants UTF-8.
#pragma once

#include <string>
#include <vector>

namespace qfw::app {

// A quoted, escaped JSON string of Windows-1252 text.
std::string JsonString(const std::string& text);

// A JSON array of such strings.
std::string JsonArray(const std::vector<std::string>& items);

}  // namespace qfw::app
