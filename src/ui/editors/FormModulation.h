#pragma once

#include <array>
#include <cstdint>

#include "ui/editors/SoundEditorWindow.h"
#include "ui/widgets/ValueRow.h"

class ClassModulation;
class ListBinding;
class QTabBar;

// The modulation editor: the sound's four modulation-matrix entries, one per tab, each with a
// destination, a key break with its direction and five signed depths.
class FormModulation : public SoundEditorWindow {
    Q_OBJECT

  public:
    explicit FormModulation(const WindowContext& context, QWidget* parent = nullptr);
    ~FormModulation() override;

  protected:
    void LoadSound() override;

  private:
    static constexpr int kDepthRows = 5;
    using Setter = void (ClassModulation::*)(int16_t);

    // Shows the entry of tab `tab`; text typed for the entry shown before goes to that entry.
    void LoadTab(int tab);
    // The entry shown now, or null.
    ClassModulation* Shown() const;
    // Writes to the entry shown now, looked up again when the value comes.
    Writer EntryWriter(const QObject* control, Setter set);

    QTabBar* tabs_ = nullptr;
    int shownTab_ = 0;
    ListBinding* destination_ = nullptr;
    ValueRow* keyBreak_ = nullptr;
    ListBinding* direction_ = nullptr;
    std::array<ValueRow*, kDepthRows> depths_{};
};
