#pragma once

#include <memory>

#include "ui/common/SoundEditor.h"

class ClassSound;
class SoundEditorWindow;
struct WindowContext;

// A new editor window of `kind` bound to sound (not yet shown), or null for a kind not built.
SoundEditorWindow* MakeSoundEditor(const WindowContext& context, SoundEditorKind kind,
                                   const std::shared_ptr<ClassSound>& sound);
