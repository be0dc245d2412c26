#pragma once

#include <memory>

#include "ui/common/SoundEditor.h"

class ClassSound;
struct WindowContext;

// The one window of that kind for this sound: brought forward when open, else made and added
// to the work area.
void OpenSoundEditor(const WindowContext& context, SoundEditorKind kind,
                     const std::shared_ptr<ClassSound>& sound);
