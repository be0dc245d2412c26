#include "ui/editors/FormEnvelope.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "model/ClassSound.h"
#include "ui/widgets/EnvelopeGraph.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/RefreshGuard.h"
#include "ui/widgets/UpDownRow.h"
#include "ui/widgets/ValueRow.h"
#include "ui/widgets/WheelGuard.h"

namespace {
constexpr int kClientWidth = 6390;
constexpr int kClientHeight = 7125;
constexpr int kTabs = ClassSound::kEnvelopes;
constexpr ValueRow::Range kDepthRange{0, 127, 1, 10};

QString Indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// Keeps a control's place in its layout while it is hidden, so the columns do not move when
// the end point changes.
void KeepPlaceWhenHidden(QWidget& widget) {
    QSizePolicy policy = widget.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget.setSizePolicy(policy);
}
}  // namespace

FormEnvelope::FormEnvelope(const WindowContext& context, QWidget* parent)
    : SoundEditorWindow(context, SoundEditorKind::Envelopes, QStringLiteral("Envelope - "),
                        parent) {
    setObjectName(QStringLiteral("FormEnvelope"));
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabStrip"));
    for (int t = 1; t <= kTabs; ++t)
        tabs_->addTab(QString::number(t));
    tabs_->setExpanding(false);

    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(BuildGraphFrame());
    pageLayout->addWidget(BuildPointFrame());
    pageLayout->addWidget(BuildDestinationFrame());

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(page, 1);
    layout->addWidget(CompareButton(), 0, Qt::AlignRight);
    BindRows();
    SetClientSizeTwips(kClientWidth, kClientHeight);

    connect(tabs_, &QTabBar::currentChanged, this, &FormEnvelope::OnTabChanged);
    connect(graph_, &EnvelopeGraph::DragStarted, this, &FormEnvelope::OnDragStarted);
    connect(graph_, &EnvelopeGraph::DragMoved, this, &FormEnvelope::OnDragMoved);
    connect(graph_, &EnvelopeGraph::DragFinished, this, &FormEnvelope::OnDragFinished);
}

FormEnvelope::~FormEnvelope() {
    ReleaseFocus();
    // The graph outlives this part of the window while its children are deleted; a drag it
    // ends then has no window left to write it.
    disconnect(graph_, nullptr, this, nullptr);
}

QWidget* FormEnvelope::BuildGraphFrame() {
    auto* frame = new QGroupBox(this);
    graph_ = new EnvelopeGraph(frame);

    comboSustain_ = new QComboBox(frame);
    comboSustain_->setObjectName(QStringLiteral("ComboSustain"));
    comboSustain_->setAccessibleName(QStringLiteral("Sustain"));
    comboSustain_->addItems({QStringLiteral("off"), QStringLiteral("1"), QStringLiteral("2"),
                             QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    comboEnd_ = new QComboBox(frame);
    comboEnd_->setObjectName(QStringLiteral("ComboEnd"));
    comboEnd_->setAccessibleName(QStringLiteral("End"));
    for (int p = 1; p <= kPoints; ++p)
        comboEnd_->addItem(QString::number(p));
    IgnoreWheelUnlessFocused(*comboSustain_);
    IgnoreWheelUnlessFocused(*comboEnd_);
    zoom_ = new QScrollBar(Qt::Horizontal, frame);
    zoom_->setObjectName(QStringLiteral("FlatScrollBarZoom"));
    zoom_->setAccessibleName(QStringLiteral("Zoom"));
    zoom_->setRange(6, 60);
    zoom_->setSingleStep(1);
    zoom_->setPageStep(5);
    zoom_->setValue(kZoomOnRefresh);
    IgnoreWheelUnlessFocused(*zoom_);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Sustain"), frame));
    controls->addWidget(comboSustain_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("End"), frame));
    controls->addWidget(comboEnd_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("Zoom"), frame));
    controls->addWidget(zoom_, 1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(graph_, 1);
    layout->addLayout(controls);

    connect(comboEnd_, &QComboBox::activated, this, &FormEnvelope::OnEndPicked);
    connect(comboSustain_, &QComboBox::activated, this, &FormEnvelope::OnSustainPicked);
    connect(zoom_, &QScrollBar::valueChanged, this, [this] {
        if (!Refreshing())
            DrawEnvelope();
    });
    return frame;
}

QWidget* FormEnvelope::BuildPointFrame() {
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Rate"), frame), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Level"), frame), 2, 0);
    for (int i = 0; i < kPoints; ++i) {
        stageLabels_[i] = Caption(QString::number(i + 1), frame);
        stageLabels_[i]->setObjectName(Indexed("LabelStage", i));
        rates_[i] = new UpDownRow(QStringLiteral("Rate"), 0, 127, frame, i);
        levels_[i] = new UpDownRow(QStringLiteral("Level"), 0, 127, frame, i);
        rates_[i]->SetLabel(QStringLiteral("Rate, Point %1").arg(i + 1));
        levels_[i]->SetLabel(QStringLiteral("Level, Point %1").arg(i + 1));
        KeepPlaceWhenHidden(*stageLabels_[i]);
        for (UpDownRow* row : {rates_[i], levels_[i]}) {
            KeepPlaceWhenHidden(*row->UpDown());
            KeepPlaceWhenHidden(*row->Text());
        }
        const int column = 1 + 2 * i;
        grid->addWidget(stageLabels_[i], 0, column, 1, 2);
        grid->addWidget(rates_[i]->Text(), 1, column);
        grid->addWidget(rates_[i]->UpDown(), 1, column + 1);
        grid->addWidget(levels_[i]->Text(), 2, column);
        grid->addWidget(levels_[i]->UpDown(), 2, column + 1);
        grid->setColumnMinimumWidth(column + 1, 0);
    }
    grid->setHorizontalSpacing(2);
    return frame;
}

QWidget* FormEnvelope::BuildDestinationFrame() {
    auto* frame = new QGroupBox(QStringLiteral("Destination"), this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(Caption(QStringLiteral("Node"), frame), 0, 1);
    grid->addWidget(Caption(QStringLiteral("Depth"), frame), 0, 2, 1, 2);
    for (int k = 0; k < kSlots; ++k) {
        destinations_[k] = MakeDestinationList(Indexed("ComboDestination", k), frame);
        depths_[k] = new ValueRow(QStringLiteral("Depth"), kDepthRange, frame, k);
        destinations_[k]->setAccessibleName(QStringLiteral("Node, Destination %1").arg(k + 1));
        depths_[k]->SetLabel(QStringLiteral("Depth, Destination %1").arg(k + 1));
        grid->addWidget(new QLabel(QString::number(k + 1), frame), k + 1, 0);
        grid->addWidget(destinations_[k], k + 1, 1);
        grid->addWidget(depths_[k]->Bar(), k + 1, 2);
        grid->addWidget(depths_[k]->Text(), k + 1, 3);
    }
    grid->setColumnStretch(2, 1);
    return frame;
}

void FormEnvelope::BindRows() {
    for (int i = 0; i < kPoints; ++i) {
        // No write while an anchor drag holds the values back.
        rates_[i]->SetTarget([this, i]() -> Writer {
            if (dragging_)
                return {};
            return RecordWriter(rates_[i], &ClassSound::Envelope, shownTab_,
                                [i](ClassEnvelope& envelope, int value) {
                                    envelope.SetEnvelopeRate(i, static_cast<int16_t>(value));
                                });
        });
        levels_[i]->SetTarget([this, i]() -> Writer {
            if (dragging_)
                return {};
            return RecordWriter(levels_[i], &ClassSound::Envelope, shownTab_,
                                [i](ClassEnvelope& envelope, int value) {
                                    envelope.SetEnvelopeLevel(i, static_cast<int16_t>(value));
                                });
        });
        for (UpDownRow* row : {rates_[i], levels_[i]}) {
            connect(row, &UpDownRow::Changed, this, [this] {
                if (!Refreshing())
                    DrawEnvelope();
            });
        }
    }
    for (int k = 0; k < kSlots; ++k) {
        destinationBindings_[k] = new ListBinding(
            *destinations_[k], [this, k] { return Shown() ? Shown()->DestinationNode(k) : 0; },
            [this, k] {
                return RecordWriter(destinations_[k], &ClassSound::Envelope, shownTab_,
                                    [k](ClassEnvelope& envelope, int value) {
                                        envelope.SetDestinationNode(k, static_cast<int16_t>(value));
                                    });
            });
        depths_[k]->Bind([this, k] { return Shown() ? Shown()->DestinationDepth(k) : 0; },
                         [this, k] {
                             return RecordWriter(depths_[k], &ClassSound::Envelope, shownTab_,
                                                 [k](ClassEnvelope& envelope, int value) {
                                                     envelope.SetDestinationDepth(
                                                         k, static_cast<int16_t>(value));
                                                 });
                         });
    }
}

ClassEnvelope* FormEnvelope::Shown() const {
    return HasSound() ? Sound().Envelope(shownTab_) : nullptr;
}

void FormEnvelope::LoadSound() {
    // A drag open while the sound changes under it is written first, to the envelope it began on.
    graph_->EndDrag();
    zoom_->setValue(kZoomOnRefresh);
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(0);
    }
    LoadTab(0);
}

void FormEnvelope::OnTabChanged(int) {
    graph_->EndDrag();
    // Writing the drag paces the synth and lets events through; another tab may be chosen by
    // then, and the envelope shown must be the one of the tab selected now.
    LoadTab(tabs_->currentIndex());
}

void FormEnvelope::ApplyPendingText() {
    for (int i = 0; i < kPoints; ++i) {
        rates_[i]->ApplyPendingText();
        levels_[i]->ApplyPendingText();
    }
    for (ValueRow* depth : depths_)
        depth->ApplyPendingText();
}

void FormEnvelope::LoadTab(int tab) {
    // Numbers typed for the envelope shown until now still go to that envelope.
    ApplyPendingText();
    {
        const RefreshGuard guard(RefreshingFlag());
        shownTab_ = std::clamp(tab, 0, kTabs - 1);
        const ClassEnvelope& envelope = *Shown();
        for (int i = 0; i < kPoints; ++i) {
            rates_[i]->Show(envelope.EnvelopeRate(i));
            levels_[i]->Show(envelope.EnvelopeLevel(i));
        }
        const int endIndex = envelope.EndPoint() - 1;
        ShowEnd(endIndex);
        ShowSustain(std::min<int>(envelope.SustainPoint(), endIndex));
        for (int k = 0; k < kSlots; ++k) {
            destinationBindings_[k]->Refresh();
            depths_[k]->Refresh();
        }
    }
    DrawEnvelope();
}

// Points up to the end point show their columns and anchors; the values of the points after it
// stay readable in their boxes but take no input.
void FormEnvelope::ShowEnd(int endIndex) {
    comboEnd_->setCurrentIndex(endIndex >= 0 && endIndex < kPoints ? endIndex : -1);
    for (int i = 0; i < kPoints; ++i) {
        const bool used = i <= endIndex;
        stageLabels_[i]->setVisible(used);
        for (UpDownRow* row : {rates_[i], levels_[i]}) {
            row->UpDown()->setVisible(used);
            row->Text()->setEnabled(used);
        }
    }
    // Without an end point no sustain point can be placed before it.
    comboSustain_->setEnabled(endIndex >= 0);
}

void FormEnvelope::ShowSustain(int sustainIndex) {
    shownSustain_ = sustainIndex >= 0 ? sustainIndex : -1;
    comboSustain_->setCurrentIndex(shownSustain_);
}

void FormEnvelope::OnEndPicked(int index) {
    const ClassEnvelope* envelope = Shown();
    if (Refreshing() || envelope == nullptr || index < 0)
        return;
    if (index == envelope->EndPoint() - 1)
        return;
    ShowEnd(index);
    // The sustain point must lie before the end point. Without an end point until now the
    // stored sustain point was not shown at all.
    const int before = shownSustain_ >= 0 ? shownSustain_ : int(envelope->SustainPoint());
    const int sustain = std::min(before, index);
    ShowSustain(sustain);
    DrawEnvelope();
    // The synth and the model end up holding what the window shows: the sustain point first
    // (when it differs), then the end point.
    WriteSound(comboEnd_, [tab = shownTab_, sustain, index](ClassSound& sound) {
        ClassEnvelope* envelope = sound.Envelope(tab);
        if (envelope == nullptr)
            return;
        if (sustain != envelope->SustainPoint())
            envelope->SetSustainPoint(static_cast<int16_t>(sustain));
        envelope->SetEndPoint(static_cast<int16_t>(index + 1));
    });
}

void FormEnvelope::OnSustainPicked(int index) {
    if (Refreshing() || Shown() == nullptr || index < 0)
        return;
    if (index == shownSustain_)
        return;
    const int sustain = std::min(index, comboEnd_->currentIndex());
    ShowSustain(sustain);
    DrawEnvelope();
    if (sustain >= 0 && sustain != Shown()->SustainPoint()) {
        WriteSound(comboSustain_, [tab = shownTab_, sustain](ClassSound& sound) {
            if (ClassEnvelope* envelope = sound.Envelope(tab))
                envelope->SetSustainPoint(static_cast<int16_t>(sustain));
        });
    }
}

void FormEnvelope::DrawEnvelope() {
    EnvelopeGeometry::Shape shape;
    for (int i = 0; i < kPoints; ++i) {
        shape.rates[i] = rates_[i]->Value();
        shape.levels[i] = levels_[i]->Value();
    }
    shape.endIndex = comboEnd_->currentIndex();
    shape.sustain = std::max(comboSustain_->currentIndex(), 0);
    shape.zoom = zoom_->value();
    graph_->SetShape(shape);
}

void FormEnvelope::OnDragStarted(int point) {
    dragging_ = true;
    drag_ = {shownTab_, point, levels_[point]->Value(), rates_[point]->Value()};
}

void FormEnvelope::OnDragMoved(int point, int level, int rate) {
    if (!dragging_ || point != drag_.point)
        return;
    drag_.level = level;
    drag_.rate = rate;
    // Only redraws: the values are held back until the drag ends.
    levels_[point]->SetValue(level);
    rates_[point]->SetValue(rate);
}

void FormEnvelope::OnDragFinished(int point) {
    if (!dragging_ || point != drag_.point)
        return;
    const Drag drag = drag_;
    dragging_ = false;
    drag_ = {};
    // The whole drag is one undo step, written to the envelope it began on.
    WriteSound(graph_, [&drag](ClassSound& sound) {
        ClassEnvelope* envelope = sound.Envelope(drag.tab);
        if (envelope == nullptr)
            return;
        envelope->SetEnvelopeLevel(drag.point, static_cast<int16_t>(drag.level));
        envelope->SetEnvelopeRate(drag.point, static_cast<int16_t>(drag.rate));
    });
}

void FormEnvelope::closeEvent(QCloseEvent* event) {
    graph_->EndDrag();
    ApplyPendingText();
    SoundEditorWindow::closeEvent(event);
}
