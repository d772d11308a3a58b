// libFuzzer target for the type-library reader: bare MSFT data and PE
// images, followed by a full replay of the event stream.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "browser/control/qfnrws.h"
#include "browser/control/type_library_reader.h"
#include "platform/vb_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::shared_ptr<const qfw::TypeLibrary> library;
    try {
        library = std::make_shared<const qfw::TypeLibrary>(
            qfw::ReadTypeLibrary(std::span<const uint8_t>(data, size), "fuzz.tlb"));
    } catch (const qfw::VbError&) {
        return 0;
    }
    qfw::Qfnrws control;
    size_t nameBytes = 0;
    control.OnTypeInfo([&](int32_t&, int16_t&) {
        nameBytes += control.iName().size() + control.iParamType().size();
    });
    control.Open(library, "fuzz.tlb");
    control.Enumerate();
    return nameBytes == SIZE_MAX ? 1 : 0;
}
