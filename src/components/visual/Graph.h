#pragma once

#include "components/visual/GraphRect.h"

#include <cstdint>
#include <memory>

class GraphPainter;

// A drawable of the editing surface: a rectangle in scene pixels with the flags the
// surface and the model work with. The elements of a scene derive from it (through
// ImageGraph or StringGraph), so the virtual operations below keep their order; add new
// virtual operations only after the last one.
class Graph
{
public:
    // What GraphType returns. The surface reports changes of pictures and texts only.
    enum Kind
    {
        kGraphPicture = 0,
        kGraphText = 1,
        kGraphShape = 2
    };

    // The resize handles, clockwise from the top-left corner (SetPoint, HandleAt).
    enum Handle
    {
        kHandleTopLeft = 0,
        kHandleTop,
        kHandleTopRight,
        kHandleRight,
        kHandleBottomRight,
        kHandleBottom,
        kHandleBottomLeft,
        kHandleLeft,
        kHandleCount
    };

    Graph() = default;
    virtual ~Graph();

    // Returns a new drawable of the same kind with the same state (see Copy); the caller
    // owns it.
    virtual std::unique_ptr<Graph> Clone() const;
    // Takes over the drawable state of `source`: geometry, flags, colours and scale. The
    // selection is not copied, it belongs to the surface. Kinds copy their own state too
    // when `source` is of their kind.
    virtual void Copy(const Graph& source);
    // Paints the drawable unless it is hidden or deleted, clipped to its visual envelope.
    virtual void Draw(GraphPainter& painter) const;
    // Paints the outline the user drags, moved by (dx, dy) scene pixels.
    virtual void DrawDrag(GraphPainter& painter, int dx, int dy) const;
    // Paints the selection frame, with resize handles when the user may resize.
    virtual void DrawFoucs(GraphPainter& painter) const;
    // Returns one of Kind.
    virtual int GraphType() const;
    virtual GraphRect Envelop() const;
    // Sets the envelope; an inverted rectangle is normalised.
    virtual void Envelop(const GraphRect& rect);
    // Moves the envelope, and an explicitly set visual envelope with it.
    virtual void Transform(int dx, int dy);
    // Moves the edges that resize `handle` (one of Handle) to (x, y). Returns false for an
    // unknown handle. The surface checks IsResizeable and IsFixed before it calls this.
    virtual bool SetPoint(int handle, int x, int y);
    // True when (x, y) lies in the envelope of a visible drawable that is not deleted.
    virtual bool Hitest(int x, int y) const;
    // The part that is shown (a child clipped to its group); the envelope while the
    // drawable is fully visible.
    virtual GraphRect VisualEnvelop() const;
    // Sets the part that is shown; the drawable is no longer fully visible.
    virtual void VisualEnvelop(const GraphRect& rect);
    // Shows the whole envelope, also after later moves and resizes.
    virtual void SetFullVisual();
    virtual bool IsSelected() const;
    virtual void SetSelected(bool selected);
    virtual bool IsVisible() const;
    virtual void SetVisible(bool visible);
    virtual bool IsDelected() const;
    virtual void SetDeleted(bool deleted);
    // Called when the user asks for the drawable's properties; nothing to do here.
    virtual void OnProperty();
    // Whether the user may select and move the drawable.
    virtual bool IsEditable() const;
    virtual void SetEditable(bool editable);
    virtual bool IsResizeable() const;
    virtual void SetResizeable(bool resizeable);
    // A fixed drawable keeps its place when the user drags.
    virtual bool IsFixed() const;
    virtual void SetFixed(bool fixed);
    // Sets the zoom the drawable is painted at (view pixels per scene pixel). A factor that
    // is not a positive finite number is ignored.
    virtual void Scale(double factor);
    // Returns the drawable nested in this one, not owned; none here.
    virtual Graph* GetSubGraph() const;
    // Returns the drawable this one belongs to, not owned; none here.
    virtual Graph* GetParentGraph() const;
    // Sets the background colour (0xAABBGGRR), painted while IsUseBkColor.
    virtual void BkColor(std::uint32_t colour);
    virtual std::uint32_t BkColor() const;
    virtual bool IsUseBkColor() const;
    virtual void SetUseBkColor(bool use);
    // Paints guide lines through the envelope's edges across `viewArea` (view pixels).
    virtual void DrawAlignmentLine(GraphPainter& painter, const GraphRect& viewArea) const;
    // Returns the envelope in view pixels (scaled).
    virtual GraphRect GetRect() const;

    // Returns the handle (one of Handle) whose grip holds the scene point (x, y), or -1.
    // `reach` is the grip's half size in view pixels.
    int HandleAt(int x, int y, int reach = 4) const;
    // Returns the scene point of `handle`, or the envelope's centre for an unknown one.
    void HandlePoint(int handle, int& x, int& y) const;
    double GetScale() const { return m_scale; }

protected:
    Graph(const Graph&) = default;
    Graph& operator=(const Graph&) = default;

    // Starts a Draw: returns false when nothing is to be painted, else sets the clip and
    // gives the envelope in view pixels. EndDraw clears the clip again.
    bool BeginDraw(GraphPainter& painter, GraphRect& view) const;
    void EndDraw(GraphPainter& painter) const;
    // Fills `view` with the background colour when it is in use.
    void DrawBackground(GraphPainter& painter, const GraphRect& view, int opacity) const;

private:
    GraphRect m_envelope;
    GraphRect m_visual;
    bool m_fullVisual = true;
    bool m_selected = false;
    bool m_visible = true;
    bool m_deleted = false;
    bool m_editable = true;
    bool m_resizeable = true;
    bool m_fixed = false;
    std::uint32_t m_bkColor = 0xFFFFFF;
    bool m_useBkColor = false;
    double m_scale = 1.0;
};
