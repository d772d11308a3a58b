#include "pages/wizard_page.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "pages/module_state.h"

namespace qfw::pages {

WizardPage::WizardPage(const char* name, const char* helpKey) : helpKey_(helpKey) {
    setObjectName(name);
    setModal(false);
}

void WizardPage::Load() {
    if (loaded_)
        return;
    loaded_ = true;
    OpenPages().push_back(this);
    Form_Load();
}

void WizardPage::ShowModeless() {
    Load();
    if (loaded_)
        show();
}

void WizardPage::MakeVisible() {
    if (loaded_)
        show();
}

void WizardPage::Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    auto& open = OpenPages();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
    hide();
    Form_Unload();
}

void WizardPage::closeEvent(QCloseEvent* event) {
    event->accept();
    Unload();
}

void WizardPage::reject() {
    // Escape closes the window as its close command does.
    close();
}

double WizardPage::LeftTwips() const {
    return x() * TwipsPerPixelX();
}

double WizardPage::TopTwips() const {
    return y() * TwipsPerPixelY();
}

void WizardPage::RouteWizardButton(int Index) {
    switch (Index) {
        case kHelp:
            ShowHelp(HelpKey());
            break;
        case kCancel:
            UnloadWizard();
            break;
        case kBack:
            Back();
            break;
        case kNext:
            Next();
            break;
        default:
            break;
    }
}

void WizardPage::StorePosition() const {
    Module().gPageLeft = ToPageTwips(LeftTwips());
    Module().gPageTop = ToPageTwips(TopTwips());
}

void WizardPage::PlaceAtStoredPosition() {
    move(static_cast<int>(std::lround(Module().gPageLeft / TwipsPerPixelX())),
         static_cast<int>(std::lround(Module().gPageTop / TwipsPerPixelY())));
}

ButtonRow AddButtonRow(QWidget* parent, QVBoxLayout* outer, bool pickerCaptions,
                       const std::function<void(int)>& onClick) {
    static const char* const kPageCaptions[] = {"&Help", "&Cancel", "< &Back", "&Next >",
                                                "&Finish"};
    static const char* const kPickerCaptions[] = {"&Help", "&Cancel", "&Back", "&Next", "&Finish"};
    outer->addWidget(MakeSeparator(parent));
    auto* layout = new QHBoxLayout();
    ButtonRow row{};
    for (size_t i = 0; i < row.size(); ++i) {
        row[i] = new QPushButton(pickerCaptions ? kPickerCaptions[i] : kPageCaptions[i], parent);
        row[i]->setAutoDefault(false);
        if (i == kHelp)
            layout->addWidget(row[i]);
        if (i == kCancel)
            layout->addStretch();
        if (i != kHelp)
            layout->addWidget(row[i]);
        QObject::connect(row[i], &QPushButton::clicked, parent,
                         [onClick, index = static_cast<int>(i)] { onClick(index); });
    }
    outer->addLayout(layout);
    return row;
}

QLabel* MakeSidePicture(QWidget* parent) {
    QPixmap pixmap(150, 300);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, pixmap.height());
    gradient.setColorAt(0, QColor(0, 0, 128));
    gradient.setColorAt(1, QColor(0, 128, 128));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 2));
    for (int i = 0; i < 5; ++i)
        painter.drawRect(20 + 8 * i, 40 + 30 * i, 80, 50);
    painter.end();
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->setFixedSize(pixmap.size());
    return label;
}

QWidget* MakeSeparator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace qfw::pages
