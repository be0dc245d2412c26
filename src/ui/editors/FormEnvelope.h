#pragma once

#include <array>

#include "ui/editors/SoundEditorWindow.h"

class ClassEnvelope;
class EnvelopeGraph;
class ListBinding;
class QComboBox;
class QLabel;
class QScrollBar;
class QTabBar;
class UpDownRow;
class ValueRow;

// Edits the four envelopes of one sound, one per tab: the rate and level of six points, the
// end and sustain points, two destinations with their depths, and a graph whose anchors can be
// dragged. Every change goes to the sound (and the synth) at once, except an anchor drag, which
// is written when it ends.
class FormEnvelope : public SoundEditorWindow {
    Q_OBJECT

  public:
    static constexpr int kPoints = 6;
    static constexpr int kSlots = 2;
    static constexpr int kZoomOnRefresh = 25;

    explicit FormEnvelope(const WindowContext& context, QWidget* parent = nullptr);
    ~FormEnvelope() override;

    EnvelopeGraph& Graph() const { return *graph_; }
    // True from an anchor's grab until its drag ends.
    bool Dragging() const { return dragging_; }

  protected:
    void LoadSound() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The envelope (by tab) a drag began on and what the drag has made of its point so far.
    struct Drag {
        int tab = -1;
        int point = -1;
        int level = 0;
        int rate = 0;
    };

    QWidget* BuildGraphFrame();
    QWidget* BuildPointFrame();
    QWidget* BuildDestinationFrame();
    void BindRows();

    void LoadTab(int tab);
    // The envelope of the selected tab, looked up now.
    ClassEnvelope* Shown() const;
    void OnTabChanged(int tab);
    void OnEndPicked(int index);
    void OnSustainPicked(int index);
    void ShowEnd(int endIndex);
    void ShowSustain(int sustainIndex);
    void DrawEnvelope();
    void ApplyPendingText();

    void OnDragStarted(int point);
    void OnDragMoved(int point, int level, int rate);
    void OnDragFinished(int point);

    QTabBar* tabs_ = nullptr;
    EnvelopeGraph* graph_ = nullptr;
    QComboBox* comboEnd_ = nullptr;
    QComboBox* comboSustain_ = nullptr;
    QScrollBar* zoom_ = nullptr;
    std::array<QLabel*, kPoints> stageLabels_{};
    std::array<UpDownRow*, kPoints> rates_{};
    std::array<UpDownRow*, kPoints> levels_{};
    std::array<QComboBox*, kSlots> destinations_{};
    std::array<ListBinding*, kSlots> destinationBindings_{};
    std::array<ValueRow*, kSlots> depths_{};

    // The tab whose envelope is shown.
    int shownTab_ = 0;
    // The sustain list's entry as this window last showed it (-1 for none).
    int shownSustain_ = -1;
    bool dragging_ = false;
    Drag drag_;
};
