#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include "pages/frm_wiz_single1.h"
#include "pages/gui_shell.h"

#include "pages/help_window.h"
#include "pages/list_box.h"
#include "pages/module_state.h"
#include "pages_fixture.h"

namespace qfw::pages {
namespace {

using Names = std::vector<std::string>;

class ModuleStateTest : public PagesTest {};

TEST_F(ModuleStateTest, ShowHelpLooksTheTopicUpUpperCased) {
    for (const char* topic : {"Wiz2", "wiz2", "WIZ2"})
        ShowHelp(topic);
    ShowHelp("WizAddItem");
    ShowHelp("wizmulticonstituents");
    ShowHelp("Wiz4");
    EXPECT_EQ(helpCalls_, (Names{"Wizard: Wizard, Mapping Order", "Wizard: Wizard, Mapping Order",
                                 "Wizard: Wizard, Mapping Order", "WizAddItem"}));
    ASSERT_EQ(shell_.Messages().size(), 2u);
    EXPECT_EQ(shell_.Messages()[0].text, "Can't find help on: 'wizmulticonstituents'");
    EXPECT_EQ(shell_.Messages()[1].text, "Can't find help on: 'Wiz4'");
    EXPECT_EQ(shell_.Messages()[1].style, vbOKOnly);
}

TEST_F(ModuleStateTest, TheHelpFileHasATopicForEveryKeyword) {
    QFile file(QString::fromStdString(HelpFile()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string html = file.readAll().toStdString();
    for (const char* topic : {"WizMain", "Wiz1", "Wiz1a", "Wiz2", "Wiz3", "Wiz6", "WizUserInfo",
                              "WizProjInfo", "WizMultiInter", "WizAddItem"}) {
        SCOPED_TRACE(topic);
        const std::optional<std::string> anchor = HelpAnchor(html, *HelpKeyword(topic));
        ASSERT_TRUE(anchor.has_value());
        EXPECT_NE(html.find("<a name=\"" + *anchor + "\">"), std::string::npos);
    }
    EXPECT_FALSE(HelpAnchor(html, "Nothing like it").has_value());
}

TEST_F(ModuleStateTest, SortedListBoxesCompareWithoutCaseAndKeepEqualEntriesInOrder) {
    VbListBox sorted(nullptr, true), unsorted(nullptr, false);
    for (const char* text : {"gamma", "Zed", "beta", "alpha", "Beta", "BETA"}) {
        sorted.AddItem(text);
        unsorted.AddItem(text);
    }
    EXPECT_EQ(sorted.Texts(), (Names{"alpha", "beta", "Beta", "BETA", "gamma", "Zed"}));
    EXPECT_EQ(unsorted.Texts(), (Names{"gamma", "Zed", "beta", "alpha", "Beta", "BETA"}));
}

TEST_F(ModuleStateTest, PagePositionsAre16BitTwipsRoundedAndClamped) {
    const std::pair<double, int16_t> cases[] = {{0, 0},     {1439.6, 1440}, {2.5, 2},
                                                {-15, -15}, {40000, 32767}, {-40000, -32768}};
    for (const auto& [twips, stored] : cases)
        EXPECT_EQ(ToPageTwips(twips), stored) << twips;
    EXPECT_DOUBLE_EQ(TwipsPerPixelX() * QGuiApplication::primaryScreen()->logicalDotsPerInchX(),
                     1440.0);
}

TEST_F(ModuleStateTest, CenterFormCentresOnTheScreen) {
    QWidget form;
    form.resize(300, 200);
    CenterForm(form);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(form.x(), (screen.width() - form.frameGeometry().width()) / 2, 1);
    EXPECT_NEAR(form.y(), (screen.height() - form.frameGeometry().height()) / 2, 1);
}

}  // namespace
}  // namespace qfw::pages

namespace qfw::pages {
namespace {

TEST_F(ModuleStateTest, TheGuiShellShowsTheSystemsButtonsAndTitle) {
    GuiShell gui;
    ScopedShell installGui(gui);
    std::string title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle().toStdString();
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(CurrentShell().MsgBox("Quit?", vbYesNo | vbQuestion, ""), vbNo);
    EXPECT_EQ(title, Module().gAppTitle);
    EXPECT_EQ(buttons.size(), 2);
    EXPECT_EQ(QtFileFilter(frmWizSingle1::kBrowseFilter), "OCX Files (*.ocx);;OLB Files (*.olb)");
}

}  // namespace
}  // namespace qfw::pages
