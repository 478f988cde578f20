#pragma once

#include "components/visual/CxImage.h"
#include "components/visual/Graph.h"

#include <memory>
#include <string>

// A drawable that shows a picture file, with a transparency and an optional background.
// Copies share the decoded pixels, which never change once loaded.
class ImageGraph : public Graph
{
public:
    ImageGraph();
    ~ImageGraph() override;

    std::unique_ptr<Graph> Clone() const override;
    // Also takes the picture and transparency when `source` is an ImageGraph.
    void Copy(const Graph& source) override;
    // Paints the background (when in use), then the picture stretched to the envelope, or a
    // dashed placeholder frame while there is no picture.
    void Draw(GraphPainter& painter) const override;
    int GraphType() const override;

    // Decodes the picture file at `path` and sizes the envelope to it, keeping its top-left
    // corner. Returns false, keeping the previous picture and envelope, when the file
    // cannot be decoded; LoadError then says why.
    bool LoadImageA(const std::string& path);
    // 0 (opaque) to 255 (fully transparent).
    int Transparency() const { return m_transparency; }
    // Sets the transparency, clamped to 0..255.
    void Transparency(int value);

    // The picture loaded last; null before the first successful load. Shared, read-only.
    const CxImage* Image() const { return m_image.get(); }
    // The same picture, shared: painters that keep a converted copy hold it weakly to know
    // when the copy is stale.
    const std::shared_ptr<const CxImage>& SharedImage() const { return m_image; }
    const std::string& LoadError() const { return m_loadError; }

protected:
    ImageGraph(const ImageGraph&) = default;
    ImageGraph& operator=(const ImageGraph&) = default;

private:
    std::shared_ptr<const CxImage> m_image;
    int m_transparency = 0;
    std::string m_loadError;
};
