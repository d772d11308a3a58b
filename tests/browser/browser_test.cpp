// The Browser's algorithms, driven by hand-written TypeInfo event streams.
#include "browser/browser.h"

#include <gtest/gtest.h>

#include <memory>

#include "browser/read_items.h"
#include "platform/vb_error.h"
#include "scripted_control.h"

namespace qfw {
namespace {

using test::Event;
using test::Func;
using test::Param;
using test::ScriptedControl;
using test::Type;
using test::Var;

using Strings = std::vector<std::string>;

// Lists the interfaces of a scripted library through a fresh browser.
Strings ListInterfaces(const std::vector<Event>& events, Browser& browser) {
    browser.BrowserControl(std::make_shared<ScriptedControl>(events));
    std::string info;
    EXPECT_EQ(browser.GetControlInfo("test.tlb", kInfoInterfaces, info), 0);
    EXPECT_EQ(info, "TestLib|Test library");
    Strings list;
    browser.GetInterfaces(list);
    return list;
}

// Items of the one control of a library laid out as dispatch, events, coclass.
Items ItemsOf(const std::vector<Event>& members, const std::vector<Event>& events = {}) {
    std::vector<Event> stream{Type(4, 0, "_Ctl")};
    stream.insert(stream.end(), members.begin(), members.end());
    stream.push_back(Type(4, 1, "_CtlEvents"));
    stream.insert(stream.end(), events.begin(), events.end());
    stream.push_back(Type(5, 2, "Ctl", "A control"));
    Browser browser;
    EXPECT_EQ(ListInterfaces(stream, browser), Strings{"Ctl - A control"});
    return ReadItems(browser, 0);
}

struct ListingCase {
    const char* what;
    std::vector<Event> stream;
    Strings interfaces;
    std::vector<int32_t> tags;
};

TEST(BrowserInterfaceList, ListsComponentClassesByTheirNeighbours) {
    const ListingCase cases[] = {
        {"two dispatch types before",
         {Type(4, 0, "_D"), Type(4, 1, "_E"), Type(5, 2, "Ctl", "Doc")},
         {"Ctl - Doc"},
         {4 * 65536 + 2}},
        {"three dispatch types before",
         {Type(4, 0, "_A"), Type(4, 1, "_D"), Type(4, 2, "_E"), Type(5, 3, "Ctl", "Doc")},
         {"Ctl - Doc"},
         {4 * 65536 + 3}},
        {"two interface types after",
         {Type(5, 0, "Ctl", "Doc"), Type(3, 1, "I"), Type(3, 2, "IEv")},
         {"Ctl - Doc"},
         {3 * 65536 + 0}},
        {"empty help string",
         {Type(4, 0, "_D"), Type(4, 1, "_E"), Type(5, 2, "Ctl")},
         {"Ctl - "},
         {4 * 65536 + 2}},
        {"one dispatch before, one interface after",
         {Type(4, 0, "_D"), Type(5, 1, "Ctl", "Doc"), Type(3, 2, "I")},
         {},
         {}},
        {"interfaces after the next class count for that class",
         {Type(5, 0, "A", "a"), Type(3, 1, "I"), Type(5, 2, "B", "b"), Type(3, 3, "J"),
          Type(3, 4, "K")},
         {"B - b"},
         {3 * 65536 + 2}},
        {"other kinds neither count nor reset",
         {Type(4, 0, "_D"), Type(0, 1, "Enum"), Type(6, 2, "Alias"), Type(4, 3, "_E"),
          Type(5, 4, "Ctl", "Doc")},
         {"Ctl - Doc"},
         {4 * 65536 + 4}},
        {"members do not disturb the counters",
         {Type(4, 0, "_D"), Func("Click"), Param("X", "Long"), Var("Caption", "String"),
          Type(4, 1, "_E"), Type(5, 2, "Ctl", "Doc"), Type(4, 3, "_D2"), Type(4, 4, "_E2"),
          Type(5, 5, "Ctl2", "Doc2")},
         {"Ctl - Doc", "Ctl2 - Doc2"},
         {4 * 65536 + 2, 4 * 65536 + 5}},
    };
    for (const ListingCase& c : cases) {
        SCOPED_TRACE(c.what);
        Browser browser;
        EXPECT_EQ(ListInterfaces(c.stream, browser), c.interfaces);
        EXPECT_EQ(browser.InterfaceTags(), c.tags);
        EXPECT_EQ(browser.InterfaceCount(), static_cast<int16_t>(c.interfaces.size()));
        EXPECT_EQ(browser.Operation(), 0);
    }
}

TEST(BrowserInterfaceList, AnEmptyListIsReportedAsSubscriptOutOfRange) {
    Browser browser;
    ListInterfaces({Type(4, 0, "_D"), Type(5, 1, "Ctl", "Doc"), Type(3, 2, "I")}, browser);
    Strings list{"stale"};
    EXPECT_EQ(browser.GetInterfaces(list), kErrSubscriptOutOfRange);
    EXPECT_TRUE(list.empty());
}

TEST(BrowserInterfaceList, ATypeIndexBeyond16BitsOverflows) {
    Browser browser;
    browser.BrowserControl(std::make_shared<ScriptedControl>(
        std::vector<Event>{Type(4, 40000, "_D"), Type(4, 40001, "_E"), Type(5, 40002, "Ctl")}));
    std::string info;
    try {
        browser.GetControlInfo("big.tlb", kInfoInterfaces, info);
        FAIL() << "no overflow";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), kErrOverflow);
    }
}

TEST(BrowserInterfaceList, ASecondBrowserClearsTheCountersTheEventsUse) {
    // The first library ends with two dispatch types after its last class;
    // listing the next one through another browser object starts afresh.
    Browser shared, engine;
    ListInterfaces({Type(5, 0, "A"), Type(4, 1, "_X"), Type(4, 2, "_Y")}, shared);
    EXPECT_EQ(ListInterfaces({Type(5, 0, "B", "b")}, engine), Strings{});
}

TEST(BrowserMembers, ASecondBrowserClearsTheFlagsTheEventsUse) {
    // Reading interface kind 3 leaves the inside flag set at the end of the
    // library; the next read, through another browser, must not collect the
    // members before its own interface.
    Browser shared, engine;
    const std::vector<Event> stream{Type(4, 0, "_A"),     Func("Early"),        Type(4, 1, "_AEv"),
                                    Type(5, 2, "A", "a"), Type(5, 3, "P", "p"), Type(3, 4, "IP"),
                                    Func("Go"),           Type(3, 5, "IPEv")};
    ListInterfaces(stream, shared);
    EXPECT_EQ(ReadItems(shared, 1).methods, Strings{"Go () "});
    engine.BrowserControl(shared.BrowserControl());
    EXPECT_EQ(ReadItems(engine, 0).methods, Strings{"Early () "});
}

TEST(BrowserMembers, DispatchLayoutGivesPropertiesMethodsAndEvents) {
    const Items items = ItemsOf({Var("Caption", "String"), Func("Move"), Param("Left", "Single"),
                                 Param("Top", "None"), Func("Refresh")},
                                {Func("Click"), Func("KeyPress"), Param("KeyAscii", "Integer")});
    EXPECT_EQ(items.properties, Strings{"Caption As String"});
    EXPECT_EQ(items.methods, (Strings{"Move (Left As Single, Top) ", "Refresh () "}));
    EXPECT_EQ(items.events, (Strings{"Click () ", "KeyPress (KeyAscii As Integer) "}));
}

TEST(BrowserMembers, AccessorPairsBecomeOneProperty) {
    struct Case {
        const char* what;
        std::vector<Event> members;
        Strings properties;
        Strings methods;
    };
    const Case cases[] = {
        {"getter then setter",
         {Func("Caption", "String"), Func("Caption", "None"), Param("", "String")},
         {"Caption As String"},
         {}},
        {"setter then getter",
         {Func("Caption", "None"), Param("", "String"), Func("Caption", "String")},
         {"Caption", "Caption As String"},
         {}},
        {"a name that begins with the next one",
         {Func("Refresh"), Func("Ref", "None")},
         {"Refresh"},
         {}},
        {"a typed next function wins",
         {Func("Value", "None"), Func("Value", "Long")},
         {"Value As Long"},
         {}},
        {"blank parameter name",
         {Func("Item", "String"), Param("Index", "Long"), Param("  ", "String"),
          Param("Extra", "Long")},
         {"Item As String"},
         {}},
        {"a method whose name is no prefix of the next",
         {Func("Clear"), Func("Move"), Param("Left", "Single")},
         {},
         {"Clear () ", "Move (Left As Single) "}},
        {"function with a result",
         {Func("Point", "Long"), Param("X", "Single"), Param("Y", "Single")},
         {},
         {"Point (X As Single, Y As Single) As Long"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Items items = ItemsOf(c.members);
        EXPECT_EQ(items.properties, c.properties);
        EXPECT_EQ(items.methods, c.methods);
        EXPECT_TRUE(items.events.empty());
    }
}

TEST(BrowserMembers, TypesOutsideTheKnownSetAreStoredAsLong) {
    const Items items = ItemsOf({Var("A", "Variant"), Var("B", "Date"), Var("C", "OLE_COLOR"),
                                 Var("D", "Byte"), Var("E", "Currency"), Var("F", "Object"),
                                 Var("G", "string"), Var("H", ""), Var("I", "MSComctlLib.Button")});
    EXPECT_EQ(items.properties,
              (Strings{"A As Variant", "B As Date", "C As Long", "D As Byte", "E As Currency",
                       "F As Object", "G As Long", "H", "I As Long"}));
}

TEST(BrowserMembers, ObjectAndEnumerationTypesTheControlNamesAreKept) {
    const Items items =
        ItemsOf({Named(Var("Source", "Control")), Named(Func("Item", "MSComctlLib.ListItem")),
                 Named(Param("ByVal Button", "MSComctlLib.Button")), Func("Drop"),
                 Named(Param("Data", "DataObject"))});
    EXPECT_EQ(items.properties, Strings{"Source As Control"});
    EXPECT_EQ(items.methods,
              (Strings{"Item (ByVal Button As MSComctlLib.Button) As MSComctlLib.ListItem",
                       "Drop (Data As DataObject) "}));
}

TEST(BrowserMembers, InterfacePlumbingAndUnderscoreNamesNeverBecomeItems) {
    const Items items =
        ItemsOf({Func("QueryInterface"), Param("riid", "Long"), Func("AddRef", "Long"),
                 Func("Release", "Long"), Func("GetTypeInfoCount"), Func("GetTypeInfo"),
                 Func("GetIDsOfNames"), Func("Invoke"), Var("_Default", "String"),
                 Func("_NewEnum", "Object"), Func("Show")});
    EXPECT_TRUE(items.properties.empty());
    EXPECT_EQ(items.methods, Strings{"Show () "});
}

TEST(BrowserMembers, InterfaceKindReadsTheTwoInterfacesAfterTheClass) {
    Browser browser;
    ListInterfaces({Type(4, 0, "_Other"), Func("NotMine"), Type(5, 1, "Ctl", "Doc"),
                    Type(3, 2, "ICtl"), Func("Reset"), Var("Count", "Long"), Type(3, 3, "ICtlEv"),
                    Func("Resized"), Param("Width", "Long"), Type(3, 4, "IAfter"), Func("Later")},
                   browser);
    const Items items = ReadItems(browser, 0);
    EXPECT_EQ(items.properties, Strings{"Count As Long"});
    EXPECT_EQ(items.methods, Strings{"Reset () "});
    EXPECT_EQ(items.events, Strings{"Resized (Width As Long) "});
}

TEST(BrowserMembers, ReadingTwiceGivesTheSameItems) {
    Browser browser;
    ListInterfaces({Type(4, 0, "_A"), Var("Caption", "String"), Type(4, 1, "_AEv"), Func("Click"),
                    Type(5, 2, "A", "a"), Type(4, 3, "_B"), Func("Go"), Type(4, 4, "_BEv"),
                    Type(5, 5, "B", "b")},
                   browser);
    const Items first = ReadItems(browser, 1);
    const Items second = ReadItems(browser, 1);
    EXPECT_EQ(first.methods, Strings{"Go () "});
    EXPECT_EQ(second.methods, first.methods);
    EXPECT_TRUE(second.properties.empty());
    EXPECT_EQ(ReadItems(browser, 0).properties, Strings{"Caption As String"});
    EXPECT_EQ(browser.Operation(), 1);
    EXPECT_EQ(browser.InterfaceCount(), 0);
}

TEST(BrowserMembers, AnIndexOutsideTheListRaisesSubscriptOutOfRange) {
    Browser browser;
    ListInterfaces({Type(4, 0, "_A"), Type(4, 1, "_AEv"), Type(5, 2, "A")}, browser);
    for (const int16_t index : {int16_t{1}, int16_t{-1}}) {
        browser.InterfaceIndex(index);
        std::string info;
        try {
            browser.GetControlInfo("", kInfoMembers, info);
            ADD_FAILURE() << "no error for " << index;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), kErrSubscriptOutOfRange);
        }
    }
}

TEST(BrowserSharedState, EveryBrowserSeesTheSharedCollection) {
    Browser engineBrowser;
    ListInterfaces({Type(4, 0, "_A"), Type(4, 1, "_AEv"), Type(5, 2, "A", "a")}, engineBrowser);
    Strings viaShared;
    EXPECT_EQ(SharedBrowser().GetInterfaces(viaShared), 0);
    EXPECT_EQ(viaShared, Strings{"A - a"});
    SharedBrowser().InterfaceIndex(0);
    EXPECT_EQ(engineBrowser.InterfaceIndex(), 0);
    engineBrowser.AddSelectedInterfaces({"A - a"});
    EXPECT_EQ(SharedBrowser().SelectedInterfaces(), Strings{"A - a"});

    // Each browser fills its own record.
    // The shared browser keeps referring to its record after this test.
    static objControl spec;
    SharedBrowser().ControlObject(spec);
    ReadItems(engineBrowser, 0);
    EXPECT_EQ(spec.PropertyCount(), 0);
}

TEST(BrowserSharedState, LibraryInformationAndUnknownCodes) {
    Browser browser;
    auto control = std::make_shared<ScriptedControl>(std::vector<Event>{});
    browser.BrowserControl(control);
    std::string info = "unchanged";
    EXPECT_EQ(browser.GetControlInfo("x.ocx", 7, info), 0);
    EXPECT_EQ(info, "unchanged");
    EXPECT_EQ(browser.GetControlInfo("x.ocx", kInfoLibrary, info), 0);
    EXPECT_EQ(info, "TestLib|Test library");
    EXPECT_EQ(control->TypeLibName(), "x.ocx");
    EXPECT_EQ(control->enumerations, 0);
}

TEST(BrowserSharedState, WithoutAControlOperationsRaiseObjectNotSet) {
    Browser browser;
    std::string info;
    try {
        browser.GetControlInfo("x.ocx", kInfoLibrary, info);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), kErrObjectNotSet);
    }
}

TEST(BrowserSharedState, EraseArrayEmptiesAnyArray) {
    std::vector<int32_t> numbers{1, 2};
    Strings texts{"a"};
    Browser::EraseArray(numbers);
    Browser::EraseArray(texts);
    EXPECT_TRUE(numbers.empty());
    EXPECT_TRUE(texts.empty());
}

}  // namespace
}  // namespace qfw
