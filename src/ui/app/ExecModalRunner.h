#pragma once

#include "ui/app/ModalRunner.h"

// Runs the dialog's event loop until the dialog is hidden.
class ExecModalRunner : public ModalRunner {
  public:
    void RunModal(QDialog& dialog) override;
};
