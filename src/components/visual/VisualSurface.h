#pragma once

#include "components/visual/GraphRect.h"
#include "components/visual/GuideLine.h"
#include "components/visual/VisualEditor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Graph;
class GraphPainter;

// What every editing surface shares, whatever window shows it: the drawables in drawing
// order, the selection, the zoom, and the mouse and keyboard gestures with their rules
// (who may be selected, moved and resized, alignment snapping), reported through the
// callback. Input is in scene pixels; the window converts its own coordinates.
class VisualSurface
{
public:
    // A line that caught a drag, shown while dragging.
    using Guide = GuideLine;

    // Edges and centres closer than this many view pixels snap together.
    static constexpr int kSnapReach = 5;
    // A user's guide is picked this many view pixels either side of its line.
    static constexpr int kGuidePickReach = 3;
    // Half the size of a resize grip, in view pixels.
    static constexpr int kGripReach = 4;
    // Dirty rectangles kept before they are folded into one of the whole view.
    static constexpr std::size_t kMaxDirty = 512;

    void SetCallback(VisualEditor::Callback callback) { m_callback = std::move(callback); }
    void SetScreenBkColor(std::uint32_t colour) { m_screenBkColor = colour; }
    std::uint32_t ScreenBkColor() const { return m_screenBkColor; }
    // Size of the view in view pixels (what Paint fills with the screen colour).
    void SetViewSize(int width, int height);
    int ViewWidth() const { return m_viewWidth; }
    int ViewHeight() const { return m_viewHeight; }
    // Size of the device screen in scene pixels: its edges and centre are guides too.
    // 0 x 0 (the default) for none.
    void SetScreenSize(int width, int height);
    int ScreenWidth() const { return m_screenWidth; }
    int ScreenHeight() const { return m_screenHeight; }

    // Takes every drawable off the surface; a gesture in progress ends without a report.
    void ClearAll();
    // Puts `graph` on top; null, or a drawable already there, is ignored.
    void AddObj(Graph* graph);
    void ClearSelectedObj();
    // The key element of a selection of several: drawn with a heavier frame. Null for none.
    void SetKeyObj(Graph* graph);
    Graph* KeyObj() const { return m_key; }
    double Scale() const { return m_scale; }
    // Sets the zoom on the surface and its drawables; false (nothing changed) for a factor
    // that is not a positive finite number.
    bool Scale(double factor);

    const std::vector<Graph*>& Objects() const { return m_objects; }
    bool Contains(const Graph* graph) const;
    std::vector<Graph*> SelectedObjects() const;
    // The topmost drawable hit at the scene point (x, y), or null.
    Graph* ObjectAt(int x, int y) const;
    // The resize handle of a selected drawable the user may resize, under the scene point
    // (x, y): returns the handle and sets `graph`, or returns -1.
    int HandleAt(int x, int y, Graph** graph) const;

    // Whether the user may move `graph`: on the surface, editable, not fixed, shown.
    bool MayMove(const Graph* graph) const;
    // Whether the user may resize `graph`: MayMove and resizeable.
    bool MayResize(const Graph* graph) const;

    // Whole gestures, as the user would make them. Each returns false, changing nothing
    // and reporting nothing, when the rules refuse it.
    // A click on `graph`: selects it alone, reports kCodeSelected.
    bool Select(Graph* graph);
    // A Ctrl+click on `graph`: reports kCodeToggled; the receiver decides the selection.
    bool Toggle(Graph* graph);
    // Esc: deselects everything and reports kCodeCleared.
    void ClearByUser();
    // A drag of `graph` by (dx, dy), without snapping; reports kCodeChanged once.
    bool Move(Graph* graph, int dx, int dy);
    // A drag of a resize handle to (x, y); reports kCodeChanged once.
    bool Resize(Graph* graph, int handle, int x, int y);
    // Reports kCodeChanged for `graph` (on the surface).
    bool ReportChanged(Graph* graph);

    // Mouse gestures in scene pixels. Press on a grip starts a resize; on a drawable it
    // selects that drawable (the topmost, reported kCodeSelected) unless it is selected
    // already, and starts a move of it, or of every selected drawable that may move when
    // several are; elsewhere it clears the selection and starts a rubber band. Returns true
    // when something changed.
    bool Press(int x, int y);
    // Drags to (x, y); with `snap` edges and centres catch on the guides. Returns true
    // when a drawable changed. A rubber band catches what it encloses, or with `touch` what
    // it touches.
    bool DragTo(int x, int y, bool snap, bool touch = false);
    // Ends the gesture: a gesture that changed its drawable reports kCodeChanged once, one
    // of several drawables reports each between kCodeGroupBegin and kCodeGroupEnd, and a
    // rubber band reports what it caught (kCodeBanded) the same way.
    void Release();
    // The rubber band being dragged (scene pixels); empty when there is none.
    GraphRect Band() const { return m_gesture == Gesture::Band ? m_band : GraphRect{}; }
    bool IsDragging() const { return m_gesture != Gesture::None; }
    // The drawable of the gesture in progress, or null.
    Graph* DragTarget() const { return m_target; }
    // Moves every selected drawable that may move by (dx, dy) (not a group whose own
    // element is selected inside it); reports kCodeChanged for each, several between
    // kCodeGroupBegin and kCodeGroupEnd. Returns false when none could move.
    bool Nudge(int dx, int dy);

    // The user's guides of the scene shown: painted while shown, and drags catch on them as
    // on other elements' edges.
    void SetUserGuides(std::vector<GuideLine> guides);
    const std::vector<GuideLine>& UserGuides() const { return m_userGuides; }
    void ShowUserGuides(bool shown);
    bool UserGuidesShown() const { return m_userGuidesShown; }
    // The shown user's guide whose line passes within reach of the scene point (x, y), or -1.
    int UserGuideAt(int x, int y) const;
    // Starts dragging user's guide `index`; DragTo moves it, Release reports kCodeGuides when
    // it moved.
    bool PressUserGuide(int index);
    // Starts dragging a new user's guide (pulled out of a ruler); Release adds it and reports
    // kCodeGuides.
    void StartUserGuide(bool vertical, int position);
    // Ends a guide drag with the guide dropped back onto its ruler: a guide that was there
    // before goes away (reported kCodeGuides), a new one is not added.
    void RemoveDraggedGuide();
    // Puts user's guide `index` at `position` (typed in) and reports kCodeGuides.
    bool MoveUserGuide(int index, int position);
    // The user's guide being dragged, or -1.
    int DraggedGuide() const { return m_gesture == Gesture::Guide ? m_guideIndex : -1; }

    // Drawables outlined in red (texts that do not fit their boxes); those not on the surface
    // are ignored.
    void SetFlagged(std::vector<const Graph*> flagged);
    const std::vector<const Graph*>& Flagged() const { return m_flagged; }

    // The guides that caught the drag in progress.
    const std::vector<Guide>& Guides() const { return m_guides; }
    // The view rectangles painted differently since the last call (old and new places of
    // what changed), and forgets them.
    std::vector<GraphRect> TakeDirty();
    // The view rectangle a drawable covers when painted, selection grips included.
    GraphRect PaintedRect(const Graph& graph) const;

    // Paints the part `area` (view pixels) of the surface: the screen colour, each
    // drawable in order, the selection frames, then the guides.
    void Paint(GraphPainter& painter, const GraphRect& area) const;
    // Paints the whole view.
    void Paint(GraphPainter& painter) const;

private:
    enum class Gesture
    {
        None,
        Move,
        Resize,
        Band,
        Guide
    };

    void Report(Graph* graph, int code);
    // Reports each of `graphs` with `code`, several between kCodeGroupBegin and kCodeGroupEnd.
    void ReportAll(const std::vector<Graph*>& graphs, int code);
    // The selected drawables a move takes: those that may move, without a group of which
    // another selected drawable is a part, nor drawables belonging to another one taken.
    std::vector<Graph*> MovingSet() const;
    // The drawables the band catches.
    std::vector<Graph*> Banded(bool touch) const;
    // Moves `graph` and the drawables on the surface that belong to it.
    void MoveTree(Graph* graph, int dx, int dy);
    bool BelongsTo(const Graph* graph, const Graph* owner) const;
    // Scene positions edges and centres may snap to along one axis, for `dragged`.
    std::vector<int> SnapLines(const Graph* dragged, bool vertical) const;
    // Returns the shift that brings one of `edges` onto a line within reach (0 for none),
    // and adds the guide it caught.
    int Snap(const std::vector<int>& edges, const std::vector<int>& lines, bool vertical);
    void MarkDirty(const Graph* graph);
    void AddDirty(const GraphRect& rect);
    void MarkGuidesDirty();
    void MarkLineDirty(const GuideLine& guide);
    void DragGuideTo(int x, int y);
    void ReleaseGuide();
    void EndGesture();

    VisualEditor::Callback m_callback;
    std::uint32_t m_screenBkColor = 0xFFFFFF;
    int m_viewWidth = 0;
    int m_viewHeight = 0;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    double m_scale = 1.0;
    std::vector<Graph*> m_objects;

    Gesture m_gesture = Gesture::None;
    Graph* m_target = nullptr;
    std::vector<Graph*> m_moving;
    GraphRect m_band;
    bool m_bandTouches = false;
    Graph* m_key = nullptr;
    int m_handle = -1;
    int m_pressX = 0;
    int m_pressY = 0;
    GraphRect m_startRect;
    bool m_changed = false;
    std::vector<Guide> m_guides;
    std::vector<GuideLine> m_userGuides;
    std::vector<const Graph*> m_flagged;
    bool m_userGuidesShown = true;
    int m_guideIndex = -1;
    GuideLine m_guideStart;
    bool m_guideIsNew = false;
    std::vector<GraphRect> m_dirty;
};
