#include "browser/control/stdole_names.h"

#include <array>
#include <utility>

namespace qfw {
namespace {

// stdole2's type infos in their order in the library.
constexpr std::array<const char*, 42> kByIndex = {
    "GUID",
    "DISPPARAMS",
    "EXCEPINFO",
    "IUnknown",
    "IDispatch",
    "IEnumVARIANT",
    "OLE_COLOR",
    "OLE_XPOS_PIXELS",
    "OLE_YPOS_PIXELS",
    "OLE_XSIZE_PIXELS",
    "OLE_YSIZE_PIXELS",
    "OLE_XPOS_HIMETRIC",
    "OLE_YPOS_HIMETRIC",
    "OLE_XSIZE_HIMETRIC",
    "OLE_YSIZE_HIMETRIC",
    "OLE_XPOS_CONTAINER",
    "OLE_YPOS_CONTAINER",
    "OLE_XSIZE_CONTAINER",
    "OLE_YSIZE_CONTAINER",
    "OLE_HANDLE",
    "OLE_OPTEXCLUSIVE",
    "OLE_CANCELBOOL",
    "OLE_ENABLEDEFAULTBOOL",
    "OLE_TRISTATE",
    "FONTNAME",
    "FONTSIZE",
    "FONTBOLD",
    "FONTITALIC",
    "FONTUNDERSCORE",
    "FONTSTRIKETHROUGH",
    "IFont",
    "Font",
    "IFontDisp",
    "StdFont",
    "IPicture",
    "Picture",
    "IPictureDisp",
    "StdPicture",
    "LoadPictureConstants",
    "StdFunctions",
    "FontEvents",
    "IFontEventsDisp",
};

// The types that have a GUID; VB-built and midl-built libraries refer to
// these by GUID. IUnknown and IDispatch are shown as Visual Basic shows them.
constexpr std::array<std::pair<const char*, const char*>, 36> kByGuid = {{
    {"00000000-0000-0000-C000-000000000046", "Unknown"},
    {"00020400-0000-0000-C000-000000000046", "Object"},
    {"00020404-0000-0000-C000-000000000046", "IEnumVARIANT"},
    {"66504301-BE0F-101A-8BBB-00AA00300CAB", "OLE_COLOR"},
    {"66504302-BE0F-101A-8BBB-00AA00300CAB", "OLE_XPOS_PIXELS"},
    {"66504303-BE0F-101A-8BBB-00AA00300CAB", "OLE_YPOS_PIXELS"},
    {"66504304-BE0F-101A-8BBB-00AA00300CAB", "OLE_XSIZE_PIXELS"},
    {"66504305-BE0F-101A-8BBB-00AA00300CAB", "OLE_YSIZE_PIXELS"},
    {"66504306-BE0F-101A-8BBB-00AA00300CAB", "OLE_XPOS_HIMETRIC"},
    {"66504307-BE0F-101A-8BBB-00AA00300CAB", "OLE_YPOS_HIMETRIC"},
    {"66504308-BE0F-101A-8BBB-00AA00300CAB", "OLE_XSIZE_HIMETRIC"},
    {"66504309-BE0F-101A-8BBB-00AA00300CAB", "OLE_YSIZE_HIMETRIC"},
    {"BF030640-9069-101B-AE2D-08002B2EC713", "OLE_XPOS_CONTAINER"},
    {"BF030641-9069-101B-AE2D-08002B2EC713", "OLE_YPOS_CONTAINER"},
    {"BF030642-9069-101B-AE2D-08002B2EC713", "OLE_XSIZE_CONTAINER"},
    {"BF030643-9069-101B-AE2D-08002B2EC713", "OLE_YSIZE_CONTAINER"},
    {"66504313-BE0F-101A-8BBB-00AA00300CAB", "OLE_HANDLE"},
    {"6650430B-BE0F-101A-8BBB-00AA00300CAB", "OLE_OPTEXCLUSIVE"},
    {"BF030644-9069-101B-AE2D-08002B2EC713", "OLE_CANCELBOOL"},
    {"BF030645-9069-101B-AE2D-08002B2EC713", "OLE_ENABLEDEFAULTBOOL"},
    {"6650430A-BE0F-101A-8BBB-00AA00300CAB", "OLE_TRISTATE"},
    {"6650430D-BE0F-101A-8BBB-00AA00300CAB", "FONTNAME"},
    {"6650430E-BE0F-101A-8BBB-00AA00300CAB", "FONTSIZE"},
    {"6650430F-BE0F-101A-8BBB-00AA00300CAB", "FONTBOLD"},
    {"66504310-BE0F-101A-8BBB-00AA00300CAB", "FONTITALIC"},
    {"66504311-BE0F-101A-8BBB-00AA00300CAB", "FONTUNDERSCORE"},
    {"66504312-BE0F-101A-8BBB-00AA00300CAB", "FONTSTRIKETHROUGH"},
    {"BEF6E002-A874-101A-8BBA-00AA00300CAB", "IFont"},
    {"BEF6E003-A874-101A-8BBA-00AA00300CAB", "Font"},
    {"0BE35203-8F91-11CE-9DE3-00AA004BB851", "StdFont"},
    {"7BF80980-BF32-101A-8BBB-00AA00300CAB", "IPicture"},
    {"7BF80981-BF32-101A-8BBB-00AA00300CAB", "Picture"},
    {"0BE35204-8F91-11CE-9DE3-00AA004BB851", "StdPicture"},
    {"E6C8FA08-BD9F-11D0-985E-00C04FC29993", "LoadPictureConstants"},
    {"91209AC0-60F6-11CF-9C5D-00AA00C1489E", "StdFunctions"},
    {"4EF6100A-AF88-11D0-9846-00C04FC29993", "FontEvents"},
}};

struct AliasRule {
    const char* name;
    StdOleType type;
};

constexpr std::array<AliasRule, 17> kDeclaredAs = {{
    {"OLE_HANDLE", {"Long", false}},
    {"OLE_OPTEXCLUSIVE", {"Boolean", false}},
    {"OLE_CANCELBOOL", {"Boolean", false}},
    {"OLE_ENABLEDEFAULTBOOL", {"Boolean", false}},
    {"FONTNAME", {"String", false}},
    {"FONTSIZE", {"Currency", false}},
    {"FONTBOLD", {"Boolean", false}},
    {"FONTITALIC", {"Boolean", false}},
    {"FONTUNDERSCORE", {"Boolean", false}},
    {"FONTSTRIKETHROUGH", {"Boolean", false}},
    {"GUID", {"GUID", false}},
    {"DISPPARAMS", {"DISPPARAMS", false}},
    {"EXCEPINFO", {"EXCEPINFO", false}},
    {"Font", {"StdFont", true}},
    {"IFontDisp", {"StdFont", true}},
    {"Picture", {"StdPicture", true}},
    {"IPictureDisp", {"StdPicture", true}},
}};

}  // namespace

const char* KnownAliasType(std::string_view name) {
    if (name == "OLE_COLOR")
        return "OLE_COLOR";
    static const std::array<const char*, 12> kPositions = {
        "OLE_XPOS_PIXELS",    "OLE_YPOS_PIXELS",    "OLE_XSIZE_PIXELS",    "OLE_YSIZE_PIXELS",
        "OLE_XPOS_HIMETRIC",  "OLE_YPOS_HIMETRIC",  "OLE_XSIZE_HIMETRIC",  "OLE_YSIZE_HIMETRIC",
        "OLE_XPOS_CONTAINER", "OLE_YPOS_CONTAINER", "OLE_XSIZE_CONTAINER", "OLE_YSIZE_CONTAINER"};
    for (const char* position : kPositions)
        if (name == position)
            return "Single";
    return nullptr;
}

StdOleType StdOleVisualBasicType(const char* name) {
    const std::string text = name;
    if (const char* known = KnownAliasType(text))
        return {known, false};
    if (text == "Unknown" || text == "Object")
        return {name, false};
    for (const AliasRule& rule : kDeclaredAs)
        if (text == rule.name)
            return rule.type;
    // The interfaces, classes and enumerations of the library.
    const bool enumeration = text == "OLE_TRISTATE" || text == "LoadPictureConstants";
    return {name, true, enumeration};
}

const char* StdOleNameByGuid(const std::string& guid) {
    for (const auto& [g, name] : kByGuid)
        if (guid == g)
            return name;
    return nullptr;
}

const char* StdOleNameByIndex(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= kByIndex.size())
        return nullptr;
    // By position, too, IUnknown and IDispatch read as Visual Basic shows them.
    if (index == 3)
        return "Unknown";
    if (index == 4)
        return "Object";
    return kByIndex[static_cast<size_t>(index)];
}

}  // namespace qfw
