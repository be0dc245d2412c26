#pragma once

#include <QWidget>
#include <memory>

#include "ui/common/WindowContext.h"
#include "windowlogic/KeyboardNotes.h"

class AuditionLink;
class PianoKeyboard;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The audition window: plays notes on the ZEL-1 from its on-screen keyboard, and passes an
// external keyboard's input through to the synth (MIDI thru). It is loaded hidden when the
// program starts, so the thru works while it is not shown; OK and the frame's close only hide
// it. Only the main window's unloading (or closing every window) unloads it, which stops the
// thru, closes its input port and saves its settings.
class FormAudition : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Audition";
    static constexpr int kChannels = 16;

    explicit FormAudition(const WindowContext& context, QWidget* parent = nullptr);
    ~FormAudition() override;

    // The load step: device list, saved settings, the external keyboard's port.
    void Load();
    AuditionLink& Link() { return *link_; }

    void KeyDown(int key);
    void KeyUp(int key);
    void AllNotesOff();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* BuildSettingsTab();
    QWidget* BuildKeyboardTab();
    void ExternalKeyboardStep();
    void InChannelSelected(int index);
    void OutChannelSelected(int index);
    void OctaveSelected(int index);
    void StopKeys();
    void HideWindow();
    void Unload();
    std::string Stored(const char* key, const char* fallback) const;
    void Store(const char* key, const std::string& value);

    WindowContext context_;
    std::unique_ptr<AuditionLink> link_;
    KeyboardNotes notes_;
    QTabWidget* tabStrip_;
    QCheckBox* checkExternal_;
    QComboBox* comboIn_;
    QComboBox* comboInChannel_;
    QComboBox* comboOutChannel_;
    QComboBox* comboOctave_;
    QSpinBox* upDownVelocity_;
    PianoKeyboard* keyboard_;
    QPushButton* commandAllNotesOff_;
    QPushButton* commandOk_;
    bool loaded_ = false;
};
