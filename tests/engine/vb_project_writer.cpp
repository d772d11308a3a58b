#include "engine/vb_project_writer.h"

namespace qfw::testing {

std::string UserControlText(const std::string& name, const std::vector<ControlSpec>& controls,
                            const std::vector<std::string>& code) {
    std::vector<std::string> lines = {"VERSION 5.00", "Begin VB.UserControl " + name + " ",
                                      "   ClientHeight    =   1500", "   ClientWidth     =   3000"};
    int top = 120;
    for (const ControlSpec& control : controls) {
        lines.push_back("   Begin " + control.progId + " " + control.name + " ");
        lines.push_back("      Height          =   285");
        lines.push_back("      Left            =   120");
        lines.push_back("      Top             =   " + std::to_string(top));
        lines.push_back("      Width           =   1215");
        lines.push_back("   End");
        top += 400;
    }
    lines.push_back("End");
    for (const std::string& attribute : {"Attribute VB_Name = \"" + name + "\"",
                                         std::string("Attribute VB_GlobalNameSpace = False"),
                                         std::string("Attribute VB_Creatable = True"),
                                         std::string("Attribute VB_PredeclaredId = False"),
                                         std::string("Attribute VB_Exposed = True")}) {
        lines.push_back(attribute);
    }
    lines.insert(lines.end(), code.begin(), code.end());
    return CrLf(lines);
}

std::string FormText(const std::string& name) {
    return CrLf({"VERSION 5.00", "Begin VB.Form " + name + " ",
                 "   Caption         =   \"" + name + "\"", "End",
                 "Attribute VB_Name = \"" + name + "\"", "Attribute VB_GlobalNameSpace = False",
                 "Attribute VB_Creatable = False", "Attribute VB_PredeclaredId = True",
                 "Attribute VB_Exposed = False", "Option Explicit"});
}

std::string ProjectText(const std::string& name, const std::vector<std::string>& items,
                        const std::vector<std::string>& objectLines) {
    std::vector<std::string> lines = {"Type=Control"};
    for (const std::string& line : objectLines)
        lines.push_back("Object=" + line);
    lines.insert(lines.end(), items.begin(), items.end());
    lines.push_back("Startup=\"(None)\"");
    lines.push_back("Name=\"" + name + "\"");
    lines.push_back("HelpContextID=\"0\"");
    lines.push_back("CompatibleMode=\"0\"");
    lines.push_back("MajorVer=1");
    return CrLf(lines);
}

}  // namespace qfw::testing
