#include "ui/editors/SoundEditors.h"

#include "ui/editors/FormEnvelope.h"
#include "ui/editors/FormLfo.h"
#include "ui/editors/FormModulation.h"
#include "ui/editors/FormNodes.h"
#include "ui/editors/FormVary.h"

SoundEditorWindow* MakeSoundEditor(const WindowContext& context, SoundEditorKind kind,
                                   const std::shared_ptr<ClassSound>& sound) {
    if (!sound)
        return nullptr;
    SoundEditorWindow* window = nullptr;
    switch (kind) {
        case SoundEditorKind::Nodes:
            window = new FormNodes(context);
            break;
        case SoundEditorKind::Envelopes:
            window = new FormEnvelope(context);
            break;
        case SoundEditorKind::Lfo:
            window = new FormLfo(context);
            break;
        case SoundEditorKind::Modulation:
            window = new FormModulation(context);
            break;
        case SoundEditorKind::Vary:
            window = new FormVary(context);
            break;
        default:
            return nullptr;
    }
    window->SetSound(sound);
    return window;
}
