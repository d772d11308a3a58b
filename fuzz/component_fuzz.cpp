// libFuzzer target for the component reader (.ctl, .frm, .cls, .bas text):
// header, designer block, Attribute lines and code module, then the code
// module's procedure index and the text as a save would write it. The same
// bytes are also read as a form, a class module and a standard module, each
// designer property's value as the object model gives it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/ide/code_module.h"
#include "engine/ide/component_file.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "platform/vb_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const int32_t type : {qfw::ide::vbext_ct_VBForm, qfw::ide::vbext_ct_ClassModule,
                               qfw::ide::vbext_ct_StdModule}) {
        try {
            const auto parsed = qfw::ide::ParseComponentText(text, type, "fuzz");
            for (const auto& control : parsed.controls) {
                for (const auto& property : control.properties)
                    qfw::ide::PropertyValueText(property.second);
            }
        } catch (const qfw::VbError&) {
        }
    }
    auto vbe = qfw::ide::VBE::Create("C:\\VB\\VB6.EXE");
    auto project = vbe->VBProjects()->AddNew("Fuzz");
    try {
        auto component = project->VBComponents()->AddFromText(qfw::ide::vbext_ct_UserControl, text);
        auto code = component->CodeModule();
        int32_t kind = 0;
        for (int32_t line = 1; line <= code->CountOfLines(); ++line)
            code->ProcOfLine(line, kind);
        code->AddFromString("Public Sub Added()\r\nEnd Sub\r\n");
        return component->Text().empty() && size > 0 ? 1 : 0;
    } catch (const qfw::VbError&) {
        return 0;
    }
}
