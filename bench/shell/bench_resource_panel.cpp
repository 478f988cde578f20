// Filling the resource panel: switching it to a list of 20,000 strings in 10 languages or
// of 5,000 pictures (model reset, column widths, the visible rows painted), against the
// floor of reading every cell text of the list once.
#include "components/visual/HeadlessVisualEditor.h"
#include "editing/AddCommands.h"
#include "editing/Workspace.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/APStyleProject.h"
#include "platform/ScriptedInteraction.h"
#include "shell/panels/DlgResModule.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Setup
{
    Setup()
    {
        platform::setInteraction(&ui);
        auto created = std::make_unique<APStyleProject>();
        created->InitNew();
        project = &ws.OpenProject(std::move(created));
        StringRegistry& strings = project->Strings();
        for (int language = 0; language < 10; ++language) {
            strings.LanguageNames()[static_cast<std::size_t>(language)] =
                "Language " + std::to_string(language);
        }
        for (int i = 0; i < 20000; ++i) {
            StringRecord& record =
                strings.Append(static_cast<std::uint32_t>(i + 1), "IDS_TEXT_" + std::to_string(i));
            for (int language = 0; language < 10; ++language) {
                record.texts[static_cast<std::size_t>(language)] =
                    "文字 テキスト текст " + std::to_string(i * 10 + language);
            }
        }
        for (int i = 0; i < 5000; ++i) {
            project->Pictures().Append(static_cast<std::uint32_t>(i + 1),
                                       ".\\pictures\\p" + std::to_string(i) + ".png");
        }
        Snapshot* scene = editing::add::Scene(ws, true);
        auto* root = static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
        text = root->AddChild(SnapShotItem::kString, 0);
        picture = root->AddChild(SnapShotItem::kPicture, 1);
        root->RefreshRows();
        ws.RebuildTree();
        panel = std::make_unique<DlgResModule>(ws);
        panel->resize(1000, 300);
        panel->show();
        QApplication::processEvents();
    }
    ~Setup()
    {
        panel.reset();
        platform::setInteraction(nullptr);
    }

    platform::ScriptedInteraction ui;
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    APStyleProject* project = nullptr;
    SnapShotItem* text = nullptr;
    SnapShotItem* picture = nullptr;
    std::unique_ptr<DlgResModule> panel;
};

Setup& Shared()
{
    static Setup setup;
    return setup;
}

// Floor: every cell text of the string list read once.
void ReadEveryStringCell(benchmark::State& state)
{
    const StringRegistry& strings = Shared().project->Strings();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const StringRecord& record : strings.Records()) {
            bytes += record.identifier.size() + std::to_string(record.number).size();
            for (int language = 0; language < 10; ++language) {
                bytes += record.texts[static_cast<std::size_t>(language)].size();
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReadEveryStringCell)->Unit(benchmark::kMillisecond);

// Select the string element, then the picture element: the panel fills with the
// 20,000 strings and then with the 5,000 pictures, painting each.
void SwitchListsAndPaint(benchmark::State& state)
{
    Setup& s = Shared();
    s.panel->filterBox()->clear();
    for (auto _ : state) {
        s.ws.SelectObject(s.text);
        s.panel->list()->repaint();
        benchmark::DoNotOptimize(s.panel->list()->model()->rowCount());
        s.ws.SelectObject(s.picture);
        s.panel->list()->repaint();
        benchmark::DoNotOptimize(s.panel->list()->model()->rowCount());
    }
}
BENCHMARK(SwitchListsAndPaint)->Unit(benchmark::kMillisecond);

// Type a filter letter by letter into the 20,000 strings and clear it.
void FilterStrings(benchmark::State& state)
{
    Setup& s = Shared();
    s.ws.SelectObject(s.text);
    for (auto _ : state) {
        s.panel->filterBox()->setText(QStringLiteral("1"));
        s.panel->filterBox()->setText(QStringLiteral("12"));
        s.panel->filterBox()->setText(QStringLiteral("123"));
        s.panel->filterBox()->clear();
        benchmark::DoNotOptimize(s.panel->list()->model()->rowCount());
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("FilterStringsAsOneTypes", FilterStrings)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
