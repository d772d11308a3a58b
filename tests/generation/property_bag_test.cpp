// UpdatePropertyBag: the member declaration and the ReadProperties and
// WriteProperties lines of one property.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generation/code_templates.h"
#include "generation/generation_fixture.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text = CrLf(lines);
    return text.substr(0, text.size() - 2);
}

using PropertyBagTest = GenerationTest;

TEST(PropertyBagTexts, LinesByNameAndType) {
    struct Case {
        std::string name, type;
        bool useSet;
        std::string declaration, read, write;
    };
    const Case cases[] = {
        {"Caption", "String", false, "Private m_sCaption As String",
         "Text1.Caption = PropBag.ReadProperty(\"Caption\", \"\")",
         "Call PropBag.WriteProperty(\"Caption\", Text1.Caption, \"\")"},
        {"BackColor", "OLE_COLOR", false, "Private m_colBackColor As OLE_COLOR",
         "Text1.BackColor = PropBag.ReadProperty(\"BackColor\", &H8000000F)",
         "Call PropBag.WriteProperty(\"BackColor\",Text1.BackColor, &H8000000F)"},
        {"Font", "Font", false, "Private m_fonFont As Font",
         "Set Font = PropBag.ReadProperty(\"Font\", Ambient.Font)",
         "Call PropBag.WriteProperty(\"Font\", Font, Ambient.Font)"},
        {"Width", "Single", false, "Private m_bWidth As Single",
         "Text1.Width = PropBag.ReadProperty(\"Width\", 0 )",
         "Call PropBag.WriteProperty(\"Width\", Text1.Width, 0)"},
        {"Enabled", "Boolean", false, "Private m_bEnabled As Boolean",
         "Text1.Enabled = PropBag.ReadProperty(\"Enabled\", False )",
         "Call PropBag.WriteProperty(\"Enabled\", Text1.Enabled, False)"},
        // Object properties and other types are declared but not persisted.
        {"Font", "Font", true, "Private m_fonFont As Font", "", ""},
        {"Tag", "Variant", false, "Private m_vTag As Variant", "", ""},
        {"Text", "string", false, "Private m_sText As string", "", ""},
    };
    for (const Case& c : cases) {
        generation::PropertyBagLines lines =
            generation::PropertyBagTexts(c.name, c.type, "Text1", c.useSet);
        EXPECT_EQ(lines.declaration, c.declaration) << c.name;
        EXPECT_EQ(lines.read, c.read) << c.name;
        EXPECT_EQ(lines.write, c.write) << c.name;
    }
}

TEST_F(PropertyBagTest, CreatesTheEventProceduresAndAddsOnlyWhatIsMissing) {
    wizard_.UpdatePropertyBag("Caption", "String", "Text1", false);
    wizard_.UpdatePropertyBag("Enabled", "Boolean", "Text1", false);
    wizard_.UpdatePropertyBag("Caption", "String", "Text1", false);
    EXPECT_EQ(
        ModuleText(),
        Joined({"Option Explicit", "Private m_sCaption As String", "Private m_bEnabled As Boolean",
                "", "Private Sub UserControl_ReadProperties(PropBag As PropertyBag)", "",
                "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                "    Text1.Enabled = PropBag.ReadProperty(\"Enabled\", False )",
                "    Text1.Caption = PropBag.ReadProperty(\"Caption\", \"\")", "", "End Sub", "",
                "Private Sub UserControl_WriteProperties(PropBag As PropertyBag)", "",
                "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                "    Call PropBag.WriteProperty(\"Enabled\", Text1.Enabled, False)",
                "    Call PropBag.WriteProperty(\"Caption\", Text1.Caption, \"\")", "",
                "End Sub"}));
}

TEST_F(PropertyBagTest, ExistingProcedureWithoutCommentGetsOne) {
    WriteUserControlCode({"Option Explicit",
                          "Private Sub UserControl_ReadProperties(PropBag As PropertyBag)",
                          "    On Error Resume Next", "End Sub"});
    Load();
    wizard_.UpdatePropertyBag("Height", "Long", "Text1", false);
    EXPECT_EQ(
        ModuleText(),
        Joined({"Option Explicit", "Private m_lHeight As Long",
                "Private Sub UserControl_ReadProperties(PropBag As PropertyBag)",
                "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                "    Text1.Height = PropBag.ReadProperty(\"Height\", 0 )",
                "    On Error Resume Next", "End Sub", "",
                "Private Sub UserControl_WriteProperties(PropBag As PropertyBag)", "",
                "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                "    Call PropBag.WriteProperty(\"Height\", Text1.Height, 0)", "", "End Sub"}));
}

TEST_F(PropertyBagTest, ObjectPropertyIsOnlyDeclared) {
    wizard_.UpdatePropertyBag("Picture", "Picture", "Text1", true);
    EXPECT_EQ(ModuleText(), Joined({"Option Explicit", "Private m_Picture As Picture"}));
}

TEST_F(PropertyBagTest, NeverSavedUserControlIsAnError) {
    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", "");
    EXPECT_THROW(wizard_.UpdatePropertyBag("Caption", "String", "Text1", false), VbError);
    EXPECT_EQ(ModuleText(), "Option Explicit");
}

}  // namespace
}  // namespace qfw
