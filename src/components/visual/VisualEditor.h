#pragma once

#include "components/visual/GraphRect.h"
#include "components/visual/GuideLine.h"

#include <cstdint>
#include <functional>
#include <vector>

class Graph;

// The editing surface as the editor drives it: it shows drawables in the order added (the
// last on top), lets the user select, move and resize them, and reports each change
// through the callback. Drawables are not owned: they are elements of the open project,
// which outlive the surface's list (ClearAll before a scene goes away).
class VisualEditor
{
public:
    // Callback codes.
    enum Code
    {
        kCodeSelected = 1,
        kCodeChanged = 2,
        kCodeToggled = 3,    // Ctrl+click: the drawable joins or leaves the selection
        kCodeGroupBegin = 4, // (null) the reports up to kCodeGroupEnd are one gesture
        kCodeGroupEnd = 5,   // (null)
        kCodeBanded = 6,     // the rubber band caught the drawable (inside a group)
        kCodeCleared = 7,    // (null) the user cleared the selection (Esc)
        kCodeGuides = 8      // (null) the user placed, moved or removed a guide (Guides)
    };
    // Tools (SetTool).
    enum Tool
    {
        kToolNone = 0,
        kToolSelect = 1
    };

    // Receives (drawable, code); kCodeChanged: the user moved or resized that drawable.
    using Callback = std::function<void(Graph* graph, int code)>;

    virtual ~VisualEditor() = default;

    // Creates the surface inside the window `parent` (the toolkit's widget, not owned) at
    // `rect`; returns true when the surface exists afterwards.
    virtual bool CreateEditor(void* parent, const GraphRect& rect, Callback callback) = 0;
    virtual void SetTool(int tool) = 0;
    // Colour (0x00BBGGRR) of the surface around and behind the drawables.
    virtual void SetScreenBkColor(std::uint32_t colour) = 0;
    // The surface window was resized to `width` x `height` (`type` as the toolkit says).
    virtual void OnSize(unsigned type, int width, int height) = 0;
    // Takes every drawable off the surface.
    virtual void ClearAll() = 0;
    // Puts `graph` on top of the surface; null, or a drawable already there, is ignored.
    virtual void AddObj(Graph* graph) = 0;
    // Deselects every drawable on the surface.
    virtual void ClearSelectedObj() = 0;
    // The key element of a selection of several, drawn with a heavier frame; null for none.
    virtual void SetKeyObj(Graph* graph) = 0;
    // Repaints the surface.
    virtual void Refresh() = 0;
    // The user's guides of the scene shown (not drawables: lines to align to).
    virtual void SetGuides(std::vector<GuideLine> guides) = 0;
    virtual std::vector<GuideLine> Guides() const = 0;
    // The zoom: view pixels per scene pixel.
    virtual double Scale() const = 0;
    // Sets the zoom on the surface and its drawables; a factor that is not a positive
    // finite number is ignored.
    virtual void Scale(double factor) = 0;
    // The toolkit's view widget, not owned; null while there is none.
    virtual void* GetView() const = 0;
};
