#pragma once

#include <string>

class APStyleProject;

namespace editing {

class Workspace;

// A look at the layout in a pseudo-language before any translation exists: every string element
// of the current project shows its first language's text accented and longer, or mirrored right
// to left. The project itself does not change (nothing to save, nothing to undo).
enum class PseudoPreview
{
    None,
    Accented,
    Mirrored
};

// How much longer the accented preview makes every line, in percent of its characters.
constexpr int kPseudoExpandPercent = 40;

// Shows `kind` on the current project's surface (None: the display language again). A second
// call with the kind already shown turns the preview off.
void TogglePseudoPreview(Workspace& ws, PseudoPreview kind);
// The preview `project` shows.
PseudoPreview ShownPseudoPreview(const APStyleProject& project);
// The pseudo-language's name ("qps-ploc", "qps-plocm"); "" for None.
std::string PseudoLanguageName(PseudoPreview kind);
// `text` (UTF-8, a first language's text) in the pseudo-language `kind`.
std::string PseudoText(PseudoPreview kind, const std::string& text);

} // namespace editing
