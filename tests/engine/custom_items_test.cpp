// Custom items as the Add Item dialog hands them to the engine: the text
// they get, their default as code, and the record they join.
#include <gtest/gtest.h>

#include "engine/custom_item.h"
#include "engine/wizard.h"

namespace qfw {
namespace {

CustomItem Item(int16_t kind, std::string name, std::string type = "",
                std::vector<std::string> parameters = {}) {
    CustomItem item;
    item.kind = kind;
    item.name = std::move(name);
    item.type = std::move(type);
    item.parameters = std::move(parameters);
    return item;
}

TEST(CustomItems, TextsAreTheBrowsersFormat) {
    EXPECT_EQ(CustomItemText(Item(kKindProperty, "Caption", "String")), "Caption As String");
    EXPECT_EQ(CustomItemText(Item(kKindMethod, "Clear")), "Clear () ");
    EXPECT_EQ(CustomItemText(Item(kKindMethod, "Find", "Long", {"Text As String"})),
              "Find (Text As String) As Long");
    EXPECT_EQ(CustomItemText(Item(kKindEvent, "Changed", "", {"Value As Long", "x As String"})),
              "Changed (Value As Long, x As String) ");
}

TEST(CustomItems, DefaultsAsLiterals) {
    struct Case {
        const char* type;
        const char* value;
        std::optional<std::string> literal;
    };
    const Case cases[] = {
        {"String", "", "\"\""},
        {"String", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"Integer", "", "0"},
        {"Integer", "-32768", "-32768"},
        {"Integer", "32768", std::nullopt},
        {"Long", "&HFF&", "&HFF&"},
        {"Long", "1.5", std::nullopt},
        {"Byte", "256", std::nullopt},
        {"Boolean", "", "False"},
        {"Boolean", "TRUE", "True"},
        {"Boolean", "1", std::nullopt},
        {"Double", "2.5", "2.5"},
        {"Single", "x", std::nullopt},
        {"Variant", "", "Empty"},
        {"Variant", "abc", "\"abc\""},
        {"Date", "#1/2/2026#", "#1/2/2026#"},
        {"Date", "tomorrow", std::nullopt},
        {"OLE_COLOR", "&H8000000F", "&H8000000F"},
    };
    for (const Case& c : cases) {
        CustomItem item = Item(kKindProperty, "P", c.type);
        item.defaultValue = c.value;
        EXPECT_EQ(DefaultLiteral(item), c.literal) << c.type << " " << c.value;
    }
}

TEST(CustomItems, AddedItemsAreSelectedAndRefusedOnesLeaveTheRecordAlone) {
    Wizard wizard;
    objControl spec;
    spec.AddProperty("Caption As String");
    spec.AddMethod("Refresh () ");

    EXPECT_EQ(wizard.AddCustomItem(spec, Item(kKindProperty, "Title", "String")), "");
    EXPECT_EQ(spec.Properties(1), "Title As String");
    EXPECT_TRUE(spec.PropertySelected(1));
    EXPECT_FALSE(spec.PropertySelected(0));
    EXPECT_EQ(wizard.AddCustomItem(spec, Item(kKindEvent, "Changed", "", {"Value As Long"})), "");
    EXPECT_EQ(spec.Events(0), "Changed (Value As Long) ");
    EXPECT_TRUE(spec.EventSelected(0));

    const std::pair<CustomItem, std::string> refused[] = {
        {Item(kKindProperty, "", "String"), "Please enter a name for the new item."},
        {Item(kKindProperty, " Title", "String"), "\" Title\" is not a valid name."},
        {Item(kKindProperty, "title", "Long"), "The control already has a property named title."},
        {Item(kKindMethod, "Caption"), "The control already has a property named Caption."},
        {Item(kKindMethod, "REFRESH"), "The control already has a method named REFRESH."},
        {Item(kKindEvent, "changed"), "The control already has an event named changed."},
        {Item(kKindEvent, "Go", "", {"Value"}), ""},
    };
    for (const auto& [item, message] : refused) {
        objControl copy = spec;
        EXPECT_EQ(ValidateCustomItem(spec, item).substr(0, message.size()), message) << item.name;
        if (message.empty())
            continue;
        EXPECT_EQ(wizard.AddCustomItem(spec, item).substr(0, message.size()), message);
        EXPECT_EQ(spec.ItemTexts(item.kind), copy.ItemTexts(item.kind));
    }
}

TEST(CustomItems, AnItemAddedAgainInALaterRunTakesItsNewAttributes) {
    Wizard wizard;
    objControl first;
    CustomItem title = Item(kKindProperty, "Title", "String");
    title.runTime = MemberAccess::ReadOnly;
    ASSERT_EQ(wizard.AddCustomItem(first, title), "");
    objControl second;
    title.runTime = MemberAccess::ReadWrite;
    ASSERT_EQ(wizard.AddCustomItem(second, title), "");
    EXPECT_TRUE(wizard.IsCustomItem(kKindProperty, "Title As String"));
    EXPECT_FALSE(wizard.IsCustomItem(kKindMethod, "Title As String"));
}

}  // namespace
}  // namespace qfw
