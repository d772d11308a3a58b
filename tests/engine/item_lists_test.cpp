#include <gtest/gtest.h>

#include "platform/shell.h"
#include "platform/vb_error.h"
#include "support/recording_shell.h"
#include "support/wizard_peer.h"

namespace qfw {
namespace {

using Texts = std::vector<std::string>;

void AddEvents(objControl& record, const Texts& events) {
    for (const std::string& e : events)
        record.AddEvent(e);
}

class ItemListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WizardTestPeer::SetConstituents(
            wizard_, {{"VB.TextBox", "txtA"}, {"VB.Label", "lblB"}, {"QuillDialLib.Dial", "dlC"}});
        AddEvents(Record(0), {"Click () ", "Change () ", "KeyDown (KeyCode As Integer) "});
        AddEvents(Record(1), {"Change () ", "Click () "});
        AddEvents(Record(2), {"Click () ", "Scroll () ", "Change () "});
    }
    objControl& Record(size_t k) { return WizardTestPeer::Record(wizard_, k); }

    Wizard wizard_;
};

TEST(ItemSorting, CaseInsensitiveSelectionSortKeepsCaseVariants) {
    Texts items = {"beta", "Alpha", "alpha"};
    WizardTestPeer::SortItems(items, 0, 2);
    EXPECT_EQ(items, (Texts{"Alpha", "alpha", "beta"}));
    Texts unique;
    EXPECT_EQ(WizardTestPeer::RemoveDuplicateItems(items, unique), 2);
    EXPECT_EQ(unique, items);

    Texts repeated = {"b", "a", "b", "a", "c"};
    WizardTestPeer::SortItems(repeated, 0, 4);
    EXPECT_EQ(WizardTestPeer::RemoveDuplicateItems(repeated, unique), 2);
    EXPECT_EQ(unique, (Texts{"a", "b", "c"}));
}

TEST_F(ItemListTest, CommonItemsOnlySplitBySelection) {
    Record(0).EventSelected(1, true);  // Change on the text box
    Texts selected, others;
    EXPECT_EQ(wizard_.GetItemList(kKindEvent, {"TextBox"}, selected, others), 0);
    // KeyDown is missing on the others, Scroll is not on the text box.
    EXPECT_EQ(selected, (Texts{"Change () "}));
    EXPECT_EQ(others, (Texts{"Click () "}));
}

TEST_F(ItemListTest, ItemSelectedOnTwoNamedConstituentsIsListedOnce) {
    Record(0).EventSelected(0, true);
    Record(2).EventSelected(0, true);
    Record(1).EventSelected(0, true);  // Change on the label
    Texts selected, others;
    EXPECT_EQ(wizard_.GetItemList(kKindEvent, {"Dial", "TextBox", "NoSuchClass", "Label"}, selected,
                                  others),
              0);
    EXPECT_EQ(selected, (Texts{"Change () ", "Click () "}));
    // Unselected on some named constituent: in both lists.
    EXPECT_EQ(others, (Texts{"Change () ", "Click () "}));
}

TEST_F(ItemListTest, OtherKindsListNothing) {
    Texts selected = {"stale"}, others = {"stale"};
    EXPECT_EQ(wizard_.GetItemList(3, {"TextBox"}, selected, others), 0);
    EXPECT_TRUE(selected.empty());
    EXPECT_TRUE(others.empty());
}

TEST_F(ItemListTest, UpdateMultiMapStopsAtTheFirstMissingText) {
    EXPECT_EQ(wizard_.UpdateMultiMap({"Dial", "TextBox"},
                                     {"Click () ", "KeyDown (KeyCode As Integer) ", "Change () "},
                                     kKindEvent, true),
              kErrSubscriptOutOfRange);
    EXPECT_TRUE(Record(2).EventSelected(0));   // Click on the dial
    EXPECT_FALSE(Record(2).EventSelected(2));  // Change comes after the missing text
    EXPECT_FALSE(Record(0).EventSelected(0));  // the text box was never reached

    EXPECT_EQ(wizard_.UpdateMultiMap({"TextBox"}, {"Click () ", "Change () "}, kKindEvent, true),
              0);
    EXPECT_EQ(wizard_.UpdateMultiMap({"TextBox"}, {"Click () "}, kKindEvent, false), 0);
    EXPECT_FALSE(Record(0).EventSelected(0));
    EXPECT_TRUE(Record(0).EventSelected(1));
    EXPECT_EQ(wizard_.UpdateMultiMap({"NoSuchClass"}, {"Click () "}, kKindEvent, true),
              kErrSubscriptOutOfRange);
}

TEST_F(ItemListTest, ConstituentListAndMappingOrderUseTheFirstOfAClass) {
    WizardTestPeer::SetConstituents(wizard_, {{"VB.TextBox", "txtA"}, {"VB.TextBox", "txtB"}});
    Texts classes;
    EXPECT_EQ(wizard_.GetConstituentList(classes), 0);
    EXPECT_EQ(classes, (Texts{"TextBox", "TextBox"}));
    EXPECT_EQ(wizard_.GetConstituentCount(), 2);
    EXPECT_TRUE(wizard_.SetConstituentMappingOrder("TextBox", 2));
    EXPECT_TRUE(wizard_.SetConstituentMappingOrder("Label", 1));
    EXPECT_EQ(Record(0).MappingOrder(), 2);
    EXPECT_EQ(Record(1).MappingOrder(), 0);
}

TEST_F(ItemListTest, BatchesFollowTheMappingOrder) {
    wizard_.SetConstituentMappingOrder("TextBox", 2);
    wizard_.SetConstituentMappingOrder("Label", 3);
    wizard_.SetConstituentMappingOrder("Dial", 1);
    RecordingShell shell;
    ScopedShell scope(shell);
    objControl spec;  // nothing selected: no batch, only the status lines
    EXPECT_EQ(wizard_.BuildItemList(spec), 0);
    Texts status;
    for (const auto& call : shell.Calls()) {
        if (call.kind == RecordingShell::Kind::ShowStatus)
            status.push_back(call.text);
    }
    EXPECT_EQ(
        status,
        (Texts{"Adding Properties for dlC", "Adding Methods for dlC", "Adding Events for dlC",
               "Adding Properties for txtA", "Adding Methods for txtA", "Adding Events for txtA",
               "Adding Properties for lblB", "Adding Methods for lblB", "Adding Events for lblB"}));
}

}  // namespace
}  // namespace qfw
