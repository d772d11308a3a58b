#include <algorithm>

#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single2.h"
#include "pages/frm_wiz_single3.h"
#include "pages/frm_wiz_single6.h"
#include "pages_fixture.h"
#include "support/wizard_peer.h"

namespace qfw::pages {
namespace {

using Names = std::vector<std::string>;

// The mapping pages of a run over a UserControl with a text box, a label and
// a second text box; BackColor and Font are chosen on the item page.
class MappingPagesTest : public PagesTest {
  protected:
    void SetUp() override {
        PagesTest::SetUp();
        ReachItemPage({{"VB.TextBox", "txtOne"}, {"VB.Label", "lblOne"}, {"VB.TextBox", "txtTwo"}});
        frmWizSingle1a& items = WizSingle1a();
        ClickEntry(*items.lstFromTo[0], "BackColor As Long");
        ClickEntry(*items.lstFromTo[0], "Font As StdFont", Qt::ControlModifier);
        Click(items.cmdAddRemove[0]);
        Click(items.cmdWizard[kNext]);
        ASSERT_EQ(VisiblePages(), Names{"frmWizSingle2"});
    }
    VbListBox& Source() { return *WizSingle2().lstControlsFromTo[0]; }
    VbListBox& Order() { return *WizSingle2().lstControlsFromTo[1]; }
    QPushButton* OrderNext() { return WizSingle2().cmdWizard[kNext]; }
    void AddToOrder(const std::string& text) {
        ClickEntry(Source(), text);
        Click(WizSingle2().cmdAddRemove[0]);
    }
    // The mapping positions the engine holds, by constituent.
    std::vector<int16_t> Positions() {
        std::vector<int16_t> positions;
        for (size_t k = 0; k < 3; ++k)
            positions.push_back(WizardTestPeer::Record(SharedWizard(), k).MappingOrder());
        return positions;
    }
};

TEST_F(MappingPagesTest, TheOrderIsTheOrderOfAddingAndNextNeedsEveryConstituent) {
    EXPECT_EQ(Source().Texts(), (Names{"Label", "TextBox", "TextBox"}));
    EXPECT_EQ(Source().CurrentIndex(), 0);
    EXPECT_FALSE(OrderNext()->isEnabled());
    AddToOrder("TextBox");
    AddToOrder("Label");
    EXPECT_FALSE(OrderNext()->isEnabled());
    AddToOrder("TextBox");
    EXPECT_TRUE(OrderNext()->isEnabled());
    EXPECT_EQ(Order().Texts(), (Names{"TextBox", "Label", "TextBox"}));

    // Removing one disables Next; it goes back to its sorted place.
    ClickEntry(Order(), "Label");
    Click(WizSingle2().cmdAddRemove[2]);
    EXPECT_FALSE(OrderNext()->isEnabled());
    EXPECT_EQ(Source().Texts(), Names{"Label"});
    // Add with nothing selected moves nothing and leaves Next as it was.
    Source().clearSelection();
    Click(WizSingle2().cmdAddRemove[0]);
    EXPECT_EQ(Source().Texts(), Names{"Label"});
    EXPECT_FALSE(OrderNext()->isEnabled());
    Click(WizSingle2().cmdAddRemove[1]);
    EXPECT_EQ(Order().Texts(), (Names{"TextBox", "TextBox", "Label"}));
    ASSERT_TRUE(OrderNext()->isEnabled());

    // Both TextBox entries send their position under the same class name:
    // the first text box gets the later one, the second keeps none.
    Click(OrderNext());
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle3"});
    EXPECT_EQ(Positions(), (std::vector<int16_t>{2, 3, 0}));

    // Coming back rebuilds both lists and keeps Next enabled; Next at once
    // sends nothing and the engine keeps the earlier positions.
    Click(WizSingle3().cmdWizard[kBack]);
    EXPECT_EQ(Source().Texts(), (Names{"Label", "TextBox", "TextBox"}));
    EXPECT_TRUE(Order().Texts().empty());
    EXPECT_TRUE(OrderNext()->isEnabled());
    Click(OrderNext());
    EXPECT_EQ(Positions(), (std::vector<int16_t>{2, 3, 0}));
}

class MultiMapTest : public MappingPagesTest {
  protected:
    void SetUp() override {
        MappingPagesTest::SetUp();
        Click(WizSingle2().cmdAddRemove[1]);
        Click(OrderNext());
        ASSERT_EQ(VisiblePages(), Names{"frmWizSingle3"});
    }
    frmWizSingle3& Page() { return WizSingle3(); }
    VbListBox& Common() { return *Page().lstPropertiesFromTo[0]; }
    VbListBox& Mapped() { return *Page().lstPropertiesFromTo[1]; }
    // The property items the engine holds as mapped to both classes.
    Names EngineMapped() {
        Names mapped, others;
        SharedWizard().GetItemList(0, {"Label", "TextBox"}, mapped, others);
        return mapped;
    }
    void SelectBoth() {
        ClickEntry(*Page().lstControlList, "Label");
        ClickEntry(*Page().lstControlList, "TextBox", Qt::ControlModifier);
    }
};

TEST_F(MultiMapTest, ShowsOnlyChosenCommonItemsOfTwoOrMoreControls) {
    EXPECT_EQ(Page().lstControlList->Texts(), (Names{"Label", "TextBox", "TextBox"}));
    EXPECT_EQ(Page().lstControlList->CurrentIndex(), -1);
    ClickEntry(*Page().lstControlList, "Label");
    EXPECT_TRUE(Common().Texts().empty());
    EXPECT_TRUE(Mapped().Texts().empty());
    // ForeColor is common too, but was not chosen on the item page.
    ClickEntry(*Page().lstControlList, "TextBox", Qt::ControlModifier);
    EXPECT_EQ(Common().Texts(), (Names{"BackColor As Long", "Font As StdFont"}));
    EXPECT_TRUE(Mapped().Texts().empty());
}

TEST_F(MultiMapTest, EveryMoveReachesTheEngineAndSurvivesSwitchingKinds) {
    SelectBoth();
    Click(Page().cmdAddRemoveProperty[1]);
    EXPECT_EQ(Mapped().Texts(), (Names{"BackColor As Long", "Font As StdFont"}));
    EXPECT_EQ(EngineMapped(), (Names{"BackColor As Long", "Font As StdFont"}));

    Click(Page().optItem[1]);
    EXPECT_EQ(Page().lblCommon->text().toStdString(), "Common Methods:");
    EXPECT_EQ(Page().lblSelected->text().toStdString(), "Selected Methods:");
    EXPECT_TRUE(Mapped().Texts().empty());
    Click(Page().optItem[0]);
    EXPECT_EQ(Mapped().Texts(), (Names{"BackColor As Long", "Font As StdFont"}));

    ClickEntry(Mapped(), "Font As StdFont");
    Click(Page().cmdAddRemoveProperty[2]);
    EXPECT_EQ(EngineMapped(), Names{"BackColor As Long"});
    EXPECT_EQ(Common().Texts(), Names{"Font As StdFont"});

    // The engine lists TextBox, Label, TextBox, unlike the sorted list:
    // coming back rebuilds the control list with nothing selected and leaves
    // the item lists as they were.
    Click(Page().cmdWizard[kNext]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle6"});
    Click(WizSingle6().cmdWizard[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle3"});
    EXPECT_TRUE(Page().lstControlList->SelectedTexts().empty());
    EXPECT_EQ(Page().lstControlList->Texts(), (Names{"Label", "TextBox", "TextBox"}));
    EXPECT_EQ(Mapped().Texts(), Names{"BackColor As Long"});
}

TEST_F(MultiMapTest, SwitchingKindsWithOneControlEmptiesTheListsAndKeepsTheLabels) {
    SelectBoth();
    ClickEntry(*Page().lstControlList, "Label");
    Click(Page().optItem[2]);
    EXPECT_TRUE(Common().Texts().empty());
    EXPECT_TRUE(Mapped().Texts().empty());
    EXPECT_EQ(Page().lblCommon->text().toStdString(), "Common Properties:");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const auto busy = std::count_if(shell_.Calls().begin(), shell_.Calls().end(), [](auto& call) {
        return call.kind == RecordingShell::Kind::SetBusy;
    });
    EXPECT_EQ(busy % 2, 0);
    // Add with nothing current hands nothing to the engine.
    Click(Page().cmdAddRemoveProperty[0]);
    EXPECT_TRUE(EngineMapped().empty());
}

}  // namespace
}  // namespace qfw::pages
