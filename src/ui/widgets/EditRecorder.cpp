#include "ui/widgets/EditRecorder.h"

#include <QWidget>

void EditRecorder::Run(const QWidget* control, const std::function<void()>& edit) {
    for (const QWidget* widget = control; widget != nullptr; widget = widget->parentWidget()) {
        // The cast needs a non-const object; the recorder changes its model, not the widget.
        if (auto* recorder = dynamic_cast<EditRecorder*>(const_cast<QWidget*>(widget))) {
            recorder->RecordEdit(edit);
            return;
        }
    }
    edit();
}
