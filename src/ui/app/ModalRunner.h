#pragma once

class QDialog;

// Shows a dialog modally and returns when it is hidden again. The program runs the dialog's own
// event loop; tests answer the dialog at once, so nothing blocks.
class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    virtual void RunModal(QDialog& dialog) = 0;
};
