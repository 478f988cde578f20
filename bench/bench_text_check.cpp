// The text check over 2,000 string elements in 10 languages (20,000 texts of every script the
// installed fonts cover), against the floor of shaping the same texts once with HarfBuzz in
// the same fonts. The ratio is printed after the run.

#include "components/visual/HeadlessVisualEditor.h"
#include "editing/AddCommands.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/ScriptedInteraction.h"
#include "textcheck/LineMeasurer.h"
#include "textcheck/TextFitCheck.h"

#include <benchmark/benchmark.h>

#include <hb.h>

#include <iostream>
#include <map>

namespace {

constexpr int kElements = 2000;
constexpr int kLanguages = 10;

std::string TextFor(int row, int language)
{
    static const char* const kWords[] = {"Einstellungen", "Cancel",    "موافق", "Menü",
                                         "设置菜单",      "Настройки", "שמור",  "ตั้งค่า",
                                         "Ρυθμίσεις",     "確定"};
    return std::string(kWords[(row + language) % 10]) + " " + std::to_string(row % 97) + "-" +
           std::to_string(language);
}

// A project in memory: one scene, kElements string elements bound to kElements strings.
struct CheckedProject
{
    CheckedProject()
    {
        auto created = std::make_unique<APStyleProject>();
        created->InitNew();
        project = &ws.OpenProject(std::move(created));
        Snapshot* scene = editing::add::Scene(ws, true);
        auto* root = static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
        for (int l = 0; l < kLanguages; ++l) {
            project->Strings().LanguageNames()[static_cast<std::size_t>(l)] =
                "lang" + std::to_string(l);
        }
        for (int row = 0; row < kElements; ++row) {
            const std::string name = "S" + std::to_string(row);
            StringRecord& record =
                project->Strings().Append(static_cast<std::uint32_t>(row + 1), name);
            for (int l = 0; l < kLanguages; ++l) {
                record.texts[static_cast<std::size_t>(l)] = TextFor(row, l);
            }
            auto* element =
                static_cast<StringSnapShotItem*>(root->AddChild(SnapShotItem::kString, 0));
            StringItemInfo info = element->StringInfo();
            info.stringId = static_cast<std::int16_t>(row);
            info.fontHeight = static_cast<std::uint8_t>(12 + row % 3 * 4);
            element->SetStringInfo(info);
            element->TextStore().identifier = name;
        }
    }

    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    APStyleProject* project = nullptr;
};

CheckedProject& Checked()
{
    static CheckedProject checked;
    return checked;
}

// The floor: every text shaped once, as one LTR/RTL run guessed by HarfBuzz, in its script's
// font at its element's size.
void BM_ShapeFloor(benchmark::State& state)
{
    CheckedProject& checked = Checked();
    for (auto _ : state) {
        textcheck::MeasuringFonts fonts;
        hb_buffer_t* buffer = hb_buffer_create();
        hb_position_t total = 0;
        for (int row = 0; row < kElements; ++row) {
            for (int l = 0; l < kLanguages; ++l) {
                const std::string text = TextFor(row, l);
                hb_buffer_clear_contents(buffer);
                hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), 0, -1);
                hb_buffer_guess_segment_properties(buffer);
                hb_font_t* font = fonts.For(hb_buffer_get_script(buffer), 12 + row % 3 * 4).font;
                hb_shape(font, buffer, nullptr, 0);
                unsigned count = 0;
                const hb_glyph_position_t* positions =
                    hb_buffer_get_glyph_positions(buffer, &count);
                for (unsigned g = 0; g < count; ++g) {
                    total += positions[g].x_advance;
                }
            }
        }
        hb_buffer_destroy(buffer);
        benchmark::DoNotOptimize(total);
    }
    benchmark::DoNotOptimize(checked.project);
}

void BM_TextCheck(benchmark::State& state)
{
    CheckedProject& checked = Checked();
    for (auto _ : state) {
        textcheck::TextFitCheck check;
        const textcheck::TextFitReport report =
            check.Run(textcheck::TextFitInput::From(*checked.project));
        benchmark::DoNotOptimize(report.overflows.size());
    }
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") {
                continue;
            }
            m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double floor = m_times["BM_ShapeFloor"];
        if (floor > 0) {
            std::cout << "text_check_per_floor " << m_times["BM_TextCheck"] / floor
                      << " (target at most 2)\n";
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

BENCHMARK(BM_ShapeFloor)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(false);
BENCHMARK(BM_TextCheck)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(false);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
