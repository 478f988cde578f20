// The editing surface at 500 elements: one full repaint of the scene into an image, one drag
// step (a mouse move and the repaint of what it changed) of one element and of 50 selected
// together, and one move of a rubber band over the whole scene, each against the floor of
// decoding the scene's pictures once, measured in the same run ("x_decode" counters).
#include "components/visual/CxImage.h"
#include "components/visual/ImageGraph.h"
#include "components/visual/StringGraph.h"
#include "shell/surface/QtVisualEditor.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kElements = 500;
constexpr int kPictures = 400;

const std::vector<std::string>& PicturePaths()
{
    static const std::vector<std::string> paths = [] {
        const std::string base =
            std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo/case/images/apps/demo/";
        return std::vector<std::string>{
            base + "bg/main_bg.png",      base + "anim/sun_0.png",
            base + "anim/sun_1.png",      base + "anim/sun_2.png",
            base + "icons/ic_alarm.png",  base + "icons/IC_Battery.bmp",
            base + "icons/ic_arrow.bmp",  base + "weather/ic_cloudy.png",
            base + "weather/ic_rain.png", base + "weather/ic_sunny.png",
            base + "bg/weather_bg.jpg"};
    }();
    return paths;
}

std::string PathOf(int i)
{
    // Mostly icons, a background now and then, as on a real screen.
    const auto& paths = PicturePaths();
    return paths[(i % 40 == 0) ? 0 : 1 + i % (paths.size() - 2)];
}

// Seconds to decode the pictures of the scene once: the floor.
double DecodeSeconds()
{
    static const double seconds = [] {
        double best = 1e9;
        for (int round = 0; round < 3; ++round) {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < kPictures; ++i) {
                CxImage image;
                benchmark::DoNotOptimize(image.Load(PathOf(i)));
            }
            best = std::min(
                best,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return best;
    }();
    return seconds;
}

struct Scene
{
    explicit Scene(double zoom)
    {
        editor.CreateEditor(nullptr, {0, 0, 328, 248}, nullptr);
        editor.SetScreenBkColor(0xEEEEEE);
        editor.Scale(zoom);
        const int width = static_cast<int>(328 * zoom);
        const int height = static_cast<int>(248 * zoom);
        editor.OnSize(0, width, height);
        static const std::u16string texts[] = {u"12:45", u"晴 25°C", u"مرحبا", u"שלום",
                                               u"สวัสดี",  u"Привет",  u"天気",  u"날씨"};
        for (int i = 0; i < kElements; ++i) {
            const int x = (i * 37) % 300;
            const int y = (i * 53) % 220;
            if (i < kPictures) {
                auto picture = std::make_unique<ImageGraph>();
                picture->Envelop({x, y, x + 1, y + 1});
                picture->LoadImageA(PathOf(i));
                picture->Transparency(i % 3 == 0 ? 64 : 0);
                editor.AddObj(picture.get());
                graphs.push_back(std::move(picture));
            } else {
                auto text = std::make_unique<StringGraph>();
                text->Envelop({x, y, x + 60, y + 20});
                text->SetTextW(texts[i % 8]);
                text->SetFontHeight(16);
                text->SetBkMode(i % 2 ? StringGraph::kBkOpaque : StringGraph::kBkTransparent);
                editor.AddObj(text.get());
                graphs.push_back(std::move(text));
            }
        }
        image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        paintAll(); // the pictures are converted once, as the first paint on screen does
    }

    void paintAll()
    {
        QPainter painter(&image);
        editor.paint(painter, image.rect());
    }

    QtVisualEditor editor;
    std::vector<std::unique_ptr<Graph>> graphs;
    QImage image;
};

void BM_DecodePictures(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < kPictures; ++i) {
            CxImage image;
            benchmark::DoNotOptimize(image.Load(PathOf(i)));
        }
    }
}

void BM_FullRepaint(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0);
    const double floor = DecodeSeconds();
    int rounds = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        scene.paintAll();
        ++rounds;
    }
    const double each =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
    state.counters["x_decode"] = each / floor;
}

void BM_DragStep(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0);
    const double floor = DecodeSeconds();
    VisualSurface& surface = scene.editor.surface();
    Graph* dragged = scene.graphs[kPictures - 1].get(); // the last picture, under the texts
    const GraphRect start = dragged->Envelop();
    surface.Press(start.left + 1, start.top + 1);
    int rounds = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const int step = rounds % 40;
        surface.DragTo(start.left + 1 + step, start.top + 1 + step / 2, true);
        // What the widget's paint event gets: the changed places merged into a region.
        QRegion dirty;
        for (const GraphRect& rect : surface.TakeDirty()) {
            dirty += QRect(rect.left, rect.top, rect.Width(), rect.Height());
        }
        QPainter painter(&scene.image);
        for (const QRect& rect : dirty) {
            painter.setClipRect(rect);
            scene.editor.paint(painter, rect);
        }
        ++rounds;
    }
    const double each =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() / rounds;
    surface.Release();
    state.counters["x_decode"] = each / floor;
}

// Repaints what the surface marked as changed, as the widget's paint event would.
void PaintDirty(Scene& scene)
{
    QRegion dirty;
    for (const GraphRect& rect : scene.editor.surface().TakeDirty()) {
        dirty += QRect(rect.left, rect.top, rect.Width(), rect.Height());
    }
    QPainter painter(&scene.image);
    for (const QRect& rect : dirty) {
        painter.setClipRect(rect);
        scene.editor.paint(painter, rect);
    }
}

// Runs a gesture's mouse moves, each with the repaint it causes, and ends the gesture;
// returns the seconds each step took.
template <typename Step>
double SecondsPerStep(benchmark::State& state, Scene& scene, Step step)
{
    int rounds = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        step(rounds);
        PaintDirty(scene);
        ++rounds;
    }
    const double each =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() / rounds;
    scene.editor.surface().Release();
    return each;
}

void BM_DragSelection(benchmark::State& state)
{
    Scene scene(1.0);
    const double floor = DecodeSeconds();
    VisualSurface& surface = scene.editor.surface();
    // Every tenth element: 50 spread over the scene, pictures and texts.
    for (int i = 0; i < kElements; i += 10) {
        scene.graphs[static_cast<std::size_t>(i)]->SetSelected(true);
    }
    Graph* dragged = scene.graphs[10].get();
    const GraphRect start = dragged->Envelop();
    surface.Press(start.left, start.top);
    const double each = SecondsPerStep(state, scene, [&](int round) {
        const int step = round % 40;
        surface.DragTo(start.left + step, start.top + step / 2, true);
    });
    state.counters["x_decode"] = each / floor;
    state.counters["ms_per_frame"] = each * 1000.0;
}

void BM_RubberBand(benchmark::State& state)
{
    Scene scene(1.0);
    const double floor = DecodeSeconds();
    VisualSurface& surface = scene.editor.surface();
    surface.Press(-4, -4); // beyond the scene's corner: nothing there
    const double each = SecondsPerStep(state, scene, [&](int round) {
        const int step = round % 60;
        surface.DragTo(300 + step, 220 + step, true);
    });
    state.counters["x_decode"] = each / floor;
    state.counters["ms_per_move"] = each * 1000.0;
}

} // namespace

BENCHMARK(BM_DragSelection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RubberBand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaint)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
