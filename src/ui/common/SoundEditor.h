#pragma once

#include <functional>
#include <memory>

class ClassSound;
class QWidget;

// The four kinds of editor window bound to one sound. The sound browser keeps at most one
// editor of each kind per sound, found by the sound object's identity.
// The Vary window is bound to one sound the same way.
enum class SoundEditorKind { Nodes, Envelopes, Lfo, Modulation, Vary };

class SoundEditor {
  public:
    virtual ~SoundEditor() = default;
    virtual SoundEditorKind EditorKind() const = 0;
    virtual std::shared_ptr<ClassSound> GetSound() const = 0;
    // Brings the window of another kind for the same sound forward, making it when needed.
    virtual void OpenCompanion(SoundEditorKind kind) { (void)kind; }
};

// Makes a new editor window of a kind, already bound to the sound (not yet shown), or null when
// that kind cannot be made. The window must also be a SoundEditor.
using SoundEditorFactory =
    std::function<QWidget*(SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound)>;
