// The declared listing: component classes by their type flags, items from
// the interfaces they declare. Scripted event streams for the rules, and
// libraries compiled from our IDL laid out as Visual Basic lays them out.
#include <gtest/gtest.h>

#include <memory>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "browser/read_items.h"
#include "platform/vb_error.h"
#include "scripted_control.h"

namespace qfw {
namespace {

using test::Class;
using test::Event;
using test::Func;
using test::Param;
using test::ScriptedControl;
using test::Type;
using test::Var;

using Strings = std::vector<std::string>;
using Tags = std::vector<int32_t>;

constexpr uint16_t kCreate = kTypeFlagCanCreate;
constexpr uint16_t kDefault = kImplTypeFlagDefault;
constexpr uint16_t kSource = kImplTypeFlagSource;
constexpr int32_t kClassTag = kTypeInfoCoclass * 65536;

const std::string kFixtures = std::string(QFW_FIXTURES) + "/typelib/";
const std::string kData = std::string(QFW_DATA_DIR) + "/";

// Lists the shared browser's library by `code`; the interface texts.
Strings List(int16_t code, const std::string& file = "test.tlb") {
    Browser& browser = SharedBrowser();
    std::string info;
    browser.GetControlInfo(file, code, info);
    Strings interfaces;
    browser.GetInterfaces(interfaces);
    return interfaces;
}

Strings ListScripted(const std::vector<Event>& stream, int16_t code = kInfoDeclaredInterfaces) {
    SharedBrowser().BrowserControl(std::make_shared<ScriptedControl>(stream));
    return List(code);
}

TEST(DeclaredListing, ListsCreatableClassesByTheirFlagsHiddenOnesLast) {
    struct Case {
        const char* what;
        std::vector<Event> stream;
        Strings interfaces;
        Tags tags;
    };
    const Case cases[] = {
        {"creatable classes in library order, hidden ones after the others",
         {Class(0, "A", "a", kCreate, {}), Class(1, "Page", "p", kCreate | kTypeFlagHidden, {}),
          Type(4, 2, "_B"), Class(3, "B", "", kCreate | 0x20, {{2, kDefault}}),
          Class(4, "Help", "h", kCreate | kTypeFlagHidden, {})},
         {"A - a", "B - ", "Page - p", "Help - h"},
         {kClassTag + 0, kClassTag + 3, kClassTag + 1, kClassTag + 4}},
        {"a class that cannot be created is left out, wherever it stands",
         {Type(4, 0, "_D"), Type(4, 1, "_E"),
          Class(2, "Made", "", 0, {{0, kDefault}, {1, kDefault | kSource}})},
         {},
         {}},
        {"a control that reports no type flags lists nothing",
         {Type(4, 0, "_D"), Type(4, 1, "_E"), Type(5, 2, "Ctl", "Doc")},
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ListScripted(c.stream), c.interfaces);
        EXPECT_EQ(SharedBrowser().InterfaceTags(), c.tags);
    }
    Strings none;
    EXPECT_EQ(SharedBrowser().GetInterfaces(none), kErrSubscriptOutOfRange);
}

TEST(DeclaredListing, ItemsComeFromTheDeclaredInterfacesWhereverTheyStand) {
    struct Case {
        const char* what;
        std::vector<Event> stream;
        Items items;
    };
    const Case cases[] = {
        {"default interface after its class, source interface before it; the items pass "
         "through the member extraction",
         {Type(4, 0, "__Ctl"), Func("Fired"), Param("Count", "Long"),
          Class(1, "Ctl", "", kCreate, {{2, kDefault}, {0, kDefault | kSource}}),
          Type(4, 2, "_Ctl"), Func("QueryInterface"), Func("Caption", "String"), Func("Caption"),
          Param(""), Func("Go"), Param("Fast", "Boolean"), Func("_Hidden")},
         {{"Caption As String"}, {"Go (Fast As Boolean) "}, {"Fired (Count As Long) "}}},
        {"the interfaces flagged default are chosen, not the first ones",
         {Type(4, 0, "_Other"), Func("Other"), Type(4, 1, "_Ctl"), Var("Size", "Long"),
          Type(4, 2, "_Outgoing"), Func("Outgoing"), Type(4, 3, "__Ctl"), Func("Done"),
          Class(4, "Ctl", "", kCreate,
                {{0, 0}, {2, kSource}, {1, kDefault}, {3, kDefault | kSource}})},
         {{"Size As Long"}, {}, {"Done () "}}},
        {"without a default flag, the first interface of each role",
         {Type(3, 0, "ICtl"), Func("Go"), Type(3, 1, "IMore"), Func("More"), Type(4, 2, "Ev"),
          Func("Done"), Class(3, "Ctl", "", kCreate, {{0, 0}, {1, 0}, {2, kSource}})},
         {{}, {"Go () "}, {"Done () "}}},
        {"a class without a source interface has no events; other types end an interface",
         {Type(4, 0, "_Ctl"), Func("Go"), Type(0, 1, "Shade"), Var("shDark", "Long"),
          Type(4, 2, "_Unrelated"), Func("Away"), Class(3, "Ctl", "", kCreate, {{0, kDefault}})},
         {{}, {"Go () "}, {}}},
        {"interfaces of another library give no items",
         {Type(4, 0, "_Local"), Func("Go"),
          Class(1, "Ctl", "", kCreate, {{-1, kDefault}, {-1, kDefault | kSource}})},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(ListScripted(c.stream).size(), 1u);
        EXPECT_EQ(ReadItems(SharedBrowser(), 0), c.items);
        EXPECT_EQ(ReadItems(SharedBrowser(), 0), c.items);  // read again: the same
    }
}

TEST(DeclaredListing, PositionalListingAfterADeclaredOneIsItsOwn) {
    const std::vector<Event> stream = {
        Type(4, 0, "_Ctl"),
        Var("Size", "Long"),
        Type(4, 1, "__Ctl"),
        Func("Done"),
        Class(2, "Ctl", "c", kCreate, {{0, kDefault}, {1, kDefault | kSource}}),
        Type(4, 3, "_Tool"),
        Func("Use"),
        Class(4, "Tool", "t", kCreate, {{3, kDefault}})};
    EXPECT_EQ(ListScripted(stream), (Strings{"Ctl - c", "Tool - t"}));
    EXPECT_EQ(ReadItems(SharedBrowser(), 1), (Items{{}, {"Use () "}, {}}));

    EXPECT_EQ(ListScripted(stream, kInfoInterfaces), Strings{"Ctl - c"});
    EXPECT_EQ(SharedBrowser().InterfaceTags(), Tags{kTypeInfoDispatch * 65536 + 2});
    EXPECT_EQ(ReadItems(SharedBrowser(), 0), (Items{{"Size As Long"}, {}, {"Done () "}}));
    EXPECT_THROW(ReadItems(SharedBrowser(), 1), VbError);
}

TEST(DeclaredListing, ClassIndexBeyond16BitsOverflows) {
    try {
        ListScripted({Class(40000, "Far", "", kCreate, {})});
        FAIL() << "no overflow";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), kErrOverflow);
    }
}

// Real libraries, read through the browser control.
class DeclaredLibraries : public ::testing::Test {
  protected:
    void SetUp() override { SharedBrowser().BrowserControl(std::make_shared<Qfnrws>()); }
};

// QuillEdit of the example compiled as a Visual Basic UserControl: the
// positional listing finds nothing, the declared one finds the control with
// the example control's items (and one more).
TEST_F(DeclaredLibraries, VisualBasicUserControlIsListedWithItsItems) {
    const std::string file = kFixtures + "vbedit.ocx";
    EXPECT_TRUE(List(kInfoInterfaces, file).empty());
    EXPECT_EQ(List(kInfoDeclaredInterfaces, file), Strings{"QuillEdit - Quill edit field"});
    EXPECT_EQ(SharedBrowser().InterfaceTags(), Tags{kClassTag + 4});
    EXPECT_EQ(ReadItems(SharedBrowser(), 0),
              (Items{{"Caption As String", "Text As String", "Value As Long", "Min As Long",
                      "Max As Long", "Font As StdFont", "BackColor As Long", "ForeColor As Long",
                      "Enabled As Boolean", "Locked As Boolean", "MaxLength As Long",
                      "SelStart As Long", "hWnd As Long"},
                     {"Refresh () ", "SetFocus () ", "Reset () ",
                      "Move (ByVal Left As Single, ByVal Top, ByVal Width, ByVal Height) ",
                      "GetLineCount () As Long", "History () As Object"},
                     {"Click () ", "Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) ",
                      "KeyPress (KeyAscii As Integer) ", "Scroll () "}}));
}

TEST_F(DeclaredLibraries, VisualBasicProjectListsItsCreatableClasses) {
    const std::string file = kFixtures + "vbctls.ocx";
    // Eight dispatch types precede the first class, which cannot be created.
    EXPECT_EQ(List(kInfoInterfaces, file), Strings{"Reading - "});
    EXPECT_EQ(List(kInfoDeclaredInterfaces, file),
              (Strings{"Gauge - Gauge control", "Knob - ", "Formatter - Number formatter",
                       "KnobPage - Knob property page"}));
    const Items expected[] = {
        {{"Caption As String", "Style As GaugeCtls.GaugeStyle"},
         {"Level () As Long", "Clear () "},
         {"Click () ", "Overflow (Cancel As Boolean) "}},
        // The base interface's members first.
        {{"Value As Long", "Detents As Integer"},
         {"Reset () ", "Spin (ByVal Turns As Long) As Long"},
         {"Turned (Position As Long) ", "Click () "}},
        {{"Digits As Integer"}, {"Format (ByVal Value As Double) As String"}, {}},
        {{}, {"Apply () "}, {}},
    };
    for (int16_t i = 0; i < 4; ++i)
        EXPECT_EQ(ReadItems(SharedBrowser(), i), expected[i]) << i;
}

// Where the positional rule finds a control, the declared listing finds it
// too, with the same items.
TEST_F(DeclaredLibraries, AgreeWithThePositionalListingWhereThatFindsTheControls) {
    const std::string examples = std::string(QFW_EXAMPLES) + "/LabeledEdit/";
    for (const std::string& file :
         {kFixtures + "quilltest32.ocx", kFixtures + "vbview.tlb", kFixtures + "vbimport.tlb",
          kData + "VB6.OLB", kData + "VB6EXT.OLB", examples + "QUILLEDIT.OCX",
          examples + "QUILLDIAL.OCX"}) {
        SCOPED_TRACE(file);
        const Strings positional = List(kInfoInterfaces, file);
        std::vector<Items> positionalItems;
        for (size_t i = 0; i < positional.size(); ++i)
            positionalItems.push_back(ReadItems(SharedBrowser(), static_cast<int16_t>(i)));

        const Strings declared = List(kInfoDeclaredInterfaces, file);
        ASSERT_FALSE(positional.empty());
        for (size_t i = 0; i < positional.size(); ++i) {
            const auto found = std::find(declared.begin(), declared.end(), positional[i]);
            ASSERT_NE(found, declared.end()) << positional[i];
            EXPECT_EQ(ReadItems(SharedBrowser(), static_cast<int16_t>(found - declared.begin())),
                      positionalItems[i])
                << positional[i];
        }
    }
}

}  // namespace
}  // namespace qfw
