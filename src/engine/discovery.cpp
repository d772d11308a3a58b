// Finding the projects, the UserControls of a project, and the chosen
// UserControl's file, designer and constituent controls, whose members the
// browser reads into the constituent records.
#include <string>
#include <vector>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "engine/ide/code_lines.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/wizard.h"
#include "generation/item_text.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

constexpr const char* kUnsavedMessage =
    "The wizard has determined that your UserControl has not yet been saved. In order to "
    "generate source code, you must save your UserControl along with its associated project. "
    "Please save your UserControl project and then restart the wizard.";

int16_t ToCount(int32_t count) {
    if (count > INT16_MAX)
        throw VbError(kErrOverflow);
    return static_cast<int16_t>(count);
}

// Position (from 1) of the first project whose trimmed name is the trimmed
// `name`; 0 when there is none.
int32_t ProjectPosition(ide::VBProjects& projects, const std::string& name) {
    const std::string wanted = std::string(Trim(name));
    for (int32_t p = 1; p <= projects.Count(); ++p) {
        if (Trim(projects.Item(p)->Name()) == wanted)
            return p;
    }
    return 0;
}

// The designer's controls with one entry per control array: its element of
// the lowest index stands for the whole array, whose elements all share one
// class, one set of members and one set of event handlers.
std::vector<std::shared_ptr<ide::VBControl>> OnePerArray(const ide::VBControls& controls) {
    std::vector<std::shared_ptr<ide::VBControl>> kept;
    for (int32_t k = 1; k <= controls.Count(); ++k) {
        std::shared_ptr<ide::VBControl> control = controls.Item(k);
        bool lowest = true;
        for (int32_t other = 1; other <= controls.Count() && lowest && control->Index() >= 0;
             ++other) {
            const auto& element = controls.Item(other);
            if (other != k && element->Index() >= 0 &&
                AsciiLower(element->Name()) == AsciiLower(control->Name()) &&
                (element->Index() < control->Index() ||
                 (element->Index() == control->Index() && other < k))) {
                lowest = false;
            }
        }
        if (lowest)
            kept.push_back(std::move(control));
    }
    return kept;
}

}  // namespace

ide::VBE& Wizard::Environment() const {
    if (!VBInst)
        throw VbError(kErrObjectNotSet);
    return *VBInst;
}

int16_t Wizard::EnumerateProjects(std::vector<std::string>& sProjList) {
    auto projects = Environment().VBProjects();
    const int16_t n = ToCount(projects->Count());
    for (int16_t i = 1; i <= n; ++i) {
        sProjList.resize(static_cast<size_t>(i));
        sProjList[static_cast<size_t>(i - 1)] = projects->Item(i)->Name();
    }
    ProjectCount_ = n;
    return n;
}

int16_t Wizard::EnumerateObjects(const std::string& sProjName,
                                 std::vector<std::string>& sObjectList) {
    auto projects = Environment().VBProjects();
    const int32_t p = ProjectPosition(*projects, sProjName);
    if (p == 0)
        return 0;
    auto components = projects->Item(p)->VBComponents();
    int16_t m = 0;
    for (int32_t c = 1; c <= components->Count(); ++c) {
        auto component = components->Item(c);
        if (component->Type() != ide::vbext_ct_UserControl)
            continue;
        if (m == INT16_MAX)
            throw VbError(kErrOverflow);
        sObjectList.resize(static_cast<size_t>(m) + 1);
        sObjectList[static_cast<size_t>(m)] = component->Name();
        ++m;
    }
    ObjectCount_ = m;
    return m;
}

void Wizard::UserControlName(const std::string& value) {
    UserControlName_ = value;
    Result_ = kResultConstituentsFound;
    auto project = Environment().VBProjects()->Item(ProjectName_);
    UserControlDesigner = project->VBComponents()->Item(value)->Designer();
    const int16_t found = EnumerateUserControl(ProjectName_, value);
    if (found == 0)
        Result_ = kResultNoConstituents;
    if (found == kResultRunEnded)
        Result_ = kResultRunEnded;
}

int16_t Wizard::EnumerateUserControl(const std::string& sProjectName,
                                     const std::string& sUserControlName) {
    auto projects = Environment().VBProjects();
    const int32_t p = ProjectPosition(*projects, sProjectName);
    std::shared_ptr<ide::VBComponent> userControl;
    if (p != 0) {
        auto components = projects->Item(p)->VBComponents();
        const std::string wanted = std::string(Trim(sUserControlName));
        for (int32_t c = 1; c <= components->Count(); ++c) {
            auto component = components->Item(c);
            if (Trim(component->Name()) != wanted)
                continue;
            userControl = component;
            UserControlFileName_ = component->FileNames(1);
            if (UserControlFileName_.empty()) {
                CurrentShell().MsgBox(kUnsavedMessage, vbOKOnly, "");
                CurrentShell().EndRun();
                return kResultRunEnded;
            }
        }
    }
    if (userControl) {
        UserControlDesigner = userControl->Designer();
        ReadConstituents();
    }
    if (!UserControlDesigner)
        throw VbError(kErrObjectNotSet);
    return ToCount(UserControlDesigner->VBControls()->Count());
}

void Wizard::ReadConstituents() {
    if (!UserControlDesigner)
        throw VbError(kErrObjectNotSet);
    const std::vector<std::shared_ptr<ide::VBControl>> controls =
        OnePerArray(*UserControlDesigner->VBControls());
    const int16_t n = ToCount(static_cast<int32_t>(controls.size()));
    // The arrays always describe the designer just read, even one without
    // controls: stale entries would name another UserControl's controls.
    if (n == 0) {
        ConstituentControls.clear();
        ConstituentRecords.clear();
    }
    std::vector<std::string> withoutLibrary;
    std::vector<std::string> withoutClass;
    for (int16_t k = 1; k <= n; ++k) {
        const size_t index = static_cast<size_t>(k - 1);
        ConstituentControls.resize(index + 1);
        ConstituentRecords.resize(index + 1);
        ConstituentControls[index] = controls[index];
        if (!ConstituentRecords[index])
            ConstituentRecords[index] = std::make_shared<objControl>();
        objControl& record = *ConstituentRecords[index];

        std::string fileName;
        if (!FindConstituentLibrary(static_cast<int16_t>(index), fileName)) {
            // Without a registration there is no library to read: the record
            // stays empty rather than naming an error text as its file.
            record.Clear();
            withoutLibrary.push_back(DescribeConstituent(index) + ": " + fileName);
            continue;
        }
        record.ControlFileName(fileName);
        if (!ReadConstituentMembers(index, fileName))
            withoutClass.push_back(DescribeConstituent(index) + ": " + fileName);
    }
    if (!withoutLibrary.empty()) {
        std::string text =
            "The wizard could not find the type library of these constituent controls, so their "
            "properties, methods and events cannot be mapped:";
        for (const std::string& line : withoutLibrary)
            text += "\r\n" + line;
        text +=
            "\r\nRegister their libraries in the Wine prefix and name it with --wine-prefix, "
            "or pass their registrations with --registry FILE.reg.";
        CurrentShell().MsgBox(text, vbOKOnly | vbExclamation, "");
    }
    // One message for all of them: a designer's menu items alone can be dozens.
    if (!withoutClass.empty()) {
        std::string text =
            "The type library of these constituent controls describes no control of their "
            "class, so their properties, methods and events cannot be mapped:";
        for (const std::string& line : withoutClass)
            text += "\r\n" + line;
        CurrentShell().MsgBox(text, vbOKOnly | vbExclamation, "");
    }
}

bool Wizard::ReadConstituentMembers(size_t index, const std::string& fileName) {
    if (!ConstituentBrowser)
        ConstituentBrowser = std::make_shared<Browser>();
    if (!ConstituentBrowser->BrowserControl()) {
        ConstituentBrowser->BrowserControl(std::make_shared<Qfnrws>());
    }
    objControl& record = *ConstituentRecords[index];
    Browser& shared = SharedBrowser();
    std::string info;

    ConstituentBrowser->SpecControlFileName(fileName);
    // The browser that extracts the members fills its own receiving record;
    // the shared browser's record is left alone (it may be the
    // specification record, and a constituent record may not outlive it).
    ConstituentBrowser->ControlObject(record);
    const std::string& className = ConstituentControls[index]->ClassName();
    const auto findClass = [&](int16_t listingCode, std::vector<std::string>& interfaces) {
        ConstituentBrowser->GetControlInfo(fileName, listingCode, info);
        shared.GetInterfaces(interfaces);
        size_t m = 0;
        while (m < interfaces.size() &&
               interfaces[m].compare(0, className.size(), className) != 0) {
            ++m;
        }
        return m;
    };
    std::vector<std::string> interfaces;
    size_t m = findClass(kInfoInterfaces, interfaces);
    // A control compiled by Visual Basic keeps its interfaces apart from its
    // class, where the positional listing does not look; the declared
    // listing names it by the same class name.
    if (m == interfaces.size())
        m = findClass(kInfoDeclaredInterfaces, interfaces);
    if (m == interfaces.size()) {
        // No control of the library carries the constituent's class name:
        // there is nothing to read, so the record stays empty and the run
        // goes on with the other constituents.
        record.Clear();
        return false;
    }
    shared.AddSelectedInterfaces({interfaces[m]});
    shared.InterfaceIndex(static_cast<int16_t>(m));
    ConstituentBrowser->GetControlInfo(fileName, kInfoMembers, info);
    AddEnumerationTypes(shared.EnumerationTypes());
    return true;
}

std::string Wizard::DescribeConstituent(size_t index) const {
    const auto& control = ConstituentControls[index];
    return control->Name() + " (" + control->ProgId() + ")";
}

}  // namespace qfw
