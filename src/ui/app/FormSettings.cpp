#include "ui/app/FormSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "model/ReadBackCheck.h"
#include "platform/MessageSink.h"
#include "ui/app/ModalRunner.h"
#include "ui/widgets/WindowGlue.h"
#include "windowlogic/ScratchAudition.h"

namespace {
void Fill(QComboBox& list, const std::vector<MidiSettings::Device>& devices) {
    const QSignalBlocker blocker(list);
    list.clear();
    for (const MidiSettings::Device& device : devices) {
        list.addItem(QString::fromStdString(device.name), device.id);
    }
    list.setCurrentIndex(-1);
}
}  // namespace

FormSettings::FormSettings(ModuleMIDI& midi, SettingsStore& store, MessageSink& messages,
                           ModalRunner& modal, QWidget* parent)
    : QDialog(parent),
      midi_(midi),
      store_(store),
      messages_(messages),
      modal_(modal),
      comboZelIn_(new QComboBox(this)),
      comboZelOut_(new QComboBox(this)),
      comboSystemChannel_(new QComboBox(this)),
      checkVerify_(new QCheckBox(QStringLiteral("Read back and verify what is sent"), this)),
      comboScratchSlot_(new QComboBox(this)),
      commandOk_(new QPushButton(QStringLiteral("OK"), this)) {
    checkVerify_->setChecked(ReadBackCheck::Enabled(store_));
    setObjectName(QStringLiteral("FormSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    comboZelIn_->setObjectName(QStringLiteral("ComboZelIn"));
    comboZelOut_->setObjectName(QStringLiteral("ComboZelOut"));
    comboSystemChannel_->setObjectName(QStringLiteral("ComboSystemChannel"));
    checkVerify_->setObjectName(QStringLiteral("CheckVerifyWrites"));
    commandOk_->setObjectName(QStringLiteral("CommandOk"));
    commandOk_->setDefault(true);
    for (int index = 0; index < 16; ++index) {
        comboSystemChannel_->addItem(QString::fromStdString(MidiSettings::ChannelLabel(index)));
    }
    comboZelIn_->setMinimumContentsLength(24);
    comboZelOut_->setMinimumContentsLength(24);

    auto* frame = new QGroupBox(QStringLiteral("MIDI"), this);
    frame->setObjectName(QStringLiteral("FrameMidi"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("MIDI In"), frame), 0, 0);
    grid->addWidget(comboZelIn_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("MIDI Out"), frame), 1, 0);
    grid->addWidget(comboZelOut_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("System Channel"), frame), 2, 0);
    grid->addWidget(comboSystemChannel_, 2, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(commandOk_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(checkVerify_);
    // The slot the library's Audition borrows; none means it asks the first time.
    comboScratchSlot_->setObjectName(QStringLiteral("ComboScratchSlot"));
    comboScratchSlot_->addItem(QStringLiteral("None"), -1);
    for (int slot = 0; slot < 20; ++slot)
        comboScratchSlot_->addItem(QStringLiteral("Sound %1").arg(slot), slot);
    comboScratchSlot_->setCurrentIndex(ScratchAudition::SavedSlot(store_) + 1);
    auto* scratch = new QHBoxLayout;
    scratch->addWidget(new QLabel(QStringLiteral("Library audition slot"), this));
    scratch->addWidget(comboScratchSlot_);
    scratch->addStretch();
    layout->addLayout(scratch);
    layout->addLayout(buttons);

    connect(comboZelIn_, &QComboBox::currentIndexChanged, this, &FormSettings::InSelected);
    connect(comboZelOut_, &QComboBox::currentIndexChanged, this, &FormSettings::OutSelected);
    connect(comboZelIn_, &QComboBox::activated, this, &FormSettings::InPicked);
    connect(comboZelOut_, &QComboBox::activated, this, &FormSettings::OutPicked);
    connect(comboSystemChannel_, &QComboBox::currentIndexChanged, this,
            &FormSettings::ChannelSelected);
    connect(commandOk_, &QPushButton::clicked, this, &FormSettings::OkClicked);
    connect(checkVerify_, &QCheckBox::toggled, this,
            [this](bool on) { ReadBackCheck::SetEnabled(store_, on); });
    connect(comboScratchSlot_, &QComboBox::currentIndexChanged, this, [this] {
        ScratchAudition::SaveSlot(store_, comboScratchSlot_->currentData().toInt());
    });
}

bool FormSettings::Load() {
    // Start from no ports; a port left open from before would otherwise stay allocated.
    if (midi_.MidiInHandle() != 0 || midi_.MidiOutHandle() != 0)
        midi_.ClosePorts();
    midi_.RefreshDevices();
    Fill(*comboZelIn_, MidiSettings::InputDevices(midi_.Driver()));
    Fill(*comboZelOut_, MidiSettings::OutputDevices(midi_.Driver()));
    loaded_ = true;

    const MidiSettings::Choices saved = MidiSettings::Read(store_);
    SelectComboItem(*comboZelIn_, QString::fromStdString(saved.in));
    SelectComboItem(*comboZelOut_, QString::fromStdString(saved.out));
    inChanged_ = outChanged_ = false;
    {
        const QSignalBlocker blocker(comboSystemChannel_);
        comboSystemChannel_->setCurrentIndex(saved.systemChannel);
    }
    ChannelSelected(saved.systemChannel);

    if (midi_.MidiInHandle() != 0 && midi_.MidiOutHandle() != 0)
        return false;
    ShowModal();
    return true;
}

void FormSettings::Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    hide();
    MidiSettings::Write(store_, {comboZelIn_->currentText().toStdString(),
                                 comboZelOut_->currentText().toStdString(), midi_.SystemChannel()});
    midi_.ClosePorts();
}

void FormSettings::showEvent(QShowEvent* event) {
    // Devices come and go while the dialog is hidden, and their ids with them.
    midi_.RefreshDevices();
    ListDevices();
    {
        const QSignalBlocker verify(checkVerify_);
        checkVerify_->setChecked(ReadBackCheck::Enabled(store_));
        const QSignalBlocker scratch(comboScratchSlot_);
        comboScratchSlot_->setCurrentIndex(ScratchAudition::SavedSlot(store_) + 1);
    }
    const QSignalBlocker blocker(comboSystemChannel_);
    comboSystemChannel_->setCurrentIndex(midi_.SystemChannel());
    QDialog::showEvent(event);
}

void FormSettings::ListDevices() {
    // An open port is shown chosen, also one the device watch opened again on its return.
    const QString in = midi_.MidiInHandle() != 0 ? QString::fromStdString(midi_.InPortName())
                                                 : comboZelIn_->currentText();
    const QString out = midi_.MidiOutHandle() != 0 ? QString::fromStdString(midi_.OutPortName())
                                                   : comboZelOut_->currentText();
    Fill(*comboZelIn_, MidiSettings::InputDevices(midi_.Driver()));
    Fill(*comboZelOut_, MidiSettings::OutputDevices(midi_.Driver()));
    const QSignalBlocker blockIn(comboZelIn_);
    const QSignalBlocker blockOut(comboZelOut_);
    comboZelIn_->setCurrentIndex(in.isEmpty() ? -1 : comboZelIn_->findText(in));
    comboZelOut_->setCurrentIndex(out.isEmpty() ? -1 : comboZelOut_->findText(out));
}

void FormSettings::ShowModal() {
    modal_.RunModal(*this);
}

void FormSettings::reject() {
    OkClicked();
}

void FormSettings::InSelected(int index) {
    if (index < 0)
        return;
    inChanged_ = true;
    if (!midi_.OpenInPort(comboZelIn_->itemData(index).toInt())) {
        const QSignalBlocker blocker(comboZelIn_);
        comboZelIn_->setCurrentIndex(-1);
    }
}

void FormSettings::OutSelected(int index) {
    if (index < 0)
        return;
    outChanged_ = true;
    if (!midi_.OpenOutPort(comboZelOut_->itemData(index).toInt())) {
        const QSignalBlocker blocker(comboZelOut_);
        comboZelOut_->setCurrentIndex(-1);
    }
}

void FormSettings::InPicked(int index) {
    if (!std::exchange(inChanged_, false))
        InSelected(index);
    inChanged_ = false;
}

void FormSettings::OutPicked(int index) {
    if (!std::exchange(outChanged_, false))
        OutSelected(index);
    outChanged_ = false;
}

void FormSettings::ChannelSelected(int index) {
    if (index >= 0)
        midi_.SetSystemChannel(index);
}

void FormSettings::OkClicked() {
    if (midi_.MidiInHandle() == 0 || midi_.MidiOutHandle() == 0) {
        messages_.Show(kWarning, "Settings", MessageFlags::Exclamation);
    }
    accept();
}
