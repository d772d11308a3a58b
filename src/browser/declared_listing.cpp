// The declared listing of Browser: component classes found by their type
// flags and read through the interfaces they declare, wherever those stand
// in the library.
#include <algorithm>
#include <limits>

#include "browser/browser.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

// The type index of the class's default interface (source = false) or
// default source interface (source = true): the one of that role flagged
// default, else the first of that role, as OLE Automation picks it; -1 when
// the class has none in this library.
int32_t DeclaredInterface(const std::vector<TypeLibImplemented>& implemented, bool source) {
    const TypeLibImplemented* first = nullptr;
    for (const TypeLibImplemented& type : implemented) {
        if (((type.flags & kImplTypeFlagSource) != 0) != source)
            continue;
        if (type.flags & kImplTypeFlagDefault)
            return type.typeIndex;
        if (!first)
            first = &type;
    }
    return first ? first->typeIndex : -1;
}

}  // namespace

void Browser::CollectDeclaredInterface(int32_t lItem, int16_t item) {
    if (item != kTypeInfoCoclass)
        return;
    const TypeLibControl& control = EventControl();
    const uint16_t flags = control.TypeFlags();
    if ((flags & kTypeFlagCanCreate) == 0)
        return;
    // Interface tags keep the type index in 16 bits.
    if (lItem > std::numeric_limits<int16_t>::max())
        throw VbError(kErrOverflow);
    const std::vector<TypeLibImplemented>& implemented = control.ImplementedTypes();
    State().declaredClasses.push_back(
        {control.iName() + " - " + control.Documentation(), lItem, (flags & kTypeFlagHidden) != 0,
         DeclaredInterface(implemented, false), DeclaredInterface(implemented, true)});
}

// Hidden classes (property pages, helpers the author hid) go after the
// others; each group keeps the library's order.
void Browser::ListDeclaredClasses() {
    CollectionState& s = State();
    std::stable_partition(s.declaredClasses.begin(), s.declaredClasses.end(),
                          [](const DeclaredClass& c) { return !c.hidden; });
    for (const DeclaredClass& c : s.declaredClasses)
        AppendInterface(c.text, c.index + kTypeInfoCoclass * 65536);
}

void Browser::ChooseDeclaredInterfaces() {
    CollectionState& s = State();
    s.chosenDefault = -1;
    s.chosenSource = -1;
    if (s.chosenKind != kTypeInfoCoclass)
        return;
    // Tags of kind 5 come only from the declared listing, which keeps its
    // classes parallel to the interface list.
    const auto position = static_cast<size_t>(s.interfaceIndex);
    if (position >= s.declaredClasses.size())
        throw VbError(kErrSubscriptOutOfRange);
    const DeclaredClass& chosen = s.declaredClasses[position];
    s.chosenDefault = chosen.defaultIndex;
    s.chosenSource = chosen.sourceIndex;
}

// A type event opens or closes the collection: members are collected inside
// the default interface, and inside the default source interface, whose
// functions are events. A dual interface is reported once, in its dispatch
// view, with the functions of its whole base chain.
void Browser::GetDeclaredProps(int32_t lItem, int16_t item) {
    CollectionState& s = State();
    if (item >= 0) {
        const bool isInterface = item == kTypeInfoInterface || item == kTypeInfoDispatch;
        s.inside = isInterface && (lItem == s.chosenDefault || lItem == s.chosenSource);
        s.events = s.inside && lItem != s.chosenDefault ? 1 : 0;
        return;
    }
    if (s.inside)
        AppendReportedMember(item);
}

}  // namespace qfw
