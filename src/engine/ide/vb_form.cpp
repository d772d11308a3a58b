#include "engine/ide/vb_form.h"

#include "engine/ide/code_lines.h"
#include "engine/ide/vb_control.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw::ide {

VBControls::VBControls(std::vector<std::shared_ptr<VBControl>> controls)
    : controls_(std::move(controls)) {}

int32_t VBControls::Count() const {
    return static_cast<int32_t>(controls_.size());
}

std::shared_ptr<VBControl> VBControls::Item(int32_t index) const {
    if (index < 1 || index > Count())
        throw VbError(kErrSubscriptOutOfRange);
    return controls_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<VBControl> VBControls::Item(const std::string& name) const {
    const std::string wanted = AsciiLower(name);
    for (const auto& control : controls_) {
        if (AsciiLower(control->Name()) == wanted)
            return control;
    }
    throw VbError(kErrSubscriptOutOfRange);
}

VBForm::VBForm(std::weak_ptr<ide::VBE> vbe, std::string progId, std::string name,
               std::vector<std::shared_ptr<VBControl>> controls)
    : vbe_(std::move(vbe)),
      progId_(std::move(progId)),
      name_(std::move(name)),
      controls_(std::make_shared<ide::VBControls>(std::move(controls))) {}

Properties::Properties(std::vector<std::shared_ptr<Property>> items) : items_(std::move(items)) {}

int32_t Properties::Count() const {
    return static_cast<int32_t>(items_.size());
}

std::shared_ptr<Property> Properties::Item(int32_t index) const {
    if (index < 1 || index > Count())
        throw VbError(kErrSubscriptOutOfRange);
    return items_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<Property> Properties::Item(const std::string& name) const {
    const std::string wanted = AsciiLower(name);
    for (const auto& item : items_) {
        if (AsciiLower(item->Name()) == wanted)
            return item;
    }
    throw VbError(kErrSubscriptOutOfRange);
}

VBControl::VBControl(std::string progId, std::shared_ptr<ide::Properties> properties, int32_t line)
    : ProgId_(std::move(progId)), properties_(std::move(properties)), line_(line) {
    const size_t dot = ProgId_.find('.');
    ClassName_ = dot == std::string::npos ? ProgId_ : ProgId_.substr(dot + 1);
}

const std::string& VBControl::Name() const {
    return properties_->Item("Name")->Value();
}

int32_t VBControl::Index() const {
    try {
        return std::stoi(properties_->Item("Index")->Value());
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace qfw::ide
