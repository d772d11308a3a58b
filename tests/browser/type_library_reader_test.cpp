// The reader's model of real libraries, and its handling of damaged input.
#include "browser/control/type_library_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "browser/control/byte_reader.h"
#include "browser/control/qfnrws.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

const std::string kFixtures = std::string(QFW_FIXTURES) + "/typelib/";

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The number and description of the error reading `bytes` raises.
std::pair<int32_t, std::string> ErrorOf(const std::vector<uint8_t>& bytes) {
    try {
        ReadTypeLibrary(bytes, "bad.tlb");
    } catch (const VbError& e) {
        return {e.Number(), e.Description()};
    }
    return {0, ""};
}

const TypeLibType& TypeNamed(const TypeLibrary& library, const std::string& name) {
    for (const TypeLibType& t : library.types)
        if (t.name == name)
            return t;
    throw std::runtime_error("no type " + name);
}

TEST(TypeLibraryReader, ReadsTypesInLibraryOrder) {
    const TypeLibrary lib = ReadTypeLibraryFile(kFixtures + "quilltest.tlb", "quilltest.tlb");
    EXPECT_EQ(lib.name, "QuillTestLib");
    EXPECT_EQ(lib.documentation, "Quill test controls");
    std::vector<std::pair<std::string, TypeKind>> types;
    for (const TypeLibType& t : lib.types)
        types.emplace_back(t.name, t.kind);
    const std::vector<std::pair<std::string, TypeKind>> expected{
        {"OLE_COLOR", TypeKind::Alias},
        {"BorderStyleConstants", TypeKind::Enum},
        {"_DQuillGauge", TypeKind::Dispatch},
        {"_DQuillGaugeEvents", TypeKind::Dispatch},
        {"QuillGauge", TypeKind::Coclass},
        {"IQuillEdit", TypeKind::Dispatch},
        {"_IQuillEditEvents", TypeKind::Dispatch},
        {"QuillEdit", TypeKind::Coclass},
        {"QuillPlain", TypeKind::Coclass},
        {"IPlain", TypeKind::Interface},
        {"IPlainEvents", TypeKind::Interface},
        {"_DLonely", TypeKind::Dispatch},
        {"Lonely", TypeKind::Coclass},
        {"ILonelyAfter", TypeKind::Interface}};
    EXPECT_EQ(types, expected);
    for (size_t i = 0; i < lib.types.size(); ++i)
        EXPECT_EQ(lib.types[i].index, int32_t(i));
    EXPECT_EQ(TypeNamed(lib, "BorderStyleConstants").variables.size(), 2u);
    EXPECT_EQ(TypeNamed(lib, "QuillGauge").documentation, "Quill gauge control");
}

TEST(TypeLibraryReader, NamesTypesAsTheObjectBrowserDoes) {
    const TypeLibrary lib = ReadTypeLibraryFile(kFixtures + "quilltest.tlb", "quilltest.tlb");
    std::vector<std::pair<std::string, std::string>> variables;
    for (const TypeLibVariable& v : TypeNamed(lib, "_DQuillGauge").variables)
        variables.emplace_back(v.name, v.type);
    EXPECT_EQ(variables, (std::vector<std::pair<std::string, std::string>>{
                             {"Caption", "String"},
                             {"Value", "Long"},
                             {"BackColor", "OLE_COLOR"},
                             {"BorderStyle", "QuillTestLib.BorderStyleConstants"},
                             {"LastReading", "Date"},
                             {"Serial", "Long"}}));

    // Dual interface: HRESULT gone, [retval] became the result, put values unnamed.
    const TypeLibType& edit = TypeNamed(lib, "IQuillEdit");
    ASSERT_EQ(edit.functions.size(), 15u);
    const TypeLibFunction& getText = edit.functions[0];
    EXPECT_EQ(getText.invokeKind, kInvokePropertyGet);
    EXPECT_EQ(getText.returnType, "String");
    EXPECT_TRUE(getText.parameters.empty());
    const TypeLibFunction& putText = edit.functions[1];
    EXPECT_EQ(putText.invokeKind, kInvokePropertyPut);
    EXPECT_EQ(putText.returnType, "None");
    ASSERT_EQ(putText.parameters.size(), 1u);
    EXPECT_EQ(putText.parameters[0].name, "");
    EXPECT_EQ(putText.parameters[0].type, "String");
    EXPECT_EQ(edit.functions[2].returnType, "OLE_COLOR");
    EXPECT_EQ(edit.functions[5].invokeKind, kInvokePropertyPutRef);

    const TypeLibFunction& find = edit.functions[12];
    EXPECT_EQ(find.name, "Find");
    EXPECT_EQ(find.returnType, "Long");
    ASSERT_EQ(find.parameters.size(), 3u);
    EXPECT_TRUE(find.parameters[1].Optional());
    EXPECT_FALSE(find.parameters[1].HasDefault());
    EXPECT_TRUE(find.parameters[2].HasDefault());
    EXPECT_EQ(ListedParameterType(find.parameters[1]), "None");
    EXPECT_EQ(ListedParameterType(find.parameters[2]), "Long");
    std::vector<std::string> insertTypes;
    for (const TypeLibParameter& p : edit.functions[13].parameters)
        insertTypes.push_back(p.type);
    EXPECT_EQ(insertTypes,
              (std::vector<std::string>{"String", "Integer", "Currency", "Byte", "Single"}));

    // ByRef event parameters read as their pointee.
    const TypeLibType& events = TypeNamed(lib, "_DQuillGaugeEvents");
    EXPECT_EQ(events.functions[1].parameters[0].type, "Long");
    EXPECT_EQ(events.functions[2].parameters[0].type, "Boolean");
}

TEST(TypeLibraryReader, CoclassesNameTheirInterfaces) {
    const TypeLibrary lib = ReadTypeLibraryFile(kFixtures + "quilltest.tlb", "quilltest.tlb");
    const TypeLibType& edit = TypeNamed(lib, "QuillEdit");
    ASSERT_EQ(edit.implemented.size(), 2u);
    EXPECT_EQ(edit.implemented[0].name, "IQuillEdit");
    EXPECT_EQ(edit.implemented[0].typeIndex, 5);
    EXPECT_EQ(edit.implemented[0].flags, kImplTypeFlagDefault);
    EXPECT_EQ(edit.implemented[1].name, "_IQuillEditEvents");
    EXPECT_EQ(edit.implemented[1].flags, kImplTypeFlagDefault | kImplTypeFlagSource);
}

TEST(TypeLibraryReader, PeWrappedLibrariesMatchTheBareOne) {
    const TypeLibrary bare = ReadTypeLibraryFile(kFixtures + "quilltest.tlb", "a");
    for (const char* file : {"quilltest32.ocx", "quilltest64.dll"}) {
        const TypeLibrary wrapped = ReadTypeLibraryFile(kFixtures + file, file);
        EXPECT_EQ(wrapped.types.size(), bare.types.size()) << file;
        EXPECT_EQ(wrapped.MemberCount(), bare.MemberCount()) << file;
    }
}

TEST(TypeLibraryReader, EveryTruncationIsAFormatError) {
    for (const char* file : {"quilltest.tlb", "quilltest32.ocx"}) {
        const std::vector<uint8_t> whole = Bytes(kFixtures + file);
        ASSERT_FALSE(whole.empty());
        for (size_t length = 0; length < whole.size(); length += 7) {
            const std::vector<uint8_t> part(whole.begin(), whole.begin() + length);
            const int32_t number = ErrorOf(part).first;
            // A PE cut in its padding still holds the whole library.
            if (number != 0) {
                EXPECT_EQ(number, kErrInvalidFileFormat) << file << " " << length;
            }
        }
        EXPECT_EQ(ErrorOf({whole.begin(), whole.begin() + 0x60}).first, kErrInvalidFileFormat);
    }
}

TEST(TypeLibraryReader, DamageIsReportedWithFileNameAndPlace) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* message;
    };
    std::vector<uint8_t> msft = Bytes(kFixtures + "quilltest.tlb");
    std::vector<uint8_t> hugeCount = msft;
    hugeCount[0x20] = 0xFF;
    hugeCount[0x21] = 0xFF;
    hugeCount[0x22] = 0xFF;
    std::vector<uint8_t> badName = msft;
    badName[0x38] = 0xF0;
    badName[0x39] = 0xFF;
    badName[0x3A] = 0x00;
    std::vector<uint8_t> noResource = Bytes(kFixtures + "quilltest32.ocx");
    // Rename the TYPELIB resource type.
    for (size_t i = 0; i + 14 <= noResource.size(); ++i)
        if (std::equal(noResource.begin() + i, noResource.begin() + i + 14,
                       "T\0Y\0P\0E\0L\0I\0B\0"))
            noResource[i] = 'X';
    const Case cases[] = {
        {"empty", {}, "bad.tlb: not a type library"},
        {"old format", {'S', 'L', 'T', 'G', 0, 0, 0, 0}, "old-format (SLTG)"},
        {"header cut", {'M', 'S', 'F', 'T', 2, 0, 1, 0}, "type library header at 0x0"},
        {"type count", hugeCount, "type count 16777215 is not plausible"},
        {"name offset", badName, "name offset 0xfff0 outside its segment"},
        {"no TYPELIB resource", noResource, "no TYPELIB resource"},
        {"PE without PE header", {'M', 'Z', 0, 0}, "not a PE image"},
        {"fuzzer finding", Bytes(kFixtures + "damaged/negative-local-reference.tlb"),
         "names no type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [number, description] = ErrorOf(c.bytes);
        EXPECT_EQ(number, kErrInvalidFileFormat);
        EXPECT_NE(description.find(c.message), std::string::npos) << description;
        EXPECT_EQ(description.rfind("bad.tlb: ", 0), 0u) << description;
    }
}

TEST(TypeLibraryReader, FileErrorsCarryTheRuntimeNumbers) {
    const std::pair<std::string, int32_t> cases[] = {
        {kFixtures + "no-such-file.tlb", kErrFileNotFound},
        {kFixtures, kErrPathFileAccess},
        {kFixtures + "quilltest.idl", kErrInvalidFileFormat},
    };
    for (const auto& [path, number] : cases) {
        try {
            ReadTypeLibraryFile(path, "lib.tlb");
            ADD_FAILURE() << path;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), number) << path;
            EXPECT_EQ(e.Description().rfind("lib.tlb: ", 0), 0u) << e.Description();
        }
    }
}

TEST(TypeLibraryReader, EnumerationTypesAreMarkedAsSuch) {
    const TypeLibrary lib = ReadTypeLibraryFile(kFixtures + "vbview.tlb", "vbview.tlb");
    const TypeLibType& view = TypeNamed(lib, "IView");
    const auto function = [&](const std::string& name) -> const TypeLibFunction& {
        for (const TypeLibFunction& f : view.functions)
            if (f.name == name)
                return f;
        throw std::runtime_error("no function " + name);
    };
    struct Case {
        const char* function;
        const char* type;
        bool named, enumeration;
    };
    // DefaultShade returns Tint, an alias of the enumeration.
    const Case cases[] = {{"ShadeAt", "ViewLib.Shade", true, true},
                          {"DefaultShade", "ViewLib.Shade", true, true},
                          {"Pressed", "ViewLib.Button", true, false},
                          {"Stamp", "Date", false, false}};
    for (const Case& c : cases) {
        const TypeLibFunction& f = function(c.function);
        EXPECT_EQ(f.returnType, c.type) << c.function;
        EXPECT_EQ(f.namedReturnType, c.named) << c.function;
        EXPECT_EQ(f.enumReturnType, c.enumeration) << c.function;
    }
    for (const TypeLibFunction& f : view.functions) {
        if (f.name == "Shading" && f.invokeKind == kInvokePropertyPut) {
            EXPECT_TRUE(f.parameters.at(0).enumType);
        }
    }
    EXPECT_TRUE(TypeNamed(lib, "_DGrid").variables.at(2).enumType);
    EXPECT_FALSE(TypeNamed(lib, "_DGrid").variables.at(0).enumType);
}

TEST(TypeLibraryReader, ImportedTypesWithoutTheirLibraryGetStandIns) {
    const std::vector<uint8_t> bytes = Bytes(kFixtures + "vbimport.tlb");
    const TypeLibrary lib = ReadTypeLibrary(bytes, "vbimport.tlb");
    const TypeLibType& host = TypeNamed(lib, "IHost");
    EXPECT_EQ(host.functions[0].returnType, "Long");
    EXPECT_FALSE(host.functions[0].namedReturnType);
    EXPECT_EQ(host.functions[2].returnType, "Object");
}

// Inputs the fuzzer found, replayed through the whole event stream; the
// sanitizer runs catch what they once did (a member id near the end of the
// 32-bit range overflowed the stock-event check).
TEST(BrowserControl, FuzzFindingsReplayWithoutFault) {
    for (const char* name : {"typelib-stock-event-overflow.tlb"}) {
        const std::string path = std::string(QFW_FIXTURES) + "/fuzz/" + name;
        std::shared_ptr<const TypeLibrary> library;
        try {
            library = std::make_shared<const TypeLibrary>(ReadTypeLibraryFile(path, name));
        } catch (const VbError&) {
            continue;
        }
        Qfnrws control;
        int events = 0;
        control.OnTypeInfo([&](int32_t&, int16_t&) { ++events; });
        control.Open(library, name);
        control.Enumerate();
        EXPECT_GT(events, 0) << name;
    }
}

TEST(BrowserControl, EventStreamOfATestControl) {
    Qfnrws control;
    control.Open(std::make_shared<const TypeLibrary>(
                     ReadTypeLibraryFile(kFixtures + "quilltest.tlb", "quilltest.tlb")),
                 "quilltest.tlb");
    std::vector<std::string> seen;
    control.OnTypeInfo([&](int32_t& index, int16_t& kind) {
        if (index <= 7)
            seen.push_back(std::to_string(kind) + ":" + control.iName() + ":" +
                           control.iParamType());
    });
    control.Enumerate();
    // The enum's constants and the hidden, restricted and duplicate Set
    // accessors are not reported; a read-only property is a function.
    const std::vector<std::string> expectedStart{
        "6:OLE_COLOR:", "0:BorderStyleConstants:", "4:_DQuillGauge:", "-1:Refresh:None"};
    ASSERT_GE(seen.size(), expectedStart.size());
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + 4), expectedStart);
    EXPECT_NE(std::find(seen.begin(), seen.end(), "-1:ReadOnly:Boolean"), seen.end());
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "-1:Font:None"), 1);
    EXPECT_EQ(std::find(seen.begin(), seen.end(), "-1:Internal:None"), seen.end());
    EXPECT_EQ(control.iName(), "QuillTestLib");  // the library again after the stream
}

// The control shows the library's own texts by reference during an event.
// A handler that opens another library meanwhile, or one whose exception
// ends the stream, must still find the texts shown valid afterwards (the
// sanitizer runs catch a reference into a library that has gone).
TEST(BrowserControl, ShownTextsOutliveALibrarySwitchedMidStream) {
    const auto library = [](const char* name) {
        return std::make_shared<const TypeLibrary>(ReadTypeLibraryFile(kFixtures + name, name));
    };
    Qfnrws control;
    std::string afterSwitch;
    int events = 0;
    control.OnTypeInfo([&](int32_t&, int16_t& kind) {
        if (kind == kTypeInfoParameter && ++events == 1) {
            const std::string before = control.iName();
            control.Open(library("vbview.tlb"), "vbview.tlb");
            afterSwitch = control.iName();
            EXPECT_FALSE(before.empty());
        }
    });
    control.Open(library("quilltest.tlb"), "quilltest.tlb");
    control.Enumerate();
    EXPECT_EQ(afterSwitch, "ViewLib");
    // The stream went on over the first library; what it showed last stays
    // readable once that library is gone.
    EXPECT_GT(events, 1);
    EXPECT_FALSE(control.iName().empty());
    EXPECT_EQ(control.TypeLibName(), "vbview.tlb");

    Qfnrws failing;
    std::string shownWhenFailing;
    int parameters = 0;
    failing.OnTypeInfo([&](int32_t&, int16_t& kind) {
        if (kind != kTypeInfoParameter)
            return;
        if (++parameters == 1)
            failing.Open(library("vbview.tlb"), "vbview.tlb");
        else
            throw std::runtime_error(shownWhenFailing = failing.iName());
    });
    failing.Open(library("quilltest.tlb"), "quilltest.tlb");
    EXPECT_THROW(failing.Enumerate(), std::runtime_error);
    EXPECT_FALSE(shownWhenFailing.empty());
    EXPECT_EQ(failing.iName(), shownWhenFailing);
}

}  // namespace
}  // namespace qfw
