#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "catalog/SoundCatalog.h"
#include "ui/common/WindowContext.h"
#include "ui/library/SoundFileCommands.h"
#include "windowlogic/ScratchAudition.h"

class CatalogListModel;
class CatalogScanJob;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class SkippedFilesDialog;

// "Library": every sound in the user's folders, searched as the user types and narrowed by
// algorithm, wave, tag, favourites, duplicates and hidden marks. A sound is heard in a scratch
// slot before it replaces anything, sent to a slot as File "Open" (or dragged onto the sound
// browser), collected into a bank, or used to find its nearest neighbours. Folders are scanned
// in the background; the list stays usable meanwhile.
class FormLibrary : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Library";
    static constexpr int kBankSounds = 20;
    static constexpr int kSimilarCount = 100;

    FormLibrary(const WindowContext& context, QString databasePath, QWidget* parent = nullptr);
    ~FormLibrary() override;
    QSize sizeHint() const override;

    // Opens the database and lists what it holds; false (after a message) when it cannot.
    bool Load();
    // Waits for a running scan to end (for callers that need its result now).
    void WaitForScan();
    SoundCatalog& Catalog() { return catalog_; }

    void Search();
    void AddFolder();
    void Scan();
    void Audition();
    void SendToSound();
    void FindSimilar();
    void SaveAsBank();
    void SendAsBank();
    void AddTag();
    void RemoveTag();
    // Renames the tag chosen in the tag list to the text typed, on every sound.
    void RenameTag();
    void ToggleFavourite();
    void ToggleHidden();
    void KeepEntry();
    // Lists the files the last scan could not read, each with its reason.
    void ShowSkipped();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* BuildFilters();
    QWidget* BuildActions();
    QWidget* BuildMarks();
    QWidget* BuildScanRow();
    void FillTags();
    void FillFolders();
    std::vector<const CatalogEntry*> Selection() const;
    std::vector<qint64> SelectedIds() const;
    // The selection, or the first 20 listed when nothing is selected, read from their files.
    bool BankOfSelection(RawData& bank);
    void ScanFinished(const ScanSummary& summary);
    void FillSkipped();
    // Takes the category rules from their file again, saying what in it was not understood.
    void ReadCategoryRules();
    void Fail(const QString& text, const char* title);
    void Report(const QString& text);

    WindowContext context_;
    SoundCatalog catalog_;
    SoundFileCommands files_;
    ScratchAudition audition_;
    CatalogListModel* model_;
    CatalogScanJob* scan_;

    QLineEdit* search_;
    QComboBox* algorithm_;
    QComboBox* wave_;
    QComboBox* tag_;
    QComboBox* folder_;
    QCheckBox* favourites_;
    QCheckBox* duplicates_;
    QCheckBox* hidden_;
    QTableView* table_;
    QComboBox* sendSlot_;
    QLineEdit* tagText_;
    QPushButton* scanButton_;
    QPushButton* cancelButton_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* skipped_;
    SkippedFilesDialog* skippedList_ = nullptr;
};
