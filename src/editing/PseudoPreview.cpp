#include "editing/PseudoPreview.h"

#include "editing/ChangeFeed.h"
#include "editing/ElementEdit.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/CodePage.h"
#include "strings/CrConversion.h"
#include "strings/PseudoLanguages.h"

namespace editing {

std::string PseudoLanguageName(PseudoPreview kind)
{
    switch (kind) {
    case PseudoPreview::Accented:
        return PseudoLanguages::kAccentedName;
    case PseudoPreview::Mirrored:
        return PseudoLanguages::kMirroredName;
    default:
        return {};
    }
}

std::string PseudoText(PseudoPreview kind, const std::string& text)
{
    switch (kind) {
    case PseudoPreview::Accented:
        return PseudoLanguages::Accented(text, kPseudoExpandPercent);
    case PseudoPreview::Mirrored:
        return PseudoLanguages::Mirrored(text);
    default:
        return text;
    }
}

PseudoPreview ShownPseudoPreview(const APStyleProject& project)
{
    for (const PseudoPreview kind : {PseudoPreview::Accented, PseudoPreview::Mirrored}) {
        if (project.TextPreviewName() == PseudoLanguageName(kind)) {
            return kind;
        }
    }
    return PseudoPreview::None;
}

void TogglePseudoPreview(Workspace& ws, PseudoPreview kind)
{
    APStyleProject* project = ws.CurrentProject();
    if (!project) {
        return;
    }
    if (ShownPseudoPreview(*project) == kind) {
        kind = PseudoPreview::None;
    }
    if (kind == PseudoPreview::None) {
        project->SetTextPreview({}, nullptr);
    } else {
        project->SetTextPreview(PseudoLanguageName(kind), [kind](const std::string& text) {
            // Shown as the surface shows imported texts: each "[CR]" a new line.
            std::u16string shown = platform::utf8ToUtf16(PseudoText(kind, text));
            strings::ReplaceCR(shown, true);
            return shown;
        });
    }
    const ChangeBatch batch(ws.Feed());
    ReloadTopLevel(*project);
    PostChange(Change(ChangeKind::Preview));
}

} // namespace editing
