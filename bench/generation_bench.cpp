// Code generation into a large UserControl: one constituent's batches of
// properties, methods and events into a module that already holds 20,000
// lines, then the same items for a second constituent, which all merge into
// the procedures and handlers the first one got.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "platform/short_date.h"
#include "platform/win_path.h"

namespace qfw {

namespace {

namespace fs = std::filesystem;

constexpr int kExistingLines = 20000;

struct Batches {
    std::vector<std::string> properties, methods, events;
};

Batches MakeBatches(int properties, int methods, int events) {
    static const char* kTypes[] = {"String", "Long", "Boolean", "Integer", "Picture", "Double"};
    Batches b;
    for (int i = 0; i < properties; ++i) {
        b.properties.push_back("Prop" + std::to_string(i) + " As " + kTypes[i % 6]);
    }
    for (int i = 0; i < methods; ++i) {
        b.methods.push_back(i % 2
                                ? "Method" + std::to_string(i) + " (Index As Long, Text As String) "
                                : "Count" + std::to_string(i) + " () As Long");
    }
    for (int i = 0; i < events; ++i) {
        b.events.push_back("Event" + std::to_string(i) + " (Button As Integer, X As Single) ");
    }
    return b;
}

// A project folder whose UserControl holds kExistingLines lines of
// hand-written procedures.
class LargeProject {
  public:
    LargeProject() {
        std::string pattern = (fs::temp_directory_path() / "qfw-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder_ = pattern;
        fs::create_directories(folder_ + "/program");
        std::ofstream(folder_ + "/Big.vbp", std::ios::binary)
            << "Type=Control\r\nUserControl=Big.ctl\r\nName=\"BigCtl\"\r\n";
        std::string ctl =
            "VERSION 5.00\r\nBegin VB.UserControl Big \r\n   Begin VB.TextBox Text1 \r\n   End\r\n"
            "   Begin VB.TextBox Text2 \r\n   End\r\nEnd\r\nAttribute VB_Name = \"Big\"\r\n"
            "Option Explicit\r\nPrivate m_Count As Long\r\n";
        for (int i = 0; i < kExistingLines / 10; ++i) {
            ctl += "\r\nPublic Sub Existing" + std::to_string(i) + "(ByVal n As Long)\r\n";
            for (int k = 0; k < 7; ++k)
                ctl += "    m_Count = m_Count + n * " + std::to_string(k) + "\r\n";
            ctl += "End Sub\r\n";
        }
        bytes_ = ctl;
    }
    ~LargeProject() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // A fresh copy of the project loaded into a new environment, and an
    // engine aimed at its UserControl.
    void Reset(Wizard& wizard) {
        std::ofstream(folder_ + "/Big.ctl", std::ios::binary | std::ios::trunc) << bytes_;
        vbe_ = ide::VBE::Create();
        auto project = vbe_->VBProjects()->AddFromFile(UnixToWindows(folder_ + "/Big.vbp")).at(0);
        component_ = project->VBComponents()->Item("Big");
        wizard = Wizard();
        wizard.SetVBInst(vbe_);
        // Discovery aims the engine at the UserControl, as a wizard run does.
        wizard.ProjectName(project->Name());
        wizard.UserControlName("Big");
        wizard.SetWorkFolders(UnixToWindows(folder_ + "/program"),
                              UnixToWindows(folder_ + "/userdata"));
    }

    int32_t Lines() const { return component_->CodeModule()->CountOfLines(); }

  private:
    std::string folder_;
    std::string bytes_;
    std::shared_ptr<ide::VBE> vbe_;
    std::shared_ptr<ide::VBComponent> component_;
};

void Generate(Wizard& wizard, const Batches& b, const std::string& control) {
    wizard.BuildProcedures(std::vector<int16_t>(b.properties.size(), 0), b.properties, control);
    wizard.BuildProcedures(std::vector<int16_t>(b.methods.size(), 1), b.methods, control);
    wizard.BuildProcedures(std::vector<int16_t>(b.events.size(), 2), b.events, control);
}

void RunGeneration(benchmark::State& state, int properties, int methods, int events) {
    ScopedToday today{std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::December,
                                                  std::chrono::day{3}}};
    LargeProject project;
    const Batches batches = MakeBatches(properties, methods, events);
    Wizard wizard;
    int64_t generated = 0;
    for (auto _ : state) {
        state.PauseTiming();
        project.Reset(wizard);
        const int32_t before = project.Lines();
        state.ResumeTiming();
        Generate(wizard, batches, "Text1");
        Generate(wizard, batches, "Text2");
        state.PauseTiming();
        generated += project.Lines() - before;
        state.ResumeTiming();
    }
    state.counters["lines"] =
        benchmark::Counter(static_cast<double>(generated) / state.iterations());
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(generated), benchmark::Counter::kIsRate);
}

void BM_GenerationFull(benchmark::State& state) {
    RunGeneration(state, 2000, 1000, 500);
}
void BM_GenerationHalf(benchmark::State& state) {
    RunGeneration(state, 1000, 500, 250);
}

}  // namespace
}  // namespace qfw

// Registered under their plain names, the ones the speed goals use.
BENCHMARK(qfw::BM_GenerationFull)
    ->Name("BM_GenerationFull")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(qfw::BM_GenerationHalf)
    ->Name("BM_GenerationHalf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
