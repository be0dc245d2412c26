#include "ui/editors/FormLfo.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "midi/ModuleGlobals.h"
#include "model/ClassSound.h"
#include "tables/WaveTables.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/RefreshGuard.h"
#include "ui/widgets/Twips.h"
#include "ui/widgets/ValueRow.h"

namespace {
constexpr int kClientWidth = 6270;
constexpr int kClientHeight = 4215;
constexpr int kBarWidth = 1200;
constexpr ValueRow::Range kSignedRange{-64, 63, 1, 10};
constexpr ValueRow::Range kDepthRange{0, 127, 1, 10};

// Delay and speed are kept as their stored byte; the rows show and set them signed.
struct SignedRow {
    const char* name;
    const char* label;
    int16_t (ClassLFO::*get)() const;
    void (ClassLFO::*set)(int16_t);
};
constexpr std::array<SignedRow, 2> kSignedRows{{
    {"Delay", "Delay", &ClassLFO::Delay, &ClassLFO::SetDelay},
    {"Speed", "Speed", &ClassLFO::Rate, &ClassLFO::SetRate},
}};
}  // namespace

FormLfo::FormLfo(const WindowContext& context, QWidget* parent)
    : SoundEditorWindow(context, SoundEditorKind::Lfo, QStringLiteral("LFO - "), parent) {
    setObjectName(QStringLiteral("FormLfo"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabStrip"));
    for (int tab = 1; tab <= ClassSound::kLfos; ++tab)
        tabs_->addTab(QString::number(tab));
    layout->addWidget(tabs_);
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(page);
    layout->addWidget(CompareButton(), 0, Qt::AlignRight);
    auto* frames = new QHBoxLayout(page);
    frames->addWidget(BuildSource(page));
    frames->addWidget(BuildDestinations(page));
    connect(tabs_, &QTabBar::currentChanged, this, &FormLfo::LoadTab);
    SetClientSizeTwips(kClientWidth, kClientHeight);
}

FormLfo::~FormLfo() {
    ReleaseFocus();
}

QWidget* FormLfo::BuildSource(QWidget* parent) {
    auto* frame = new QGroupBox(QStringLiteral("Source"), parent);
    frame->setObjectName(QStringLiteral("FrameSource"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Wave"), frame), 0, 0);
    auto* waves = new QComboBox(frame);
    waves->setObjectName(QStringLiteral("ComboWave"));
    waves->setAccessibleName(QStringLiteral("Wave"));
    for (std::string_view name : kLfoWaveNames)
        waves->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    grid->addWidget(waves, 0, 1, 1, 2);
    wave_ = new ListBinding(
        *waves, [this] { return Shown() != nullptr ? Shown()->Wave() : -1; },
        [this, waves] {
            return LfoWriter(
                waves, [](ClassLFO& lfo, int value) { lfo.SetWave(static_cast<int16_t>(value)); });
        });
    QWidget* previous = waves;
    int line = 1;
    for (const SignedRow& spec : kSignedRows) {
        grid->addWidget(new QLabel(QString::fromLatin1(spec.label), frame), line, 0);
        auto* row = new ValueRow(QString::fromLatin1(spec.name), kSignedRange, frame);
        row->SetLabel(QString::fromLatin1(spec.label));
        const auto get = spec.get;
        const auto set = spec.set;
        row->Bind(
            [this, get] { return Shown() != nullptr ? SignedFromByte((Shown()->*get)()) : 0; },
            [this, set, row] {
                return LfoWriter(row, [set](ClassLFO& lfo, int value) {
                    (lfo.*set)(static_cast<int16_t>(value));
                });
            });
        row->Bar()->setMinimumWidth(Twips::ToPixelsX(kBarWidth, *this));
        grid->addWidget(row->Bar(), line, 1);
        grid->addWidget(row->Text(), line++, 2);
        setTabOrder(previous, row->Bar());
        setTabOrder(row->Bar(), row->Text());
        previous = row->Text();
        (spec.get == &ClassLFO::Delay ? delay_ : speed_) = row;
    }
    grid->setRowStretch(line, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* FormLfo::BuildDestinations(QWidget* parent) {
    auto* frame = new QGroupBox(QStringLiteral("Destination"), parent);
    frame->setObjectName(QStringLiteral("FrameDestination"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Node"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Depth"), frame), 0, 2);
    QWidget* previous = speed_ != nullptr ? speed_->Text() : nullptr;
    for (int slot = 0; slot < ClassLFO::kSlots; ++slot) {
        const int line = slot + 1;
        grid->addWidget(new QLabel(QString::number(slot + 1), frame), line, 0);
        QComboBox* list =
            MakeDestinationList(QStringLiteral("ComboDestination_%1").arg(slot), frame);
        list->setAccessibleName(QStringLiteral("Node, Destination %1").arg(slot + 1));
        grid->addWidget(list, line, 1);
        destinations_[static_cast<size_t>(slot)] = new ListBinding(
            *list,
            [this, slot] { return Shown() != nullptr ? Shown()->DestinationNode(slot) : -1; },
            [this, slot, list] {
                return LfoWriter(list, [slot](ClassLFO& lfo, int value) {
                    lfo.SetDestinationNode(slot, static_cast<int16_t>(value));
                });
            });
        auto* row = new ValueRow(QStringLiteral("Depth"), kDepthRange, frame, slot);
        row->SetLabel(QStringLiteral("Depth, Destination %1").arg(slot + 1));
        row->Bind([this, slot] { return Shown() != nullptr ? Shown()->DestinationDepth(slot) : 0; },
                  [this, slot, row] {
                      return LfoWriter(row, [slot](ClassLFO& lfo, int value) {
                          lfo.SetDestinationDepth(slot, static_cast<int16_t>(value));
                      });
                  });
        row->Bar()->setMinimumWidth(Twips::ToPixelsX(kBarWidth * 2 / 3, *this));
        grid->addWidget(row->Bar(), line, 2);
        grid->addWidget(row->Text(), line, 3);
        depths_[static_cast<size_t>(slot)] = row;
        if (previous != nullptr)
            setTabOrder(previous, list);
        setTabOrder(list, row->Bar());
        setTabOrder(row->Bar(), row->Text());
        previous = row->Text();
    }
    grid->setRowStretch(ClassLFO::kSlots + 1, 1);
    grid->setColumnStretch(2, 1);
    return frame;
}

void FormLfo::LoadSound() {
    // A refresh returns the window to the first LFO.
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(0);
    }
    LoadTab(0);
}

void FormLfo::LoadTab(int tab) {
    const RefreshGuard guard(RefreshingFlag());
    shownTab_ = tab;
    wave_->Refresh();
    delay_->Refresh();
    speed_->Refresh();
    for (int slot = 0; slot < ClassLFO::kSlots; ++slot) {
        destinations_[static_cast<size_t>(slot)]->Refresh();
        depths_[static_cast<size_t>(slot)]->Refresh();
    }
}

ClassLFO* FormLfo::Shown() const {
    return HasSound() ? Sound().LFO(shownTab_) : nullptr;
}

SoundEditorWindow::Writer FormLfo::LfoWriter(const QObject* control,
                                             std::function<void(ClassLFO&, int)> set) {
    return RecordWriter(control, &ClassSound::LFO, shownTab_, std::move(set));
}
