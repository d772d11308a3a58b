#include "model/obj_control.h"

#include <limits>
#include <unordered_map>

#include "platform/vb_error.h"

namespace qfw {

objControl::KindView objControl::Kind(int16_t kind) {
    switch (kind) {
        case kKindProperty:
            return {Properties_, PropertySelected_, PropertyMapped_, PropertyCount_};
        case kKindMethod:
            return {Methods_, MethodSelected_, MethodMapped_, MethodCount_};
        default:
            return {Events_, EventSelected_, EventMapped_, EventCount_};
    }
}

void objControl::Append(KindView kind, const std::string& text) {
    if (kind.count == std::numeric_limits<int16_t>::max())
        throw VbError(kErrOverflow);
    // The arrays take the count as their new upper bound, as a preserving
    // resize to 0..count would: entries beyond a lowered count are dropped.
    const size_t n = static_cast<size_t>(kind.count < 0 ? 0 : kind.count);
    kind.texts.resize(n + 1);
    kind.selected.resize(n + 1, false);
    kind.mapped.resize(n + 1, false);
    kind.selected[n] = false;
    kind.mapped[n] = false;
    kind.texts[n] = text;
    ++kind.count;
}

std::string objControl::TextAt(const std::vector<std::string>& texts, int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= texts.size())
        return {};
    return texts[static_cast<size_t>(index)];
}

bool objControl::FlagAt(const std::vector<bool>& flags, int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= flags.size()) {
        throw VbError(kErrSubscriptOutOfRange);
    }
    return flags[static_cast<size_t>(index)];
}

void objControl::SetFlagAt(std::vector<bool>& flags, int16_t index, bool value) {
    if (index < 0 || static_cast<size_t>(index) >= flags.size()) {
        throw VbError(kErrSubscriptOutOfRange);
    }
    flags[static_cast<size_t>(index)] = value;
}

int16_t objControl::CountSet(const std::vector<bool>& flags, int16_t count) {
    int16_t n = 0;
    for (int16_t i = 0; i < count; ++i) {
        if (FlagAt(flags, i))
            ++n;
    }
    return n;
}

std::string objControl::Properties(int16_t Index) const {
    return TextAt(Properties_, Index);
}
std::string objControl::Methods(int16_t Index) const {
    return TextAt(Methods_, Index);
}
std::string objControl::Events(int16_t Index) const {
    return TextAt(Events_, Index);
}

void objControl::AddProperty(const std::string& sProperty) {
    Append(Kind(kKindProperty), sProperty);
}
void objControl::AddMethod(const std::string& sMethod) {
    Append(Kind(kKindMethod), sMethod);
}
void objControl::AddEvent(const std::string& sEvent) {
    Append(Kind(kKindEvent), sEvent);
}

bool objControl::MethodMapped(int16_t Index) const {
    return FlagAt(MethodMapped_, Index);
}
bool objControl::PropertyMapped(int16_t Index) const {
    return FlagAt(PropertyMapped_, Index);
}
bool objControl::EventMapped(int16_t Index) const {
    return FlagAt(EventMapped_, Index);
}
bool objControl::PropertySelected(int16_t Index) const {
    return FlagAt(PropertySelected_, Index);
}
bool objControl::MethodSelected(int16_t Index) const {
    return FlagAt(MethodSelected_, Index);
}
bool objControl::EventSelected(int16_t Index) const {
    return FlagAt(EventSelected_, Index);
}

void objControl::MethodMapped(int16_t Index, bool bMapped) {
    SetFlagAt(MethodMapped_, Index, bMapped);
}
void objControl::PropertyMapped(int16_t Index, bool bMapped) {
    SetFlagAt(PropertyMapped_, Index, bMapped);
}
void objControl::EventMapped(int16_t Index, bool bMapped) {
    SetFlagAt(EventMapped_, Index, bMapped);
}
void objControl::PropertySelected(int16_t Index, bool bSelected) {
    SetFlagAt(PropertySelected_, Index, bSelected);
}
void objControl::MethodSelected(int16_t Index, bool bSelected) {
    SetFlagAt(MethodSelected_, Index, bSelected);
}
void objControl::EventSelected(int16_t Index, bool bSelected) {
    SetFlagAt(EventSelected_, Index, bSelected);
}

void objControl::Clear() {
    Properties_.clear();
    Methods_.clear();
    Events_.clear();
    PropertySelected_.clear();
    MethodSelected_.clear();
    EventSelected_.clear();
    PropertyMapped_.clear();
    MethodMapped_.clear();
    EventMapped_.clear();
    PropertyCount_ = 0;
    MethodCount_ = 0;
    EventCount_ = 0;
    ControlFileName_.clear();
    iType_.clear();
    Documentation_.clear();
    MappingOrder_ = 0;
}

void objControl::SetSelectedItems(int16_t iType, const std::vector<std::string>& lstNotSelected,
                                  const std::vector<std::string>& lstSelected) {
    if (iType != kKindProperty && iType != kKindMethod && iType != kKindEvent)
        return;
    KindView kind = Kind(iType);
    // A text names the first item that has it; one index instead of a search
    // per text keeps a page's Add All over thousands of items linear.
    std::unordered_map<std::string, int16_t> first;
    first.reserve(static_cast<size_t>(kind.count));
    for (int16_t i = 0; i < kind.count; ++i)
        first.emplace(TextAt(kind.texts, i), i);
    auto markFirst = [&kind, &first](const std::string& text, bool value) {
        const auto found = first.find(text);
        if (found != first.end())
            SetFlagAt(kind.selected, found->second, value);
    };
    for (const std::string& text : lstNotSelected)
        markFirst(text, false);
    for (const std::string& text : lstSelected)
        markFirst(text, true);
}

int16_t objControl::SelectedPropertyCount() const {
    return CountSet(PropertySelected_, PropertyCount_);
}
int16_t objControl::SelectedMethodCount() const {
    return CountSet(MethodSelected_, MethodCount_);
}
int16_t objControl::SelectedEventCount() const {
    return CountSet(EventSelected_, EventCount_);
}

int16_t objControl::ItemCount(int16_t iType) const {
    return Kind(iType).count;
}
std::string objControl::Item(int16_t iType, int16_t Index) const {
    return TextAt(Kind(iType).texts, Index);
}
bool objControl::ItemSelected(int16_t iType, int16_t Index) const {
    return FlagAt(Kind(iType).selected, Index);
}
void objControl::ItemSelected(int16_t iType, int16_t Index, bool bSelected) {
    SetFlagAt(Kind(iType).selected, Index, bSelected);
}
bool objControl::ItemMapped(int16_t iType, int16_t Index) const {
    return FlagAt(Kind(iType).mapped, Index);
}
void objControl::ItemMapped(int16_t iType, int16_t Index, bool bMapped) {
    SetFlagAt(Kind(iType).mapped, Index, bMapped);
}
int16_t objControl::SelectedItemCount(int16_t iType) const {
    const KindView kind = Kind(iType);
    return CountSet(kind.selected, kind.count);
}

int16_t objControl::FindItem(int16_t iType, const std::string& sText) const {
    const KindView kind = Kind(iType);
    for (int16_t i = 0; i < kind.count; ++i) {
        if (TextAt(kind.texts, i) == sText)
            return i;
    }
    return -1;
}

std::vector<std::string> objControl::ItemTexts(int16_t iType) const {
    const KindView kind = Kind(iType);
    std::vector<std::string> texts;
    for (int16_t i = 0; i < kind.count; ++i)
        texts.push_back(TextAt(kind.texts, i));
    return texts;
}

}  // namespace qfw
