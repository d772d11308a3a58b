#include "generation/item_text.h"

#include <gtest/gtest.h>

#include <string>

#include "generation/code_templates.h"
#include "platform/vb_error.h"

namespace qfw::generation {
namespace {

TEST(ItemText, NamesAndParametersOfUnusualTexts) {
    EXPECT_EQ(ItemName(" Lead As Long"), "");  // a leading blank leaves no name
    EXPECT_EQ(ItemParameters("Caption As String"), "");
    // No blank after the name, or no ")" after the "(": invalid calls.
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

TEST(ItemText, TypeTokenRulesInOrder) {
    struct Case {
        std::string procedure, type, token;
    };
    const Case cases[] = {
        {"FontColor", "Long", "fon"}, {"backcolor", "Long", "col"}, {"Value", "Byte", "byt"},
        {"Value", "Integer", "i"},    {"Value", "Double", "d"},     {"Value", "Currency", "c"},
        {"Value", "Date", "dt"},      {"Value", " string ", "s"},   {"Value", "Variant", "v"},
        {"Value", "OLE_COLOR", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypeToken(c.procedure, c.type), c.token) << c.procedure << " / " << c.type;
    }
}

TEST(ItemText, TypeFollowsTheFirstAsOrTheParameterList) {
    struct Case {
        std::string item, type;
    };
    const Case cases[] = {
        {"Caption As String", "String"},
        {"AspectRatio As Single", "Single"},  // an "As" inside the name is no type
        {"Item (Index As Long) As String", "String"},
        {"Move (Left As Single, Top As Variant) ", ""},  // a method without a return value
        {"Items () As MSComctlLib.ListItems", "MSComctlLib.ListItems"},
        {"Click () ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ItemType(c.item), c.type) << c.item;
}

TEST(ItemText, ArgumentsOfParameterLists) {
    struct Case {
        std::string parameters, raiseEvent, call;
    };
    const Case cases[] = {
        {"Button As Integer, Shift As Integer, X As Single, Y As Single", "Button,  Shift,  X,  Y",
         "Button, Shift, X, Y"},
        // Untyped parameters are Variants: the whole piece is the name.
        {"Left As Single, Top", "Left,  Top", "Left, Top"},
        {"Cancel As Boolean, Reason", "Cancel,  Reason", "Cancel, Reason"},
        {"X, Y As Long", "X,  Y", "X, Y"},
        // Passing modes, defaults and array parentheses are no part of a name.
        {"ByVal Button As MSComctlLib.Button", "Button", "Button"},
        {"ByRef Cancel As Boolean, ByVal Count As Long", "Cancel,  Count", "Cancel, Count"},
        {"Optional ByVal Count As Long = 1, ParamArray Rest() As Variant", "Count,  Rest",
         "Count, Rest"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RaiseEventArguments(c.parameters), c.raiseEvent) << c.parameters;
        EXPECT_EQ(CallArguments(c.parameters), c.call) << c.parameters;
    }
}

TEST(CodeTemplates, MethodBodiesByParametersAndType) {
    struct Case {
        ProcedureParts item;
        std::string header, body, end;
    };
    const Case cases[] = {
        // Every argument is passed; several go without parentheses.
        {{"Move", "Left As Single, Top", "", "", false},
         "Public Sub Move(Left As Single, Top)",
         "    Text1.Move Left, Top",
         "End Sub"},
        {{"Refresh", "", "", "", false}, "Public Sub Refresh", "    Text1.Refresh", "End Sub"},
        // A single untyped parameter is its own name.
        {{"Scroll", "x", "", "", false}, "Public Sub Scroll(x)", "    Text1.Scroll(x)", "End Sub"},
        {{"GetCount", "", "Long", "l", false},
         "Public Function GetCount",
         "    GetCount = Text1.GetCount( )",
         "End Function"},
        {{"Span", "A As Long, B As Long", "Long", "l", false},
         "Public Function Span(A As Long, B As Long)",
         "    Span = Text1.Span(A, B)",
         "End Function"},
        // An object is returned with Set.
        {{"FindFont", "Name As String", "Font", "fon", true},
         "Public Function FindFont(Name As String)",
         "    Set FindFont = Text1.FindFont(Name)",
         "End Function"},
        {{"Items", "", "MSComctlLib.ListItems", "", true},
         "Public Function Items",
         "    Set Items = Text1.Items( )",
         "End Function"},
        {{"Blank", "", " ", "", false}, "Public Function Blank", "    Text1.Blank", "End Function"},
        // Passing keywords declare the parameter; the call names it alone.
        {{"Move", "ByVal Left As Single, ByVal Top", "", "", false},
         "Public Sub Move(ByVal Left As Single, ByVal Top)",
         "    Text1.Move Left, Top",
         "End Sub"},
        {{"Show", "Optional ByVal Modal", "", "", false},
         "Public Sub Show(Optional ByVal Modal)",
         "    Text1.Show(Modal)",
         "End Sub"},
        {{"Print", "ParamArray Items() As Variant", "", "", false},
         "Public Sub Print(ParamArray Items() As Variant)",
         "    Text1.Print(Items)",
         "End Sub"},
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

}  // namespace
}  // namespace qfw::generation
