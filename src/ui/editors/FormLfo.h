#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "model/ClassLFO.h"
#include "ui/editors/SoundEditorWindow.h"

class ListBinding;
class QTabBar;
class ValueRow;

// The LFO editor: the sound's two LFOs, one per tab, each with its wave, delay and speed and two
// destinations with a depth each.
class FormLfo : public SoundEditorWindow {
    Q_OBJECT

  public:
    explicit FormLfo(const WindowContext& context, QWidget* parent = nullptr);
    ~FormLfo() override;

  protected:
    void LoadSound() override;

  private:
    // Shows LFO `tab`; text typed for the LFO shown before goes to that LFO.
    void LoadTab(int tab);
    ClassLFO* Shown() const;
    // Writes to the LFO shown now, looked up again when the value comes.
    Writer LfoWriter(const QObject* control, std::function<void(ClassLFO&, int)> set);
    QWidget* BuildSource(QWidget* parent);
    QWidget* BuildDestinations(QWidget* parent);

    QTabBar* tabs_ = nullptr;
    int shownTab_ = 0;
    ListBinding* wave_ = nullptr;
    ValueRow* delay_ = nullptr;
    ValueRow* speed_ = nullptr;
    std::array<ListBinding*, ClassLFO::kSlots> destinations_{};
    std::array<ValueRow*, ClassLFO::kSlots> depths_{};
};
