// Saving what a wizard run generated, when the run ends without the
// environment's window to save it.
#pragma once

#include <ostream>

namespace qfw::ide {
class VBE;
}

namespace qfw::pages {

// Saves every changed component of the loaded projects, each by temporary
// file and rename and never over a file changed on disk since it was loaded
// (the component's own Save). Each file saved is logged as "Saved FILE"; a
// file that cannot be saved is logged and shown in a message box, and the
// others are still saved. True when everything was saved.
bool SaveChangedComponents(ide::VBE& vbe, std::ostream& log);

}  // namespace qfw::pages
