#include "ui/editors/FormModulation.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "midi/ModuleGlobals.h"
#include "model/ClassModulation.h"
#include "model/ClassSound.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/RefreshGuard.h"
#include "ui/widgets/Twips.h"

namespace {
constexpr int kClientWidth = 4590;
constexpr int kClientHeight = 4125;
constexpr int kBarWidth = 1500;
constexpr ValueRow::Range kKeyBreakRange{0, 78, 1, 12};
constexpr ValueRow::Range kDepthRange{-128, 127, 1, 10};
constexpr int kKeyBreakStart = 24;

struct DepthRow {
    const char* name;
    const char* label;
    int16_t (ClassModulation::*get)() const;
    void (ClassModulation::*set)(int16_t);
};
constexpr std::array<DepthRow, 5> kDepthTable{{
    {"Depth", "Key Depth", &ClassModulation::KeyDepth, &ClassModulation::SetKeyDepth},
    {"Velocity", "Velocity", &ClassModulation::Velocity, &ClassModulation::SetVelocity},
    {"Aftertouch", "Aftertouch", &ClassModulation::AfterTouch, &ClassModulation::SetAfterTouch},
    {"Controller", "Controller", &ClassModulation::Controller, &ClassModulation::SetController},
    {"Wheel", "Mod Wheel", &ClassModulation::ModWheel, &ClassModulation::SetModWheel},
}};
}  // namespace

FormModulation::FormModulation(const WindowContext& context, QWidget* parent)
    : SoundEditorWindow(context, SoundEditorKind::Modulation, QStringLiteral("Modulation - "),
                        parent) {
    setObjectName(QStringLiteral("FormModulation"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabStrip"));
    for (int tab = 1; tab <= ClassSound::kModulations; ++tab)
        tabs_->addTab(QString::number(tab));
    layout->addWidget(tabs_);
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(page);
    layout->addWidget(CompareButton(), 0, Qt::AlignRight);
    auto* grid = new QGridLayout(page);
    const int barWidth = Twips::ToPixelsX(kBarWidth, *this);
    int line = 0;
    auto addLabel = [&](const QString& text) { grid->addWidget(new QLabel(text, page), line, 0); };

    addLabel(QStringLiteral("Destination"));
    QComboBox* destinations = MakeDestinationList(QStringLiteral("ComboDestination"), page);
    destinations->setAccessibleName(QStringLiteral("Destination"));
    grid->addWidget(destinations, line++, 1, 1, 2);
    destination_ = new ListBinding(
        *destinations, [this] { return Shown() != nullptr ? Shown()->Destination() : -1; },
        [this, destinations] {
            return EntryWriter(destinations, &ClassModulation::SetDestination);
        });

    addLabel(QStringLiteral("Key Break"));
    keyBreak_ = new ValueRow(QStringLiteral("KeyBreak"), kKeyBreakRange, page);
    keyBreak_->SetLabel(QStringLiteral("Key Break"));
    keyBreak_->ShowAs([](int note) { return QString::fromStdString(NoteName(note)); });
    keyBreak_->Show(kKeyBreakStart);
    keyBreak_->Bind([this] { return Shown() != nullptr ? Shown()->KeyBreak() : 0; },
                    [this] { return EntryWriter(keyBreak_, &ClassModulation::SetKeyBreak); });
    keyBreak_->Bar()->setMinimumWidth(barWidth);
    grid->addWidget(keyBreak_->Bar(), line, 1);
    grid->addWidget(keyBreak_->Text(), line, 2);
    auto* directions = new QComboBox(page);
    directions->setObjectName(QStringLiteral("ComboKeyBreak"));
    directions->setAccessibleName(QStringLiteral("Key Break direction"));
    directions->addItems({QStringLiteral("Left To Right"), QStringLiteral("Right To Left")});
    grid->addWidget(directions, line++, 3);
    direction_ = new ListBinding(
        *directions, [this] { return Shown() != nullptr && Shown()->KeyRightToLeft() ? 1 : 0; },
        [this, directions] {
            return RecordWriter(directions, &ClassSound::Modulation, shownTab_,
                                [](ClassModulation& modulation, int index) {
                                    modulation.SetKeyRightToLeft(index != 0);
                                });
        });

    for (size_t i = 0; i < kDepthTable.size(); ++i) {
        const DepthRow& spec = kDepthTable[i];
        addLabel(QString::fromLatin1(spec.label));
        auto* row = new ValueRow(QString::fromLatin1(spec.name), kDepthRange, page);
        row->SetLabel(QString::fromLatin1(spec.label));
        const auto get = spec.get;
        const auto set = spec.set;
        row->Bind([this, get] { return Shown() != nullptr ? (Shown()->*get)() : 0; },
                  [this, set, row] { return EntryWriter(row, set); });
        row->Bar()->setMinimumWidth(barWidth);
        grid->addWidget(row->Bar(), line, 1);
        grid->addWidget(row->Text(), line++, 2);
        depths_[i] = row;
    }
    grid->setRowStretch(line, 1);
    grid->setColumnStretch(1, 1);

    setTabOrder(destinations, keyBreak_->Bar());
    setTabOrder(keyBreak_->Bar(), directions);
    QWidget* previous = directions;
    for (ValueRow* row : depths_) {
        setTabOrder(previous, row->Bar());
        setTabOrder(row->Bar(), row->Text());
        previous = row->Text();
    }
    connect(tabs_, &QTabBar::currentChanged, this, &FormModulation::LoadTab);
    SetClientSizeTwips(kClientWidth, kClientHeight);
}

FormModulation::~FormModulation() {
    ReleaseFocus();
}

void FormModulation::LoadSound() {
    // A refresh returns the window to the first entry.
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(0);
    }
    LoadTab(0);
}

void FormModulation::LoadTab(int tab) {
    const RefreshGuard guard(RefreshingFlag());
    shownTab_ = tab;
    destination_->Refresh();
    keyBreak_->Refresh();
    direction_->Refresh();
    for (ValueRow* row : depths_)
        row->Refresh();
}

ClassModulation* FormModulation::Shown() const {
    return HasSound() ? Sound().Modulation(shownTab_) : nullptr;
}

SoundEditorWindow::Writer FormModulation::EntryWriter(const QObject* control, Setter set) {
    return RecordWriter(control, &ClassSound::Modulation, shownTab_,
                        [set](ClassModulation& modulation, int value) {
                            (modulation.*set)(static_cast<int16_t>(value));
                        });
}
