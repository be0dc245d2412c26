#pragma once

#include <QDialog>

class MessageSink;
class ModalRunner;
class ModuleMIDI;
class QCheckBox;
class QComboBox;
class QPushButton;
class SettingsStore;

// The settings dialog: the synth's MIDI input and output devices, its system channel and whether
// writes are read back. A
// picked device is opened at once; the choices are read from the settings store when the dialog
// loads and written back when it unloads, which also closes the synth's ports.
class FormSettings : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kWarning =
        "Valid MIDI port not selected. Communication with the synth will not be possible.";

    FormSettings(ModuleMIDI& midi, SettingsStore& store, MessageSink& messages, ModalRunner& modal,
                 QWidget* parent = nullptr);

    // Lists the devices, opens the saved ones and restores the system channel; when a port is
    // still missing, shows the dialog modally. Returns whether it did.
    bool Load();
    // Saves the choices and closes both ports. Does nothing unless loaded.
    void Unload();
    bool IsLoaded() const { return loaded_; }

    // Shows the dialog modally until OK.
    void ShowModal();
    // Shows the driver's lists as they stand: the open ports chosen, a closed one still chosen
    // by name while it is listed.
    void ListDevices();

    // Leaving by the frame or Escape ends the dialog as OK does; the ports stay open.
    void reject() override;

  protected:
    // Shows the editor's system channel as it is now: the utility window may have changed it.
    void showEvent(QShowEvent* event) override;

  private:
    void InSelected(int index);
    void OutSelected(int index);
    // A user's pick of the item already shown opens it again (its port may have gone and come
    // back); a pick of another item was opened by the change of item just before.
    void InPicked(int index);
    void OutPicked(int index);
    void ChannelSelected(int index);
    void OkClicked();

    ModuleMIDI& midi_;
    SettingsStore& store_;
    MessageSink& messages_;
    ModalRunner& modal_;
    QComboBox* comboZelIn_;
    QComboBox* comboZelOut_;
    QComboBox* comboSystemChannel_;
    // Whether writes to the synth are read back; stored at once.
    QCheckBox* checkVerify_;
    QComboBox* comboScratchSlot_;
    QPushButton* commandOk_;
    bool loaded_ = false;
    bool inChanged_ = false;
    bool outChanged_ = false;
};
