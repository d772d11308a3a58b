// The environment's command bars over Qt menus, with the members the add-in
// calls: CommandBars.Item (by name or 1-based position), Controls with
// Count, Item and Add(Before), and each control's Caption, Id, PasteFace and
// Delete; Events.CommandBarEvents gives a click source for a control.
//
// A command bar is a QMenuBar or QMenu; its controls are the widget's
// actions. Position 1 is the menu bar, the menus follow in the order they
// were added. A control the add-in adds is a button whose Id is 1, as the
// environment gives every custom control, so CommandBars.Item(Id) of such a
// control is the menu bar.
#pragma once

#include <QAction>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace qfw::host {

inline constexpr int32_t kCustomControlId = 1;

class CommandBarControl {
  public:
    explicit CommandBarControl(QAction* action) : action_(action) {}

    std::string Caption() const;
    void Caption(const std::string& text);
    int32_t Id() const;
    // The clipboard's image becomes the control's icon.
    void PasteFace();
    // Removes the control from its bar.
    void Delete();

    QAction* Action() const { return action_; }

  private:
    QPointer<QAction> action_;
};

class CommandBarControls {
  public:
    explicit CommandBarControls(QWidget* bar) : bar_(bar) {}

    int16_t Count() const;
    // Raises VbError 5 outside 1 to Count.
    std::shared_ptr<CommandBarControl> Item(int16_t index) const;
    // A new button inserted before position `Before` (1 to Count + 1), or
    // appended without it. Raises VbError 5 for a position outside that range.
    std::shared_ptr<CommandBarControl> Add(std::optional<int16_t> Before = std::nullopt);

  private:
    QPointer<QWidget> bar_;
};

class CommandBar {
  public:
    CommandBar(std::string name, QWidget* bar) : name_(std::move(name)), bar_(bar) {}
    const std::string& Name() const { return name_; }
    std::shared_ptr<CommandBarControls> Controls() const;
    QWidget* Widget() const { return bar_; }

  private:
    std::string name_;
    QPointer<QWidget> bar_;
};

class CommandBars {
  public:
    void Append(const std::string& name, QWidget* bar);
    int32_t Count() const { return static_cast<int32_t>(bars_.size()); }
    // By name (compared ignoring case) or by 1-based position; VbError 5
    // when there is none.
    std::shared_ptr<CommandBar> Item(const std::string& name) const;
    std::shared_ptr<CommandBar> Item(int32_t index) const;

  private:
    std::vector<std::shared_ptr<CommandBar>> bars_;
};

// A click source for one control. Click receives the control, the handled
// flag and the cancel-default flag.
class CommandBarEvents {
  public:
    using ClickHandler =
        std::function<void(CommandBarControl&, bool& handled, bool& cancelDefault)>;

    explicit CommandBarEvents(std::shared_ptr<CommandBarControl> control);
    ~CommandBarEvents();
    CommandBarEvents(const CommandBarEvents&) = delete;
    CommandBarEvents& operator=(const CommandBarEvents&) = delete;

    // The handler the click arrives at; an empty one ignores clicks.
    void OnClick(ClickHandler handler) { handler_ = std::move(handler); }

  private:
    std::shared_ptr<CommandBarControl> control_;
    ClickHandler handler_;
    QMetaObject::Connection connection_;
};

// The event-source factory.
class Events {
  public:
    std::shared_ptr<host::CommandBarEvents> CommandBarEvents(
        std::shared_ptr<CommandBarControl> control) const {
        return std::make_shared<host::CommandBarEvents>(std::move(control));
    }
};

}  // namespace qfw::host
