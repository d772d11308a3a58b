// libFuzzer target for generation: the item texts it takes apart (name,
// parameter list, type, argument names) and the code it merges into. The
// input is
//   one flag byte (bit 0: save property values with the control),
//   the UserControl's code lines, "\n==\n",
//   one item a line: a kind digit 0 (property), 1 (method) or 2 (event),
//   then the item text.
// The items are generated for Text1 and then for Text2, so the second run
// merges into what the first wrote; the module is then indexed as a save
// would.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "scratch_path.h"
#include "support/wizard_peer.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader =
    "VERSION 5.00\r\nBegin VB.UserControl Fuzz \r\n   Begin VB.TextBox Text1 \r\n   End\r\n"
    "   Begin VB.TextBox Text2 \r\n   End\r\nEnd\r\nAttribute VB_Name = \"Fuzz\"\r\n"
    "Attribute VB_Exposed = True\r\n";

// One project folder per process.
const std::filesystem::path& Folder() {
    static const qfw::fuzz::ScratchPath folder("qfw-generation-fuzz-", "");
    static const bool made = [] {
        fs::create_directories(folder.Path() / "program");
        std::ofstream(folder.Path() / "Fuzz.vbp", std::ios::binary)
            << "Type=Control\r\nUserControl=Fuzz.ctl\r\nName=\"FuzzCtl\"\r\n";
        // The work files' date is the C locale's.
        return setenv("LC_ALL", "C", 1) == 0;
    }();
    (void)made;
    return folder.Path();
}

struct Items {
    std::vector<int16_t> kinds[3];
    std::vector<std::string> texts[3];
};

Items ReadItems(std::string_view text) {
    Items items;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty())
            continue;
        const int16_t kind = static_cast<int16_t>(static_cast<unsigned char>(line[0]) % 3);
        items.kinds[kind].push_back(kind);
        items.texts[kind].emplace_back(line.substr(1));
    }
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t split = input.find("\n==\n");
    const std::string_view code = input.substr(0, split);
    const Items items =
        ReadItems(split == std::string_view::npos ? std::string_view() : input.substr(split + 4));
    const fs::path& root = Folder();
    std::error_code ignored;
    fs::remove(root / "QFNCODE.DAT", ignored);
    {
        std::ofstream ctl(root / "Fuzz.ctl", std::ios::binary | std::ios::trunc);
        ctl << kHeader << code;
    }
    try {
        auto vbe = qfw::ide::VBE::Create();
        auto project =
            vbe->VBProjects()->AddFromFile(qfw::UnixToWindows((root / "Fuzz.vbp").string())).at(0);
        auto component = project->VBComponents()->Item("Fuzz");
        qfw::Wizard wizard;
        wizard.SetVBInst(vbe);
        // Aimed at the UserControl without discovery, which would read the
        // constituents' library each time: the browser has fuzz targets of
        // its own.
        qfw::WizardTestPeer::Target(wizard, project->Name(), "Fuzz", component->FileNames(1));
        wizard.SetWorkFolders(qfw::UnixToWindows((root / "program").string()),
                              qfw::UnixToWindows((root / "userdata").string()));
        wizard.PersistPropertyValues((data[0] & 1) != 0);
        for (const char* control : {"Text1", "Text2"}) {
            for (int kind = 0; kind < 3; ++kind)
                wizard.BuildProcedures(items.kinds[kind], items.texts[kind], control);
        }
        auto module = component->CodeModule();
        int32_t kind = 0;
        for (int32_t line = 1; line <= module->CountOfLines(); ++line)
            module->ProcOfLine(line, kind);
    } catch (const qfw::VbError&) {
    }
    return 0;
}
