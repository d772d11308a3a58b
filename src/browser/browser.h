// Browser: turns a type library, read through a browser control's TypeInfo
// event stream, into what the wizard shows and stores: the library's name
// and help string, its list of controls ("interfaces"), and the item texts
// of one interface's properties, methods and events.
//
// Two listings: the positional one (code 2), the wizard's own rule, lists a
// component class by where it stands among the types; the declared one
// (code 4) lists every creatable component class and reads its items from
// the interfaces the class declares as its default and default source. The
// positional rule suits libraries laid out as C++ tools lay them out; it
// finds nothing in a control compiled by Visual Basic, whose interfaces
// stand apart from their class. Code 3 reads the items of an interface of
// either listing, by the rule that listed it.
//
// Shared state: the process has one shared browser, SharedBrowser(). The
// collection state (interface list and tags, interface count, selected
// interfaces, Operation, chosen kind and index, InterfaceIndex, the member
// arrays, the interface collector's counters and pending text, the member
// collector's flags, the declared listing's classes) exists once, in the
// shared browser, whichever Browser object is asked: a second browser (the
// engine's) reads and clears the very state the events fill. BrowserControl, ControlObject and
// SpecControlFileName belong to each object.
//
// Events: giving any browser a control routes that control's TypeInfo
// events to the shared browser's Qfnrws_TypeInfo, which reads iName,
// Documentation and iParamType from the control that raised the event.
//
// Errors: GetControlInfo raises again, with the same number, any error of
// the control or of its own steps (9 for an InterfaceIndex outside the
// list, 6 for a 16-bit overflow, 91 when no control is set); the state
// filled so far stays. Counts and indices are 16-bit, as are the type
// indices the interface list keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "browser/control/type_lib_control.h"
#include "model/obj_control.h"

namespace qfw {

// Kind codes the browser adds to the control's: an event, and a member
// entry that became no item.
inline constexpr int16_t kMemberEvent = -4;
inline constexpr int16_t kMemberDropped = 0;

// GetControlInfo operation codes.
inline constexpr int16_t kInfoLibrary = 1;
inline constexpr int16_t kInfoInterfaces = 2;
inline constexpr int16_t kInfoMembers = 3;
inline constexpr int16_t kInfoDeclaredInterfaces = 4;

// The rule a library's controls are listed by.
enum class InterfaceListing {
    Positional,  // GetControlInfo code 2
    Declared,    // GetControlInfo code 4
};

// The GetControlInfo code that lists interfaces by `listing`.
inline int16_t ListingInfoCode(InterfaceListing listing) {
    return listing == InterfaceListing::Declared ? kInfoDeclaredInterfaces : kInfoInterfaces;
}

class Browser {
  public:
    Browser() = default;
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    const std::shared_ptr<TypeLibControl>& BrowserControl() const { return BrowserControl_; }
    // Keeps the control and routes its TypeInfo events to the shared browser.
    void BrowserControl(std::shared_ptr<TypeLibControl> control);

    // The receiving record; reading it while unset creates an empty one.
    objControl& ControlObject();
    // Refers to `record` (not owned) from now on.
    void ControlObject(objControl& record) { ControlObject_ = &record; }

    const std::string& SpecControlFileName() const { return SpecControlFileName_; }
    void SpecControlFileName(const std::string& value) { SpecControlFileName_ = value; }

    // Code 1: library name & "|" & help string; code 2: also lists the
    // interfaces by position; code 4: also lists them as declared (every
    // creatable component class, hidden ones after the others); code 3:
    // fills ControlObject with the items of the interface at InterfaceIndex.
    // Result always 0.
    int16_t GetControlInfo(const std::string& sTypeLibName, int16_t iTypeOfInfo,
                           std::string& sControlInfo);

    // The TypeInfo event entry.
    void Qfnrws_TypeInfo(int32_t& lItem, int16_t& item);
    void CollectInterface(int32_t lItem, int16_t item);
    void GetTheProps(int32_t lItem, int16_t item);
    // The declared listing's collectors: component classes while listing,
    // the members of the chosen class's interfaces while extracting.
    void CollectDeclaredInterface(int32_t lItem, int16_t item);
    void GetDeclaredProps(int32_t lItem, int16_t item);
    void BuildMemberItems();
    void SetTheControl(int16_t kind, int16_t index);

    // Copies the interface list; 9 when it holds nothing.
    int16_t GetInterfaces(std::vector<std::string>& sInterfaces) const;
    void AddSelectedInterfaces(const std::vector<std::string>& sSelectedInterfaces);

    int16_t InterfaceIndex() const;
    void InterfaceIndex(int16_t value);
    int16_t Operation() const;
    void Operation(int16_t value);

    template <typename T>
    static void EraseArray(std::vector<T>& sArray) noexcept {
        sArray.clear();
    }

    // Lists every library of the system folder (C:\WINDOWS\SYSTEM\*.OCX)
    // as control list entries into g_sSystemControlList and returns their
    // number; once it has run, it returns True (-1) at once and leaves the
    // list alone until ForgetSystemControlList. A file that is no readable
    // library is left out; the others are still listed.
    int16_t GetSystemControlList(std::vector<std::string>& g_sSystemControlList);
    // Lets the next GetSystemControlList read the folder again (a new run
    // starts with an empty system list).
    void ForgetSystemControlList();

    // Read-only views of the shared collection state, for the command line
    // and tests.
    const std::vector<int32_t>& InterfaceTags() const;
    const std::vector<std::string>& SelectedInterfaces() const;
    int16_t InterfaceCount() const;

    // The enumeration types (an alias of one included) that the members of
    // the last member extraction (code 3) are declared with, by the names
    // their item texts give them ("ViewLib.Shade"), each once in the order
    // met. An item text cannot tell these from object types, which code
    // assigns with Set; generation needs to know them.
    const std::vector<std::string>& EnumerationTypes() const;

  private:
    // A creatable component class met by the declared listing: its interface
    // text, its type index, and the type indices of its default and default
    // source interfaces (-1 for none, or for one of another library).
    struct DeclaredClass {
        std::string text;
        int32_t index = 0;
        bool hidden = false;
        int32_t defaultIndex = -1;
        int32_t sourceIndex = -1;
    };

    struct CollectionState {
        std::vector<std::string> interfaces;
        std::vector<std::string> selectedInterfaces;
        int16_t operation = 0;
        int16_t chosenKind = 0;
        int16_t chosenIndex = 0;
        std::vector<int16_t> memberKinds{0};
        std::vector<std::string> memberNames{""};
        std::vector<std::string> memberTypes{""};
        std::vector<std::string> enumerationTypes;
        std::vector<int32_t> interfaceTags;
        int16_t interfaceIndex = 0;
        int16_t interfaceCount = 0;
        int16_t dispatchCount = 0;
        int16_t interfaceTypeCount = 0;
        std::string pendingText;
        int16_t pendingIndex = 0;
        bool inside = false;
        // Set once GetSystemControlList has listed the system folder.
        bool systemListBuilt = false;
        int16_t events = 0;
        // The last listing (code 2 or 4) lists classes as declared.
        bool declaredListing = false;
        // After code 4: the listed classes, parallel to the interface list.
        std::vector<DeclaredClass> declaredClasses;
        // The interfaces code 3 reads for an interface of the declared listing.
        int32_t chosenDefault = -1;
        int32_t chosenSource = -1;
        // The control whose event is being handled.
        const TypeLibControl* eventSource = nullptr;
    };

    CollectionState& State() const;
    const TypeLibControl& Control() const;
    const TypeLibControl& EventControl() const;
    void ListInterfaces(const std::string& sTypeLibName, std::string& sControlInfo, bool declared);
    void ListDeclaredClasses();
    void ChooseDeclaredInterfaces();
    void ExtractMembers();
    void AppendInterface(const std::string& text, int32_t tag);
    void AppendMember(int16_t kind, const std::string& name, const std::string& type);
    void NoteEnumerationType(const std::string& type);
    // Appends the member the control reports; a function becomes an event
    // while the events flag is set.
    void AppendReportedMember(int16_t item);

    friend class SharedBrowserEvents;

    std::shared_ptr<TypeLibControl> BrowserControl_;
    objControl* ControlObject_ = nullptr;
    std::unique_ptr<objControl> ownRecord_;
    std::string SpecControlFileName_;
    // Used only by the shared browser; other browsers reach it through State().
    CollectionState state_;
};

// The process's shared browser, created on first use and kept while the
// program runs.
Browser& SharedBrowser();

}  // namespace qfw
