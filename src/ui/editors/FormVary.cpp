#include "ui/editors/FormVary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "library/LibraryFiles.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "model/LiveSoundWriter.h"
#include "model/VariationRandom.h"
#include "platform/MessageSink.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/LibraryDocuments.h"
#include "windowlogic/SynthText.h"

namespace {
constexpr int kClientWidth = 6600;
constexpr int kClientHeight = 4800;
constexpr int kAmounts[] = {1, 2, 5, 10, 25, 50, 100};
constexpr int kDefaultAmount = 4;  // 25 %
constexpr int kFileItem = -1;
constexpr int kChosenFile = -2;

constexpr std::array<const char*, kVariationGroupCount> kLockCaptions = {
    "Nodes' tuning", "Waves",      "Envelope rates", "Envelope levels",
    "LFOs",          "Modulation", "Algorithm"};

// Longer names of the morph's ends are cut short in the middle, so the slider keeps its room.
constexpr int kEndLabelChars = 18;
constexpr int kMorphMinimumChars = 12;

void ShowEnd(QLabel* label, const QString& text) {
    const QFontMetrics metrics = label->fontMetrics();
    label->setText(
        metrics.elidedText(text, Qt::ElideMiddle, metrics.averageCharWidth() * kEndLabelChars));
    label->setToolTip(text);
}

// The undo step of a result says which operation made it, in the buttons' words.
QString OperationName(SoundVariation::Operation operation) {
    switch (operation) {
        case SoundVariation::Operation::Randomise:
            return QStringLiteral("Randomise");
        case SoundVariation::Operation::NudgeTowards:
            return QStringLiteral("Nudge Towards");
        case SoundVariation::Operation::NudgeAway:
            return QStringLiteral("Nudge Away");
        case SoundVariation::Operation::Morph:
            break;
    }
    return QStringLiteral("Morph");
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
}  // namespace

FormVary::FormVary(const WindowContext& context, QWidget* parent)
    : SoundEditorWindow(context, SoundEditorKind::Vary, QStringLiteral("Vary - "), parent),
      morphTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("FormVary"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    top->addWidget(BuildLocks());
    top->addWidget(BuildOperations(), 1);
    layout->addLayout(top);
    layout->addWidget(BuildMorph());
    layout->addWidget(BuildSeedRow());
    // The positions a busy cable held back go out as one: the latest.
    morphTimer_->setSingleShot(true);
    morphTimer_->setInterval(0);
    connect(morphTimer_, &QTimer::timeout, this, &FormVary::SendMorph);
    SetClientSizeTwips(kClientWidth, kClientHeight);
}

FormVary::~FormVary() {
    morphTimer_->stop();
    if (dragging_)
        EndStep();
    ReleaseFocus();
}

QWidget* FormVary::BuildLocks() {
    auto* frame = new QGroupBox(QStringLiteral("Locked"), this);
    frame->setObjectName(QStringLiteral("FrameLocks"));
    auto* column = new QVBoxLayout(frame);
    const VariationLocks defaults = VariationLocks::Default();
    for (int group = 0; group < kVariationGroupCount; ++group) {
        auto* check = new QCheckBox(QString::fromLatin1(kLockCaptions[group]), frame);
        check->setObjectName(QStringLiteral("CheckLock_%1").arg(group));
        check->setChecked(defaults.Locked(static_cast<VariationGroup>(group)));
        column->addWidget(check);
        locks_[group] = check;
    }
    column->addStretch();
    return frame;
}

QWidget* FormVary::BuildOperations() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);

    auto* randomise = new QGroupBox(QStringLiteral("Randomise"), box);
    randomise->setObjectName(QStringLiteral("FrameRandomise"));
    auto* row = new QHBoxLayout(randomise);
    row->addWidget(new QLabel(QStringLiteral("Amount"), randomise));
    amount_ = new QComboBox(randomise);
    amount_->setObjectName(QStringLiteral("ComboAmount"));
    for (int amount : kAmounts)
        amount_->addItem(QStringLiteral("%1 %").arg(amount), amount);
    amount_->setCurrentIndex(kDefaultAmount);
    row->addWidget(amount_);
    auto* go = Button("CommandRandomise", "Randomise", randomise);
    connect(go, &QPushButton::clicked, this, [this] { Run(SoundVariation::Operation::Randomise); });
    row->addWidget(go);
    column->addWidget(randomise);

    auto* nudge = new QGroupBox(QStringLiteral("Other sound"), box);
    nudge->setObjectName(QStringLiteral("FrameOther"));
    auto* grid = new QGridLayout(nudge);
    other_ = new QComboBox(nudge);
    other_->setObjectName(QStringLiteral("ComboOther"));
    connect(other_, &QComboBox::activated, this, &FormVary::ChooseOther);
    grid->addWidget(other_, 0, 0, 1, 2);
    auto* towards = Button("CommandTowards", "Nudge Towards", nudge);
    auto* away = Button("CommandAway", "Nudge Away", nudge);
    connect(towards, &QPushButton::clicked, this,
            [this] { Run(SoundVariation::Operation::NudgeTowards); });
    connect(away, &QPushButton::clicked, this,
            [this] { Run(SoundVariation::Operation::NudgeAway); });
    grid->addWidget(towards, 1, 0);
    grid->addWidget(away, 1, 1);
    column->addWidget(nudge);
    column->addStretch();
    return box;
}

QWidget* FormVary::BuildMorph() {
    auto* frame = new QGroupBox(QStringLiteral("Morph"), this);
    frame->setObjectName(QStringLiteral("FrameMorph"));
    auto* row = new QHBoxLayout(frame);
    morphA_ = new QLabel(QStringLiteral("A"), frame);
    morphA_->setObjectName(QStringLiteral("LabelMorphA"));
    morphB_ = new QLabel(QStringLiteral("B"), frame);
    morphB_->setObjectName(QStringLiteral("LabelMorphB"));
    morph_ = new QSlider(Qt::Horizontal, frame);
    morph_->setObjectName(QStringLiteral("SliderMorph"));
    morph_->setRange(0, kMorphSteps);
    morph_->setPageStep(10);
    morph_->setMinimumWidth(morph_->fontMetrics().averageCharWidth() * kMorphMinimumChars);
    connect(morph_, &QSlider::sliderPressed, this, &FormVary::MorphPressed);
    connect(morph_, &QSlider::valueChanged, this, &FormVary::MorphMoved);
    connect(morph_, &QSlider::sliderReleased, this, &FormVary::MorphReleased);
    row->addWidget(morphA_);
    row->addWidget(morph_, 1);
    row->addWidget(morphB_);
    return frame;
}

QWidget* FormVary::BuildSeedRow() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Seed"), box));
    seed_ = new QLineEdit(box);
    seed_->setObjectName(QStringLiteral("TextSeed"));
    seed_->setToolTip(QStringLiteral("The seed of the last result; type one to use it next"));
    connect(seed_, &QLineEdit::textEdited, this, [this] { seedTyped_ = true; });
    row->addWidget(seed_);
    again_ = Button("CommandAgain", "Again", box);
    again_->setEnabled(false);
    connect(again_, &QPushButton::clicked, this, &FormVary::Again);
    row->addWidget(again_);
    row->addStretch();
    row->addWidget(CompareButton());
    return box;
}

void FormVary::LoadSound() {
    // A sound changed by anything but the morph starts the next morph from itself, at A.
    if (!dragging_ && !session_.MorphHolds(Sound().EncodeRawSound()))
        ResetMorph();
    FillOtherList();
    ShowEnd(morphA_, QStringLiteral("A: ") + SynthText::ToShown(Sound().Name()));
}

void FormVary::FillOtherList() {
    // A cancelled file dialog leaves the choice as it was.
    QVariant chosen = other_->currentData();
    if (!chosen.isValid() || chosen.toInt() == kFileItem)
        chosen = shownOther_;
    const QSignalBlocker quiet(other_);
    other_->clear();
    ClassSounds& sounds = Context().library.Sounds();
    for (int slot = 0; slot < LibraryDocuments::kSlots; ++slot) {
        if (const auto sound = sounds.Sound(slot))
            other_->addItem(
                QStringLiteral("%1 %2").arg(slot).arg(SynthText::ToShown(sound->Name())), slot);
    }
    if (otherFile_)
        other_->addItem(QStringLiteral("File: ") + otherFileName_, kChosenFile);
    other_->addItem(QString::fromLatin1(kFileEntry), kFileItem);
    int index = chosen.isValid() ? other_->findData(chosen) : -1;
    if (index < 0 || other_->itemData(index).toInt() == kFileItem) {
        // Another sound than this one to start with.
        index = other_->findData(Sound().Number() == 0 ? 1 : 0);
    }
    other_->setCurrentIndex(std::max(index, 0));
    shownOther_ = other_->currentData();
    const bool fromFile = other_->currentData().toInt() == kChosenFile;
    ShowEnd(morphB_, QStringLiteral("B: ") +
                         (fromFile ? otherFileName_ : other_->currentText().section(' ', 1)));
}

void FormVary::ChooseOther(int index) {
    if (other_->itemData(index).toInt() == kFileItem) {
        FileDialogs::Request request{QStringLiteral("Other sound"),
                                     QStringLiteral("Sound (*.zel)|*.zel|Import SND files "
                                                    "(*.snd)|*.snd"),
                                     QString()};
        const std::optional<QString> path = Context().dialogs.OpenFile(request);
        std::string failure;
        RawData raw;
        if (path && ReadSoundFile(path->toStdString(), raw, failure)) {
            // Through the model, as the sound would be if it were opened into a slot.
            ClassSound sound(Context().midi);
            sound.DecodeRawSound(raw);
            otherFile_ = sound.EncodeRawSound();
            otherFileName_ = QFileInfo(*path).fileName();
            other_->setItemData(index, kChosenFile);
        } else if (path) {
            Context().messages.Show(failure, "Vary", MessageFlags::Critical);
        }
    }
    ResetMorph();
    FillOtherList();
}

void FormVary::ResetMorph() {
    session_.EndMorph();
    const QSignalBlocker quiet(morph_);
    morph_->setValue(0);
}

std::optional<RawData> FormVary::Other() const {
    const int chosen = other_->currentData().toInt();
    if (chosen == kChosenFile)
        return otherFile_;
    if (const auto sound = Context().library.Sounds().Sound(chosen); sound && chosen >= 0)
        return sound->EncodeRawSound();
    return std::nullopt;
}

VariationLocks FormVary::Locks() const {
    VariationLocks locks;
    for (int group = 0; group < kVariationGroupCount; ++group)
        locks.Set(static_cast<VariationGroup>(group), locks_[group]->isChecked());
    return locks;
}

int FormVary::Amount() const {
    return amount_->currentData().toInt();
}

uint64_t FormVary::TakeSeed() {
    bool number = false;
    uint64_t seed = seed_->text().trimmed().toULongLong(&number);
    if (!seedTyped_ || !number)
        seed = VariationRandom::FreshSeed();
    seedTyped_ = false;
    seed_->setText(QString::number(seed));
    return seed;
}

LiveSoundWriter& FormVary::Writer() {
    if (!writer_)
        writer_ = std::make_unique<LiveSoundWriter>(Sound(), Context().midi);
    return *writer_;
}

void FormVary::Run(SoundVariation::Operation operation) {
    if (!HasSound() || Writer().Busy())
        return;
    const bool nudge = operation != SoundVariation::Operation::Randomise;
    const std::optional<RawData> other = nudge ? Other() : std::nullopt;
    if (nudge && !other)
        return;
    SoundVariation::Request request;
    request.operation = operation;
    request.amount = Amount();
    request.locks = Locks();
    request.seed = TakeSeed();
    lastOperation_ = operation;
    Apply(session_.Run(request, Sound().EncodeRawSound(), other.value_or(RawData())));
    again_->setEnabled(true);
}

void FormVary::Again() {
    if (!HasSound() || !session_.CanRepeat() || Writer().Busy())
        return;
    seedTyped_ = false;
    Apply(session_.Again(TakeSeed()));
}

void FormVary::Apply(const RawData& result) {
    BeginStep();
    NameStep(OperationName(lastOperation_));
    Writer().Write(result);
    EndStep();
}

void FormVary::MorphPressed() {
    const std::optional<RawData> other = Other();
    if (!HasSound() || !other || Writer().Busy())
        return;
    dragging_ = true;
    BeginStep();
    NameStep(OperationName(SoundVariation::Operation::Morph));
    session_.BeginMorph(Sound().EncodeRawSound(), *other);
}

void FormVary::MorphMoved(int position) {
    Q_UNUSED(position);
    if (dragging_) {
        morphTimer_->start();
        return;
    }
    // A step by key or click on the groove: one undo step of its own.
    const std::optional<RawData> other = Other();
    if (!HasSound() || !other || Writer().Busy())
        return;
    BeginStep();
    NameStep(OperationName(SoundVariation::Operation::Morph));
    session_.BeginMorph(Sound().EncodeRawSound(), *other);
    SendMorph();
    EndStep();
}

void FormVary::SendMorph() {
    Writer().Write(session_.MorphAt(static_cast<double>(morph_->value()) / kMorphSteps, Locks()));
}

void FormVary::MorphReleased() {
    if (!dragging_)
        return;
    if (Writer().Busy()) {
        // Released from within a send: the step closes once the latest position is out.
        QTimer::singleShot(0, this, &FormVary::MorphReleased);
        return;
    }
    // The position the timer still holds goes out before the step closes.
    if (morphTimer_->isActive()) {
        morphTimer_->stop();
        SendMorph();
    }
    dragging_ = false;
    EndStep();
}
