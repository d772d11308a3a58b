// libFuzzer target for the project readers: the input as a .vbp and as a
// .vbg, then what loading does with them (item paths combined with the
// project's folder, the Name and Object= values).
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/ide/project_file.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folder = "Z:\\fuzz\\project";
    try {
        const auto project = qfw::ide::ProjectFile::Parse(text, folder + "\\Fuzz.vbp");
        for (const auto& item : project.Items())
            qfw::CombineWindowsPath(folder, item.path);
        project.UnquotedValue("Name");
        for (const std::string& object : project.Values("Object"))
            qfw::NormalizeWindowsPath(object);
    } catch (const qfw::VbError&) {
    }
    try {
        const auto group = qfw::ide::GroupFile::Parse(text, folder + "\\Fuzz.vbg");
        for (const auto& member : group.projects)
            qfw::CombineWindowsPath(folder, member.path);
    } catch (const qfw::VbError&) {
    }
    return 0;
}
