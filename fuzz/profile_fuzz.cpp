// libFuzzer target for the private profile (INI) routines: the input is
// the file; a few reads (found and missing keys, short buffers) and the
// three kinds of write run on it, each write on a fresh copy.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/profile.h"
#include "scratch_path.h"

namespace {

// The profile routines work on files.
const std::filesystem::path& FuzzFile() {
    static const qfw::fuzz::ScratchPath file("qfw-profile-fuzz-", ".ini");
    return file.Path();
}

void WriteInput(const uint8_t* data, size_t size) {
    std::ofstream out(FuzzFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteInput(data, size);
    const auto& file = FuzzFile();
    char buffer[8];
    for (const char* key : {"MyAddIn.Connect", "", "name3", ";x"}) {
        qfw::GetPrivateProfileString("Add-Ins32", key, "default  ", 256, file);
        qfw::GetPrivateProfileString("add-ins32", key, "", buffer, sizeof buffer, file);
    }
    qfw::WritePrivateProfileString("Add-Ins32", "MyAddIn.Connect", "0", file);
    WriteInput(data, size);
    qfw::WritePrivateProfileString("Add-Ins32", "MyAddIn.Connect", std::nullopt, file);
    WriteInput(data, size);
    qfw::WritePrivateProfileString("Add-Ins32", std::nullopt, std::nullopt, file);
    return 0;
}
