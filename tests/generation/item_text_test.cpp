#include "generation/item_text.h"

#include <gtest/gtest.h>

#include <string>

#include "generation/code_templates.h"
#include "generation/generation_fixture.h"
#include "platform/vb_error.h"

namespace qfw::generation {
namespace {

TEST(ItemText, NameParametersAndTypeComeFromPlainSearches) {
    struct Case {
        std::string text, name, parameters;
    };
    const Case cases[] = {
        {"Caption As String", "Caption", ""},
        {"Click () ", "Click", ""},
        {"Move (Left As Single, Top As Variant) ", "Move", "Left As Single, Top As Variant"},
        {"KeyDown (KeyCode As Integer, Shift As Integer) ", "KeyDown",
         "KeyCode As Integer, Shift As Integer"},
        {"GetCount () As Long", "GetCount", ""},
        {" Lead As Long", "", ""},  // a leading blank leaves no name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ItemName(c.text), c.name) << c.text;
        EXPECT_EQ(ItemParameters(c.text), c.parameters) << c.text;
    }
}

TEST(ItemText, MalformedTextsAreInvalidCalls) {
    for (const char* text : {"Caption", "Broken (x As Long"}) {
        try {
            (void)ItemName(text);
            (void)ItemParameters(text);
            ADD_FAILURE() << text;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), kErrInvalidProcedureCall) << text;
        }
    }
}

TEST(ItemText, TypeStartsThreeCharactersAfterTheFirstAs) {
    // "As" inside a name is found first: the type then starts inside the name.
    EXPECT_EQ(TypeAfterAs("Caption As String", FindText("Caption As String", "As")), "String");
    EXPECT_EQ(TypeAfterAs("AsyncMode As Long", FindText("AsyncMode As Long", "As")),
              "ncMode As Long");
    EXPECT_EQ(TypeAfterAs("Value As", FindText("Value As", "As")), "");
}

TEST(ItemText, TypeTokenRulesInOrder) {
    struct Case {
        std::string procedure, type, token;
    };
    const Case cases[] = {
        {"Font", "StdFont", "fon"}, {"ForeColor", "Long", "col"}, {"FontColor", "Long", "fon"},
        {"Value", "Byte", "byt"},   {"Value", "Boolean", "b"},    {"Value", "Integer", "i"},
        {"Value", "Long", "l"},     {"Value", "Single", "b"},     {"Value", "Double", "d"},
        {"Value", "Currency", "c"}, {"Value", "Date", "dt"},      {"Value", " string ", "s"},
        {"Value", "Variant", "v"},  {"Value", "OLE_COLOR", ""},   {"Value", "Picture", ""},
        {"Value", "", ""},          {"backcolor", "Long", "col"}, {"MyFONTSize", "Integer", "fon"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypeToken(c.procedure, c.type), c.token) << c.procedure << " / " << c.type;
    }
}

TEST(ItemText, SimpleTypesAreSubstringsOfTheList) {
    for (const char* type : {"", "String", " long ", "OLE_COLOR", "Variant", "INT"}) {
        EXPECT_TRUE(IsSimpleType(type)) << type;
    }
    for (const char* type : {"Font", "StdFont", "Picture", "Object"}) {
        EXPECT_FALSE(IsSimpleType(type)) << type;
    }
}

TEST(ItemText, RaiseEventArgumentsKeepTheBlankAfterEachComma) {
    struct Case {
        std::string parameters, arguments;
    };
    const Case cases[] = {
        {"", ""},
        {"KeyCode As Integer, Shift As Integer", "KeyCode,  Shift"},
        {"Button As Integer, Shift As Integer, X As Single, Y As Single", "Button,  Shift,  X,  Y"},
        {"Index As Integer", "Index"},
        {"Left As Single, Top", "Left, "},  // an untyped parameter has no "As "
        {"ByVal Cancel As Boolean", "ByVal Cancel"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RaiseEventArguments(c.parameters), c.arguments);
}

TEST(ItemText, FirstParameterNameEndsAtTheFirstBlank) {
    EXPECT_EQ(FirstParameterName("Left As Single, Top As Variant"), "Left");
    EXPECT_EQ(FirstParameterName("x"), "x");
}

TEST(CodeTemplates, CaptionPropertyMatchesTheGoldenBlock) {
    ProcedureParts caption{"Caption", "", "String", "s", false};
    EXPECT_EQ(JoinLines(PropertyBlock(caption, "Text1", "12/3/2026")),
              FixtureBytes("property_caption.golden"));
}

TEST(CodeTemplates, MethodBodiesByParametersAndType) {
    struct Case {
        ProcedureParts item;
        std::string header, body, end;
    };
    const Case cases[] = {
        {{"Move", "Left As Single, Top", "", "", false},
         "Public Sub Move(Left As Single, Top)",
         "    Text1.Move(Left)",
         "End Sub"},
        {{"Refresh", "", "", "", false}, "Public Sub Refresh", "    Text1.Refresh", "End Sub"},
        {{"GetCount", "", "Long", "l", false},
         "Public Function GetCount",
         "    GetCount = Text1.GetCount( )",
         "End Function"},
        {{"FindFont", "Name As String", "Font", "fon", true},
         "Public Function FindFont(Name As String)",
         "    FindFont = Text1.FindFont(Name)",
         "End Function"},
        {{"Blank", "", " ", "", false}, "Public Function Blank", "    Text1.Blank", "End Function"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = MethodBlock(c.item, "Text1", "12/3/2026");
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(lines[0], c.header);
        EXPECT_EQ(lines[2], "    'Added by Quillfern Constituent Wizard 12/3/2026");
        EXPECT_EQ(lines[3], c.body);
        EXPECT_EQ(lines[5], c.end);
    }
}

TEST(CodeTemplates, PropertyWithParametersHasNoValueParameter) {
    ProcedureParts list{"List", "Index As Integer", "String", "s", false};
    std::vector<std::string> lines = PropertyBlock(list, "List1", "1/2/2027");
    EXPECT_EQ(lines[0], "Public Property Let List(Index As Integer)");
    EXPECT_EQ(lines[3], "    List1.List = sList");
    EXPECT_EQ(lines[8], "Public Property Get List() As String");
}

}  // namespace
}  // namespace qfw::generation
