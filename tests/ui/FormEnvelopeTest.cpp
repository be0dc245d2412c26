#include <QAbstractItemView>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QUndoStack>

#include "EditorFixture.h"
#include "ui/common/EditHistory.h"
#include "ui/editors/FormEnvelope.h"
#include "ui/widgets/EnvelopeGraph.h"

namespace {
constexpr int kBase = 10;  // envelope 1

// Rates 0, 64, 127, 0, 0, 0; levels 127, 64, 64, 0, 0, 0; sustain point 2, end point 4.
void PutExample(RawData& raw) {
    const int rates[] = {0, 64, 127, 0, 0, 0};
    const int levels[] = {127, 64, 64, 0, 0, 0};
    for (int i = 0; i < 6; ++i) {
        raw[kBase + 2 * i] = static_cast<int16_t>(rates[i] + (i == 1 ? 128 : 0));
        raw[kBase + 2 * i + 1] = static_cast<int16_t>(levels[i] + (i == 3 ? 128 : 0));
    }
}
}  // namespace

class FormEnvelopeTest : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Load(PutExample);
    }
    // The synth's sound with `edit` applied, read back into the model.
    void Load(const std::function<void(RawData&)>& edit) {
        ReloadFromSynth(edit);
        Sent();
    }
    void Open() {
        editor = EditorFixture::Open<FormEnvelope>();
        Sent();
    }

    // The twelve point bytes of envelope 1 as the model holds them, in the order they travel.
    WireMessages PointBytes() const {
        WireMessages messages;
        const ClassEnvelope& e = *sound->Envelope(0);
        for (int i = 0; i < 6; ++i) {
            messages.push_back(Change(kSlot, kBase + 2 * i,
                                      e.EnvelopeRate(i) + (i + 1 == e.SustainPoint() ? 128 : 0)));
            messages.push_back(Change(kSlot, kBase + 2 * i + 1,
                                      e.EnvelopeLevel(i) + (i + 1 == e.EndPoint() ? 128 : 0)));
        }
        return messages;
    }

    template <class T>
    T* Find(const QString& name) const {
        return EditorFixture::Find<T>(*editor, name);
    }
    // Picks a list entry in its open list, as a user does (the list reports it as activated,
    // also when it is the entry shown already).
    void Pick(const char* list, int index) {
        QComboBox* combo = Find<QComboBox>(QString::fromLatin1(list));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }
    void ClickUp(const QString& upDown) {
        QSpinBox* box = Find<QSpinBox>(upDown);
        QStyleOptionSpinBox option;
        option.initFrom(box);
        option.subControls = QStyle::SC_SpinBoxUp;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        const QRect up =
            box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, up.center());
    }
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        EnvelopeGraph& graph = editor->Graph();
        QMouseEvent event(type, at, graph.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&graph, &event);
    }
    // The pixel that puts point i's anchor at level and rate.
    QPointF Target(int i, int level, int rate) const {
        const EnvelopeGraph& graph = editor->Graph();
        const auto geometry = graph.Geometry();
        const double pixelsPerTwipX = graph.logicalDpiX() / 1440.0;
        const double pixelsPerTwipY = graph.logicalDpiY() / 1440.0;
        // The stage lasts |level - previous level| / 127 * (127 - rate) units.
        const int climb = std::abs(level - (i == 0 ? 0 : graph.Shape().levels[i - 1]));
        const double units = climb / 127.0 * (127 - rate);
        return {(geometry.Stage(i).from.x + units * graph.Shape().zoom) * pixelsPerTwipX,
                geometry.Y(level) * pixelsPerTwipY};
    }
    void StartDrag(int i) {
        Mouse(QEvent::MouseButtonPress, editor->Graph().AnchorPixel(i), Qt::LeftButton,
              Qt::LeftButton);
    }
    void MoveTo(QPointF at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Release(QPointF at) {
        Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    int Value(const QString& upDown) const { return editor->findChild<QSpinBox*>(upDown)->value(); }

    std::unique_ptr<FormEnvelope> editor;
};

TEST_F(FormEnvelopeTest, ShowsTheFirstEnvelopeAndRefreshesWithoutSending) {
    Open();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Envelope - ") + sound->Name().c_str());
    EXPECT_EQ(Find<QLineEdit>("TextRate_1")->text(), "64");
    EXPECT_EQ(Find<QComboBox>("ComboEnd")->currentText(), "4");
    EXPECT_EQ(Find<QComboBox>("ComboSustain")->currentText(), "2");
    // Points 5 and 6 lie after the end point: no column head, arrows or anchor, no input.
    EXPECT_TRUE(Find<QLabel>("LabelStage_3")->isVisible());
    EXPECT_FALSE(Find<QLabel>("LabelStage_4")->isVisible());
    EXPECT_FALSE(Find<QSpinBox>("UpDownRate_5")->isVisible());
    EXPECT_FALSE(Find<QLineEdit>("TextLevel_5")->isEnabled());
    EXPECT_EQ(editor->Graph().Geometry().StageCount(), 4);

    // The zoom only redraws, and each refresh puts it back to 25 and returns to the first tab.
    QScrollBar* zoom = Find<QScrollBar>("FlatScrollBarZoom");
    zoom->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(editor->Graph().Shape().zoom, 30);
    Find<QTabBar>("TabStrip")->setCurrentIndex(2);
    sound->SetName("Brass Pad");
    EXPECT_EQ(editor->windowTitle(), "Envelope - Brass Pad");
    Sent();  // the new name's characters
    ASSERT_TRUE(sound->DecodeRawSound(driver.Synth().Sound(kSlot)));
    EXPECT_EQ(zoom->value(), 25);
    EXPECT_EQ(editor->Graph().Shape().zoom, 25);
    EXPECT_EQ(Find<QTabBar>("TabStrip")->currentIndex(), 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FormEnvelopeTest, ArrowsAndTypedNumbersSendAtOnce) {
    Open();
    ClickUp("UpDownRate_1");  // the sustain point keeps its marker
    EXPECT_EQ(Sent(), Changes({{kBase + 2, 65 + 128}}));
    EXPECT_EQ(editor->Graph().Shape().rates[1], 65);
    QLineEdit* level = Find<QLineEdit>("TextLevel_3");
    Type(level, "200");
    EXPECT_EQ(level->text(), "127");
    EXPECT_EQ(Sent(), Changes({{kBase + 7, 127 + 128}}));  // the end point keeps its marker
    Type(level, "abc");  // no number: the value comes back and nothing is sent
    EXPECT_EQ(level->text(), "127");
    EXPECT_TRUE(Sent().empty());

    // Typed but not yet applied when another tab is chosen: it still goes to envelope 1.
    level->selectAll();
    QTest::keyClicks(level, "5");
    Find<QTabBar>("TabStrip")->setCurrentIndex(1);
    EXPECT_EQ(Sent(), Changes({{kBase + 7, 5 + 128}}));
    EXPECT_EQ(sound->Envelope(0)->EnvelopeLevel(3), 5);
    EXPECT_EQ(level->text().toInt(), sound->Envelope(1)->EnvelopeLevel(3));
}

TEST_F(FormEnvelopeTest, EndAndSustainListsKeepTheSustainBeforeTheEnd) {
    // A stored sustain point on the end point shows one point earlier.
    Load([](RawData& raw) {
        PutExample(raw);
        raw[kBase + 2] = 64;       // no marker on point 2
        raw[kBase + 6] = 0 + 128;  // sustain point 4, the end point itself
    });
    Open();
    QComboBox* sustain = Find<QComboBox>("ComboSustain");
    EXPECT_EQ(sustain->currentText(), "3");
    // Picking what is shown already sends nothing, and the model keeps its value.
    Pick("ComboSustain", 3);
    Pick("ComboEnd", 3);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(sound->Envelope(0)->SustainPoint(), 4);

    // Another end point: the sustain point the window shows is sent first, each value once.
    Pick("ComboEnd", 5);
    WireMessages expected = Changes({{kBase + 6, 0}, {kBase + 4, 127 + 128}});
    const WireMessages twelve = PointBytes();
    expected.insert(expected.end(), twelve.begin(), twelve.end());
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(sound->Envelope(0)->SustainPoint(), 3);
    EXPECT_EQ(sound->Envelope(0)->EndPoint(), 6);

    // An end before the sustain point moves the sustain point back: sustain, then end.
    Pick("ComboEnd", 1);
    EXPECT_EQ(sustain->currentText(), "1");
    expected = Changes({{kBase + 4, 127}, {kBase + 0, 0 + 128}});
    const WireMessages after = PointBytes();
    expected.insert(expected.end(), after.begin(), after.end());
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(editor->Graph().Geometry().StageCount(), 2);

    // A sustain point after the end point goes back to the last one allowed.
    Pick("ComboEnd", 3);
    Sent();
    Pick("ComboSustain", 5);
    EXPECT_EQ(sustain->currentText(), "3");
    EXPECT_EQ(Sent(), Changes({{kBase + 0, 0}, {kBase + 4, 127 + 128}}));
}

TEST_F(FormEnvelopeTest, WithoutAnEndPointNothingIsDrawnAndNoSustainIsSent) {
    Load([](RawData& raw) {
        PutExample(raw);
        raw[kBase + 7] = 0;  // no end marker anywhere
    });
    Open();
    EXPECT_EQ(sound->Envelope(0)->EndPoint(), 0);
    EXPECT_EQ(Find<QComboBox>("ComboEnd")->currentIndex(), -1);
    EXPECT_FALSE(Find<QComboBox>("ComboSustain")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("TextRate_0")->isEnabled());
    EXPECT_EQ(editor->Graph().Geometry().StageCount(), 0);

    Pick("ComboEnd", 2);
    EXPECT_TRUE(Find<QComboBox>("ComboSustain")->isEnabled());
    EXPECT_EQ(Find<QComboBox>("ComboSustain")->currentText(), "2");
    EXPECT_EQ(Sent(), PointBytes());  // the stored sustain point 2 already lies before the end
    EXPECT_EQ(sound->Envelope(0)->EndPoint(), 3);
}

TEST_F(FormEnvelopeTest, AnchorDragSendsLevelThenRateOnRelease) {
    Open();
    // Other buttons grab nothing.
    Mouse(QEvent::MouseButtonPress, editor->Graph().AnchorPixel(0), Qt::RightButton,
          Qt::RightButton);
    EXPECT_FALSE(editor->Dragging());

    StartDrag(0);
    ASSERT_TRUE(editor->Dragging());
    MoveTo(Target(0, 100, 20));
    MoveTo(Target(0, 90, 30));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Value("UpDownLevel_0"), 90);
    EXPECT_EQ(Value("UpDownRate_0"), 30);
    EXPECT_EQ(editor->Graph().Shape().levels[0], 90);
    Release(Target(0, 90, 30));
    EXPECT_FALSE(editor->Dragging());
    EXPECT_EQ(Sent(), Changes({{kBase + 1, 90}, {kBase + 0, 30}}));

    // A grab without a move still sends both.
    StartDrag(3);
    Release(editor->Graph().AnchorPixel(3));
    EXPECT_EQ(Sent(), Changes({{kBase + 7, 0 + 128}, {kBase + 6, 0}}));
}

TEST_F(FormEnvelopeTest, DragEndedByTabOrRefreshLandsInItsOwnEnvelope) {
    Open();
    StartDrag(1);
    MoveTo(Target(1, 40, 50));
    Find<QTabBar>("TabStrip")->setCurrentIndex(1);
    EXPECT_FALSE(editor->Dragging());
    EXPECT_EQ(Sent(), Changes({{kBase + 3, 40}, {kBase + 2, 50 + 128}}));
    EXPECT_EQ(sound->Envelope(0)->EnvelopeLevel(1), 40);
    // The second envelope is shown untouched, and its arrows write at once.
    EXPECT_EQ(Value("UpDownLevel_1"), sound->Envelope(1)->EnvelopeLevel(1));
    Release(Target(1, 40, 50));
    EXPECT_TRUE(Sent().empty());
    Type(Find<QLineEdit>("TextLevel_0"), "33");
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(sound->Envelope(1)->EnvelopeLevel(0), 33);

    // A refresh while dragging writes the drag into the envelope it began on, then shows it.
    Find<QTabBar>("TabStrip")->setCurrentIndex(0);
    StartDrag(0);
    MoveTo(Target(0, 70, 10));
    sound->DecodeRawSound(driver.Synth().Sound(kSlot));
    EXPECT_FALSE(editor->Dragging());
    EXPECT_EQ(Sent(), Changes({{kBase + 1, 70}, {kBase + 0, 10}}));
    EXPECT_EQ(Value("UpDownLevel_0"), 70);

    // So does the window losing the mouse to another one, and closing it.
    StartDrag(0);
    MoveTo(Target(0, 65, 10));
    QApplication::setActiveWindow(window.get());  // the main window
    EXPECT_FALSE(editor->Dragging());
    EXPECT_EQ(Sent(), Changes({{kBase + 1, 65}, {kBase + 0, 10}}));
    QApplication::setActiveWindow(editor.get());
    StartDrag(0);
    MoveTo(Target(0, 60, 10));
    editor->close();
    EXPECT_EQ(Sent(), Changes({{kBase + 1, 60}, {kBase + 0, 10}}));
}

TEST_F(FormEnvelopeTest, AnAnchorDragIsOneUndoStep) {
    Open();
    const int level = Value("UpDownLevel_0");
    const int rate = Value("UpDownRate_0");
    StartDrag(0);
    MoveTo(Target(0, 100, 20));
    MoveTo(Target(0, 90, 30));
    Release(Target(0, 90, 30));
    Sent();
    QUndoStack& history = *library.History().SoundStack(*sound);
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoText(), "Envelope 1");
    history.undo();
    EXPECT_EQ(Sent(), Changes({{kBase + 0, rate}, {kBase + 1, level}}));
    EXPECT_EQ(Value("UpDownLevel_0"), level);
    EXPECT_EQ(Value("UpDownRate_0"), rate);
    history.redo();
    EXPECT_EQ(Sent(), Changes({{kBase + 0, 30}, {kBase + 1, 90}}));
    EXPECT_EQ(Value("UpDownLevel_0"), 90);
}

TEST_F(FormEnvelopeTest, AnAnchorFollowsThePointerPixelByPixel) {
    Open();
    const EnvelopeGraph& graph = editor->Graph();
    const double pixel = 1.0 / graph.devicePixelRatioF();
    for (int i : {1, 3}) {  // stages that climb or fall part of the range
        const QPointF start = graph.AnchorPixel(i);
        const int level = Value(QStringLiteral("UpDownLevel_%1").arg(i));
        int rate = Value(QStringLiteral("UpDownRate_%1").arg(i));
        // What one pixel is worth in rate steps on this stage.
        const int climb = std::abs(level - graph.Shape().levels[i - 1]);
        const double ratePerPixel =
            1440.0 / graph.logicalDpiX() * pixel / graph.Shape().zoom * 127 / climb;
        StartDrag(i);
        for (int pixels = 1; pixels <= 10; ++pixels) {
            const QPointF at = start - QPointF(pixels * pixel, 0);
            MoveTo(at);
            EXPECT_NEAR(graph.AnchorPixel(i).x(), at.x(), pixel) << i << " " << pixels;
            const int moved = Value(QStringLiteral("UpDownRate_%1").arg(i));
            EXPECT_LE(std::abs(moved - rate), ratePerPixel + 1) << i << " " << pixels;
            EXPECT_EQ(Value(QStringLiteral("UpDownLevel_%1").arg(i)), level);
            rate = moved;
        }
        Release(start - QPointF(10 * pixel, 0));
        EXPECT_EQ(sound->Envelope(0)->EnvelopeRate(i), rate);
    }
}
