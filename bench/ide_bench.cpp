// Speed of the object model on a large UserControl: loading and saving a
// project, and procedure lookups interleaved with inserts.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "platform/win_path.h"

namespace {

namespace fs = std::filesystem;

constexpr int kProcedures = 5000;  // ten lines each: 50,000 code lines

std::string BigCode() {
    std::ostringstream code;
    code << "Option Explicit\r\nPrivate m_Value As Long\r\n";
    for (int i = 0; i < kProcedures; ++i) {
        code << "\r\n' Procedure " << i << "\r\nPublic Function F" << i
             << "(ByVal a As Long) As Long\r\n    Dim b As Long\r\n    b = a * " << i
             << "\r\n    m_Value = m_Value + b\r\n    F" << i
             << " = b\r\n    ' Added by hand\r\nEnd Function\r\n";
    }
    return code.str();
}

std::string Name(char prefix, int number) {
    std::string name(1, prefix);
    name.append(std::to_string(number));
    return name;
}

// A project folder with a UserControl holding BigCode().
fs::path BigProject() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "qfw-bench-ide";
        fs::remove_all(d);
        fs::create_directories(d);
        std::ofstream(d / "Big.vbp", std::ios::binary)
            << "Type=Control\r\nUserControl=Big.ctl\r\nName=\"Big\"\r\n";
        std::ofstream(d / "Big.ctl", std::ios::binary)
            << "VERSION 5.00\r\nBegin VB.UserControl Big \r\n   Begin VB.TextBox Text1 \r\n"
               "      Height          =   285\r\n   End\r\nEnd\r\nAttribute VB_Name = \"Big\"\r\n"
            << BigCode();
        return d;
    }();
    return dir;
}

void BM_ModuleLoadSave(benchmark::State& state) {
    const std::string vbp = qfw::UnixToWindows((BigProject() / "Big.vbp").string());
    for (auto _ : state) {
        auto vbe = qfw::ide::VBE::Create("C:\\VB98\\VB6.EXE");
        vbe->VBProjects()->AddFromFile(vbp);
        auto code = vbe->ActiveVBProject()->VBComponents()->Item(1)->CodeModule();
        code->InsertLines(3, "' touched");
        code->DeleteLines(3);
        vbe->ActiveVBProject()->Save();
    }
}
BENCHMARK(BM_ModuleLoadSave)->Unit(benchmark::kMillisecond);

void BM_ModuleLookupInsert(benchmark::State& state) {
    const std::string code = BigCode();
    for (auto _ : state) {
        state.PauseTiming();
        qfw::ide::CodeModule module(code);
        module.ProcStartLine("F0", 0);
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i) {
            const std::string name = Name('F', (i * 7919) % kProcedures);
            const int32_t body = module.ProcBodyLine(name, 0);
            benchmark::DoNotOptimize(module.ProcStartLine(name, 0));
            module.InsertLines(body + 1, "    ' inserted");
        }
    }
}
BENCHMARK(BM_ModuleLookupInsert)->Unit(benchmark::kMillisecond);

// The generation pattern: whole procedures added before the first one, with
// lookups between the inserts.
void BM_ModuleAddProcedures(benchmark::State& state) {
    std::ostringstream text;
    text << "Option Explicit\r\n";
    for (int i = 0; i < 2000; ++i) {
        text << "Public Sub S" << i << "()\r\n    x = 1\r\n\r\n\r\n\r\n\r\n\r\n\r\nEnd Sub\r\n";
    }
    const std::string code = text.str();
    for (auto _ : state) {
        state.PauseTiming();
        qfw::ide::CodeModule module(code);
        state.ResumeTiming();
        for (int i = 0; i < 3000; ++i) {
            std::ostringstream block;
            block << "Public Property Let P" << i << " (v As String)\r\n\r\n    x.P" << i
                  << " = v\r\n\r\nEnd Property\r\n\r\nPublic Property Get P" << i
                  << "() As String\r\n\r\n    P" << i << " = x.P" << i
                  << "\r\n\r\nEnd Property\r\n\r\n";
            try {
                module.ProcBodyLine(Name('S', i % 2000), 0);
                module.ProcBodyLine(Name('P', i), 1);
            } catch (...) {
            }
            module.AddFromString(block.str());
        }
    }
}
BENCHMARK(BM_ModuleAddProcedures)->Unit(benchmark::kMillisecond);

}  // namespace
