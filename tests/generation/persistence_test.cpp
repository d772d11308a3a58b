// Property values saved with the control: what a generation batch adds to
// ReadProperties and WriteProperties when persistence is on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generation/generation_fixture.h"

namespace qfw {
namespace {

using PersistenceTest = GenerationTest;

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

const std::vector<std::string> kProperties = {
    "Caption As String",     "Count As Integer",       "Total As Long",
    "Ratio As Single",       "Scale As Double",        "Visible As Boolean",
    "BackColor As Long",     "ForeColor As OLE_COLOR", "Font As StdFont",
    "Picture As StdPicture", "Tag As Variant",         "List (Index As Integer) As String"};

TEST_F(PersistenceTest, EachTypeGetsItsLinesAndOthersNone) {
    wizard_.PersistPropertyValues(true);
    ASSERT_EQ(
        wizard_.BuildProcedures(std::vector<int16_t>(kProperties.size(), 0), kProperties, "Text1"),
        0);
    const std::string text = ModuleText();
    const char* const expected[] = {
        "Text1.Caption = PropBag.ReadProperty(\"Caption\", \"\")",
        "Call PropBag.WriteProperty(\"Caption\", Text1.Caption, \"\")",
        "Text1.Count = PropBag.ReadProperty(\"Count\", 0 )",
        "Call PropBag.WriteProperty(\"Count\", Text1.Count, 0)",
        "Text1.Total = PropBag.ReadProperty(\"Total\", 0 )",
        "Text1.Ratio = PropBag.ReadProperty(\"Ratio\", 0 )",
        "Call PropBag.WriteProperty(\"Scale\", Text1.Scale, 0)",
        "Text1.Visible = PropBag.ReadProperty(\"Visible\", False )",
        "Call PropBag.WriteProperty(\"Visible\", Text1.Visible, False)",
        "Text1.BackColor = PropBag.ReadProperty(\"BackColor\", &H8000000F)",
        "Call PropBag.WriteProperty(\"ForeColor\",Text1.ForeColor, &H8000000F)",
        "Set Font = PropBag.ReadProperty(\"Font\", Ambient.Font)",
        "Call PropBag.WriteProperty(\"Font\", Font, Ambient.Font)",
        "Private m_sCaption As String",
        "Private Sub UserControl_ReadProperties(PropBag As PropertyBag)",
        "Private Sub UserControl_WriteProperties(PropBag As PropertyBag)",
    };
    for (const char* line : expected)
        EXPECT_EQ(Occurrences(text, line), 1u) << line << "\n" << text;
    // Objects, types without a row and indexed properties are not saved.
    for (const char* name : {"Picture", "Tag", "List"})
        EXPECT_EQ(Occurrences(text, "Property(\"" + std::string(name)), 0u) << name;
}

TEST_F(PersistenceTest, SeveralConstituentsAreReadEachAndWrittenOnceAndRerunsAddNothing) {
    wizard_.PersistPropertyValues(true);
    const std::vector<std::string> items = {"Caption As String", "BackColor As Long",
                                            "Font As StdFont"};
    ASSERT_EQ(wizard_.BuildProcedures({0, 0, 0}, items, "Text1"), 0);
    ASSERT_EQ(wizard_.BuildProcedures({0, 0, 0}, items, "Text2"), 0);
    const std::string text = ModuleText();
    EXPECT_EQ(Occurrences(text, "Text1.Caption = PropBag.ReadProperty"), 1u);
    EXPECT_EQ(Occurrences(text, "Text2.Caption = PropBag.ReadProperty"), 1u);
    EXPECT_EQ(Occurrences(text, "Text2.BackColor = PropBag.ReadProperty"), 1u);
    EXPECT_EQ(Occurrences(text, "WriteProperty(\"Caption\", Text1.Caption"), 1u);
    EXPECT_EQ(Occurrences(text, "WriteProperty(\"Caption\""), 1u);
    EXPECT_EQ(Occurrences(text, "WriteProperty(\"BackColor\""), 1u);
    EXPECT_EQ(Occurrences(text, "Private m_sCaption As String"), 1u);
    // The font is read with Set: a Property Set passes it on to both.
    EXPECT_EQ(Occurrences(text, "Public Property Set Font (fonFont As Font)"), 1u);
    EXPECT_EQ(Occurrences(text, "    Set Text1.Font = fonFont"), 2u);
    EXPECT_EQ(Occurrences(text, "    Set Text2.Font = fonFont"), 2u);
    EXPECT_EQ(Occurrences(text, "Set Font = PropBag.ReadProperty"), 1u);

    ASSERT_EQ(wizard_.BuildProcedures({0, 0, 0}, items, "Text1"), 0);
    ASSERT_EQ(wizard_.BuildProcedures({0, 0, 0}, items, "Text2"), 0);
    EXPECT_EQ(ModuleText(), text);
}

TEST_F(PersistenceTest, OffByDefault) {
    EXPECT_FALSE(wizard_.PersistPropertyValues());
    ASSERT_EQ(wizard_.BuildProcedures({0}, {"Caption As String"}, "Text1"), 0);
    EXPECT_EQ(ModuleText().find("PropBag"), std::string::npos);
}

}  // namespace
}  // namespace qfw
