#include "ui/library/FormSounds.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFont>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>

#include "catalog/CatalogListModel.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "model/NameRules.h"
#include "platform/MessageSink.h"
#include "ui/common/EditHistory.h"
#include "ui/common/FormStatus.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/OpenSoundEditor.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WindowHost.h"
#include "ui/common/WriteVerification.h"
#include "ui/widgets/RenameDelegate.h"
#include "windowlogic/EditStepName.h"
#include "windowlogic/SynthText.h"

namespace {
constexpr int kDefaultChanges = 190;
constexpr int kSoundBytes = ClassSounds::kAllSoundsBytes / ClassSounds::kSounds;
constexpr int kIconSize = 16;

// The list's small icons: the sound numbers drawn in dark red.
QIcon NumeralIcon(int number) {
    QPixmap picture(kIconSize, kIconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(number < 10 ? 13 : 11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x80, 0x00, 0x00));
    painter.drawText(picture.rect(), Qt::AlignCenter, QString::number(number));
    return QIcon(picture);
}
}  // namespace

FormSounds::FormSounds(const WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), files_(context_), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("FormSounds"));
    setWindowTitle(QString::fromLatin1(kCaption));
    list_->setObjectName(QStringLiteral("ListView"));
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setSpacing(2);
    list_->setIconSize(QSize(kIconSize, kIconSize));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Renaming starts only from the rename command (F2, the menus), never from a stray click.
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* rename = new RenameDelegate(
        [this](const QModelIndex& index, const QString& typed) {
            return FinishRename(index.row(), typed);
        },
        kNameLength, list_);
    // The question took the focus; typing goes on in the list.
    connect(rename, &RenameDelegate::Finished, list_,
            [this] { list_->setFocus(Qt::OtherFocusReason); });
    list_->setItemDelegate(rename);
    list_->viewport()->installEventFilter(this);
    // A library entry dropped on a slot opens into it.
    list_->viewport()->setAcceptDrops(true);
    // Enter and a double click open the node editor, the editor a musician reaches for first.
    connect(list_, &QListWidget::itemActivated, this, [this] { SoundEditNodes(); });
    // Edit "Undo" acts on the selected sound. A click makes an item current before it selects
    // it, so the menu follows the selection, however it changed.
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { context_.library.History().NotifyShownChanged(); });

    connect(&context_.shell.Host().Area(), &QMdiArea::subWindowActivated, this,
            &FormSounds::WatchEditor);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
}

QSize FormSounds::sizeHint() const {
    // Four columns of five sounds, each wide enough for a ten-character name.
    const QFontMetrics metrics = list_->fontMetrics();
    const int column = kIconSize + metrics.horizontalAdvance(QStringLiteral("nnnnnnnnnnnn")) + 16;
    const int row = std::max(kIconSize, metrics.height()) + 8;
    const int frame = 2 * list_->frameWidth() + 8;
    return {4 * column + frame, 5 * row + frame};
}

FormSounds::~FormSounds() = default;

bool FormSounds::IsSyncronised() const {
    return context_.library.Sounds().Syncronised();
}

void FormSounds::Load() {
    const TransferProgress progress(context_.shell.Status(), context_.midi.GetClock(),
                                    QString::fromLatin1(kCaption), QString::fromLatin1(kAcquiring),
                                    TransferProgress::ReadSeconds(ClassSounds::kAllSoundsBytes));
    list_->clear();
    if (context_.library.Sounds().GetSoundsFromSynth()) {
        FillList();
    } else {
        // The exchange has said what went wrong; an empty list offers nothing to act on.
        list_->setEnabled(false);
    }
}

void FormSounds::FillList() {
    ClassSounds& sounds = context_.library.Sounds();
    for (int n = 0; n < ClassSounds::kSounds; ++n) {
        auto* item = new QListWidgetItem(NumeralIcon(n), QString(), list_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        // Whatever gives the sound new data (a file, a rename, Open All) shows in the list.
        if (const auto sound = sounds.Sound(n))
            connect(sound.get(), &ClassSound::DataChanged, list_, [this] { ShowNames(); });
    }
    list_->setEnabled(true);
    ShowNames();
    // The first sound is chosen from the start, so the keyboard and the toolbar act at once.
    list_->setCurrentRow(0);
}

void FormSounds::ShowNames() {
    ClassSounds& sounds = context_.library.Sounds();
    for (int n = 0; n < list_->count(); ++n) {
        const auto sound = sounds.Sound(n);
        list_->item(n)->setText(sound ? SynthText::ToShown(sound->Name()) : QString());
    }
}

int FormSounds::SelectedSlot() const {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected())
        return -1;
    return list_->row(item);
}

std::shared_ptr<ClassSound> FormSounds::SelectedSound() const {
    const int slot = SelectedSlot();
    return slot < 0 ? nullptr : context_.library.Sounds().Sound(slot);
}

void FormSounds::closeEvent(QCloseEvent* event) {
    // Only while it is the current window: the menus of another active browser stay as they are.
    const QMdiSubWindow* frame = context_.shell.Host().SubWindowOf(this);
    if (frame == nullptr || frame->mdiArea() == nullptr ||
        frame->mdiArea()->currentSubWindow() == frame) {
        context_.shell.ClearMenus();
    }
    QWidget::closeEvent(event);
}

bool FormSounds::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        QString path;
        int place = 0;
        const int slot = list_->indexAt(drop->position().toPoint()).row();
        const bool entry = CatalogListModel::EntryFromMime(drop->mimeData(), path, place);
        if (!entry || (slot < 0 && event->type() != QEvent::DragEnter)) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop) {
            list_->setCurrentRow(slot);
            OpenFromLibrary(slot, path, place);
        }
        return true;
    }
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            ShowSoundMenu(mouse->globalPosition().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}

void FormSounds::ShowSoundMenu(const QPoint& globalPosition) {
    QMenu* menu = context_.shell.SoundMenu();
    if (menu != nullptr && list_->count() > 0 && SelectedSlot() >= 0)
        menu->popup(globalPosition);
}

void FormSounds::SoundNew() {
    const int slot = SelectedSlot();
    const auto sound = SelectedSound();
    if (!sound)
        return;
    if (context_.messages.Show(kNewQuestion, "New Sound",
                               MessageFlags::OkCancel | MessageFlags::Exclamation) !=
        MessageFlags::ResultOk) {
        return;
    }
    // About 190 parameter changes, each with its pause, and the sound: seconds at the synth's
    // pace.
    auto progress = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), QString::fromLatin1(kCaption),
        QString::fromLatin1(kSendingDefaults),
        kDefaultChanges * ModuleMIDI::kSendPause + TransferProgress::WriteSeconds(kSoundBytes));
    // A new sound belongs to no file: Save must not write it over the one chosen before (and
    // undo gives the file back with the sound).
    context_.library.History().RecordSound(*sound, [this, slot, &sound] {
        sound->DefaultValues();
        sound->SendSound(sound->EncodeRawSound());
        context_.library.SetSoundFileName(slot, QString());
    });
    progress.reset();
    ShowNames();
    WriteVerification::After(context_, ReadBackCheck::Records::Sounds, slot,
                             sound->EncodeRawSound(), kCaption);
}

void FormSounds::SoundRefresh() {
    const auto sound = SelectedSound();
    if (!sound)
        return;
    // Recorded so that a send of what the sound already holds keeps its history.
    const RawData sent = sound->EncodeRawSound();
    bool done = false;
    context_.library.History().RecordSound(
        *sound, [&sound, &sent, &done] { done = sound->SendSound(sent); });
    if (done) {
        ShowNames();
        WriteVerification::After(context_, ReadBackCheck::Records::Sounds, sound->Number(), sent,
                                 kCaption);
    } else {
        context_.messages.Show(kRefreshFailed, "", MessageFlags::Exclamation);
    }
}

QUndoStack* FormSounds::ShownHistory() {
    const auto sound = SelectedSound();
    return sound ? context_.library.History().SoundStack(*sound) : nullptr;
}

void FormSounds::SoundRename() {
    if (SelectedSlot() >= 0)
        list_->editItem(list_->currentItem());
}

std::optional<QString> FormSounds::FinishRename(int slot, const QString& typed) {
    const auto sound = context_.library.Sounds().Sound(slot);
    if (!sound)
        return std::nullopt;
    const QString current = SynthText::ToShown(sound->Name());
    const QString question =
        QStringLiteral("Rename sound '") + current + QStringLiteral("' to '") + typed + "'?";
    if (context_.messages.Show(question.toStdString(), "Rename", MessageFlags::OkCancelQuestion) !=
        MessageFlags::ResultOk) {
        return std::nullopt;
    }
    context_.library.History().RecordSound(
        *sound, [&sound, &typed] { sound->SetName(SynthText::FromTyped(typed)); });
    // The name as stored: trimmed, cut to ten, "Noname" for nothing.
    return SynthText::ToShown(sound->Name());
}

void FormSounds::SoundOpen() {
    const int slot = SelectedSlot();
    const auto sound = SelectedSound();
    if (slot < 0 || !sound)
        return;
    bool opened = false;
    context_.library.History().RecordSound(*sound, [this, slot, &sound, &opened] {
        opened = files_.Open(slot);
        if (opened)
            context_.library.History().NameStep(
                sound.get(),
                QString::fromStdString(EditStepName::ForOpen(
                    context_.library.SoundFileName(slot).toStdString(), "Sound", slot)));
    });
    if (opened)
        ShowNames();
}

bool FormSounds::OpenFromLibrary(int slot, const QString& path, int place) {
    const bool opened = files_.OpenEntryAsStep(slot, path, place);
    if (opened)
        ShowNames();
    return opened;
}

void FormSounds::SoundSave() {
    if (const int slot = SelectedSlot(); slot >= 0)
        files_.Save(slot);
}

void FormSounds::SoundSaveAs() {
    if (const int slot = SelectedSlot(); slot >= 0)
        files_.SaveAs(slot);
}

void FormSounds::SaveAll() {
    files_.SaveAll();
}

void FormSounds::OpenAll() {
    files_.OpenAll();
    ShowNames();
}

void FormSounds::OpenEditorOfSelected(SoundEditorKind kind) {
    if (const auto sound = SelectedSound())
        OpenEditor(kind, sound);
}

void FormSounds::SoundEditAll() {
    const auto sound = SelectedSound();
    if (!sound)
        return;
    // The node editor last, so it ends on top; then side by side, none covering another, the
    // node and envelope editors in the first row.
    QList<QWidget*> opened;
    for (SoundEditorKind kind : {SoundEditorKind::Lfo, SoundEditorKind::Modulation,
                                 SoundEditorKind::Envelopes, SoundEditorKind::Nodes}) {
        if (QWidget* editor = OpenEditor(kind, sound))
            opened.prepend(editor);
    }
    context_.shell.Host().Arrange(opened);
}

QWidget* FormSounds::OpenEditor(SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound) {
    return OpenSoundEditor(context_, kind, sound);
}

void FormSounds::WatchEditor(QMdiSubWindow* frame) {
    if (dynamic_cast<SoundEditor*>(WindowHost::WidgetOf(frame)) != nullptr)
        connect(frame, &QObject::destroyed, this, &FormSounds::EditorGone, Qt::UniqueConnection);
}

void FormSounds::EditorGone() {
    // Once the work area has let the frame go.
    QMetaObject::invokeMethod(this, &FormSounds::ActivateAfterEditors, Qt::QueuedConnection);
}

void FormSounds::ActivateAfterEditors() {
    WindowHost& host = context_.shell.Host();
    if (context_.shell.ClosingChildren() || host.Find<SoundEditor>() != nullptr)
        return;
    // The last editor has gone: File "Save" and the keys act on the browser's selection again,
    // unless the user has gone to another window meanwhile. The work area passes the activation
    // on by its own order (to the hidden audition window as readily as to any) and may make the
    // browser current without a signal, so the menus are set here.
    const QMdiSubWindow* current = host.Area().currentSubWindow();
    const QWidget* shown = WindowHost::WidgetOf(current);
    if (shown != nullptr && shown != this && current->isVisible() &&
        host.SubWindowOf(shown) != nullptr)
        return;
    host.Activate(this);
    context_.shell.SetMenus();
    context_.library.History().NotifyShownChanged();
}
