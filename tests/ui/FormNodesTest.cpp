#include <QLabel>
#include <QListView>
#include <QSpinBox>
#include <QUndoStack>
#include <QWheelEvent>

#include "EditorFixture.h"
#include "ui/common/EditHistory.h"
#include "ui/editors/FormEnvelope.h"
#include "ui/editors/FormLfo.h"
#include "ui/editors/FormModulation.h"
#include "ui/editors/FormNodes.h"
#include "ui/widgets/Twips.h"

namespace {
constexpr int kNode = SoundLayout::kNodeBase;
constexpr int kWaves1 = 12;  // nodes 0, 1, 2, 4, 5, 6, 8, 9, 10
constexpr int kVosim = 25;   // nodes 0, 16, 22, 4

bool IsParameterChange(const WireMessage& message) {
    return message.size() > 5 && (message[5] >> 4) == 0;
}
}  // namespace

class FormNodesTest : public EditorFixture {};

TEST_F(FormNodesTest, RowsStandInNodeOrderAndEachControlSendsItsOwnByte) {
    sound->SetAlgorithm(kWaves1);
    Sent();
    auto window = Open<FormNodes>();
    EXPECT_TRUE(Sent().empty());

    const std::vector<int> numbers{0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int number = 0; number < kNodeNumberCount; ++number) {
        auto* frame = Find<QWidget>(*window, QStringLiteral("FrameNode_%1").arg(number));
        const auto at = std::find(numbers.begin(), numbers.end(), number);
        ASSERT_EQ(frame->isVisible(), at != numbers.end()) << number;
        if (at != numbers.end()) {
            EXPECT_EQ(frame->y(), Twips::ToPixelsY(480 + 380 * (at - numbers.begin()), *window));
        }
    }
    EXPECT_EQ(Find<QLabel>(*window, "LabelNode_0")->text(), "Oscilator 1");
    EXPECT_EQ(Find<QLabel>(*window, "LabelNode_8")->text(), "Waveselect 1");
    EXPECT_EQ(Find<QCheckBox>(*window, "CheckFixed_19")->text(), "Fixed");

    auto* detune = Find<QScrollBar>(*window, "FlatScrollBarDetune_1");
    detune->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Find<QLineEdit>(*window, "TextDetune_1")->text(), "1");
    auto* fixed = Find<QCheckBox>(*window, "CheckFixed_2");
    QTest::mouseClick(fixed, Qt::LeftButton);
    PickNext(Find<QComboBox>(*window, "ComboWaveselect_8"));
    Type(Find<QLineEdit>(*window, "TextTranspose"), "5");
    EXPECT_EQ(Sent(), Changes({{kNode + 2, 1},
                               {kNode + 5, 64 | 0x80},
                               {kNode + 12, 1},
                               {kNode + 13, 0},
                               {SoundLayout::kTranspose, 5}}));

    // The wheel over a list or scroll bar without the focus changes nothing.
    for (QWidget* target :
         std::initializer_list<QWidget*>{detune, Find<QComboBox>(*window, "ComboAlgorithm")}) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
    EXPECT_EQ(detune->value(), 1);
    EXPECT_EQ(sound->Algorithm(), kWaves1);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FormNodesTest, TypedTextIsReadByTheNumberRule) {
    sound->SetAlgorithm(0);
    Sent();
    auto window = Open<FormNodes>();
    auto* text = Find<QLineEdit>(*window, "TextDetune_0");
    const std::vector<std::pair<QString, int>> entries{
        {"-100", -64}, {"12abc", 12}, {"2.5", 2}, {"3.5", 4}, {"7", 7}};
    for (const auto& [typed, value] : entries) {
        Type(text, typed);
        EXPECT_EQ(text->text(), QString::number(value)) << typed.toStdString();
        EXPECT_EQ(Sent(), Changes({{kNode, value}})) << typed.toStdString();
    }
    // The value the row holds already, typed differently: nothing is sent, the typing stays.
    Type(text, "07");
    EXPECT_EQ(text->text(), "07");
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(sound->Node(0)->Detune(), 7);
    // Text without a number is a slip, not 0: the value is shown again and nothing is sent.
    for (const QString& slip : {QStringLiteral("abc"), QString(), QStringLiteral("-")}) {
        Type(text, slip);
        EXPECT_EQ(text->text(), "7") << slip.toStdString();
    }
    Type(Find<QLineEdit>(*window, "TextTranspose"), "x");
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(sound->Node(0)->Detune(), 7);
}

TEST_F(FormNodesTest, ARefreshShowsTheSoundSendsNothingAndKeepsWhatItCannotShow) {
    sound->SetAlgorithm(0);
    auto window = Open<FormNodes>();
    Sent();
    ReloadFromSynth([](RawData& raw) {
        raw[kNode] = 256 - 100;  // detune -100: outside the row
        raw[SoundLayout::kTranspose] = 10;
    });
    WireMessages sent = Sent();
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), IsParameterChange));
    EXPECT_EQ(Find<QLineEdit>(*window, "TextDetune_0")->text(), "-64");
    EXPECT_EQ(Find<QScrollBar>(*window, "FlatScrollBarTranspose")->value(), 10);
    EXPECT_EQ(sound->Node(0)->Detune(), -100);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString("Node - " + sound->Name()));

    // Moving another row leaves the clamped one alone.
    const int detune = sound->Node(1)->Detune();
    Find<QScrollBar>(*window, "FlatScrollBarDetune_1")
        ->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Sent(), Changes({{kNode + 2, detune - 1}}));
    EXPECT_EQ(sound->Node(0)->Detune(), -100);
    EXPECT_EQ(driver.Synth().Sound(kSlot)[kNode], 256 - 100);

    // An algorithm without an entry shows none and stays.
    ReloadFromSynth([](RawData& raw) { raw[SoundLayout::kAlgorithm] = 30; });
    sent = Sent();

    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), IsParameterChange));
    EXPECT_EQ(Find<QComboBox>(*window, "ComboAlgorithm")->currentIndex(), -1);
    EXPECT_EQ(sound->Algorithm(), 30);

    sound->SetName("Brass Pad");
    EXPECT_EQ(window->windowTitle(), "Node - Brass Pad");
    sound->SetName("Caf\xE9");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Node - Caf\u00E9"));
}

TEST_F(FormNodesTest, OnlyAnotherAlgorithmRebuildsTheRowsAndTypingFollowsItsNode) {
    sound->SetAlgorithm(kVosim - 1);
    auto window = Open<FormNodes>();
    Sent();
    auto* list = Find<QComboBox>(*window, "ComboAlgorithm");
    PickNext(list);
    EXPECT_EQ(sound->Algorithm(), kVosim);
    EXPECT_EQ(Sent().back(), Change(kSlot, SoundLayout::kAlgorithm, kVosim));
    EXPECT_EQ(driver.Synth().Sound(kSlot), sound->EncodeRawSound());
    EXPECT_TRUE(Find<QWidget>(*window, "FrameNode_22")->isVisible());
    EXPECT_EQ(Find<QWidget>(*window, "FrameNode_22")->y(), Twips::ToPixelsY(480 + 760, *window));
    EXPECT_FALSE(Find<QWidget>(*window, "FrameNode_1")->isVisible());

    // Picking the algorithm that is selected already sends nothing: it would reset every node.
    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_TRUE(Sent().empty());

    // Text typed for a node that an algorithm change elsewhere takes away goes nowhere.
    Type(Find<QLineEdit>(*window, "TextDetune_16"), "9");
    Sent();
    sound->SetAlgorithm(0);
    auto* text = Find<QLineEdit>(*window, "TextDetune_1");
    text->setFocus();
    QTest::keyClicks(text, "3");
    sound->SetAlgorithm(kVosim);
    const WireMessages sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), Change(kSlot, kNode + 2, 3)), 0);
    EXPECT_EQ(driver.Synth().Sound(kSlot), sound->EncodeRawSound());
    EXPECT_EQ(Find<QLineEdit>(*window, "TextDetune_16")->text(), "0");
}

TEST_F(FormNodesTest, AnAlgorithmChangeRenamesTheDestinationsOfTheOtherEditors) {
    sound->SetAlgorithm(0);
    sound->Modulation(0)->SetDestination(9);
    auto nodes = Open<FormNodes>();
    auto modulation = Open<FormModulation>();
    auto lfo = Open<FormLfo>();
    const auto items = [](const QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    QComboBox* lists[] = {Find<QComboBox>(*modulation, "ComboDestination"),
                          Find<QComboBox>(*lfo, "ComboDestination_0"),
                          Find<QComboBox>(*lfo, "ComboDestination_1")};
    EXPECT_EQ(items(lists[0]).mid(1, 10),
              QStringList({"Oscillator 1", "Oscillator 2", "Oscillator 3", "Oscillator 4",
                           "Amplifier 1", "Amplifier 2", "Amplifier 3", "Amplifier 4", ".", "."}));

    auto* algorithm = Find<QComboBox>(*nodes, "ComboAlgorithm");
    algorithm->setFocus();
    QTest::keyClicks(algorithm, "Vosim");
    ASSERT_EQ(sound->Algorithm(), kVosim);
    const QStringList expected{"Off",         "Oscillator 1",
                               "Width 1",     "Delay",
                               "Amplifier 1", ".",
                               ".",           ".",
                               ".",           ".",
                               ".",           "LFO 1 Speed",
                               "LFO 1 Depth", "LFO 2 Speed",
                               "LFO 2 Depth", "EG Rate"};
    for (QComboBox* list : lists)
        EXPECT_EQ(items(list), expected) << list->objectName().toStdString();
    EXPECT_EQ(lists[0]->currentIndex(), 9);
    EXPECT_EQ(sound->Modulation(0)->Destination(), 9);
}

TEST_F(FormNodesTest, AFocusedRowIsAValueControlAndOneGestureIsOneUndoStep) {
    sound->SetTranspose(0);
    Sent();
    auto window = Open<FormNodes>();
    auto* bar = Find<QScrollBar>(*window, "FlatScrollBarTranspose");
    const QImage plain = bar->grab().toImage();
    bar->setFocus();
    EXPECT_NE(bar->grab().toImage(), plain);  // the focus mark

    const auto wheel = [bar](int delta) {
        QWheelEvent event(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), {}, {0, delta},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &event);
    };
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_PageUp})
        QTest::keyClick(bar, key);
    QTest::keyClick(bar, Qt::Key_Home);
    wheel(120);  // one small step a notch
    QTest::keyClick(bar, Qt::Key_End);
    wheel(-120);
    auto* text = Find<QLineEdit>(*window, "TextTranspose");
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Down);
    QTest::keyClick(text, Qt::Key_PageDown);
    const int kTranspose = SoundLayout::kTranspose;
    EXPECT_EQ(Sent(), Changes({{kTranspose, 1},
                               {kTranspose, 2},
                               {kTranspose, 1},
                               {kTranspose, 13},
                               {kTranspose, -64 & 0xFF},
                               {kTranspose, -63 & 0xFF},
                               {kTranspose, 63},
                               {kTranspose, 62},
                               {kTranspose, 61},
                               {kTranspose, 49}}));
    EXPECT_EQ(text->text(), "49");

    QUndoStack& history = *library.History().SoundStack(*sound);
    ASSERT_EQ(history.count(), 1);
    history.undo();
    EXPECT_EQ(Sent(), Changes({{kTranspose, 0}}));
}

TEST_F(FormNodesTest, EveryControlOfTheEditorsIsNamedAfterItsLabel) {
    sound->SetAlgorithm(kWaves1);
    std::vector<std::unique_ptr<QWidget>> editors;
    editors.push_back(Open<FormNodes>());
    editors.push_back(Open<FormLfo>());
    editors.push_back(Open<FormModulation>());
    editors.push_back(Open<FormEnvelope>());
    for (const auto& editor : editors) {
        for (QWidget* control : editor->findChildren<QWidget*>()) {
            const bool value = qobject_cast<QAbstractSlider*>(control) != nullptr ||
                               qobject_cast<QLineEdit*>(control) != nullptr ||
                               qobject_cast<QComboBox*>(control) != nullptr ||
                               qobject_cast<QAbstractSpinBox*>(control) != nullptr ||
                               qobject_cast<QCheckBox*>(control) != nullptr;
            // The text line inside a spin box belongs to the spin box.
            if (value && qobject_cast<QAbstractSpinBox*>(control->parentWidget()) == nullptr) {
                EXPECT_FALSE(control->accessibleName().isEmpty())
                    << control->objectName().toStdString();
            }
        }
    }
    const auto labelled = [&](const QString& label) {
        QStringList names;
        for (QWidget* control : editors[0]->findChildren<QWidget*>())
            if (control->accessibleName() == label)
                names << control->objectName();
        return names;
    };
    EXPECT_EQ(labelled("Detune, Oscilator 2"),
              QStringList({"FlatScrollBarDetune_1", "TextDetune_1"}));
    EXPECT_EQ(labelled("Wave, Waveselect 1"), QStringList({"ComboWaveselect_8"}));
    EXPECT_EQ(editors[3]->findChild<QSpinBox*>("UpDownRate_2")->accessibleName(), "Rate, Point 3");
}
