// objControl: the record of one control's properties, methods and events.
//
// The same class serves as the specification record (the control whose
// members the author chooses) and as a constituent record (one per control
// on the UserControl). Each kind holds its item texts in the order added, a
// selection flag and a mapped flag per item. An item's identity is its whole
// text, compared exactly; lookups by text take the lowest matching index.
//
// Contract:
// - For each kind, the text array and its two flag arrays have the same
//   bounds; items are only appended, and only Clear empties the record.
// - Counts are 16-bit: the 32768th item of one kind raises Overflow (6) and
//   leaves the record unchanged.
// - A flag read or write outside the kind's bounds raises Subscript out of
//   range (9) and changes nothing; only the three text readers swallow a bad
//   index and answer an empty string.
// - The record owns no other object and does no I/O.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qfw {

// Item kinds, used across the whole program.
enum ItemKind : int16_t { kKindProperty = 0, kKindMethod = 1, kKindEvent = 2 };

class objControl {
  public:
    // Operations in the order of the class's interface.
    std::string Properties(int16_t Index) const;
    void AddProperty(const std::string& sProperty);
    std::string Methods(int16_t Index) const;
    bool MethodMapped(int16_t Index) const;
    bool PropertyMapped(int16_t Index) const;
    void MethodMapped(int16_t Index, bool bMapped);
    void PropertyMapped(int16_t Index, bool bMapped);
    void AddMethod(const std::string& sMethod);
    std::string Events(int16_t Index) const;
    void AddEvent(const std::string& sEvent);
    int16_t EventCount() const { return EventCount_; }
    int16_t PropertyCount() const { return PropertyCount_; }
    int16_t MethodCount() const { return MethodCount_; }
    void MethodCount(int16_t iMethodCount) { MethodCount_ = iMethodCount; }
    const std::string& ControlFileName() const { return ControlFileName_; }
    void Clear();
    void ControlFileName(const std::string& sControlFileName) {
        ControlFileName_ = sControlFileName;
    }
    const std::string& Documentation() const { return Documentation_; }
    void Documentation(const std::string& sDocumentation) { Documentation_ = sDocumentation; }
    const std::string& iType() const { return iType_; }
    void iType(const std::string& iiType) { iType_ = iiType; }
    bool PropertySelected(int16_t Index) const;
    void PropertySelected(int16_t Index, bool bSelected);
    bool EventSelected(int16_t Index) const;
    bool EventMapped(int16_t Index) const;
    void EventSelected(int16_t Index, bool bSelected);
    void EventMapped(int16_t Index, bool bMapped);
    bool MethodSelected(int16_t Index) const;
    void MethodSelected(int16_t Index, bool bSelected);
    // Sets the selection flags of kind iType from the page's two lists: first
    // every entry of lstNotSelected clears, then every entry of lstSelected
    // sets, the flag of the first item with that exact text. Any kind other
    // than 0, 1 or 2 changes nothing.
    void SetSelectedItems(int16_t iType, const std::vector<std::string>& lstNotSelected,
                          const std::vector<std::string>& lstSelected);
    int16_t MappingOrder() const { return MappingOrder_; }
    void MappingOrder(int16_t iMappingOrder) { MappingOrder_ = iMappingOrder; }
    int16_t SelectedPropertyCount() const;
    int16_t SelectedMethodCount() const;
    int16_t SelectedEventCount() const;

    // The same operations addressed by kind, as the engine and the pages walk
    // the three kinds: iType 0 properties, 1 methods, any other value events.
    int16_t ItemCount(int16_t iType) const;
    std::string Item(int16_t iType, int16_t Index) const;
    bool ItemSelected(int16_t iType, int16_t Index) const;
    void ItemSelected(int16_t iType, int16_t Index, bool bSelected);
    bool ItemMapped(int16_t iType, int16_t Index) const;
    void ItemMapped(int16_t iType, int16_t Index, bool bMapped);
    int16_t SelectedItemCount(int16_t iType) const;
    // Lowest index of an item of kind iType with exactly sText; -1 when none.
    int16_t FindItem(int16_t iType, const std::string& sText) const;
    // The item texts of kind iType in index order.
    std::vector<std::string> ItemTexts(int16_t iType) const;

  private:
    // The arrays and count of one kind, so that the three kinds share code.
    struct KindView {
        std::vector<std::string>& texts;
        std::vector<bool>& selected;
        std::vector<bool>& mapped;
        int16_t& count;
    };
    KindView Kind(int16_t kind);
    KindView Kind(int16_t kind) const { return const_cast<objControl*>(this)->Kind(kind); }

    static void Append(KindView kind, const std::string& text);
    static std::string TextAt(const std::vector<std::string>& texts, int16_t index);
    static bool FlagAt(const std::vector<bool>& flags, int16_t index);
    static void SetFlagAt(std::vector<bool>& flags, int16_t index, bool value);
    static int16_t CountSet(const std::vector<bool>& flags, int16_t count);

    std::vector<std::string> Properties_;
    std::vector<std::string> Methods_;
    std::vector<std::string> Events_;
    std::vector<bool> PropertySelected_;
    std::vector<bool> MethodSelected_;
    std::vector<bool> EventSelected_;
    std::vector<bool> PropertyMapped_;
    std::vector<bool> MethodMapped_;
    std::vector<bool> EventMapped_;
    int16_t PropertyCount_ = 0;
    int16_t MethodCount_ = 0;
    int16_t EventCount_ = 0;
    std::string ControlFileName_;
    std::string iType_;
    std::string Documentation_;
    int16_t MappingOrder_ = 0;
};

}  // namespace qfw
