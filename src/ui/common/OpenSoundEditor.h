#pragma once

#include <memory>

#include "ui/common/SoundEditor.h"

class ClassSound;
struct WindowContext;

// The one window of that kind for this sound: brought forward when open, else made and added
// to the work area. Returns that window; null when none is made.
QWidget* OpenSoundEditor(const WindowContext& context, SoundEditorKind kind,
                         const std::shared_ptr<ClassSound>& sound);
