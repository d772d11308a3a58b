// Connecting the specification record with the constituent records: the
// members common to all constituents, the multi-mapping flags, and the
// batches handed to the procedure builder in mapping order.
#include <algorithm>
#include <numeric>

#include "engine/ide/vb_control.h"
#include "engine/wizard.h"
#include "generation/item_text.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

bool IsItemKind(int16_t kind) {
    return kind == kKindProperty || kind == kKindMethod || kind == kKindEvent;
}

constexpr const char* kAddingPrefix[] = {"Adding Properties for ", "Adding Methods for ",
                                         "Adding Events for "};

}  // namespace

objControl& Wizard::ConstituentRecord(int16_t k) const {
    if (k < 0 || static_cast<size_t>(k) >= ConstituentRecords.size() ||
        !ConstituentRecords[static_cast<size_t>(k)]) {
        throw VbError(kErrSubscriptOutOfRange);
    }
    return *ConstituentRecords[static_cast<size_t>(k)];
}

int32_t Wizard::GetItemList(int16_t iType, const std::vector<std::string>& sArray,
                            std::vector<std::string>& sSelectedItems,
                            std::vector<std::string>& sNonSelectedItems) const {
    sSelectedItems.clear();
    sNonSelectedItems.clear();
    if (!IsItemKind(iType))
        return 0;
    try {
        for (const std::string& className : sArray) {
            const int16_t j = ConstituentIndexOf(className);
            if (j < 0)
                continue;
            const objControl& record = ConstituentRecord(j);
            for (int16_t e = 0; e < record.ItemCount(iType); ++e) {
                const std::string text = record.Item(iType, e);
                const bool common = std::all_of(
                    ConstituentRecords.begin(), ConstituentRecords.end(),
                    [&](const auto& other) { return other && other->FindItem(iType, text) >= 0; });
                if (!common)
                    continue;
                (record.ItemSelected(iType, e) ? sSelectedItems : sNonSelectedItems)
                    .push_back(text);
            }
        }
        for (auto* list : {&sSelectedItems, &sNonSelectedItems}) {
            if (list->empty())
                continue;
            SortItems(*list, 0, static_cast<int16_t>(list->size() - 1));
            const std::vector<std::string> copy = *list;
            RemoveDuplicateItems(copy, *list);
        }
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

int32_t Wizard::UpdateMultiMap(const std::vector<std::string>& sControlList,
                               const std::vector<std::string>& sArray, int16_t iType,
                               bool bSelected) {
    if (!IsItemKind(iType))
        return 0;
    try {
        for (const std::string& className : sControlList) {
            objControl& record = ConstituentRecord(ConstituentIndexOf(className));
            for (const std::string& text : sArray) {
                const int16_t m = record.FindItem(iType, text);
                if (m < 0)
                    throw VbError(kErrSubscriptOutOfRange);
                record.ItemSelected(iType, m, bSelected);
            }
        }
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

std::vector<size_t> Wizard::MappingSequence() const {
    std::vector<size_t> order(ConstituentRecords.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Ordered constituents first, by their position; the unordered ones
    // after them in designer order. Equal positions keep designer order.
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        const int16_t oa = ConstituentRecords[a] ? ConstituentRecords[a]->MappingOrder() : 0;
        const int16_t ob = ConstituentRecords[b] ? ConstituentRecords[b]->MappingOrder() : 0;
        if ((oa == 0) != (ob == 0))
            return ob == 0;
        return oa < ob;
    });
    return order;
}

int32_t Wizard::BuildItemList(objControl& spec) {
    int32_t firstFailure = 0;
    for (size_t c : MappingSequence()) {
        const objControl& record = ConstituentRecord(static_cast<int16_t>(c));
        for (int16_t kind : {kKindProperty, kKindMethod, kKindEvent}) {
            CurrentShell().ShowStatus(kAddingPrefix[kind] + ConstituentName(c));
            CurrentShell().DoEvents();

            std::vector<int16_t> kinds;
            std::vector<std::string> texts;
            for (int16_t i = 0; i < spec.ItemCount(kind); ++i) {
                const std::string specText = spec.Item(kind, i);
                for (int16_t k = 0; k < record.ItemCount(kind); ++k) {
                    if (record.Item(kind, k) != specText)
                        continue;
                    if (!spec.ItemSelected(kind, i))
                        continue;
                    if (spec.ItemMapped(kind, i) && !record.ItemSelected(kind, k))
                        continue;
                    texts.push_back(specText);
                    kinds.push_back(kind);
                    spec.ItemMapped(kind, i, true);
                }
            }
            if (texts.empty())
                continue;
            // Every batch runs even after one failed (code already inserted
            // stays); the first failure is what the run reports.
            const int32_t result = BuildProcedures(kinds, texts, ConstituentTarget(c));
            if (firstFailure == 0)
                firstFailure = result;
        }
    }
    const int32_t custom = GenerateCustomItems(spec);
    return firstFailure != 0 ? firstFailure : custom;
}

std::string Wizard::ConstituentName(size_t c) const {
    return ConstituentControls.at(c)->Properties()->Item("Name")->Value();
}

std::string Wizard::ConstituentTarget(size_t c) const {
    const int32_t index = ConstituentControls.at(c)->Index();
    if (index < 0)
        return ConstituentName(c);
    return ConstituentName(c) + "(" + std::to_string(index) + ")";
}

void Wizard::SortItems(std::vector<std::string>& items, int16_t first, int16_t last) {
    for (int16_t i = first; i <= last; ++i) {
        int16_t smallest = i;
        std::string smallestKey = AsciiUpper(items[static_cast<size_t>(i)]);
        for (int16_t j = static_cast<int16_t>(i + 1); j <= last; ++j) {
            std::string key = AsciiUpper(items[static_cast<size_t>(j)]);
            if (key < smallestKey) {
                smallest = j;
                smallestKey = std::move(key);
            }
        }
        std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(smallest)]);
    }
}

int16_t Wizard::RemoveDuplicateItems(const std::vector<std::string>& source,
                                     std::vector<std::string>& destination) {
    destination.clear();
    for (const std::string& text : source) {
        if (destination.empty() || destination.back() != text)
            destination.push_back(text);
    }
    return static_cast<int16_t>(destination.size()) - 1;
}

}  // namespace qfw
