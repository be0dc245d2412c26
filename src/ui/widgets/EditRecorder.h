#pragma once

#include <functional>

class QWidget;

// A window that keeps a history of its edits. The value rows, lists and check boxes inside it
// run each user write through the nearest such window, which makes the write one undo step;
// controls outside any such window simply write.
class EditRecorder {
  public:
    virtual ~EditRecorder() = default;
    virtual void RecordEdit(const std::function<void()>& edit) = 0;

    // Runs edit through the first ancestor of control (itself included) that records edits.
    static void Run(const QWidget* control, const std::function<void()>& edit);
};
