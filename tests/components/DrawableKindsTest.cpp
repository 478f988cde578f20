#include "PictureFiles.h"

#include "components/visual/ImageGraph.h"
#include "components/visual/NarrowText.h"
#include "components/visual/RecordingGraphPainter.h"
#include "components/visual/StringGraph.h"

#include <gtest/gtest.h>

using Kind = RecordingGraphPainter::Kind;

TEST(ImageGraph, TransparencyIsClampedAndSetsTheOpacity)
{
    ImageGraph graph;
    EXPECT_EQ(graph.GraphType(), Graph::kGraphPicture);
    EXPECT_EQ(graph.Transparency(), 0);
    graph.Transparency(300);
    EXPECT_EQ(graph.Transparency(), 255);
    graph.Transparency(-5);
    EXPECT_EQ(graph.Transparency(), 0);
    graph.Transparency(55);
    EXPECT_EQ(graph.Transparency(), 55);

    graph.Envelop({0, 0, 10, 10});
    graph.SetUseBkColor(true);
    RecordingGraphPainter painter;
    graph.Draw(painter);
    EXPECT_EQ(painter.callsOf(Kind::FillRect).front().opacity, 200);
    // Without a picture a placeholder shows where it will be.
    EXPECT_EQ(painter.count(Kind::DrawImage), 0);
    EXPECT_EQ(painter.count(Kind::DrawFrame), 1);
}

TEST(ImageGraph, LoadSizesTheEnvelopeAndAFailedLoadKeepsEverything)
{
    PictureFiles files;
    const std::vector<std::uint8_t> pixels(6 * 4 * 4, 0x80);
    const std::string good = files.png("p.png", 6, 4, 4, pixels);
    ImageGraph graph;
    graph.Envelop({100, 50, 101, 51});
    ASSERT_TRUE(graph.LoadImageA(good)) << graph.LoadError();
    EXPECT_EQ(graph.Envelop(), (GraphRect{100, 50, 106, 54}));
    ASSERT_NE(graph.Image(), nullptr);
    EXPECT_EQ(graph.Image()->GetColorType(), CxImage::kColorAlpha);

    EXPECT_FALSE(graph.LoadImageA(files.bytes("bad.png", "nope")));
    EXPECT_FALSE(graph.LoadError().empty());
    EXPECT_EQ(graph.Envelop(), (GraphRect{100, 50, 106, 54}));
    ASSERT_NE(graph.Image(), nullptr);
    EXPECT_EQ(graph.Image()->GetWidth(), 6);

    graph.Scale(2.0);
    graph.Transparency(255);
    RecordingGraphPainter painter;
    graph.Draw(painter);
    const auto images = painter.callsOf(Kind::DrawImage);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect, (GraphRect{200, 100, 212, 108}));
    EXPECT_EQ(images[0].imageWidth, 6);
    EXPECT_EQ(images[0].opacity, 0);
}

TEST(ImageGraph, CloneKeepsKindPictureAndTransparency)
{
    PictureFiles files;
    ImageGraph graph;
    ASSERT_TRUE(graph.LoadImageA(files.png("p.png", 2, 3, 3, std::vector<std::uint8_t>(18))));
    graph.Transparency(40);
    const std::unique_ptr<Graph> copy = graph.Clone();
    const auto* image = dynamic_cast<const ImageGraph*>(copy.get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Transparency(), 40);
    EXPECT_EQ(image->Image(), graph.Image()); // decoded pixels are shared
    EXPECT_EQ(image->Envelop(), (GraphRect{0, 0, 2, 3}));

    // Copying from a plain drawable takes the geometry and keeps the picture.
    Graph plain;
    plain.Envelop({5, 5, 9, 9});
    ImageGraph target;
    target.Copy(graph);
    target.Copy(plain);
    EXPECT_EQ(target.Envelop(), (GraphRect{5, 5, 9, 9}));
    EXPECT_EQ(target.Image(), graph.Image());
}

TEST(StringGraph, NarrowTextIsUtf8OrCodePage936AndWideTextIsKept)
{
    StringGraph graph;
    EXPECT_EQ(graph.GraphType(), Graph::kGraphText);
    graph.SetText("确定 OK");
    EXPECT_EQ(graph.Text(), u"确定 OK");
    EXPECT_EQ(graph.NarrowText(), "确定 OK");
    EXPECT_FALSE(graph.IsWideText());

    const std::string gbk("\xD6\xD0\xCE\xC4", 4); // "中文" in code page 936
    graph.SetText(gbk);
    EXPECT_EQ(graph.Text(), u"中文");
    EXPECT_EQ(graph.NarrowText(), gbk); // kept byte for byte

    graph.SetTextW(u"\u05E9\u05DC\u05D5\u05DD");
    EXPECT_TRUE(graph.IsWideText());
    EXPECT_TRUE(graph.NarrowText().empty());
    EXPECT_EQ(graph.Text(), u"\u05E9\u05DC\u05D5\u05DD");
}

TEST(NarrowText, MalformedBytesNeitherCrashNorVanish)
{
    EXPECT_FALSE(visual::isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(visual::isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(visual::isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(visual::isValidUtf8("\xE4\xBD"));         // cut short
    EXPECT_TRUE(visual::isValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(visual::wideFromNarrow("\xF0\x9F\x98\x80"), u"\U0001F600");
    // 0x80 and a lone lead byte at the end are no characters of code page 936 either.
    const std::u16string shown = visual::wideFromNarrow(std::string("a\x80"
                                                                    "b\xD6",
                                                                    4));
    EXPECT_EQ(shown.front(), u'a');
    EXPECT_NE(shown.find(u'b'), std::u16string::npos);
    EXPECT_EQ(shown.back(), u'\uFFFD');
}

TEST(StringGraph, DrawsCellTextAndFontAtTheSurfaceScale)
{
    StringGraph graph;
    graph.Envelop({10, 10, 110, 30});
    graph.SetText("Hello");
    graph.SetFontHeight(12);
    graph.SetFontWidth(6);
    graph.SetFontWeight(700);
    graph.SetTextFormat(StringGraph::kFormatRight | StringGraph::kFormatBottom |
                        StringGraph::kFormatSingleLine);
    graph.SetTextColor(0x000000FF);
    graph.SetTextBkColor(0x00FFFF00);
    graph.Scale(2.0);

    RecordingGraphPainter painter;
    graph.Draw(painter);
    EXPECT_EQ(painter.count(Kind::FillRect), 0); // transparent mode, no background in use
    auto texts = painter.callsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"Hello");
    EXPECT_EQ(texts[0].rect, (GraphRect{20, 20, 220, 60}));
    EXPECT_EQ(texts[0].font.height, 24);
    EXPECT_EQ(texts[0].font.width, 12);
    EXPECT_EQ(texts[0].font.weight, 700);
    EXPECT_EQ(texts[0].format, 0x2Au);
    EXPECT_EQ(texts[0].colour, 0x0000FFu);

    EXPECT_FALSE(graph.SetBkMode(0));
    EXPECT_EQ(graph.BkMode(), StringGraph::kBkTransparent);
    EXPECT_TRUE(graph.SetBkMode(StringGraph::kBkOpaque));
    painter.clear();
    graph.Draw(painter);
    ASSERT_EQ(painter.count(Kind::FillRect), 1);
    EXPECT_EQ(painter.callsOf(Kind::FillRect).front().colour, 0x00FFFF00u);
}

TEST(StringGraph, CloneCarriesTextAndStyle)
{
    StringGraph graph;
    graph.SetTextW(u"abc");
    graph.SetItalic(true);
    graph.SetBkMode(StringGraph::kBkOpaque);
    const std::unique_ptr<Graph> copy = graph.Clone();
    const auto* text = dynamic_cast<const StringGraph*>(copy.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text(), u"abc");
    EXPECT_TRUE(text->IsWideText());
    EXPECT_EQ(text->Font(), graph.Font());
    EXPECT_EQ(text->BkMode(), StringGraph::kBkOpaque);
}
