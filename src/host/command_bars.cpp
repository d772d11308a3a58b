#include "host/command_bars.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/vb_error.h"

namespace qfw::host {
namespace {

constexpr const char* kIdProperty = "qfwControlId";

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::string CommandBarControl::Caption() const {
    return action_ ? action_->text().toStdString() : std::string();
}

void CommandBarControl::Caption(const std::string& text) {
    if (action_)
        action_->setText(QString::fromStdString(text));
}

int32_t CommandBarControl::Id() const {
    if (!action_)
        return 0;
    const QVariant id = action_->property(kIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

void CommandBarControl::PasteFace() {
    if (!action_)
        return;
    const QImage image = QApplication::clipboard()->image();
    if (!image.isNull())
        action_->setIcon(QIcon(QPixmap::fromImage(image)));
}

void CommandBarControl::Delete() {
    if (!action_)
        return;
    for (QObject* widget : action_->associatedObjects()) {
        if (auto* bar = qobject_cast<QWidget*>(widget))
            bar->removeAction(action_);
    }
    delete action_.data();
}

int16_t CommandBarControls::Count() const {
    return bar_ ? static_cast<int16_t>(bar_->actions().size()) : 0;
}

std::shared_ptr<CommandBarControl> CommandBarControls::Item(int16_t index) const {
    if (index < 1 || index > Count())
        throw VbError(5);
    return std::make_shared<CommandBarControl>(bar_->actions().at(index - 1));
}

std::shared_ptr<CommandBarControl> CommandBarControls::Add(std::optional<int16_t> Before) {
    if (!bar_ || (Before && (*Before < 1 || *Before > Count() + 1)))
        throw VbError(5);
    auto* action = new QAction(bar_);
    action->setProperty(kIdProperty, kCustomControlId);
    const QList<QAction*> actions = bar_->actions();
    if (Before && *Before <= actions.size())
        bar_->insertAction(actions.at(*Before - 1), action);
    else
        bar_->addAction(action);
    return std::make_shared<CommandBarControl>(action);
}

std::shared_ptr<CommandBarControls> CommandBar::Controls() const {
    return std::make_shared<CommandBarControls>(bar_);
}

void CommandBars::Append(const std::string& name, QWidget* bar) {
    bars_.push_back(std::make_shared<CommandBar>(name, bar));
}

std::shared_ptr<CommandBar> CommandBars::Item(const std::string& name) const {
    for (const auto& bar : bars_) {
        if (SameIgnoringCase(bar->Name(), name))
            return bar;
    }
    throw VbError(5);
}

std::shared_ptr<CommandBar> CommandBars::Item(int32_t index) const {
    if (index < 1 || index > Count())
        throw VbError(5);
    return bars_[index - 1];
}

CommandBarEvents::CommandBarEvents(std::shared_ptr<CommandBarControl> control)
    : control_(std::move(control)) {
    if (QAction* action = control_->Action()) {
        connection_ = QObject::connect(action, &QAction::triggered, [this] {
            if (!handler_)
                return;
            bool handled = false;
            bool cancelDefault = false;
            // A copy: the handler may replace itself (an add-in that ends).
            ClickHandler handler = handler_;
            handler(*control_, handled, cancelDefault);
        });
    }
}

CommandBarEvents::~CommandBarEvents() {
    QObject::disconnect(connection_);
}

}  // namespace qfw::host
