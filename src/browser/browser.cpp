#include "browser/browser.h"

#include <limits>
#include <utility>

#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

// The runtime's conversion to a 16-bit Integer: out of range overflows.
int16_t ToInteger(int64_t value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw VbError(kErrOverflow);
    return static_cast<int16_t>(value);
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

bool IsNoType(const std::string& type) {
    return type.empty() || type == "None";
}

// The member names of IUnknown and IDispatch, which are never items.
bool IsPlumbing(const std::string& name) {
    return name == "QueryInterface" || name == "AddRef" || name == "GetTypeInfo" ||
           name == "GetTypeInfoCount" || name == "Release" || name == "GetIDsOfNames" ||
           name == "Invoke";
}

// Member types the wizard keeps: the Visual Basic types, and the object and
// enumeration types the control names. Every other type is stored as "Long".
std::string StoredType(const std::string& type, bool named) {
    static const char* const kKept[] = {"",        "None",   "Integer", "Long",   "Boolean",
                                        "Object",  "String", "Double",  "Single", "Currency",
                                        "Variant", "Date",   "Byte"};
    if (named)
        return type;
    for (const char* kept : kKept)
        if (type == kept)
            return type;
    return "Long";
}

}  // namespace

// Routes a control's TypeInfo events to the shared browser and tells it
// which control raised the event.
class SharedBrowserEvents {
  public:
    static void Handle(const TypeLibControl* source, int32_t& lItem, int16_t& item) {
        Browser& shared = SharedBrowser();
        const TypeLibControl* previous = std::exchange(shared.state_.eventSource, source);
        try {
            shared.Qfnrws_TypeInfo(lItem, item);
        } catch (...) {
            shared.state_.eventSource = previous;
            throw;
        }
        shared.state_.eventSource = previous;
    }
};

Browser& SharedBrowser() {
    static Browser shared;
    return shared;
}

Browser::CollectionState& Browser::State() const {
    return SharedBrowser().state_;
}

void Browser::BrowserControl(std::shared_ptr<TypeLibControl> control) {
    BrowserControl_ = std::move(control);
    if (!BrowserControl_)
        return;
    const TypeLibControl* source = BrowserControl_.get();
    BrowserControl_->OnTypeInfo([source](int32_t& lItem, int16_t& item) {
        SharedBrowserEvents::Handle(source, lItem, item);
    });
}

const TypeLibControl& Browser::Control() const {
    if (!BrowserControl_)
        throw VbError(kErrObjectNotSet);
    return *BrowserControl_;
}

const TypeLibControl& Browser::EventControl() const {
    const TypeLibControl* source = State().eventSource;
    return source ? *source : Control();
}

objControl& Browser::ControlObject() {
    if (!ControlObject_) {
        ownRecord_ = std::make_unique<objControl>();
        ControlObject_ = ownRecord_.get();
    }
    return *ControlObject_;
}

int16_t Browser::GetControlInfo(const std::string& sTypeLibName, int16_t iTypeOfInfo,
                                std::string& sControlInfo) {
    switch (iTypeOfInfo) {
        case kInfoLibrary:
            Control();
            BrowserControl_->TypeLibName(sTypeLibName);
            sControlInfo = BrowserControl_->iName() + "|" + BrowserControl_->Documentation();
            break;
        case kInfoInterfaces:
            ListInterfaces(sTypeLibName, sControlInfo, false);
            break;
        case kInfoDeclaredInterfaces:
            ListInterfaces(sTypeLibName, sControlInfo, true);
            ListDeclaredClasses();
            break;
        case kInfoMembers:
            ExtractMembers();
            break;
        default:
            break;
    }
    return 0;
}

void Browser::ListInterfaces(const std::string& sTypeLibName, std::string& sControlInfo,
                             bool declared) {
    CollectionState& s = State();
    EraseArray(s.interfaces);
    EraseArray(s.selectedInterfaces);
    EraseArray(s.interfaceTags);
    EraseArray(s.declaredClasses);
    s.declaredListing = declared;
    s.interfaceCount = 0;
    s.dispatchCount = 0;
    s.interfaceTypeCount = 0;
    s.pendingText.clear();

    Operation(0);
    Control();
    BrowserControl_->TypeLibName(sTypeLibName);
    sControlInfo = BrowserControl_->iName() + "|" + BrowserControl_->Documentation();
    BrowserControl_->Enumerate();
}

void Browser::ExtractMembers() {
    CollectionState& s = State();
    ControlObject().Clear();
    Operation(1);
    s.interfaceCount = 0;

    s.memberKinds.assign(1, 0);
    s.memberNames.assign(1, "");
    s.memberTypes.assign(1, "");
    EraseArray(s.enumerationTypes);
    s.inside = false;
    s.events = 0;

    if (s.interfaceIndex < 0 || static_cast<size_t>(s.interfaceIndex) >= s.interfaceTags.size())
        throw VbError(kErrSubscriptOutOfRange);
    const int32_t tag = s.interfaceTags[static_cast<size_t>(s.interfaceIndex)];
    SetTheControl(ToInteger(tag / 65536), ToInteger(tag % 65536));
    ChooseDeclaredInterfaces();

    Control();
    BrowserControl_->Enumerate();
    BuildMemberItems();
}

void Browser::Qfnrws_TypeInfo(int32_t& lItem, int16_t& item) {
    const CollectionState& s = State();
    if (s.operation == 0) {
        if (s.declaredListing)
            CollectDeclaredInterface(lItem, item);
        else
            CollectInterface(lItem, item);
    } else if (s.chosenKind == kTypeInfoCoclass) {
        GetDeclaredProps(lItem, item);
    } else {
        GetTheProps(lItem, item);
    }
}

void Browser::CollectInterface(int32_t lItem, int16_t item) {
    CollectionState& s = State();
    switch (item) {
        case kTypeInfoDispatch:
            s.dispatchCount = ToInteger(int64_t{s.dispatchCount} + 1);
            break;
        case kTypeInfoInterface:
            s.interfaceTypeCount = ToInteger(int64_t{s.interfaceTypeCount} + 1);
            if (s.interfaceTypeCount == 2 && !s.pendingText.empty()) {
                AppendInterface(s.pendingText, s.pendingIndex + kTypeInfoInterface * 65536);
                s.pendingText.clear();
            }
            break;
        case kTypeInfoCoclass: {
            const TypeLibControl& control = EventControl();
            s.pendingText = control.iName() + " - " + control.Documentation();
            s.pendingIndex = ToInteger(lItem);
            if (s.dispatchCount >= 2) {
                AppendInterface(s.pendingText, s.pendingIndex + kTypeInfoDispatch * 65536);
                s.pendingText.clear();
            }
            s.dispatchCount = 0;
            s.interfaceTypeCount = 0;
            break;
        }
        default:
            break;
    }
}

void Browser::AppendInterface(const std::string& text, int32_t tag) {
    CollectionState& s = State();
    const int16_t count = s.interfaceCount;
    const int16_t next = ToInteger(int64_t{count} + 1);
    s.interfaces.resize(static_cast<size_t>(count) + 1);
    s.interfaceTags.resize(static_cast<size_t>(count) + 1);
    s.interfaces[static_cast<size_t>(count)] = text;
    s.interfaceTags[static_cast<size_t>(count)] = tag;
    s.interfaceCount = next;
}

void Browser::GetTheProps(int32_t lItem, int16_t item) {
    CollectionState& s = State();
    const int32_t ck = s.chosenKind;
    const int32_t ci = s.chosenIndex;
    if (ck == kTypeInfoDispatch) {
        if (item == kTypeInfoDispatch && lItem == ci - 2) {
            s.inside = true;
            s.events = 0;
        }
        if (item == kTypeInfoCoclass) {
            s.inside = false;
            s.events = 0;
        }
    }
    if (ck == kTypeInfoInterface && item == kTypeInfoCoclass && lItem == ci) {
        s.inside = true;
        s.events = 0;
    }
    if ((item == kTypeInfoInterface || item == kTypeInfoDispatch || item == kTypeInfoCoclass) &&
        lItem > ci + 2) {
        s.inside = false;
        s.events = 0;
    }
    if ((item == kTypeInfoDispatch && lItem == ci - 1) ||
        (item == kTypeInfoInterface && lItem == ci + 2))
        s.events = 1;

    if (s.inside && item < 0)
        AppendReportedMember(item);
}

void Browser::AppendReportedMember(int16_t item) {
    const TypeLibControl& control = EventControl();
    const int16_t kind = (State().events == 1 && item == kTypeInfoFunction) ? kMemberEvent : item;
    AppendMember(kind, control.iName(),
                 StoredType(control.iParamType(), control.ParamTypeIsNamed()));
    if (control.ParamTypeIsNamed() && control.ParamTypeIsEnumeration())
        NoteEnumerationType(control.iParamType());
}

void Browser::NoteEnumerationType(const std::string& type) {
    std::vector<std::string>& types = State().enumerationTypes;
    for (const std::string& known : types)
        if (EqualsIgnoreCase(known, type))
            return;
    types.push_back(type);
}

void Browser::AppendMember(int16_t kind, const std::string& name, const std::string& type) {
    CollectionState& s = State();
    ToInteger(static_cast<int64_t>(s.memberKinds.size()));  // the new member's 16-bit index
    s.memberKinds.push_back(kind);
    s.memberNames.push_back(name);
    s.memberTypes.push_back(type);
}

void Browser::BuildMemberItems() {
    CollectionState& s = State();
    std::vector<int16_t>& kinds = s.memberKinds;
    std::vector<std::string>& names = s.memberNames;
    std::vector<std::string>& types = s.memberTypes;
    const size_t last = kinds.size() - 1;

    for (size_t i = 1; i <= last; ++i) {
        if (IsPlumbing(names[i]))
            kinds[i] = kMemberDropped;
        if (!names[i].empty() && names[i][0] == '_')
            kinds[i] = kMemberDropped;

        if (kinds[i] == kTypeInfoFunction) {
            // A property reported as its accessor functions: the getter and
            // the setter (whose value parameter has no name) follow each other.
            size_t j = 1;
            while (i + j <= last && kinds[i + j] != kTypeInfoFunction &&
                   kinds[i + j] != kTypeInfoVariable)
                ++j;
            if (i + j <= last && !names[i + j].empty() && names[i].starts_with(names[i + j])) {
                if (IsNoType(types[i + j])) {
                    kinds[i + j] = kMemberDropped;
                    kinds[i] = kTypeInfoVariable;
                } else {
                    kinds[i + j] = kTypeInfoVariable;
                    kinds[i] = kMemberDropped;
                }
            }
            for (size_t k = 1; i + k <= last && kinds[i + k] == kTypeInfoParameter; ++k) {
                if (IsBlank(names[i + k])) {
                    kinds[i + k] = kMemberDropped;
                    kinds[i] = kTypeInfoVariable;
                    break;
                }
            }
        }

        if (kinds[i] == kTypeInfoFunction || kinds[i] == kMemberEvent) {
            std::string signature = names[i] + " (";
            for (size_t j = 1; i + j <= last && kinds[i + j] == kTypeInfoParameter; ++j) {
                signature += names[i + j];
                if (!IsNoType(types[i + j]))
                    signature += " As " + types[i + j];
                signature += ", ";
                names[i + j].clear();
                kinds[i + j] = kMemberDropped;
            }
            if (signature.ends_with(", "))
                signature.resize(signature.size() - 2);
            signature += IsNoType(types[i]) ? ") " : ") As " + types[i];
            names[i] = std::move(signature);
        } else if (kinds[i] == kTypeInfoVariable && !IsNoType(types[i])) {
            names[i] += " As " + types[i];
        }
    }

    objControl& record = ControlObject();
    for (size_t i = 1; i <= last; ++i) {
        switch (kinds[i]) {
            case kMemberEvent:
                record.AddEvent(names[i]);
                break;
            case kTypeInfoVariable:
                record.AddProperty(names[i]);
                break;
            case kTypeInfoFunction:
                record.AddMethod(names[i]);
                break;
            default:
                break;
        }
    }
}

void Browser::SetTheControl(int16_t kind, int16_t index) {
    State().chosenKind = kind;
    State().chosenIndex = index;
}

int16_t Browser::GetInterfaces(std::vector<std::string>& sInterfaces) const {
    EraseArray(sInterfaces);
    const CollectionState& s = State();
    if (s.interfaces.empty())
        return kErrSubscriptOutOfRange;
    sInterfaces = s.interfaces;
    return 0;
}

void Browser::AddSelectedInterfaces(const std::vector<std::string>& sSelectedInterfaces) {
    State().selectedInterfaces = sSelectedInterfaces;
}

int16_t Browser::InterfaceIndex() const {
    return State().interfaceIndex;
}
void Browser::InterfaceIndex(int16_t value) {
    State().interfaceIndex = value;
}
int16_t Browser::Operation() const {
    return State().operation;
}
void Browser::Operation(int16_t value) {
    State().operation = value;
}
const std::vector<int32_t>& Browser::InterfaceTags() const {
    return State().interfaceTags;
}
const std::vector<std::string>& Browser::SelectedInterfaces() const {
    return State().selectedInterfaces;
}
int16_t Browser::InterfaceCount() const {
    return State().interfaceCount;
}
const std::vector<std::string>& Browser::EnumerationTypes() const {
    return State().enumerationTypes;
}

}  // namespace qfw
