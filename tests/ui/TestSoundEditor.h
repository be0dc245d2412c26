#pragma once

#include <QWidget>
#include <memory>

#include "model/ClassSound.h"
#include "ui/common/SoundEditor.h"

// An editor window of a kind, bound to one sound, whose caption follows the sound's name as the
// real editors' captions do.
class TestSoundEditor : public QWidget, public SoundEditor {
  public:
    TestSoundEditor(SoundEditorKind kind, std::shared_ptr<ClassSound> sound)
        : kind_(kind), sound_(std::move(sound)) {
        connect(sound_.get(), &ClassSound::DataChanged, this, &TestSoundEditor::Refresh);
        Refresh();
    }

    SoundEditorKind EditorKind() const override { return kind_; }
    std::shared_ptr<ClassSound> GetSound() const override { return sound_; }

  private:
    void Refresh() { setWindowTitle(QStringLiteral("Editor - ") + sound_->Name().c_str()); }

    SoundEditorKind kind_;
    std::shared_ptr<ClassSound> sound_;
};
