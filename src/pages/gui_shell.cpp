#include "pages/gui_shell.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "pages/module_state.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

namespace {

QMessageBox::StandardButton QtButton(int32_t button) {
    switch (button) {
        case vbCancel:
            return QMessageBox::Cancel;
        case vbAbort:
            return QMessageBox::Abort;
        case vbRetry:
            return QMessageBox::Retry;
        case vbIgnore:
            return QMessageBox::Ignore;
        case vbYes:
            return QMessageBox::Yes;
        case vbNo:
            return QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon QtIcon(int32_t style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int32_t GuiShell::MsgBox(const std::string& prompt, int32_t style, const std::string& title) {
    QMessageBox box(QtIcon(style), Q(title.empty() ? Module().gAppTitle : title), Q(prompt));
    const std::vector<int32_t> buttons = MsgBoxButtons(style);
    for (int32_t button : buttons)
        box.addButton(QtButton(button));
    box.setDefaultButton(QtButton(MsgBoxDefaultButton(style)));
    // A message box shown over the busy pointer must take clicks.
    const bool wasBusy = busy_;
    SetBusy(false);
    const int answer = box.exec();
    SetBusy(wasBusy);
    for (int32_t button : buttons) {
        if (answer == QtButton(button))
            return button;
    }
    // Closed with the window's close command: the box's Cancel, else OK.
    return buttons.size() > 1 ? buttons.back() : buttons.front();
}

void GuiShell::SetBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void GuiShell::DoEvents() {
    QApplication::processEvents();
}

void GuiShell::ShowStatus(const std::string& text) {
    if (statusSink)
        statusSink(text);
}

void GuiShell::EndRun() {
    UnloadWizard();
}

std::optional<std::string> GuiShell::ShowOpen(const std::string& filter) {
    const QString file =
        QFileDialog::getOpenFileName(nullptr, QString(), QString(), Q(QtFileFilter(filter)));
    if (file.isEmpty())
        return std::nullopt;
    return file.toStdString();
}

std::string QtFileFilter(const std::string& vbFilter) {
    const QStringList parts = Q(vbFilter).split('|');
    QStringList filters;
    for (int i = 0; i < parts.size(); i += 2)
        filters << parts[i];
    return filters.join(";;").toStdString();
}

}  // namespace qfw::pages
