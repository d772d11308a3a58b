// Test helper: the item texts a browser extracts for one interface of the
// library it listed last, kind by kind.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "browser/browser.h"

namespace qfw {

struct Items {
    std::vector<std::string> properties, methods, events;

    bool operator==(const Items&) const = default;
};

inline void PrintTo(const Items& items, std::ostream* out) {
    for (const std::vector<std::string>* list :
         {&items.properties, &items.methods, &items.events}) {
        *out << "[";
        for (const std::string& item : *list)
            *out << "\"" << item << "\" ";
        *out << "] ";
    }
}

inline Items ReadItems(Browser& browser, int16_t interfaceIndex) {
    browser.InterfaceIndex(interfaceIndex);
    std::string info;
    browser.GetControlInfo("", kInfoMembers, info);
    const objControl& r = browser.ControlObject();
    Items items;
    for (int16_t i = 0; i < r.PropertyCount(); ++i)
        items.properties.push_back(r.Properties(i));
    for (int16_t i = 0; i < r.MethodCount(); ++i)
        items.methods.push_back(r.Methods(i));
    for (int16_t i = 0; i < r.EventCount(); ++i)
        items.events.push_back(r.Events(i));
    return items;
}

}  // namespace qfw
