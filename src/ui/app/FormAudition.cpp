#include "ui/app/FormAudition.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "midi/AuditionLink.h"
#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "platform/SettingsStore.h"
#include "ui/common/ShellServices.h"
#include "ui/common/WindowHost.h"
#include "ui/widgets/PianoKeyboard.h"
#include "ui/widgets/WindowGlue.h"

namespace {
constexpr const char* kKeyOctave = "VirtualKeyboardOctave";
constexpr const char* kKeyExternal = "AuditionExternal";
constexpr const char* kKeyInChannel = "AuditionInChannel";
constexpr const char* kKeyOutChannel = "AuditionOutChannel";
constexpr const char* kKeyIn = "AuditionIn";
constexpr const char* kKeyVelocity = "AuditionVelocity";
constexpr const char* kKeyTab = "AuditionTab";
constexpr int kMaxVelocity = 127;
constexpr int kNotes = 128;

QComboBox* NamedList(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

void FillChannels(QComboBox& list) {
    for (int index = 0; index < FormAudition::kChannels; ++index)
        list.addItem(QString::fromStdString(MidiSettings::ChannelLabel(index)));
}
}  // namespace

FormAudition::FormAudition(const WindowContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      link_(std::make_unique<AuditionLink>(context.midi)),
      tabStrip_(new QTabWidget(this)),
      checkExternal_(new QCheckBox(QStringLiteral("Use An External Keyboard"))),
      comboIn_(NamedList("ComboAuditionIn", this)),
      comboInChannel_(NamedList("ComboAudInChannel", this)),
      comboOutChannel_(NamedList("ComboAudOutChannel", this)),
      comboOctave_(NamedList("ComboOctave", this)),
      upDownVelocity_(new QSpinBox(this)),
      keyboard_(new PianoKeyboard),
      commandAllNotesOff_(new QPushButton(QStringLiteral("All Notes Off"))),
      commandOk_(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("FormAudition"));
    setWindowTitle(QLatin1String(kCaption));
    tabStrip_->setObjectName(QStringLiteral("TabStrip"));
    checkExternal_->setObjectName(QStringLiteral("CheckAuditionExternal"));
    commandAllNotesOff_->setObjectName(QStringLiteral("CommandAllNotesOff"));
    commandOk_->setObjectName(QStringLiteral("CommandOk"));
    tabStrip_->addTab(BuildSettingsTab(), QStringLiteral("Settings"));
    tabStrip_->addTab(BuildKeyboardTab(), QStringLiteral("Virtual Keyboard"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(commandOk_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabStrip_);
    layout->addLayout(buttons);

    connect(checkExternal_, &QCheckBox::clicked, this, &FormAudition::ExternalKeyboardStep);
    connect(comboIn_, &QComboBox::currentIndexChanged, this, &FormAudition::ExternalKeyboardStep);
    connect(comboInChannel_, &QComboBox::currentIndexChanged, this,
            &FormAudition::InChannelSelected);
    connect(comboOutChannel_, &QComboBox::currentIndexChanged, this,
            &FormAudition::OutChannelSelected);
    connect(comboOctave_, &QComboBox::currentIndexChanged, this, &FormAudition::OctaveSelected);
    // The computer's keys play while the keyboard's tab is up.
    connect(tabStrip_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1)
            keyboard_->setFocus(Qt::TabFocusReason);
    });
    connect(keyboard_, &PianoKeyboard::KeyPressed, this, &FormAudition::KeyDown);
    connect(keyboard_, &PianoKeyboard::KeyReleased, this, &FormAudition::KeyUp);
    connect(commandAllNotesOff_, &QPushButton::clicked, this, &FormAudition::AllNotesOff);
    connect(commandOk_, &QPushButton::clicked, this, &FormAudition::HideWindow);
}

FormAudition::~FormAudition() {
    Unload();
}

QWidget* FormAudition::BuildSettingsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Frame_0"));
    FillChannels(*comboInChannel_);
    FillChannels(*comboOutChannel_);
    comboIn_->setMinimumContentsLength(22);
    auto* grid = new QGridLayout(page);
    grid->addWidget(checkExternal_, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Midi In Port")), 1, 0);
    grid->addWidget(comboIn_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Midi In Channel")), 2, 0);
    grid->addWidget(comboInChannel_, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Midi Out Channel")), 3, 0);
    grid->addWidget(comboOutChannel_, 3, 1, Qt::AlignLeft);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* FormAudition::BuildKeyboardTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Frame_1"));
    keyboard_->setAccessibleName(QStringLiteral("Keyboard, Audition"));
    keyboard_->setAccessibleDescription(
        QStringLiteral("Plays the chosen octave range; with the focus here the computer's keys "
                       "play it as two rows of a piano, from Z and from Q."));
    upDownVelocity_->setObjectName(QStringLiteral("UpDownVelocity"));
    upDownVelocity_->setRange(1, kMaxVelocity);
    upDownVelocity_->setValue(KeyboardNotes::kVelocity);
    for (const KeyboardNotes::Range& range : KeyboardNotes::Ranges())
        comboOctave_->addItem(QLatin1String(range.caption), range.baseNote);
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Octave Range")));
    controls->addWidget(comboOctave_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("Velocity")));
    controls->addWidget(upDownVelocity_);
    controls->addStretch();
    controls->addWidget(commandAllNotesOff_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(keyboard_, 0, Qt::AlignHCenter);
    layout->addLayout(controls);
    return page;
}

std::string FormAudition::Stored(const char* key, const char* fallback) const {
    return context_.store.Read(MidiSettings::kApplication, MidiSettings::kSection, key, fallback);
}

void FormAudition::Store(const char* key, const std::string& value) {
    context_.store.Write(MidiSettings::kApplication, MidiSettings::kSection, key, value);
}

void FormAudition::Load() {
    // The tab the user left up last time.
    tabStrip_->setCurrentIndex(KeyboardNotes::StoredIndex(Stored(kKeyTab, "0"), 2, 0));
    upDownVelocity_->setValue(KeyboardNotes::StoredIndex(
        Stored(kKeyVelocity, std::to_string(KeyboardNotes::kVelocity).c_str()), kMaxVelocity + 1,
        KeyboardNotes::kVelocity));
    FillInputs();
    // A stored value outside its list reads as the default: an output channel of 16 would turn
    // every note-on into another status.
    const auto count = [](const QComboBox* list) { return list->count(); };
    comboOctave_->setCurrentIndex(KeyboardNotes::StoredIndex(
        Stored(kKeyOctave, "2"), count(comboOctave_), KeyboardNotes::kDefaultRange));
    checkExternal_->setChecked(KeyboardNotes::StoredIndex(Stored(kKeyExternal, "0"), 2, 0) == 1);
    ExternalKeyboardStep();
    comboInChannel_->setCurrentIndex(
        KeyboardNotes::StoredIndex(Stored(kKeyInChannel, "0"), kChannels, 0));
    comboOutChannel_->setCurrentIndex(
        KeyboardNotes::StoredIndex(Stored(kKeyOutChannel, "0"), kChannels, 0));
    chosenIn_ = QString::fromStdString(Stored(kKeyIn, ""));
    SelectComboItem(*comboIn_, chosenIn_);
    loaded_ = true;
}

void FormAudition::Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    StopKeys();
    link_->CloseAuditionIn();
    Store(kKeyOctave, std::to_string(comboOctave_->currentIndex()));
    Store(kKeyIn, chosenIn_.toStdString());
    Store(kKeyInChannel, std::to_string(comboInChannel_->currentIndex()));
    Store(kKeyOutChannel, std::to_string(comboOutChannel_->currentIndex()));
    Store(kKeyExternal, checkExternal_->isChecked() ? "1" : "0");
    Store(kKeyVelocity, std::to_string(upDownVelocity_->value()));
    Store(kKeyTab, std::to_string(tabStrip_->currentIndex()));
}

void FormAudition::FillInputs() {
    const QSignalBlocker blocker(comboIn_);
    comboIn_->clear();
    for (const MidiSettings::Device& device : MidiSettings::InputDevices(context_.midi.Driver()))
        comboIn_->addItem(QString::fromStdString(device.name), device.id);
    comboIn_->setCurrentIndex(chosenIn_.isEmpty() ? -1 : comboIn_->findText(chosenIn_));
}

void FormAudition::DevicesChanged() {
    FillInputs();
    if (!loaded_ || !checkExternal_->isChecked())
        return;
    const bool listed = comboIn_->currentIndex() >= 0;
    const bool open = link_->AuditionInHandle() != 0;
    if (listed && !open) {
        link_->OpenAuditionIn(comboIn_->currentData().toInt());
    } else if (!listed && open) {
        link_->CloseAuditionIn();
    }
}

void FormAudition::ExternalKeyboardStep() {
    if (comboIn_->currentIndex() >= 0)
        chosenIn_ = comboIn_->currentText();
    link_->CloseAuditionIn();
    const bool external = checkExternal_->isChecked();
    comboIn_->setEnabled(external);
    comboInChannel_->setEnabled(external);
    if (external && comboIn_->currentIndex() >= 0)
        link_->OpenAuditionIn(comboIn_->currentData().toInt());
}

void FormAudition::InChannelSelected(int index) {
    link_->SetInChannel(index);
}

void FormAudition::OutChannelSelected(int index) {
    StopKeys();
    link_->SetOutChannel(index);
}

void FormAudition::OctaveSelected(int) {
    StopKeys();
    keyboard_->SetLowestNote(comboOctave_->currentData().toInt());
}

void FormAudition::KeyDown(int key) {
    if (auto note = notes_.Press(key, comboOctave_->currentIndex(), link_->OutChannel()))
        link_->SendNote(note->channel, note->note, upDownVelocity_->value());
}

void FormAudition::KeyUp(int key) {
    if (auto note = notes_.Release(key))
        link_->SendNote(note->channel, note->note, 0);
}

void FormAudition::StopKeys() {
    for (const KeyboardNotes::Note& note : notes_.ReleaseAll())
        link_->SendNote(note.channel, note.note, 0);
    for (int key = 0; key < PianoKeyboard::kKeys; ++key)
        keyboard_->Key(key)->setDown(false);
}

void FormAudition::AllNotesOff() {
    // The notes of held keys are among the 128 that go off.
    notes_.ReleaseAll();
    for (int key = 0; key < PianoKeyboard::kKeys; ++key)
        keyboard_->Key(key)->setDown(false);
    for (int note = 0; note < kNotes; ++note)
        link_->SendNote(link_->OutChannel(), note, 0);
}

void FormAudition::HideWindow() {
    if (QMdiSubWindow* frame = context_.shell.Host().SubWindowOf(this))
        frame->hide();
    else
        hide();
}

void FormAudition::hideEvent(QHideEvent* event) {
    StopKeys();
    QWidget::hideEvent(event);
}

void FormAudition::closeEvent(QCloseEvent* event) {
    // The frame's close only hides the window, so the thru keeps running; the main window's
    // unloading closes it for good.
    if (!context_.shell.ClosingChildren()) {
        event->ignore();
        HideWindow();
        return;
    }
    Unload();
    event->accept();
}
