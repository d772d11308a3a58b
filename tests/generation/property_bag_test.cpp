// UpdatePropertyBag: the member declaration and the ReadProperties and
// WriteProperties lines of one property.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "generation/code_templates.h"
#include "generation/generation_fixture.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

using PropertyBagTest = GenerationTest;

TEST(PropertyBagTexts, LinesByNameAndType) {
    struct Case {
        std::string name, type;
        bool useSet;
        std::string read, write;
    };
    const Case cases[] = {
        {"BackColor", "OLE_COLOR", false,
         "Text1.BackColor = PropBag.ReadProperty(\"BackColor\", &H8000000F)",
         "Call PropBag.WriteProperty(\"BackColor\",Text1.BackColor, &H8000000F)"},
        {"Font", "Font", false, "Set Font = PropBag.ReadProperty(\"Font\", Ambient.Font)",
         "Call PropBag.WriteProperty(\"Font\", Font, Ambient.Font)"},
        {"Width", "Single", false, "Text1.Width = PropBag.ReadProperty(\"Width\", 0 )",
         "Call PropBag.WriteProperty(\"Width\", Text1.Width, 0)"},
        // Object properties and other types (compared exactly) are not persisted.
        {"Font", "Font", true, "", ""},
        {"Tag", "Variant", false, "", ""},
        {"Text", "string", false, "", ""},
    };
    for (const Case& c : cases) {
        generation::PropertyBagLines lines =
            generation::PropertyBagTexts(c.name, c.type, "Text1", c.useSet);
        EXPECT_EQ(lines.read, c.read) << c.name;
        EXPECT_EQ(lines.write, c.write) << c.name;
    }
}

TEST_F(PropertyBagTest, CasesFromTheCaseFile) {
    for (const CaseBlock& c : ReadCases("property_bag_cases.txt")) {
        WriteUserControlCode(c.code);
        Load();
        std::istringstream calls(c.keys.at("calls"));
        for (std::string call; std::getline(calls, call, ';');) {
            std::istringstream words(call);
            std::string property, type, useSet;
            words >> property >> type >> useSet;
            wizard_.UpdatePropertyBag(property, type, "Text1", useSet == "true");
        }
        EXPECT_EQ(ModuleText(), JoinedCrLf(c.expect)) << c.title;
    }
}

TEST_F(PropertyBagTest, NeverSavedUserControlIsAnError) {
    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", "");
    EXPECT_THROW(wizard_.UpdatePropertyBag("Caption", "String", "Text1", false), VbError);
    EXPECT_EQ(ModuleText(), "Option Explicit");
}

}  // namespace
}  // namespace qfw
