#include "engine/ide/vb_components.h"

#include <set>

#include "engine/ide/code_lines.h"
#include "engine/ide/code_module.h"
#include "engine/ide/component_file.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/ide/vb_project.h"
#include "platform/file_ops.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw::ide {

namespace {

// How the environment names new components of each type, and the root
// designer object they carry.
struct NewComponent {
    const char* baseName;
    const char* rootProgId;  // "" without a designer
    const char* header;      // text before the designer block
};

NewComponent NewComponentOf(int32_t type) {
    switch (type) {
        case vbext_ct_StdModule:
            return {"Module", "", ""};
        case vbext_ct_ClassModule:
            return {"Class", "", ""};
        case vbext_ct_VBForm:
            return {"Form", "VB.Form", "VERSION 5.00\r\n"};
        case vbext_ct_VBMDIForm:
            return {"MDIForm", "VB.MDIForm", "VERSION 5.00\r\n"};
        case vbext_ct_PropPage:
            return {"PropertyPage", "VB.PropertyPage", "VERSION 5.00\r\n"};
        case vbext_ct_UserControl:
            return {"UserControl", "VB.UserControl", "VERSION 5.00\r\n"};
        case vbext_ct_DocObject:
            return {"UserDocument", "VB.UserDocument", "VERSION 5.00\r\n"};
        default:
            throw VbError(kErrInvalidProcedureCall);
    }
}

std::shared_ptr<VBControl> MakeControl(const ParsedControl& parsed) {
    std::vector<std::shared_ptr<Property>> items;
    items.push_back(std::make_shared<Property>("Name", parsed.name));
    bool hasIndex = false;
    for (const auto& [name, value] : parsed.properties) {
        if (AsciiLower(name) == "index")
            hasIndex = true;
        items.push_back(std::make_shared<Property>(name, value));
    }
    if (!hasIndex)
        items.push_back(std::make_shared<Property>("Index", "-1"));
    return std::make_shared<VBControl>(parsed.progId, std::make_shared<Properties>(items),
                                       parsed.line);
}

}  // namespace

VBComponents::VBComponents(std::weak_ptr<VBProject> project) : project_(std::move(project)) {}

int32_t VBComponents::Count() const {
    return static_cast<int32_t>(components_.size());
}

std::shared_ptr<VBComponent> VBComponents::Item(int32_t index) const {
    if (index < 1 || index > Count())
        throw VbError(kErrSubscriptOutOfRange);
    return components_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<VBComponent> VBComponents::Item(const std::string& name) const {
    const std::string wanted = AsciiLower(name);
    for (const auto& component : components_) {
        if (AsciiLower(component->Name()) == wanted)
            return component;
    }
    throw VbError(kErrSubscriptOutOfRange);
}

std::shared_ptr<ide::VBE> VBComponents::VBE() const {
    const auto project = project_.lock();
    return project ? project->VBE() : nullptr;
}

namespace {

// The line end a file uses, judged by its first line break (CR LF for a file
// of one line).
LineEnd FirstLineEnd(std::string_view text) {
    const size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos)
        return LineEnd::kCrLf;
    if (text[at] == '\n')
        return LineEnd::kLf;
    return at + 1 < text.size() && text[at + 1] == '\n' ? LineEnd::kCrLf : LineEnd::kCr;
}

}  // namespace

std::shared_ptr<VBComponent> VBComponents::Append(std::shared_ptr<VBComponent> component) {
    component->collection_ = weak_from_this();
    components_.push_back(component);
    return component;
}

std::shared_ptr<VBComponent> VBComponents::AddFile(const std::string& winPath,
                                                   int32_t componentType) {
    std::string fallback = WindowsFileNameOf(winPath);
    fallback = fallback.substr(0, fallback.find_last_of('.'));
    return AddFromText(componentType, ReadFileBytes(winPath), NormalizeWindowsPath(winPath),
                       fallback);
}

std::shared_ptr<VBComponent> VBComponents::AddFromText(int32_t componentType,
                                                       const std::string& text,
                                                       const std::string& fileName,
                                                       const std::string& defaultName) {
    ComponentText parsed = ParseComponentText(
        text, componentType, fileName.empty() ? std::string("(new component)") : fileName);
    std::string name = parsed.vbName;
    if (name.empty())
        name = parsed.rootName;
    if (name.empty())
        name = defaultName;
    auto component = std::make_shared<VBComponent>(componentType, name, fileName);
    component->header_ = std::move(parsed.header);
    component->objectLines_ = std::move(parsed.objectLines);
    const LineEnd lineEnd = FirstLineEnd(text);
    component->lineEnd_ = LineEndBytes(lineEnd);
    component->code_ = std::make_shared<ide::CodeModule>(parsed.code, lineEnd);
    component->code_->parent_ = component;
    if (parsed.hasDesigner) {
        std::vector<std::shared_ptr<VBControl>> controls;
        controls.reserve(parsed.controls.size());
        for (const ParsedControl& control : parsed.controls)
            controls.push_back(MakeControl(control));
        component->designer_ = std::make_shared<VBForm>(VBE(), parsed.rootProgId, parsed.rootName,
                                                        std::move(controls));
    }
    if (!fileName.empty())
        component->RememberDisk(text);
    return Append(component);
}

std::shared_ptr<VBComponent> VBComponents::Add(int32_t componentType) {
    const NewComponent kind = NewComponentOf(componentType);
    std::set<std::string> used;
    for (const auto& component : components_)
        used.insert(AsciiLower(component->Name()));
    std::string name;
    for (int n = 1;; ++n) {
        name = kind.baseName + std::to_string(n);
        if (!used.contains(AsciiLower(name)))
            break;
    }
    std::string text = kind.header;
    if (*kind.rootProgId != '\0') {
        text += std::string("Begin ") + kind.rootProgId + " " + name + " \r\nEnd\r\n";
    }
    text += "Attribute VB_Name = \"" + name + "\"\r\n";
    return AddFromText(componentType, text, "", name);
}

}  // namespace qfw::ide
