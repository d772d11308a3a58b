// libFuzzer target for the browser over a type library: the library's
// controls listed by position and as declared, then every listed
// interface's members composed into item texts (types by name, enumeration
// types, typedefs and imported libraries resolved) as the wizard reads a
// specification control.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "browser/specification.h"
#include "model/obj_control.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "scratch_path.h"

namespace {

// The browser opens libraries by path.
const std::filesystem::path& FuzzFile() {
    static const qfw::fuzz::ScratchPath file("qfw-browser-fuzz-", ".ocx");
    return file.Path();
}

void ReadEveryInterface(const std::string& library, qfw::InterfaceListing listing) {
    qfw::objControl spec;
    std::vector<std::string> interfaces;
    try {
        interfaces = qfw::ListSpecificationInterfaces(spec, library, listing);
    } catch (const qfw::VbError&) {
        return;
    }
    for (size_t i = 0; i < interfaces.size() && i < 64; ++i) {
        try {
            qfw::ReadSpecificationItems(spec, {interfaces[i]}, static_cast<int16_t>(i));
        } catch (const qfw::VbError&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(FuzzFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    qfw::Browser& browser = qfw::SharedBrowser();
    // A fresh control each time: nothing a damaged library left behind
    // carries over to the next input.
    browser.BrowserControl(std::make_shared<qfw::Qfnrws>());
    const std::string library = qfw::UnixToWindows(FuzzFile().string());
    ReadEveryInterface(library, qfw::InterfaceListing::Positional);
    ReadEveryInterface(library, qfw::InterfaceListing::Declared);
    return 0;
}
