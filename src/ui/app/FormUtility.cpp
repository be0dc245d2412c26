#include "ui/app/FormUtility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "platform/MessageSink.h"
#include "platform/SettingsStore.h"
#include "ui/common/ShellServices.h"
#include "ui/common/WindowHost.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/ValueRow.h"

namespace {
using G = GlobalParameters;

struct AcceptBox {
    const char* name;
    const char* caption;
    G::Accept kind;
};
constexpr std::array<AcceptBox, 6> kAcceptBoxes{{
    {"CheckVelocity", "Velocity", G::kVelocity},
    {"CheckProgChange", "Program Change", G::kProgramChange},
    {"CheckControllers", "Controllers", G::kControllers},
    {"CheckAftertouch", "Aftertouch", G::kAftertouch},
    {"CheckPitchBend", "Pitch Bend", G::kPitchBend},
    {"CheckSysex", "System Exclusive", G::kSystemExclusive},
}};

constexpr std::array<const char*, G::kKeyModes> kKeyModes{
    "Last Note Priority (ln1)", "Last Note Priority (ln2)", "First Note Priority (fn1)",
    "First Note Priority (fn2)", "Cascade"};

QCheckBox* NamedCheck(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A row's writer into the record; the record lives as long as the window and its rows.
template <typename Set>
ValueRow::Target WriteTo(GlobalParameters& globals, Set set) {
    return
        [&globals, set] { return ValueRow::Writer([&globals, set](int v) { (globals.*set)(v); }); };
}
}  // namespace

FormUtility::FormUtility(const WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("FormUtility"));
    setWindowTitle(QLatin1String(kCaption));
    BuildControls();
    Refresh();
}

FormUtility::~FormUtility() = default;

void FormUtility::BuildControls() {
    auto* frame = new QGroupBox(QStringLiteral("ZEL Global Parameters"), this);
    frame->setObjectName(QStringLiteral("FrameGlobals"));
    auto* grid = new QGridLayout(frame);
    int row = 0;
    const auto addRow = [&](const char* label, QWidget* first, QWidget* second = nullptr) {
        grid->addWidget(new QLabel(QLatin1String(label), frame), row, 0);
        grid->addWidget(first, row, 1, 1, second ? 1 : 2, Qt::AlignLeft);
        if (second)
            grid->addWidget(second, row, 2);
        ++row;
    };

    controller_ = std::make_unique<ValueRow>(QStringLiteral("Controller"),
                                             ValueRow::Range{0, G::kControllerMax, 1, 10}, frame);
    controller_->Bar()->setObjectName(QStringLiteral("UpDownController"));
    controller_->Bind([this] { return globals_.Controller(); },
                      WriteTo(globals_, &G::SetController));
    addRow("Controller", controller_->Text(), controller_->Bar());

    comboSystemChannel_ = new QComboBox(frame);
    comboSystemChannel_->setObjectName(QStringLiteral("ComboSystemChannel"));
    comboSystemChannel_->addItem(QStringLiteral("Omni"));
    for (int channel = 0; channel < G::kChannelEntries - 1; ++channel)
        comboSystemChannel_->addItem(QString::fromStdString(MidiSettings::ChannelLabel(channel)));
    systemChannel_ = new ListBinding(
        *comboSystemChannel_, [this] { return globals_.SystemChannel(); },
        [this] { return ListBinding::Writer([this](int v) { globals_.SetSystemChannel(v); }); });
    addRow("System Channel", comboSystemChannel_);

    checkMemoryProtect_ = NamedCheck("CheckMemoryProtect", "Memory Protect", frame);
    connect(checkMemoryProtect_, &QCheckBox::clicked, this,
            [this](bool on) { globals_.SetMemoryProtect(on); });
    grid->addWidget(checkMemoryProtect_, row++, 0, 1, 3);

    auto* allow = new QGroupBox(QStringLiteral("Allow Midi Data"), frame);
    allow->setObjectName(QStringLiteral("FrameAllow"));
    auto* allowGrid = new QGridLayout(allow);
    for (size_t i = 0; i < kAcceptBoxes.size(); ++i) {
        const AcceptBox& box = kAcceptBoxes[i];
        checkAccept_[i] = NamedCheck(box.name, box.caption, allow);
        connect(checkAccept_[i], &QCheckBox::clicked, this,
                [this, kind = box.kind](bool on) { globals_.SetAccepts(kind, on); });
        allowGrid->addWidget(checkAccept_[i], static_cast<int>(i % 3), static_cast<int>(i / 3));
    }
    grid->addWidget(allow, row++, 0, 1, 3);

    tune_ = std::make_unique<ValueRow>(QStringLiteral("Tune"),
                                       ValueRow::Range{G::kTuneMin, G::kTuneMax, 1, 5}, frame);
    tune_->Bind([this] { return globals_.Tune(); }, WriteTo(globals_, &G::SetTune));
    addRow("Master Tune", tune_->Text(), tune_->Bar());

    pitchBend_ = std::make_unique<ValueRow>(QStringLiteral("PitchBend"),
                                            ValueRow::Range{0, G::kPitchBendMax, 1, 1}, frame);
    pitchBend_->Bind([this] { return globals_.PitchBendRange(); },
                     WriteTo(globals_, &G::SetPitchBendRange));
    addRow("Pitch Bend Range", pitchBend_->Text(), pitchBend_->Bar());

    comboKeyMode_ = new QComboBox(frame);
    comboKeyMode_->setObjectName(QStringLiteral("ComboKeyMode"));
    for (const char* mode : kKeyModes)
        comboKeyMode_->addItem(QLatin1String(mode));
    keyMode_ = new ListBinding(
        *comboKeyMode_, [this] { return globals_.KeyMode(); },
        [this] { return ListBinding::Writer([this](int v) { globals_.SetKeyMode(v); }); });
    addRow("Key Mode", comboKeyMode_);
    grid->setColumnStretch(2, 1);
    for (QScrollBar* bar : {tune_->Bar(), pitchBend_->Bar()})
        bar->setMinimumWidth(160);
    controller_->Bar()->setFixedWidth(60);

    commandOk_ = new QPushButton(QStringLiteral("OK"), this);
    commandOk_->setObjectName(QStringLiteral("CommandOk"));
    commandOk_->setDefault(true);
    commandCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    commandCancel_->setObjectName(QStringLiteral("CommandCancel"));
    connect(commandOk_, &QPushButton::clicked, this, &FormUtility::OkClicked);
    connect(commandCancel_, &QPushButton::clicked, this, &FormUtility::CancelClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(commandOk_);
    buttons->addWidget(commandCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

void FormUtility::Refresh() {
    controller_->Refresh();
    tune_->Refresh();
    pitchBend_->Refresh();
    systemChannel_->Refresh();
    keyMode_->Refresh();
    checkMemoryProtect_->setChecked(globals_.MemoryProtect());
    for (size_t i = 0; i < kAcceptBoxes.size(); ++i)
        checkAccept_[i]->setChecked(globals_.Accepts(kAcceptBoxes[i].kind));
}

void FormUtility::Load() {
    if (!globals_.GetFromSynth(context_.midi)) {
        for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            control->setEnabled(control == commandCancel_);
        return;
    }
    Refresh();
}

void FormUtility::OkClicked() {
    for (ValueRow* row : {controller_.get(), tune_.get(), pitchBend_.get()})
        row->ApplyPendingText();
    const int channel = globals_.SystemChannel();
    if (channel >= 1 && channel < G::kChannelEntries &&
        channel - 1 != context_.midi.SystemChannel()) {
        context_.messages.Show(kChannelWarning, kCaption, MessageFlags::Information);
    }
    // A refusal has been shown; the window stays so the user can change a value or cancel.
    if (!globals_.SendToSynth(context_.midi))
        return;
    FollowSystemChannel();
    CancelClicked();
}

void FormUtility::FollowSystemChannel() {
    // The synth answers on its new channel from now on; the editor follows, or every later
    // exchange would fail the channel check.
    const int channel = globals_.SystemChannel();
    if (channel < 1 || channel >= G::kChannelEntries ||
        channel - 1 == context_.midi.SystemChannel())
        return;
    context_.midi.SetSystemChannel(channel - 1);
    context_.store.Write(MidiSettings::kApplication, MidiSettings::kSection,
                         MidiSettings::kKeySystemChannel, std::to_string(channel - 1));
    context_.shell.ShowStatusMessage(
        QStringLiteral("The editor's system channel is now %1, as the ZEL-1's.")
            .arg(QString::fromStdString(MidiSettings::ChannelLabel(channel - 1)).trimmed()));
}

void FormUtility::CancelClicked() {
    if (QMdiSubWindow* frame = context_.shell.Host().SubWindowOf(this))
        frame->close();
    else
        close();
}
