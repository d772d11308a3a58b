#include <QTimer>

#include "pages/frm_add_item.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_parameters.h"
#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single2.h"
#include "pages/move_items.h"
#include "pages_fixture.h"

namespace qfw::pages {
namespace {

using Names = std::vector<std::string>;

// A sorted (or unsorted) list box with entries, some selected, one current.
struct ListState {
    Names entries;
    std::vector<int> selected;
    int current;
};

void Fill(VbListBox& list, const ListState& state) {
    list.AddItems(state.entries);
    for (int row : state.selected)
        list.item(row)->setSelected(true);
    list.SetCurrentIndex(state.current);
}

class MoveItemsTest : public PagesTest {};

Names Selected(const VbListBox& list) {
    return list.SelectedTexts();
}

TEST_F(MoveItemsTest, MoveSelectedItemsKeepsCurrentAndSelectedApart) {
    struct Case {
        const char* label;
        ListState source;
        bool result;
        Names sourceAfter;
        Names targetAfter;
        int currentAfter;
        Names selectedAfter;
    };
    const Names five = {"a0", "a1", "a2", "a3", "a4"};
    const Case cases[] = {
        {"entry 2 current and selected",
         {five, {2}, 2},
         true,
         {"a0", "a1", "a3", "a4"},
         {"a2"},
         1,
         {}},
        {"first entry current and selected",
         {five, {0}, 0},
         true,
         {"a1", "a2", "a3", "a4"},
         {"a0"},
         -1,
         {}},
        {"no current entry moves nothing", {five, {1, 3}, -1}, false, five, {}, -1, {"a1", "a3"}},
        {"current but nothing selected", {five, {}, 3}, true, five, {}, 2, {}},
        {"selection past the end: the last left becomes current and selected",
         {five, {3, 4}, 4},
         true,
         {"a0", "a1", "a2"},
         {"a3", "a4"},
         2,
         {"a2"}},
        {"all selected", {five, {0, 1, 2, 3, 4}, 2}, true, {}, five, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        VbListBox source(nullptr, true);
        VbListBox target(nullptr, false);
        source.setSelectionMode(QAbstractItemView::ExtendedSelection);
        Fill(source, c.source);
        EXPECT_EQ(MoveSelectedItems(&source, &target), c.result);
        EXPECT_EQ(source.Texts(), c.sourceAfter);
        EXPECT_EQ(target.Texts(), c.targetAfter);
        EXPECT_EQ(source.CurrentIndex(), c.currentAfter);
        EXPECT_EQ(Selected(source), c.selectedAfter);
    }
}

TEST_F(MoveItemsTest, MoveAllItemsMergesIntoSortedListsAndAppendsToUnsortedOnes) {
    VbListBox source(nullptr, true);
    VbListBox sorted(nullptr, true);
    VbListBox unsorted(nullptr, false);
    QLabel notAList;
    EXPECT_TRUE(MoveAllItems(&source, &sorted));
    EXPECT_TRUE(sorted.Texts().empty());
    EXPECT_TRUE(MoveAllItems(&source, &notAList));
    EXPECT_TRUE(MoveSelectedItems(&notAList, &source));

    Fill(sorted, {{"beta", "Delta", "zulu"}, {1}, 2});
    source.AddItems({"gamma", "Alpha", "delta", "Zed"});
    EXPECT_TRUE(MoveAllItems(&source, &sorted));
    EXPECT_TRUE(source.Texts().empty());
    // An equal entry goes after the ones already there; selection and the
    // current entry stay with their entries.
    EXPECT_EQ(sorted.Texts(), (Names{"Alpha", "beta", "Delta", "delta", "gamma", "Zed", "zulu"}));
    EXPECT_EQ(Selected(sorted), Names{"Delta"});
    EXPECT_EQ(sorted.CurrentIndex(), 6);

    unsorted.AddItems({"zulu"});
    sorted.selectAll();
    MoveAllItems(&sorted, &unsorted);
    EXPECT_EQ(unsorted.Texts(),
              (Names{"zulu", "Alpha", "beta", "Delta", "delta", "gamma", "Zed", "zulu"}));
}

TEST_F(MoveItemsTest, TwoItemsWithTheSameTextMoveTheFlagOfTheFirst) {
    objControl& spec = SpecificationRecord();
    spec.AddProperty("Tag As String");
    spec.AddProperty("Width As Long");
    spec.AddProperty("Tag As String");
    ShowItemSelectionPage();
    VbListBox& available = *WizSingle1a().lstFromTo[0];
    ASSERT_EQ(available.Texts(), (Names{"Tag As String", "Tag As String", "Width As Long"}));
    available.SelectRow(1);
    Click(WizSingle1a().cmdAddRemove[0]);
    EXPECT_TRUE(spec.PropertySelected(0));
    EXPECT_FALSE(spec.PropertySelected(2));
    // Showing the kind again follows the flags.
    WizSingle1a().cmbItem->setCurrentIndex(1);
    WizSingle1a().cmbItem->setCurrentIndex(0);
    EXPECT_EQ(WizSingle1a().lstFromTo[1]->Texts(), Names{"Tag As String"});
    EXPECT_EQ(available.Texts(), (Names{"Tag As String", "Width As Long"}));
}

// The item selection page of a run over a UserControl with a text box and a
// label, QuillEdit's interface as the specification.
class ItemPageTest : public PagesTest {
  protected:
    void SetUp() override {
        PagesTest::SetUp();
        ReachItemPage({{"VB.TextBox", "txtValue"}, {"VB.Label", "lblCaption"}});
        ASSERT_EQ(VisiblePages(), Names{"frmWizSingle1a"});
    }
    frmWizSingle1a& Page() { return WizSingle1a(); }
    VbListBox& Available() { return *Page().lstFromTo[0]; }
    VbListBox& Chosen() { return *Page().lstFromTo[1]; }
    const objControl& Spec() { return SpecificationRecord(); }
    Names SelectedOfKind(int16_t kind) {
        Names names;
        for (int16_t i = 0; i < Spec().ItemCount(kind); ++i) {
            if (Spec().ItemSelected(kind, i))
                names.push_back(Spec().Item(kind, i));
        }
        return names;
    }
    // The event Change as the list shows it.
    std::string Change() {
        for (int16_t i = 0; i < Spec().EventCount(); ++i) {
            if (Spec().Events(i).rfind("Change", 0) == 0)
                return Spec().Events(i);
        }
        return "";
    }
    void Move(int index) { Click(Page().cmdAddRemove[static_cast<size_t>(index)]); }
};

TEST_F(ItemPageTest, ShowsTheKindsOfTheSpecificationSortedWithNothingSelected) {
    EXPECT_EQ(Page().cmbItem->count(), 3);
    EXPECT_EQ(Page().cmbItem->currentText().toStdString(), "Properties");
    EXPECT_EQ(Page().fraItems->title().toStdString(),
              "Select the Properties, Methods and Events that you would like to include in your "
              "control:");
    EXPECT_FALSE(Page().cmdWizard[kFinish]->isEnabled());
    Names properties;
    for (int16_t i = 0; i < Spec().PropertyCount(); ++i)
        properties.push_back(Spec().Properties(i));
    ASSERT_FALSE(properties.empty());
    std::vector<std::string> sorted = Available().Texts();
    EXPECT_EQ(sorted.size(), properties.size());
    EXPECT_TRUE(Chosen().Texts().empty());
    EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), properties.begin()));
}

TEST_F(ItemPageTest, MovesSetTheFlagsOnlyWhenTheSourceHasACurrentEntry) {
    // Nothing current: Add changes nothing, not even the flags.
    Available().SetCurrentIndex(-1);
    Move(0);
    EXPECT_TRUE(Chosen().Texts().empty());
    EXPECT_TRUE(SelectedOfKind(0).empty());

    ClickEntry(Available(), "Text As String");
    ClickEntry(Available(), "BackColor As Long", Qt::ControlModifier);
    Move(0);
    EXPECT_EQ(Chosen().Texts(), (Names{"BackColor As Long", "Text As String"}));
    EXPECT_EQ(SelectedOfKind(0), (Names{"Text As String", "BackColor As Long"}));

    Move(1);
    EXPECT_TRUE(Available().Texts().empty());
    EXPECT_EQ(SelectedOfKind(0).size(), static_cast<size_t>(Spec().PropertyCount()));
    Move(1);  // Add All on an empty list: nothing changes
    EXPECT_EQ(SelectedOfKind(0).size(), static_cast<size_t>(Spec().PropertyCount()));

    ClickEntry(Chosen(), "Text As String");
    Move(2);
    EXPECT_EQ(Available().Texts(), Names{"Text As String"});
    Move(3);
    EXPECT_TRUE(SelectedOfKind(0).empty());
}

TEST_F(ItemPageTest, EachKindKeepsItsChoiceWhenSwitchingBackAndForth) {
    ClickEntry(Available(), "Text As String");
    Move(0);
    Page().cmbItem->setCurrentIndex(2);
    ClickEntry(Available(), Change());
    Move(0);
    EXPECT_EQ(Chosen().Texts(), Names{Change()});
    Page().cmbItem->setCurrentIndex(1);
    EXPECT_TRUE(Chosen().Texts().empty());
    Page().cmbItem->setCurrentIndex(0);
    EXPECT_EQ(Chosen().Texts(), Names{"Text As String"});
    Page().cmbItem->setCurrentIndex(2);
    EXPECT_EQ(Chosen().Texts(), Names{Change()});
    EXPECT_EQ(SelectedOfKind(2), Names{Change()});
}

TEST_F(ItemPageTest, NextNeedsOneItemOfAnyKindAndLeadsByTheConstituentCount) {
    Click(Page().cmdWizard[kNext]);
    EXPECT_EQ(Messages(),
              Names{"You must select at least one property, method or event to continue."});
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle1a"});

    Page().cmbItem->setCurrentIndex(2);
    ClickEntry(Available(), Change());
    Move(0);
    Click(Page().cmdWizard[kNext]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle2"});
    Click(WizSingle2().cmdWizard[kBack]);
    // Coming back shows the properties again, the event still chosen.
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle1a"});
    EXPECT_EQ(Page().cmbItem->currentIndex(), 0);
    EXPECT_EQ(SelectedOfKind(2), Names{Change()});
    Click(Page().cmdWizard[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmMultiInterface"});
}

TEST_F(ItemPageTest, DoubleClickShowsTheCurrentLine) {
    ClickEntry(Available(), "Text As String");
    Available().itemDoubleClicked(Available().item(Available().CurrentIndex()));
    EXPECT_EQ(Messages(), Names{"Text As String"});
}

TEST_F(ItemPageTest, OkRefusesBadNamesAndAddsAPropertySelected) {
    std::vector<bool> stillOpen;
    QTimer::singleShot(0, [&] {
        frmAddItem& add = AddItem();
        EXPECT_EQ(add.windowTitle().toStdString(), "Add Item");
        EXPECT_EQ(add.cmbAttrib[1]->count(), 4);
        EXPECT_FALSE(add.cmdParameters->isEnabled());
        // Empty, not an identifier, a reserved word, a property already there.
        for (const char* name : {"  ", "1st", "Dim", "Text"}) {
            add.txtName->setText(name);
            Click(add.cmdOKCancel[0]);
            stillOpen.push_back(add.IsLoaded());
        }
        Click(add.cmdOKCancel[2]);
        add.txtName->setText(" Shade ");
        add.cmbAttrib[0]->setCurrentText("Long");
        add.txtDefault->setText("5");
        add.cmbAttrib[1]->setCurrentIndex(1);
        Click(add.cmdOKCancel[0]);
        // A refusal would keep the dialog open: close it so the test goes on.
        if (add.IsLoaded())
            Click(add.cmdOKCancel[1]);
    });
    Click(Page().cmdNew);
    EXPECT_EQ(stillOpen, std::vector<bool>(4, true));
    const Names messages = Messages();
    ASSERT_EQ(messages.size(), 4U);
    for (const std::string& message : messages)
        EXPECT_FALSE(message.empty());
    EXPECT_EQ(helpCalls_, Names{"WizAddItem"});
    EXPECT_FALSE(AddItem().IsLoaded());
    EXPECT_EQ(Chosen().Texts(), Names{"Shade As Long"});
    EXPECT_EQ(SelectedOfKind(0), Names{"Shade As Long"});
    EXPECT_TRUE(SharedWizard().IsCustomItem(kKindProperty, "Shade As Long"));
}

TEST_F(ItemPageTest, TheParameterListBecomesTheMethodsParametersAndTheListShowsMethods) {
    Names shownAgain;
    QTimer::singleShot(0, [&] {
        frmAddItem& add = AddItem();
        Click(add.optItem[1]);
        EXPECT_TRUE(add.cmdParameters->isEnabled());
        EXPECT_FALSE(add.txtDefault->isEnabled());
        add.txtName->setText("Spin");
        add.cmbAttrib[0]->setCurrentText("Integer");
        QTimer::singleShot(0, [&] {
            frmParameters& dialog = Parameters();
            EXPECT_EQ(dialog.windowTitle().toStdString(), "Parameter Information");
            dialog.txtName->setText("   ");
            Click(dialog.cmdAdd);
            dialog.txtName->setText(" x ");
            Click(dialog.cmdAdd);
            dialog.cmbType->setCurrentIndex(2);
            dialog.txtName->setText("y");
            Click(dialog.cmdAdd);
            Click(dialog.cmdOKCancel[0]);
        });
        Click(add.cmdParameters);
        // Opened again, it shows the list; its Cancel keeps the list as it was.
        QTimer::singleShot(0, [&] {
            frmParameters& dialog = Parameters();
            shownAgain = dialog.lstParameters->Texts();
            dialog.txtName->setText("z");
            Click(dialog.cmdAdd);
            Click(dialog.cmdOKCancel[1]);
        });
        Click(add.cmdParameters);
        Click(add.cmdOKCancel[0]);
        // A refusal would keep the dialog open: close it so the test goes on.
        if (add.IsLoaded())
            Click(add.cmdOKCancel[1]);
    });
    Click(Page().cmdNew);
    EXPECT_EQ(shownAgain, (Names{"x As String", "y As Long"}));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Page().cmbItem->currentIndex(), 1);
    EXPECT_EQ(Chosen().Texts(), Names{"Spin (x As String, y As Long) As Integer"});
    EXPECT_EQ(SelectedOfKind(1), Names{"Spin (x As String, y As Long) As Integer"});
    EXPECT_FALSE(Parameters().IsLoaded());
}

TEST_F(ItemPageTest, AnEventWithoutParametersAndCancelAddingNothing) {
    const Names before = Available().Texts();
    QTimer::singleShot(0, [&] {
        frmAddItem& add = AddItem();
        add.txtName->setText("Lost");
        Click(add.cmdOKCancel[1]);
    });
    Click(Page().cmdNew);
    EXPECT_EQ(Available().Texts(), before);
    EXPECT_TRUE(SelectedOfKind(0).empty() && SelectedOfKind(1).empty() &&
                SelectedOfKind(2).empty());
    EXPECT_FALSE(AddItem().IsLoaded());

    QTimer::singleShot(0, [&] {
        frmAddItem& add = AddItem();
        // The dialog opens empty again, on a property.
        EXPECT_TRUE(add.txtName->text().isEmpty());
        EXPECT_TRUE(add.optItem[0]->isChecked());
        Click(add.optItem[2]);
        EXPECT_FALSE(add.cmbAttrib[0]->isEnabled());
        add.txtName->setText("Changed2");
        Click(add.cmdOKCancel[0]);
        // A refusal would keep the dialog open: close it so the test goes on.
        if (add.IsLoaded())
            Click(add.cmdOKCancel[1]);
    });
    Click(Page().cmdNew);
    EXPECT_EQ(Page().cmbItem->currentIndex(), 2);
    EXPECT_EQ(Chosen().Texts(), Names{"Changed2 () "});
}

}  // namespace
}  // namespace qfw::pages
