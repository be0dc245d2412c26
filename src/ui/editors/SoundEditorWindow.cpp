#include "ui/editors/SoundEditorWindow.h"

#include <QApplication>

#include <QComboBox>
#include <QPushButton>

#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "ui/common/EditHistory.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/OpenSoundEditor.h"
#include "ui/library/SoundFileCommands.h"
#include "ui/widgets/RefreshGuard.h"
#include "ui/widgets/Twips.h"
#include "windowlogic/DestinationEntries.h"
#include "windowlogic/SynthText.h"

SoundEditorWindow::SoundEditorWindow(const WindowContext& context, SoundEditorKind kind,
                                     const QString& captionPrefix, QWidget* parent)
    : QWidget(parent),
      context_(context),
      kind_(kind),
      captionPrefix_(captionPrefix),
      compare_(new QPushButton(QStringLiteral("Compare"), this)) {
    setWindowTitle(captionPrefix_);
    compare_->setObjectName(QStringLiteral("CommandCompare"));
    compare_->setCheckable(true);
    // Down, it looks it: nobody should edit the original thinking it is the new version.
    compare_->setStyleSheet(QStringLiteral(
        "QPushButton:checked { background: palette(highlight); color: palette(highlighted-text);"
        " font-weight: bold; border: 2px solid palette(dark); border-radius: 3px; }"));
    // clicked comes from the user only; other editors of the sound follow through the history.
    connect(compare_, &QPushButton::clicked, this, [this](bool checked) {
        if (sound_)
            context_.library.History().SetComparing(*sound_, checked);
        ShowComparing();
    });
    connect(&context_.library.History(), &EditHistory::CompareChanged, this,
            [this](const ClassSound* sound) {
                if (sound == sound_.get())
                    ShowComparing();
            });
}

void SoundEditorWindow::ShowComparing() {
    const bool comparing = sound_ && context_.library.History().Comparing(*sound_);
    const QSignalBlocker quiet(compare_);
    compare_->setChecked(comparing);
    compare_->setText(comparing ? QStringLiteral("Comparing") : QStringLiteral("Compare"));
    ShowCaption();
}

void SoundEditorWindow::ShowCaption() {
    if (!sound_)
        return;
    QString caption = captionPrefix_ + SynthText::ToShown(sound_->Name());
    if (context_.library.History().Comparing(*sound_))
        caption += QStringLiteral(" (original sounding)");
    setWindowTitle(caption);
}

SoundEditorWindow::~SoundEditorWindow() = default;

int SoundEditorWindow::SlotOfSound() const {
    if (!sound_)
        return -1;
    const int slot = sound_->Number();
    return context_.library.Sounds().Sound(slot) == sound_ ? slot : -1;
}

void SoundEditorWindow::DocumentSave() {
    if (const int slot = SlotOfSound(); slot >= 0)
        SoundFileCommands(context_).Save(slot);
}

void SoundEditorWindow::DocumentSaveAs() {
    if (const int slot = SlotOfSound(); slot >= 0)
        SoundFileCommands(context_).SaveAs(slot);
}

void SoundEditorWindow::ReleaseFocus() {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && isAncestorOf(focused))
        focused->clearFocus();
}

void SoundEditorWindow::SetSound(const std::shared_ptr<ClassSound>& sound) {
    if (sound_ || !sound)
        return;
    sound_ = sound;
    context_.library.History().KeepReference(*sound_, false);
    ShowComparing();
    // The connection ends with the window (this is the context object).
    connect(sound_.get(), &ClassSound::DataChanged, this, &SoundEditorWindow::RefreshWindow);
    RefreshWindow();
}

void SoundEditorWindow::WriteSound(const QObject* control,
                                   const std::function<void(ClassSound&)>& edit) {
    if (!sound_)
        return;
    // Kept alive for the whole write, which lets events through while it paces the synth.
    const std::shared_ptr<ClassSound> sound = sound_;
    context_.library.History().RecordSound(
        *sound, [&] { edit(*sound); }, control);
}

void SoundEditorWindow::BeginStep() {
    if (sound_)
        context_.library.History().BeginSound(*sound_);
}

void SoundEditorWindow::NameStep(const QString& text) {
    if (sound_)
        context_.library.History().NameStep(sound_.get(), text);
}

void SoundEditorWindow::EndStep() {
    if (sound_)
        context_.library.History().EndSound(*sound_);
}

SoundEditorWindow::Writer SoundEditorWindow::SoundWriter(
    const QObject* control, std::function<void(ClassSound&, int)> write) {
    if (!sound_ || refreshing_)
        return {};
    return [this, control, write = std::move(write)](int value) {
        WriteSound(control, [&](ClassSound& sound) { write(sound, value); });
    };
}

void SoundEditorWindow::OpenCompanion(SoundEditorKind kind) {
    OpenSoundEditor(context_, kind, sound_);
}

QUndoStack* SoundEditorWindow::ShownHistory() {
    return sound_ ? context_.library.History().SoundStack(*sound_) : nullptr;
}

void SoundEditorWindow::RefreshWindow() {
    if (!sound_)
        return;
    ShowCaption();
    // Everything is loaded before the window paints again, so a refresh does not flicker.
    setUpdatesEnabled(false);
    {
        const RefreshGuard guard(refreshing_);
        RefreshDestinationLists();
        LoadSound();
    }
    setUpdatesEnabled(true);
}

QComboBox* SoundEditorWindow::MakeDestinationList(const QString& objectName, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    for (int code = 0; code < kDestinationCount; ++code)
        list->addItem(QString::fromUtf8(DestinationName(code).data(),
                                        static_cast<qsizetype>(DestinationName(code).size())));
    destinationLists_.push_back(list);
    return list;
}

void SoundEditorWindow::SetClientSizeTwips(int width, int height) {
    // Never smaller than the controls need with the fonts of this desktop.
    const QSize size = Twips::ToPixels(QSize(width, height), *this).expandedTo(minimumSizeHint());
    setMinimumSize(size);
    resize(size);
}

void SoundEditorWindow::RefreshDestinationLists() {
    if (destinationLists_.empty())
        return;
    const DestinationTexts texts = DestinationEntries(*sound_);
    for (QComboBox* list : destinationLists_) {
        const QSignalBlocker quiet(list);
        for (int code = kFirstNodeDestination; code <= kLastNodeDestination; ++code)
            list->setItemText(code, QString::fromStdString(texts[code]));
    }
}
