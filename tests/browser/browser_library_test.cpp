// End to end: real libraries compiled from our IDL, read through the browser
// control and listed by the shared browser as the wizard's pages see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "browser/read_items.h"

namespace qfw {
namespace {

using Strings = std::vector<std::string>;

const std::string kFixtures = std::string(QFW_FIXTURES) + "/typelib/";
const std::string kData = std::string(QFW_DATA_DIR) + "/";

struct Listing {
    std::string info;
    Strings interfaces;
};

Listing List(const std::string& file) {
    Browser& browser = SharedBrowser();
    browser.BrowserControl(std::make_shared<Qfnrws>());
    Listing listing;
    browser.GetControlInfo(file, kInfoInterfaces, listing.info);
    browser.GetInterfaces(listing.interfaces);
    return listing;
}

TEST(BrowserLibraries, TestControlsListTheSameInEveryWrapping) {
    for (const char* file : {"quilltest.tlb", "quilltest32.ocx", "quilltest64.dll"}) {
        SCOPED_TRACE(file);
        const Listing listing = List(kFixtures + file);
        EXPECT_EQ(listing.info, "QuillTestLib|Quill test controls");
        EXPECT_EQ(listing.interfaces,
                  (Strings{"QuillGauge - Quill gauge control", "QuillEdit - Quill edit control",
                           "QuillPlain - Plain vtable control"}));
        EXPECT_EQ(SharedBrowser().InterfaceTags(),
                  (std::vector<int32_t>{4 * 65536 + 4, 4 * 65536 + 7, 3 * 65536 + 8}));

        const Items gauge = ReadItems(SharedBrowser(), 0);
        EXPECT_EQ(
            gauge.properties,
            (Strings{"Caption As String", "Value As Long", "BackColor As Long",
                     "BorderStyle As QuillTestLib.BorderStyleConstants", "LastReading As Date"}));
        EXPECT_EQ(SharedBrowser().EnumerationTypes(), Strings{"QuillTestLib.BorderStyleConstants"});
        EXPECT_EQ(gauge.methods,
                  (Strings{"Refresh () ", "Move (ByVal Left As Single, ByVal Top) ",
                           "SetRange (ByVal Min As Long, ByVal Max As Long) ",
                           "Average () As Double", "AboutBox () ", "Serial () As Long"}));
        EXPECT_EQ(gauge.events, (Strings{"Click () ", "Change (NewValue As Long) ",
                                         "Overflow (Cancel As Boolean, ByVal Reason) "}));

        const Items edit = ReadItems(SharedBrowser(), 1);
        EXPECT_EQ(edit.properties,
                  (Strings{"Text As String", "ForeColor As Long", "Font As Object",
                           "Line As String", "Border As QuillTestLib.BorderStyleConstants"}));
        EXPECT_EQ(
            edit.methods,
            (Strings{"ReadOnly () As Boolean", "Clear () ",
                     "Find (ByVal Target As String, ByVal Start, ByVal Flags As Long) As Long",
                     "Insert (ByVal Text As String, ByVal Position As Integer, "
                     "ByVal Cost As Currency, ByVal Code As Byte, ByVal Scale As Single) "}));
        EXPECT_EQ(edit.events, (Strings{"Change () ", "KeyPress (KeyAscii As Integer) ",
                                        "Validate (Cancel As Boolean) "}));

        const Items plain = ReadItems(SharedBrowser(), 2);
        EXPECT_TRUE(plain.properties.empty());
        EXPECT_EQ(plain.methods,
                  (Strings{"Reset () ", "Size (ByVal Width As Long, ByVal Height As Long) "}));
        EXPECT_EQ(plain.events, Strings{"Resized (ByVal Width As Long, ByVal Height As Long) "});
    }
}

// Every rule of how Visual Basic code declares members and types, on one
// library: vbview.idl says which declaration each item comes from.
TEST(BrowserLibraries, ItemsReadAsVisualBasicDeclaresThem) {
    const Listing listing = List(kFixtures + "vbview.tlb");
    EXPECT_EQ(listing.interfaces,
              (Strings{"View - View control", "Grid - Grid control", "Wrap - Wrapping control"}));

    const Items view = ReadItems(SharedBrowser(), 0);
    EXPECT_EQ(view.properties,
              (Strings{"Caption As String", "List As String", "Stamp As Date", "Tag As Variant",
                       "Level As Byte", "Count16 As Long", "Shading As ViewLib.Shade",
                       "Font As StdFont", "Height As Single"}));
    EXPECT_EQ(
        view.methods,
        (Strings{"Refresh () ", "ListCount () As Integer", "RowPos (ByVal Index As Long) As Long",
                 "hWnd () As Long", "FindButton (ByVal Key As String) As ViewLib.Button",
                 "Place (ByVal x As Long, Mode As Integer, ByVal Target As Object, "
                 "ByVal Data As Variant, ByVal Left As Single) ",
                 "ShadeAt (ByVal Row As Long) As ViewLib.Shade", "DefaultShade () As ViewLib.Shade",
                 "Pressed () As ViewLib.Button"}));
    // The enumeration among the named types, also behind its alias Tint;
    // the object types are not.
    EXPECT_EQ(SharedBrowser().EnumerationTypes(), Strings{"ViewLib.Shade"});
    EXPECT_EQ(view.events,
              (Strings{"Click () ", "KeyDown (KeyCode As Integer, Shift As Integer) ",
                       "MouseDown (Button As Integer, Shift As Integer, x As Single, y As Single) ",
                       "ButtonClick (ByVal Button As ViewLib.Button) ",
                       "OLEDragDrop (Data As ViewLib.DataObject, Effect As Long) ",
                       "BeforeClose (Cancel As Boolean, ByVal pDisp As Object, URL As Variant) ",
                       "MouseDownLate (ByVal Button As Integer, ByVal Shift As Integer) "}));

    const Items grid = ReadItems(SharedBrowser(), 1);
    EXPECT_EQ(grid.properties, (Strings{"Rows As Long", "Shading As ViewLib.Shade"}));
    EXPECT_EQ(SharedBrowser().EnumerationTypes(), Strings{"ViewLib.Shade"});
    EXPECT_EQ(grid.methods, (Strings{"Sort (ByVal Column As Long) ", "Cols () As Long"}));
    EXPECT_EQ(grid.events,
              Strings{"MouseUp (Button As Integer, Shift As Integer, x As Single, y As Single) "});

    const Items wrap = ReadItems(SharedBrowser(), 2);
    EXPECT_EQ(wrap.properties, (Strings{"Caption As String", "List As String"}));
    EXPECT_EQ(wrap.methods, (Strings{"Refresh () ", "ListCount () As Integer",
                                     "RowPos (ByVal Index As Long) As Long"}));
    // Each extraction reports its own interface's enumerations.
    EXPECT_TRUE(SharedBrowser().EnumerationTypes().empty());
}

TEST(BrowserLibraries, TypesOfAnImportedLibraryAreNamedByThatLibrary) {
    List(kFixtures + "vbimport.tlb");
    const Items host = ReadItems(SharedBrowser(), 0);
    EXPECT_EQ(host.properties, (Strings{"Shading As ViewLib.Shade", "Inner As ViewLib.View"}));
    EXPECT_EQ(host.methods,
              Strings{"Press (ByVal Button As ViewLib.Button, ByVal Level As ViewLib.Shade) "});
    EXPECT_EQ(host.events, Strings{"Dropped (Data As ViewLib.DataObject) "});
    EXPECT_EQ(SharedBrowser().EnumerationTypes(), Strings{"ViewLib.Shade"});
}

TEST(BrowserLibraries, IntrinsicControlsListEveryControlWithItsName) {
    const Listing listing = List(kData + "VB6.OLB");
    EXPECT_EQ(listing.info, "VB|Visual Basic objects and procedures");
    Strings names;
    for (const std::string& text : listing.interfaces)
        names.push_back(text.substr(0, text.find(" - ")));
    EXPECT_EQ(names,
              (Strings{"TextBox",      "Label",      "CommandButton", "CheckBox", "OptionButton",
                       "ComboBox",     "ListBox",    "PictureBox",    "Frame",    "HScrollBar",
                       "VScrollBar",   "Timer",      "Image",         "Shape",    "Line",
                       "DriveListBox", "DirListBox", "FileListBox",   "Data",     "Menu"}));

    const Items textBox = ReadItems(SharedBrowser(), 0);
    EXPECT_EQ(textBox.properties.size(), 49u);
    const auto has = [](const Strings& list, const std::string& item) {
        return std::find(list.begin(), list.end(), item) != list.end();
    };
    for (const char* item : {"Text As String", "MaxLength As Long", "BackColor As Long",
                             "Font As StdFont", "DragIcon As StdPicture", "Left As Single"})
        EXPECT_TRUE(has(textBox.properties, item)) << item;
    // Read-only at run time: functions, which code calls but never assigns.
    for (const char* item : {"hWnd () As Long", "Name () As String", "Parent () As Object",
                             "MultiLine () As Boolean", "SetFocus () "})
        EXPECT_TRUE(has(textBox.methods, item)) << item;
    EXPECT_TRUE(has(textBox.methods,
                    "Move (ByVal Left As Single, ByVal Top, ByVal Width, "
                    "ByVal Height) "));
    EXPECT_FALSE(has(textBox.methods, "AddItem (Item As String, Index) "));  // hidden
    EXPECT_EQ(textBox.events.size(), 24u);
    EXPECT_TRUE(has(textBox.events, "KeyDown (KeyCode As Integer, Shift As Integer) "));
    EXPECT_TRUE(has(textBox.events, "Validate (Cancel As Boolean) "));
    EXPECT_TRUE(has(textBox.events, "DragDrop (Source As Control, X As Single, Y As Single) "));
    EXPECT_TRUE(has(textBox.events,
                    "OLEDragDrop (Data As DataObject, Effect As Long, Button As Integer, "
                    "Shift As Integer, X As Single, Y As Single) "));

    const Items listBox = ReadItems(SharedBrowser(), 6);
    EXPECT_TRUE(has(listBox.methods, "ListCount () As Integer"));
    EXPECT_FALSE(has(listBox.properties, "ListCount As Integer"));

    const Items menu = ReadItems(SharedBrowser(), 19);
    EXPECT_EQ(menu.properties,
              (Strings{"Caption As String", "Checked As Boolean", "Enabled As Boolean",
                       "HelpContextID As Long", "Tag As String", "Visible As Boolean"}));
    EXPECT_EQ(menu.methods, (Strings{"Index () As Integer", "Name () As String",
                                     "NegotiatePosition () As Integer", "Parent () As Object",
                                     "WindowList () As Boolean"}));
    EXPECT_EQ(menu.events, Strings{"Click () "});

    const Items timer = ReadItems(SharedBrowser(), 11);
    EXPECT_EQ(timer.events, Strings{"Timer () "});
    EXPECT_TRUE(has(timer.properties, "Interval As Long"));
}

TEST(BrowserLibraries, ExtensibilityLibraryListsItsEventSources) {
    const Listing listing = List(kData + "VB6EXT.OLB");
    EXPECT_EQ(listing.info, "VBIDE|Visual Basic extensibility");
    EXPECT_EQ(listing.interfaces.size(), 3u);
    EXPECT_EQ(ReadItems(SharedBrowser(), 2).events,
              Strings{"Click (ByVal CommandBarControl As Object, handled As Boolean, "
                      "CancelDefault As Boolean) "});
}

}  // namespace
}  // namespace qfw
