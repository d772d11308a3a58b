#include "model/obj_control.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vb_error.h"

namespace qfw {
namespace {

int32_t ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

objControl ThreeProperties() {
    objControl c;
    c.AddProperty("Caption As String");
    c.AddProperty("Enabled As Boolean");
    c.AddProperty("Caption As String");
    return c;
}

TEST(ObjControl, AddedItemsKeepOrderAndStartUnflagged) {
    objControl c;
    c.AddMethod("Refresh ( ) ");
    c.AddMethod("Move (Left As Single) ");
    c.AddEvent("Click ( ) ");
    EXPECT_EQ(c.MethodCount(), 2);
    EXPECT_EQ(c.EventCount(), 1);
    EXPECT_EQ(c.PropertyCount(), 0);
    EXPECT_EQ(c.Methods(1), "Move (Left As Single) ");
    EXPECT_EQ(c.Events(0), "Click ( ) ");
    EXPECT_FALSE(c.MethodSelected(1));
    EXPECT_FALSE(c.MethodMapped(1));
    EXPECT_FALSE(c.EventSelected(0));
    EXPECT_FALSE(c.EventMapped(0));
}

TEST(ObjControl, AddingKeepsEarlierFlags) {
    objControl c;
    c.AddProperty("A");
    c.PropertySelected(0, true);
    c.PropertyMapped(0, true);
    c.AddProperty("B");
    EXPECT_TRUE(c.PropertySelected(0));
    EXPECT_TRUE(c.PropertyMapped(0));
    EXPECT_FALSE(c.PropertySelected(1));
    EXPECT_FALSE(c.PropertyMapped(1));
}

TEST(ObjControl, TextReadersSwallowBadIndex) {
    objControl c = ThreeProperties();
    EXPECT_EQ(c.Properties(3), "");
    EXPECT_EQ(c.Properties(-1), "");
    EXPECT_EQ(c.Methods(0), "");
    EXPECT_EQ(c.Events(32767), "");
}

TEST(ObjControl, FlagAccessOutsideBoundsRaisesNineAndChangesNothing) {
    objControl c = ThreeProperties();
    c.PropertySelected(2, true);
    const std::vector<std::function<void()>> outside = {
        [&] { c.PropertySelected(3); },     [&] { c.PropertySelected(-1, true); },
        [&] { c.PropertyMapped(3, true); }, [&] { c.PropertyMapped(-1); },
        [&] { c.MethodSelected(0); },       [&] { c.MethodMapped(0, true); },
        [&] { c.EventSelected(0, true); },  [&] { c.EventMapped(0); },
    };
    for (const auto& action : outside) EXPECT_EQ(ErrorOf(action), kErrSubscriptOutOfRange);
    EXPECT_EQ(c.PropertyCount(), 3);
    EXPECT_EQ(c.SelectedPropertyCount(), 1);
    EXPECT_TRUE(c.PropertySelected(2));
}

TEST(ObjControl, ClearEmptiesEverything) {
    objControl c = ThreeProperties();
    c.AddMethod("M ( ) ");
    c.AddEvent("E ( ) ");
    c.PropertySelected(0, true);
    c.PropertyMapped(0, true);
    c.ControlFileName("C:\\WINDOWS\\SYSTEM\\X.OCX");
    c.iType("t");
    c.Documentation("d");
    c.MappingOrder(2);
    c.Clear();
    EXPECT_EQ(c.PropertyCount() + c.MethodCount() + c.EventCount(), 0);
    EXPECT_EQ(c.SelectedPropertyCount() + c.SelectedMethodCount() + c.SelectedEventCount(), 0);
    EXPECT_EQ(c.Properties(0), "");
    EXPECT_EQ(c.ControlFileName(), "");
    EXPECT_EQ(c.iType(), "");
    EXPECT_EQ(c.Documentation(), "");
    EXPECT_EQ(c.MappingOrder(), 0);
    EXPECT_EQ(ErrorOf([&] { c.PropertySelected(0); }), kErrSubscriptOutOfRange);

    c.AddProperty("Fresh");
    EXPECT_FALSE(c.PropertySelected(0));
    EXPECT_FALSE(c.PropertyMapped(0));
}

TEST(ObjControl, SetSelectedItemsMarksFirstEqualTextOnly) {
    objControl c = ThreeProperties();
    c.SetSelectedItems(kKindProperty, {}, {"Caption As String"});
    EXPECT_TRUE(c.PropertySelected(0));
    EXPECT_FALSE(c.PropertySelected(2));

    c.PropertySelected(2, true);
    c.SetSelectedItems(kKindProperty, {"Caption As String"}, {});
    EXPECT_FALSE(c.PropertySelected(0));
    EXPECT_TRUE(c.PropertySelected(2));
}

TEST(ObjControl, SetSelectedItemsAppliesSelectedListSecond) {
    objControl c = ThreeProperties();
    c.PropertySelected(1, true);
    c.SetSelectedItems(kKindProperty, {"Caption As String", "Missing"},
                       {"Caption As String", "caption as string"});
    EXPECT_TRUE(c.PropertySelected(0));
    // Not named in either list: keeps its flag.
    EXPECT_TRUE(c.PropertySelected(1));
    EXPECT_FALSE(c.PropertyMapped(0));
    EXPECT_EQ(c.SelectedPropertyCount(), 2);
}

TEST(ObjControl, SetSelectedItemsIgnoresUnknownKindsAndOtherKinds) {
    objControl c = ThreeProperties();
    c.AddMethod("Caption As String");
    for (int16_t kind : {int16_t{3}, int16_t{-1}}) {
        c.SetSelectedItems(kind, {}, {"Caption As String"});
    }
    EXPECT_EQ(c.SelectedPropertyCount(), 0);
    EXPECT_EQ(c.SelectedMethodCount(), 0);

    c.SetSelectedItems(kKindMethod, {}, {"Caption As String"});
    EXPECT_EQ(c.SelectedMethodCount(), 1);
    EXPECT_EQ(c.SelectedPropertyCount(), 0);
}

TEST(ObjControl, The32768thItemOfOneKindOverflows) {
    objControl c;
    for (int i = 0; i < 32767; ++i) c.AddEvent("E");
    EXPECT_EQ(c.EventCount(), 32767);
    EXPECT_EQ(ErrorOf([&] { c.AddEvent("one too many"); }), kErrOverflow);
    EXPECT_EQ(c.EventCount(), 32767);
    EXPECT_EQ(c.Events(32766), "E");
    EXPECT_EQ(c.PropertyCount(), 0);
    c.AddProperty("other kinds still grow");
    EXPECT_EQ(c.PropertyCount(), 1);
}

}  // namespace
}  // namespace qfw
