#include "ui/app/ExecModalRunner.h"

#include <QDialog>

void ExecModalRunner::RunModal(QDialog& dialog) {
    dialog.exec();
}
