#include "ui/library/FormLibrary.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "catalog/CatalogListModel.h"
#include "catalog/CatalogScanJob.h"
#include "catalog/EntrySound.h"
#include "catalog/LibraryBank.h"
#include "library/FileKinds.h"
#include "library/RawFile.h"
#include "platform/MessageSink.h"
#include "tables/AlgorithmTable.h"
#include "tables/SoundLayout.h"
#include "tables/WaveTables.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/ShellServices.h"
#include "ui/library/SkippedFilesDialog.h"

namespace {
constexpr const char* kBankFilter = "All Sounds (*.zas)|*.zas";

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* Button(const char* name, const QString& caption, QObject* receiver,
                    void (FormLibrary::*slot)()) {
    auto* button = Named(new QPushButton(caption), name);
    QObject::connect(button, &QPushButton::clicked, static_cast<FormLibrary*>(receiver), slot);
    return button;
}

QHBoxLayout* Row(QWidget* owner) {
    auto* row = new QHBoxLayout(owner);
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}
}  // namespace

FormLibrary::FormLibrary(const WindowContext& context, QString databasePath, QWidget* parent)
    : QWidget(parent),
      context_(context),
      catalog_(std::move(databasePath)),
      files_(context_),
      audition_(context_.library.Sounds(), context_.store, context_.messages),
      model_(new CatalogListModel(catalog_, this)),
      scan_(new CatalogScanJob(this)) {
    setObjectName(QStringLiteral("FormLibrary"));
    setWindowTitle(QString::fromLatin1(kCaption));
    table_ = Named(new QTableView(this), "TableLibrary");
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setDragEnabled(true);
    table_->setDragDropMode(QAbstractItemView::DragOnly);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    // The file's own name matters most in a long path: the middle gives way.
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setColumnWidth(CatalogListModel::kName, 100);
    table_->setColumnWidth(CatalogListModel::kTags, 110);
    table_->setColumnWidth(CatalogListModel::kAlgorithm, 170);
    table_->horizontalHeader()->setSectionResizeMode(CatalogListModel::kFile, QHeaderView::Stretch);
    table_->setColumnWidth(CatalogListModel::kPlace, 50);
    connect(table_, &QTableView::doubleClicked, this, &FormLibrary::Audition);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuildFilters());
    layout->addWidget(table_, 1);
    layout->addWidget(BuildActions());
    layout->addWidget(BuildMarks());
    layout->addWidget(BuildScanRow());

    connect(scan_, &CatalogScanJob::Progress, this, [this](int done, int total) {
        progress_->setMaximum(std::max(total, 1));
        progress_->setValue(done);
    });
    connect(scan_, &CatalogScanJob::Finished, this, &FormLibrary::ScanFinished);
}

FormLibrary::~FormLibrary() {
    // The list's open query must end before the catalog's connection does (children would
    // only go after the members).
    table_->setModel(nullptr);
    delete model_;
}

QSize FormLibrary::sizeHint() const {
    return {820, 480};
}

QWidget* FormLibrary::BuildFilters() {
    auto* box = new QWidget(this);
    QHBoxLayout* row = Row(box);
    search_ = Named(new QLineEdit, "TextSearch");
    search_->setPlaceholderText(QStringLiteral("Search names"));
    search_->setClearButtonEnabled(true);
    search_->setMinimumWidth(160);
    algorithm_ = Named(new QComboBox, "ComboAlgorithm");
    algorithm_->addItem(QStringLiteral("Any algorithm"), -1);
    for (int a = 0; a < kAlgorithmCount; ++a)
        algorithm_->addItem(Latin(AlgorithmName(a)), a);
    wave_ = Named(new QComboBox, "ComboWave");
    wave_->addItem(QStringLiteral("Any wave"), -1);
    for (int w = 0; w < kNodeWaveCount; ++w)
        wave_->addItem(Latin(NodeWaveName(w)), w);
    tag_ = Named(new QComboBox, "ComboTag");
    folder_ = Named(new QComboBox, "ComboFolder");
    favourites_ = Named(new QCheckBox(QStringLiteral("Favourites")), "CheckFavourites");
    duplicates_ = Named(new QCheckBox(QStringLiteral("Duplicates only")), "CheckDuplicates");
    hidden_ = Named(new QCheckBox(QStringLiteral("Hidden too")), "CheckHidden");
    // The search and the marks on one line, the lists below it.
    auto* lines = new QVBoxLayout;
    lines->setContentsMargins(0, 0, 0, 0);
    auto* first = new QHBoxLayout;
    first->addWidget(search_, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{favourites_, duplicates_, hidden_})
        first->addWidget(w);
    auto* second = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{algorithm_, wave_, tag_, folder_})
        second->addWidget(w, 1);
    lines->addLayout(first);
    lines->addLayout(second);
    row->addLayout(lines);
    connect(search_, &QLineEdit::textChanged, this, &FormLibrary::Search);
    for (QComboBox* combo : {algorithm_, wave_, tag_, folder_})
        connect(combo, &QComboBox::currentIndexChanged, this, &FormLibrary::Search);
    for (QCheckBox* check : {favourites_, duplicates_, hidden_})
        connect(check, &QCheckBox::toggled, this, &FormLibrary::Search);
    return box;
}

QWidget* FormLibrary::BuildActions() {
    auto* box = new QWidget(this);
    QHBoxLayout* row = Row(box);
    sendSlot_ = Named(new QComboBox, "ComboSendSlot");
    for (int slot = 0; slot < LibraryDocuments::kSlots; ++slot)
        sendSlot_->addItem(QStringLiteral("Sound %1").arg(slot), slot);
    row->addWidget(
        Button("ButtonAudition", QStringLiteral("Audition"), this, &FormLibrary::Audition));
    row->addWidget(
        Button("ButtonSend", QStringLiteral("Send to"), this, &FormLibrary::SendToSound));
    row->addWidget(sendSlot_);
    row->addWidget(Button("ButtonFindSimilar", QStringLiteral("Find Similar"), this,
                          &FormLibrary::FindSimilar));
    row->addStretch(1);
    row->addWidget(Button("ButtonSaveBank", QStringLiteral("Save as Bank..."), this,
                          &FormLibrary::SaveAsBank));
    row->addWidget(
        Button("ButtonSendBank", QStringLiteral("Send as Bank"), this, &FormLibrary::SendAsBank));
    return box;
}

QWidget* FormLibrary::BuildMarks() {
    auto* box = new QWidget(this);
    QHBoxLayout* row = Row(box);
    tagText_ = Named(new QLineEdit, "TextTag");
    tagText_->setPlaceholderText(QStringLiteral("Tag"));
    row->addWidget(tagText_);
    row->addWidget(Button("ButtonAddTag", QStringLiteral("Add Tag"), this, &FormLibrary::AddTag));
    row->addWidget(
        Button("ButtonRemoveTag", QStringLiteral("Remove Tag"), this, &FormLibrary::RemoveTag));
    row->addWidget(
        Button("ButtonRenameTag", QStringLiteral("Rename Tag"), this, &FormLibrary::RenameTag));
    row->addWidget(Button("ButtonFavourite", QStringLiteral("Favourite"), this,
                          &FormLibrary::ToggleFavourite));
    row->addWidget(Button("ButtonHide", QStringLiteral("Hide"), this, &FormLibrary::ToggleHidden));
    row->addWidget(
        Button("ButtonKeep", QStringLiteral("Keep This One"), this, &FormLibrary::KeepEntry));
    row->addStretch(1);
    return box;
}

QWidget* FormLibrary::BuildScanRow() {
    auto* box = new QWidget(this);
    QHBoxLayout* row = Row(box);
    row->addWidget(
        Button("ButtonAddFolder", QStringLiteral("Add Folder..."), this, &FormLibrary::AddFolder));
    scanButton_ = Button("ButtonScan", QStringLiteral("Scan"), this, &FormLibrary::Scan);
    cancelButton_ = Named(new QPushButton(QStringLiteral("Cancel")), "ButtonCancelScan");
    cancelButton_->setEnabled(false);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { scan_->Cancel(); });
    progress_ = Named(new QProgressBar, "ProgressScan");
    progress_->setTextVisible(false);
    progress_->setMaximumWidth(160);
    progress_->hide();
    status_ = Named(new QLabel, "LabelStatus");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    skipped_ = Button("CommandSkipped", QString(), this, &FormLibrary::ShowSkipped);
    skipped_->setFlat(true);
    skipped_->hide();
    row->addWidget(scanButton_);
    row->addWidget(cancelButton_);
    row->addWidget(progress_);
    row->addWidget(status_, 1);
    row->addWidget(skipped_);
    return box;
}

bool FormLibrary::Load() {
    QString notice, failure;
    if (!catalog_.Open(notice, failure)) {
        Fail(failure, kCaption);
        setEnabled(false);
        return false;
    }
    if (!notice.isEmpty())
        context_.messages.Show(notice.trimmed().toStdString(), kCaption, MessageFlags::Exclamation);
    FillTags();
    FillFolders();
    FillSkipped();
    Search();
    Report(QStringLiteral("%1 sounds").arg(catalog_.SoundCount()));
    return true;
}

void FormLibrary::FillSkipped() {
    const SkippedFilesDialog::Files files = catalog_.BrokenFiles();
    skipped_->setText(files.size() == 1 ? QStringLiteral("1 file skipped")
                                        : QStringLiteral("%1 files skipped").arg(files.size()));
    skipped_->setVisible(!files.empty());
    if (skippedList_)
        skippedList_->SetFiles(files);
}

void FormLibrary::ShowSkipped() {
    if (!skippedList_)
        skippedList_ = new SkippedFilesDialog(this);
    skippedList_->SetFiles(catalog_.BrokenFiles());
    skippedList_->show();
    skippedList_->raise();
}

void FormLibrary::FillTags() {
    const QString chosen = tag_->currentData().toString();
    const QSignalBlocker quiet(tag_);
    tag_->clear();
    tag_->addItem(QStringLiteral("Any tag"), QString());
    QStringList all = catalog_.Tags();
    const NameCategories categories = catalog_.Categories();
    for (const CategoryRule& rule : categories.Rules()) {
        if (!all.contains(rule.category))
            all.append(rule.category);
    }
    for (const QString& tag : all)
        tag_->addItem(tag, tag);
    tag_->setCurrentIndex(std::max(0, tag_->findData(chosen)));
}

void FormLibrary::FillFolders() {
    const QString chosen = folder_->currentData().toString();
    const QSignalBlocker quiet(folder_);
    folder_->clear();
    folder_->addItem(QStringLiteral("Any folder"), QString());
    for (const QString& folder : catalog_.Folders())
        folder_->addItem(QDir(folder).dirName(), folder);
    folder_->setCurrentIndex(std::max(0, folder_->findData(chosen)));
}

void FormLibrary::Search() {
    CatalogFilter filter;
    filter.text = search_->text();
    filter.algorithm = algorithm_->currentData().toInt();
    filter.wave = wave_->currentData().toInt();
    filter.tag = tag_->currentData().toString();
    filter.folder = folder_->currentData().toString();
    filter.favouritesOnly = favourites_->isChecked();
    filter.duplicatesOnly = duplicates_->isChecked();
    filter.includeHidden = hidden_->isChecked();
    model_->SetFilter(filter);
}

std::vector<const CatalogEntry*> FormLibrary::Selection() const {
    std::vector<const CatalogEntry*> entries;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        if (const CatalogEntry* entry = model_->EntryAt(index.row()))
            entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end());  // list order: rows are stored in order
    return entries;
}

std::vector<qint64> FormLibrary::SelectedIds() const {
    std::vector<qint64> ids;
    for (const CatalogEntry* entry : Selection())
        ids.push_back(entry->id);
    return ids;
}

void FormLibrary::Fail(const QString& text, const char* title) {
    context_.messages.Show(text.toStdString(), title, MessageFlags::Critical);
}

void FormLibrary::Report(const QString& text) {
    status_->setText(text);
}

void FormLibrary::AddFolder() {
    const auto folder =
        context_.dialogs.ChooseFolder({QStringLiteral("Add a Folder to the Library"), {}, {}});
    if (!folder || folder->isEmpty())
        return;
    QString failure;
    if (!catalog_.AddFolder(*folder, failure)) {
        Fail(failure, kCaption);
        return;
    }
    Scan();
}

void FormLibrary::Scan() {
    if (catalog_.Folders().isEmpty()) {
        context_.messages.Show("Add a folder of sound files first.", kCaption,
                               MessageFlags::Information);
        return;
    }
    if (scan_->Running())
        return;
    ReadCategoryRules();
    if (!scan_->Start(catalog_))
        return;
    scanButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    progress_->setValue(0);
    progress_->show();
    Report(QStringLiteral("Scanning..."));
}

void FormLibrary::ReadCategoryRules() {
    QStringList problems;
    QString failure;
    if (!catalog_.ReadCategoryRules(problems, failure))
        problems.append(QStringLiteral("The category rules could not be stored: ") + failure);
    if (!problems.isEmpty())
        context_.messages.Show(problems.join(QStringLiteral(".\n")).toStdString() + ".", kCaption,
                               MessageFlags::Exclamation);
}

void FormLibrary::WaitForScan() {
    scan_->Wait();
}

void FormLibrary::ScanFinished(const ScanSummary& summary) {
    scanButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    progress_->hide();
    if (!summary.failure.isEmpty())
        Fail(QStringLiteral("The scan failed: ") + summary.failure, kCaption);
    QString text = QStringLiteral("%1 sounds; %2 files read, %3 unreadable, %4 removed")
                       .arg(summary.sounds)
                       .arg(summary.filesRead)
                       .arg(summary.filesFailed)
                       .arg(summary.filesRemoved);
    if (summary.cancelled)
        text += QStringLiteral(" (cancelled)");
    if (!summary.missingFolders.isEmpty())
        text += QStringLiteral("; not found: ") + summary.missingFolders.join(QStringLiteral(", "));
    Report(text);
    FillTags();
    FillFolders();
    FillSkipped();
    model_->Refresh();
}

void FormLibrary::Audition() {
    const std::vector<const CatalogEntry*> chosen = Selection();
    if (chosen.empty())
        return;
    RawData sound;
    std::string failure;
    if (!ReadEntrySound(chosen.front()->path, chosen.front()->place, sound, failure)) {
        Fail(QString::fromStdString(failure), ScratchAudition::kTitle);
        return;
    }
    if (audition_.Play(sound))
        Report(QStringLiteral("Playing %1 from Sound %2")
                   .arg(chosen.front()->name)
                   .arg(audition_.ScratchSlot()));
}

void FormLibrary::SendToSound() {
    const std::vector<const CatalogEntry*> chosen = Selection();
    if (chosen.empty())
        return;
    const int slot = sendSlot_->currentData().toInt();
    if (files_.OpenEntryAsStep(slot, chosen.front()->path, chosen.front()->place))
        Report(QStringLiteral("%1 is Sound %2").arg(chosen.front()->name).arg(slot));
}

void FormLibrary::FindSimilar() {
    const std::vector<const CatalogEntry*> chosen = Selection();
    if (chosen.empty())
        return;
    const QString name = chosen.front()->name;
    std::vector<CatalogEntry> nearest;
    for (SoundCatalog::Neighbour& n :
         catalog_.Similar(catalog_.Record(chosen.front()->id), kSimilarCount))
        nearest.push_back(std::move(n.entry));
    model_->SetEntries(std::move(nearest));
    Report(QStringLiteral("Nearest to %1 first").arg(name));
}

bool FormLibrary::BankOfSelection(RawData& bank) {
    std::vector<const CatalogEntry*> chosen = Selection();
    if (chosen.empty()) {
        for (int row = 0; row < kBankSounds && model_->EntryAt(row); ++row)
            chosen.push_back(model_->EntryAt(row));
    }
    if (chosen.empty())
        return false;
    if (static_cast<int>(chosen.size()) > kBankSounds) {
        Fail(QStringLiteral("A bank holds 20 sounds; %1 are selected.").arg(chosen.size()),
             kCaption);
        return false;
    }
    std::vector<RawData> records;
    for (const CatalogEntry* entry : chosen) {
        RawData sound;
        std::string failure;
        if (!ReadEntrySound(entry->path, entry->place, sound, failure)) {
            Fail(QString::fromStdString(failure), kCaption);
            return false;
        }
        records.push_back(std::move(sound));
    }
    bank = BankFromRecords(records);
    return true;
}

void FormLibrary::SaveAsBank() {
    RawData bank;
    if (!BankOfSelection(bank))
        return;
    const auto path = context_.dialogs.SaveFile(
        {QStringLiteral("Save as Bank"), QString::fromLatin1(kBankFilter), {}});
    if (!path || path->isEmpty())
        return;
    std::string failure;
    if (!WriteRawFile(bank, path->toStdString(), failure))
        Fail(QString::fromStdString(failure), "Save As");
}

void FormLibrary::SendAsBank() {
    RawData bank;
    if (BankOfSelection(bank))
        files_.SendAll(bank);
}

void FormLibrary::AddTag() {
    QString failure;
    if (!catalog_.AddTag(SelectedIds(), tagText_->text(), failure))
        Fail(failure, kCaption);
    FillTags();
    model_->Refresh();
}

void FormLibrary::RemoveTag() {
    QString failure;
    if (!catalog_.RemoveTag(SelectedIds(), tagText_->text(), failure))
        Fail(failure, kCaption);
    FillTags();
    model_->Refresh();
}

void FormLibrary::RenameTag() {
    const QString from = tag_->currentData().toString();
    QString failure;
    if (from.isEmpty() || !catalog_.Tags().contains(from))
        return;
    if (!catalog_.RenameTag(from, tagText_->text(), failure))
        Fail(failure, kCaption);
    FillTags();
    tag_->setCurrentIndex(std::max(0, tag_->findData(tagText_->text().simplified())));
}

void FormLibrary::ToggleFavourite() {
    const std::vector<const CatalogEntry*> chosen = Selection();
    QString failure;
    if (!chosen.empty() &&
        !catalog_.SetFavourite(SelectedIds(), !chosen.front()->favourite, failure))
        Fail(failure, kCaption);
    model_->Refresh();
}

void FormLibrary::ToggleHidden() {
    const std::vector<const CatalogEntry*> chosen = Selection();
    QString failure;
    if (!chosen.empty() && !catalog_.SetHidden(SelectedIds(), !chosen.front()->hidden, failure))
        Fail(failure, kCaption);
    model_->Refresh();
}

void FormLibrary::KeepEntry() {
    const std::vector<const CatalogEntry*> chosen = Selection();
    QString failure;
    if (chosen.size() == 1 && !catalog_.Keep(chosen.front()->id, failure))
        Fail(failure, kCaption);
    model_->Refresh();
}

void FormLibrary::closeEvent(QCloseEvent* event) {
    scan_->Cancel();
    scan_->Wait();
    // The scratch slot gets its own sound back before the window goes.
    audition_.GiveBack();
    event->accept();
}
