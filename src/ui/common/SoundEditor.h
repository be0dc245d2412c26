#pragma once

#include <functional>
#include <memory>

class ClassSound;
class QWidget;

// The four kinds of editor window bound to one sound. The sound browser keeps at most one
// editor of each kind per sound, found by the sound object's identity.
enum class SoundEditorKind { Nodes, Envelopes, Lfo, Modulation };

class SoundEditor {
  public:
    virtual ~SoundEditor() = default;
    virtual SoundEditorKind EditorKind() const = 0;
    virtual std::shared_ptr<ClassSound> GetSound() const = 0;
};

// Makes a new editor window of a kind, already bound to the sound (not yet shown), or null when
// that kind cannot be made. The window must also be a SoundEditor.
using SoundEditorFactory =
    std::function<QWidget*(SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound)>;
