#include "SurfaceDemo.h"

#include "components/packing/PicResFormat.h"
#include "components/visual/CxImage.h"
#include "components/visual/ImageGraph.h"
#include "components/visual/StringGraph.h"
#include "shell/surface/DeviceColours.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <vector>

namespace {

QColor rgb(std::uint32_t colour, int alpha)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, alpha);
}

// Paints the scene as it should look, straight from the model: each live element's drawable
// in tree order, pictures from their decoded pixels. Texts and the outlines of drawables
// without a picture are not drawn: their boxes go to `textBoxes`, where the comparison does
// not look.
class Reference
{
public:
    Reference(Snapshot& scene, double scale, QSize size)
        : m_image(size, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(rgb(0xEEEEEE, 255));
        QPainter painter(&m_image);
        for (const auto& element : scene.Elements()) {
            paint(painter, *element, scale);
        }
    }

    const QImage& image() const { return m_image; }
    const std::vector<QRect>& textBoxes() const { return m_textBoxes; }
    int pictures() const { return m_pictures; }

private:
    void paint(QPainter& painter, SnapShotItem& element, double scale)
    {
        if (element.IsDeleted()) {
            return;
        }
        const Graph& graph = *element.OwnGraph();
        const GraphRect view = graph.Envelop().Scaled(scale);
        const GraphRect shown = graph.VisualEnvelop().Scaled(scale).Intersect(view);
        if (graph.IsVisible() && !graph.IsDelected() && !shown.IsEmpty()) {
            const QRect target(view.left, view.top, view.Width(), view.Height());
            const QRect clip(shown.left, shown.top, shown.Width(), shown.Height());
            if (dynamic_cast<const StringGraph*>(&graph)) {
                m_textBoxes.push_back(clip);
            } else if (const auto* picture = dynamic_cast<const ImageGraph*>(&graph)) {
                const int opacity = 255 - picture->Transparency();
                painter.save();
                painter.setClipRect(clip);
                if (graph.IsUseBkColor()) {
                    painter.fillRect(target, rgb(graph.BkColor(), opacity));
                }
                const CxImage* image = picture->Image();
                if (!image || !image->IsValid()) {
                    // The surface outlines an empty picture or a group: not compared either.
                    m_textBoxes.push_back(QRect(target.left(), target.top(), target.width(), 1));
                    m_textBoxes.push_back(QRect(target.left(), target.bottom(), target.width(), 1));
                    m_textBoxes.push_back(QRect(target.left(), target.top(), 1, target.height()));
                    m_textBoxes.push_back(QRect(target.right(), target.top(), 1, target.height()));
                } else {
                    const QImage pixels =
                        QImage(image->GetBits(), image->GetWidth(), image->GetHeight(),
                               image->GetWidth() * 4, QImage::Format_RGBA8888)
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
                    painter.setOpacity(opacity / 255.0);
                    painter.drawImage(target, pixels);
                    ++m_pictures;
                }
                painter.restore();
            }
        }
        if (const SnapItemList* children = element.Children()) {
            for (const auto& child : *children) {
                paint(painter, *child, scale);
            }
        }
    }

    QImage m_image;
    std::vector<QRect> m_textBoxes;
    int m_pictures = 0;
};

QImage render(SurfaceWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// Pixels of the screen area (outside text boxes) where `a` and `b` differ.
int differences(const QImage& a, const QImage& b, const QRect& screen,
                const std::vector<QRect>& textBoxes)
{
    int count = 0;
    for (int y = screen.top(); y <= screen.bottom(); ++y) {
        for (int x = screen.left(); x <= screen.right(); ++x) {
            const QPoint at(x, y);
            bool text = false;
            for (const QRect& box : textBoxes) {
                text = text || box.contains(at);
            }
            if (!text && a.pixel(at) != b.pixel(at)) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace

class SurfaceRenderingTest : public QObject
{
    Q_OBJECT

private slots:
    // Zoomed in, each device pixel is a sharp square: a designer checks one-pixel edges.
    void zoomedInPixelsStaySharp()
    {
        QTemporaryDir dir;
        QImage pixels(2, 2, QImage::Format_RGB32);
        pixels.setPixel(0, 0, qRgb(255, 0, 0));
        pixels.setPixel(1, 0, qRgb(0, 255, 0));
        pixels.setPixel(0, 1, qRgb(0, 0, 255));
        pixels.setPixel(1, 1, qRgb(255, 255, 255));
        const QString path = dir.filePath(QStringLiteral("checker.png"));
        QVERIFY(pixels.save(path));
        ImageGraph picture;
        picture.Envelop({1, 1, 2, 2});
        QVERIFY(picture.LoadImageA(path.toStdString()));
        QtVisualEditor editor;
        editor.CreateEditor(nullptr, {0, 0, 40, 40}, nullptr);
        editor.AddObj(&picture);
        for (const int zoom : {3, 8}) {
            editor.Scale(zoom);
            QImage shown(40, 40, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&shown);
            editor.paint(painter, shown.rect());
            painter.end();
            for (int y = 0; y < 2 * zoom; ++y) {
                for (int x = 0; x < 2 * zoom; ++x) {
                    QCOMPARE(shown.pixel(zoom + x, zoom + y), pixels.pixel(x / zoom, y / zoom));
                }
            }
        }
    }
    void firstSceneMatchesTheModelPixelForPixel_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::newRow("1.0") << 1.0;
        QTest::newRow("2.0") << 2.0;
    }
    void firstSceneMatchesTheModelPixelForPixel()
    {
        QFETCH(double, zoom);
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        demo.editor.Scale(zoom);
        const QSize size = demo.widget()->sizeHint();
        demo.editor.OnSize(0, size.width(), size.height());
        const QImage shown = render(*demo.widget());
        const Reference reference(*demo.scene, zoom, shown.size());
        const QRect screen(0, 0, static_cast<int>(demo.project->ScreenWidth() * zoom),
                           static_cast<int>(demo.project->ScreenHeight() * zoom));

        QVERIFY(reference.pictures() >= 3);
        QVERIFY(!reference.textBoxes().empty());
        // Not a blank screen compared with a blank screen.
        QImage empty(shown.size(), QImage::Format_ARGB32_Premultiplied);
        empty.fill(rgb(0xEEEEEE, 255));
        QVERIFY(differences(reference.image(), empty, screen, {}) >
                screen.width() * screen.height() / 2);
        QCOMPARE(differences(shown, reference.image(), screen, reference.textBoxes()), 0);
        // Texts are drawn: their boxes are not all background.
        QVERIFY(differences(shown, reference.image(), screen, {}) > 0);
    }

    void deviceColoursShowWhatTheFirmwareGets()
    {
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        const QImage trueColours = render(*demo.widget());
        const QRect screen(0, 0, 320, 240);

        demo.editor.setDevicePixelFormat(PIC_RES_RGB565);
        demo.editor.setDeviceColours(true);
        const QImage device = render(*demo.widget());
        QVERIFY(differences(device, trueColours, screen, {}) > 1000);

        demo.editor.setDeviceColours(false);
        QCOMPARE(differences(render(*demo.widget()), trueColours, screen, {}), 0);
    }

    void deviceConversionUsesThePackingCodec()
    {
        // A ramp through every level of every channel, alpha included.
        const int width = 256;
        QImage ramp(width, 1, QImage::Format_RGBA8888);
        for (int x = 0; x < width; ++x) {
            ramp.setPixelColor(x, 0, QColor(x, 255 - x, (x * 7) & 0xFF, x));
        }
        CxImage image;
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(ramp.save(&buffer, "PNG"));
        }
        QVERIFY(image.Decode(reinterpret_cast<const std::uint8_t*>(png.constData()),
                             static_cast<std::size_t>(png.size())));

        const auto rgb565 = DeviceColours::Convert(image, {PIC_RES_RGB565, 0, 0});
        const auto argb1555 = DeviceColours::Convert(image, {PIC_RES_ARGB1555, 0, 0});
        const auto argb8888 = DeviceColours::Convert(image, {PIC_RES_ARGB888, 0, 0});
        QCOMPARE(rgb565.size(), image.Pixels().size());
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgb565[x * 4];
            // Five bits of red and blue, six of green, widened by bit replication.
            QCOMPARE(int(p[0]), ((p[0] >> 3) << 3) | (p[0] >> 5));
            QCOMPARE(int(p[1]), ((p[1] >> 2) << 2) | (p[1] >> 6));
            QCOMPARE(int(p[2]), ((p[2] >> 3) << 3) | (p[2] >> 5));
            QVERIFY(std::abs(int(p[0]) - int(image.Pixels()[x * 4])) <= 4);
            const int alpha = argb1555[x * 4 + 3];
            QVERIFY(alpha == 0 || alpha == 255);
        }
        QVERIFY(argb8888 == image.Pixels());
        QVERIFY(rgb565 != image.Pixels());
    }
};

QTEST_MAIN(SurfaceRenderingTest)
#include "SurfaceRenderingTest.moc"
