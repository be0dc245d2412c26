#pragma once

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <vector>

#include "ui/app/ModalRunner.h"

// Answers a modal dialog at once: shows it, notes what it showed, then runs the test's answer,
// or presses OK like a user who accepts what is there.
class ScriptedModalRunner : public ModalRunner {
  public:
    struct Shown {
        QString dialog;
        int inIndex = -2;
        int outIndex = -2;
        int channelIndex = -2;
    };

    void RunModal(QDialog& dialog) override {
        dialog.show();
        Shown shown{dialog.objectName()};
        if (auto* combo = dialog.findChild<QComboBox*>("ComboZelIn"))
            shown.inIndex = combo->currentIndex();
        if (auto* combo = dialog.findChild<QComboBox*>("ComboZelOut"))
            shown.outIndex = combo->currentIndex();
        if (auto* combo = dialog.findChild<QComboBox*>("ComboSystemChannel")) {
            shown.channelIndex = combo->currentIndex();
        }
        shown_.push_back(shown);
        if (answer) {
            answer(dialog);
        } else if (auto* ok = dialog.findChild<QPushButton*>("CommandOk")) {
            QTest::mouseClick(ok, Qt::LeftButton);
        }
    }

    const std::vector<Shown>& Runs() const { return shown_; }
    std::function<void(QDialog&)> answer;

  private:
    std::vector<Shown> shown_;
};
