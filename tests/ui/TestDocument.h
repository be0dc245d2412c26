#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

#include "ui/common/DocumentWindow.h"

// A child window that takes the document commands and notes which ones reached it.
class TestDocument : public QWidget, public DocumentWindow {
  public:
    TestDocument(Kind kind, bool synchronised, QStringList* log)
        : kind_(kind), synchronised_(synchronised), log_(log) {}

    Kind DocumentKind() const override { return kind_; }
    bool IsSyncronised() const override { return synchronised_; }

    // Runs when the window is unloaded.
    std::function<void()> onUnload;

    void DocumentNew() override { Note("New"); }
    void DocumentOpen() override { Note("Open"); }
    void DocumentSave() override { Note("Save"); }
    void DocumentSaveAs() override { Note("SaveAs"); }
    void OpenAll() override { Note("OpenAll"); }
    void SaveAll() override { Note("SaveAll"); }
    void DocumentRename() override { Note("Rename"); }
    void SoundRefresh() override { Note("Refresh"); }
    void SoundEditNodes() override { Note("EditNodes"); }
    void SoundEditEnvelope() override { Note("EditEnvelope"); }
    void SoundEditLfo() override { Note("EditLfo"); }
    void SoundEditModulation() override { Note("EditModulation"); }
    void SoundEditAll() override { Note("EditAll"); }

  protected:
    void closeEvent(QCloseEvent* event) override {
        Note("Unload");
        if (onUnload)
            onUnload();
        QWidget::closeEvent(event);
    }

  private:
    void Note(const char* command) {
        log_->append(
            (kind_ == Kind::Sounds ? QStringLiteral("Sounds.") : QStringLiteral("Groups.")) +
            QLatin1String(command));
    }

    Kind kind_;
    bool synchronised_;
    QStringList* log_;
};
