#include "ui/common/OpenSoundEditor.h"

#include <QWidget>

#include "ui/common/ShellServices.h"
#include "ui/common/WindowContext.h"
#include "ui/common/WindowHost.h"

QWidget* OpenSoundEditor(const WindowContext& context, SoundEditorKind kind,
                         const std::shared_ptr<ClassSound>& sound) {
    if (!sound)
        return nullptr;
    WindowHost& host = context.shell.Host();
    // Identity, not equal contents: two slots may hold equal sounds.
    auto* open = host.Find<SoundEditor>([kind, &sound](const SoundEditor& editor) {
        return editor.EditorKind() == kind && editor.GetSound().get() == sound.get();
    });
    if (auto* window = dynamic_cast<QWidget*>(open)) {
        host.Activate(window);
        window->setFocus();
        return window;
    }
    if (!context.editors)
        return nullptr;
    QWidget* window = context.editors(kind, sound);
    if (window != nullptr)
        host.Add(window);
    return window;
}
