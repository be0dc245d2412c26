#include "ui/editors/FormNodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "model/ClassNode.h"
#include "model/ClassSound.h"
#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"
#include "tables/WaveTables.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/Twips.h"
#include "windowlogic/NodeFrameLayout.h"

namespace {
constexpr int kClientWidth = 6975;
constexpr int kClientHeight = 6150;
// The Compare toggle, beneath the node frames at the right.
constexpr QRect kCompare(kClientWidth - 120 - 1200, 5640, 1200, 400);
constexpr int kMargin = 120;
// The container of the node frames.
constexpr QRect kContainer(kMargin, 1080, 6735, 4455);
constexpr int kColumnLabelTop = 250;
// Columns inside a node frame.
constexpr int kCaptionWidth = 1500;
constexpr int kDetuneLeft = 1500;
constexpr int kDetoneLeft = 3480;
constexpr int kFixedLeft = 5520;
constexpr int kBarWidth = 1200;
constexpr int kGap = 45;
constexpr int kWaveWidth = 3000;

constexpr ValueRow::Range kTransposeRange{-64, 63, 1, 12};

struct NodeRowSpec {
    const char* name;
    ValueRow::Range range;
    int left;
};
constexpr NodeRowSpec kDetune{"Detune", {-64, 63, 1, 10}, kDetuneLeft};
constexpr NodeRowSpec kDetone{"Detone", {-64, 63, 1, 12}, kDetoneLeft};

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A scroll bar and its text box side by side, centred in a row of `height` pixels.
void PlaceRow(ValueRow& row, int left, int barWidth, int height, const QWidget& scale) {
    QScrollBar& bar = *row.Bar();
    QLineEdit& text = *row.Text();
    const int x = Twips::ToPixelsX(left, scale);
    const int width = Twips::ToPixelsX(barWidth, scale);
    const int barHeight = bar.sizeHint().height();
    bar.setGeometry(x, (height - barHeight) / 2, width, barHeight);
    const int textHeight = std::min(text.sizeHint().height(), height);
    text.setGeometry(x + width + Twips::ToPixelsX(kGap, scale), (height - textHeight) / 2,
                     text.width(), textHeight);
}

// A control's name for screen readers: its column and the caption of its node's frame.
QString Labelled(const char* column, int number) {
    return QString::fromLatin1(column) + QStringLiteral(", ") + FromView(NodeCaption(number));
}

QLabel* MakeLabel(const QString& text, QWidget* parent, QPoint twips) {
    auto* label = new QLabel(text, parent);
    label->move(Twips::ToPixels(twips, *parent));
    label->adjustSize();
    return label;
}
}  // namespace

FormNodes::FormNodes(const WindowContext& context, QWidget* parent)
    : SoundEditorWindow(context, SoundEditorKind::Nodes, QStringLiteral("Node - "), parent) {
    setObjectName(QStringLiteral("FormNodes"));
    SetClientSizeTwips(kClientWidth, kClientHeight);
    BuildTop();
    auto* container = new QGroupBox(QStringLiteral("Nodes"), this);
    container->setObjectName(QStringLiteral("FrameNodes"));
    container->setGeometry(Twips::ToPixels(kContainer, *this));
    container_ = container;
    MakeLabel(QStringLiteral("Detune"), container, {kMargin + kDetuneLeft, kColumnLabelTop});
    MakeLabel(QStringLiteral("Detone"), container, {kMargin + kDetoneLeft, kColumnLabelTop});
    for (int number = 0; number < kNodeNumberCount; ++number)
        BuildNodeFrame(number, container);
    CompareButton()->setGeometry(Twips::ToPixels(kCompare, *this));
}

FormNodes::~FormNodes() {
    ReleaseFocus();
}

void FormNodes::BuildTop() {
    const int rowTop = 360;
    const int rowHeight = Twips::ToPixelsY(380, *this);
    MakeLabel(QStringLiteral("Transpose"), this, {kMargin, 100});
    auto* transposeArea = new QWidget(this);
    transposeArea->setGeometry(Twips::ToPixels(QRect(kMargin, rowTop, 3000, 380), *this));
    transpose_ = new ValueRow(QStringLiteral("Transpose"), kTransposeRange, transposeArea);
    transpose_->Bind([this] { return HasSound() ? Sound().Transpose() : 0; },
                     [this] {
                         return SoundWriter(transpose_, [](ClassSound& sound, int value) {
                             sound.SetTranspose(static_cast<int16_t>(value));
                         });
                     });
    transpose_->SetLabel(QStringLiteral("Transpose"));
    PlaceRow(*transpose_, 0, 2200, rowHeight, *this);

    const int algorithmLeft = 3480;
    MakeLabel(QStringLiteral("Algorithm"), this, {algorithmLeft, 100});
    auto* list = new QComboBox(this);
    list->setObjectName(QStringLiteral("ComboAlgorithm"));
    list->setAccessibleName(QStringLiteral("Algorithm"));
    for (int algorithm = 0; algorithm < kAlgorithmCount; ++algorithm)
        list->addItem(FromView(AlgorithmName(algorithm)));
    list->setGeometry(Twips::ToPixelsX(algorithmLeft, *this),
                      Twips::ToPixelsY(rowTop, *this) + (rowHeight - list->sizeHint().height()) / 2,
                      Twips::ToPixelsX(kClientWidth - kMargin - algorithmLeft, *this),
                      list->sizeHint().height());
    // An algorithm change rebuilds the sound's nodes and raises DataChanged, which reloads us.
    algorithm_ = new ListBinding(
        *list, [this] { return HasSound() ? Sound().Algorithm() : -1; },
        [this, list] {
            return SoundWriter(list, [](ClassSound& sound, int index) {
                sound.SetAlgorithm(static_cast<int16_t>(index));
            });
        });
}

void FormNodes::BuildNodeFrame(int number, QWidget* container) {
    NodeFrame& frame = frames_[static_cast<size_t>(number)];
    frame.frame = new QWidget(container);
    frame.frame->setObjectName(QStringLiteral("FrameNode_%1").arg(number));
    frame.frame->resize(
        Twips::ToPixels(QSize(NodeFrameLayout::kWidthTwips, NodeFrameLayout::kRowTwips), *this));
    auto* caption = new QLabel(FromView(NodeCaption(number)), frame.frame);
    caption->setObjectName(QStringLiteral("LabelNode_%1").arg(number));
    caption->setGeometry(0, 0, Twips::ToPixelsX(kCaptionWidth, *this), frame.frame->height());
    frame.frame->hide();
    switch (NodeType(number)) {
        case kNodeTuned:
            BuildTunedControls(number);
            break;
        case kNodeWave:
            BuildWaveControls(number);
            break;
        default:
            break;
    }
}

void FormNodes::BuildTunedControls(int number) {
    NodeFrame& frame = frames_[static_cast<size_t>(number)];
    const int height = frame.frame->height();
    auto makeRow = [&](const NodeRowSpec& spec, Getter get, Setter set) {
        auto* row = new ValueRow(QString::fromLatin1(spec.name), spec.range, frame.frame, number);
        row->Bind([this, number, get] { return ReadNode(number, get); },
                  [this, number, set, row] { return NodeWriter(row, number, set); });
        row->SetLabel(Labelled(spec.name, number));
        PlaceRow(*row, spec.left, kBarWidth, height, *this);
        return row;
    };
    frame.detune = makeRow(kDetune, &ClassNode::Detune, &ClassNode::SetDetune);
    frame.detone = makeRow(kDetone, &ClassNode::Detone, &ClassNode::SetDetone);

    frame.fixed = new QCheckBox(QStringLiteral("Fixed"), frame.frame);
    frame.fixed->setObjectName(QStringLiteral("CheckFixed_%1").arg(number));
    frame.fixed->setAccessibleName(Labelled("Fixed", number));
    const int boxHeight = frame.fixed->sizeHint().height();
    frame.fixed->setGeometry(Twips::ToPixelsX(kFixedLeft, *this), (height - boxHeight) / 2,
                             Twips::ToPixelsX(NodeFrameLayout::kWidthTwips - kFixedLeft, *this),
                             boxHeight);
    // clicked comes from the user only; a refresh sets the box without it.
    connect(frame.fixed, &QCheckBox::clicked, this,
            [this, number](bool checked) { OnFixedClicked(number, checked); });
}

void FormNodes::BuildWaveControls(int number) {
    NodeFrame& frame = frames_[static_cast<size_t>(number)];
    auto* list = new QComboBox(frame.frame);
    list->setObjectName(QStringLiteral("ComboWaveselect_%1").arg(number));
    list->setAccessibleName(Labelled("Wave", number));
    for (std::string_view name : kNodeWaveNames)
        list->addItem(FromView(name));
    const int height = list->sizeHint().height();
    list->setGeometry(Twips::ToPixelsX(kDetuneLeft, *this), (frame.frame->height() - height) / 2,
                      Twips::ToPixelsX(kWaveWidth, *this), height);
    frame.wave = new ListBinding(
        *list, [this, number] { return ReadNode(number, &ClassNode::Wave); },
        [this, number, list] { return NodeWriter(list, number, &ClassNode::SetWave); });
}

void FormNodes::LoadSound() {
    transpose_->Refresh();
    algorithm_->Refresh();
    for (NodeFrame& frame : frames_)
        frame.tag = -1;
    ClassSound& sound = Sound();
    for (int position = 0; position < sound.NodeCount(); ++position) {
        const int number = sound.Node(position)->NodeNumber();
        if (number >= 0 && number < kNodeNumberCount)
            frames_[static_cast<size_t>(number)].tag = position;
    }
    // Hidden frames are refreshed too, so text typed into them is settled now and not when
    // their node comes back.
    for (int number = 0; number < kNodeNumberCount; ++number)
        LoadFrame(number);
    ChainTabOrder();
}

void FormNodes::LoadFrame(int number) {
    NodeFrame& frame = frames_[static_cast<size_t>(number)];
    if (frame.detune != nullptr)
        frame.detune->Refresh();
    if (frame.detone != nullptr)
        frame.detone->Refresh();
    const ClassNode* node = NodeOfFrame(number);
    if (frame.fixed != nullptr)
        frame.fixed->setChecked(node != nullptr && node->Fixed());
    if (frame.wave != nullptr)
        frame.wave->Refresh();
    if (node == nullptr) {
        frame.frame->hide();
        return;
    }
    frame.frame->move(Twips::ToPixels(
        QPoint(NodeFrameLayout::kLeftTwips, NodeFrameLayout::TopTwips(frame.tag)), *this));
    frame.frame->show();
}

void FormNodes::ChainTabOrder() {
    QWidget* previous = algorithm_ != nullptr ? &algorithm_->List() : nullptr;
    QWidget::setTabOrder(transpose_->Bar(), transpose_->Text());
    QWidget::setTabOrder(transpose_->Text(), previous);
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int position = 0; position < Sound().NodeCount(); ++position) {
        const int number = Sound().Node(position)->NodeNumber();
        if (number < 0 || number >= kNodeNumberCount)
            continue;
        const NodeFrame& frame = frames_[static_cast<size_t>(number)];
        for (ValueRow* row : {frame.detune, frame.detone}) {
            if (row != nullptr) {
                chain(row->Bar());
                chain(row->Text());
            }
        }
        if (frame.fixed != nullptr)
            chain(frame.fixed);
        if (frame.wave != nullptr)
            chain(&frame.wave->List());
    }
}

ClassNode* FormNodes::NodeOfFrame(int number) const {
    if (!HasSound() || number < 0 || number >= kNodeNumberCount)
        return nullptr;
    return NodeAt(Sound(), frames_[static_cast<size_t>(number)].tag, number);
}

SoundEditorWindow::Writer FormNodes::NodeWriter(const QObject* control, int number, Setter set) {
    if (NodeOfFrame(number) == nullptr)
        return {};
    const int position = frames_[static_cast<size_t>(number)].tag;
    return SoundWriter(control, [number, position, set](ClassSound& sound, int value) {
        if (ClassNode* node = NodeAt(sound, position, number))
            (node->*set)(static_cast<int16_t>(value));
    });
}

int FormNodes::ReadNode(int number, Getter get) const {
    const ClassNode* node = NodeOfFrame(number);
    return node != nullptr ? (node->*get)() : 0;
}

void FormNodes::OnFixedClicked(int number, bool checked) {
    if (Refreshing() || NodeOfFrame(number) == nullptr)
        return;
    const int position = frames_[static_cast<size_t>(number)].tag;
    WriteSound(frames_[static_cast<size_t>(number)].fixed,
               [number, position, checked](ClassSound& sound) {
                   if (ClassNode* node = NodeAt(sound, position, number))
                       node->SetFixed(checked);
               });
}

ClassNode* FormNodes::NodeAt(ClassSound& sound, int position, int number) {
    // The sound may have rebuilt its nodes since the frame was shown.
    if (position < 0 || position >= sound.NodeCount())
        return nullptr;
    ClassNode* node = sound.Node(position);
    return node != nullptr && node->NodeNumber() == number ? node : nullptr;
}
