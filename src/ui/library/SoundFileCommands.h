#pragma once

#include <QString>
#include <optional>
#include <string>

#include "midi/RawData.h"
#include "ui/common/WindowContext.h"
#include "ui/library/FileCommandSteps.h"

class ClassSound;

// The sound browser's file commands: a dialog, the library's file routine, and a box when the
// file fails. A cancelled dialog ends a command without a word. Opened files go to the synth at
// once; before Open All replaces the synth's 20 sounds, what it holds now is kept in a dated
// backup file and the status bar says where.
class SoundFileCommands {
  public:
    static constexpr const char* kCaption = "Sound Browser";
    static constexpr const char* kOpenFilter = "Sound (*.zel)|*.zel|Import SND files (*.snd)|*.snd";
    static constexpr const char* kSaveFilter = "Sound (*.zel)|*.zel|Export HTML (*.htm)|*.htm";
    static constexpr const char* kSaveAllFilter = "All Sounds (*.zas)|*.zas";
    static constexpr const char* kOpenAllFilter =
        "All Sounds (*.zas)|*.zas|Import ALS files (*.als)|*.als";
    static constexpr const char* kSendingAll = "Sending all sounds to ZEL-1...";
    static constexpr const char* kCompareEnded =
        "Compare ended: the edited sound is playing again and was saved.";

    explicit SoundFileCommands(const WindowContext& context)
        : context_(context), steps_(context_, kCaption) {}

    // Each acts on the sound in slot 0..19. Open and OpenAll return true when the synth took the
    // file, so the sounds hold new data.
    bool Open(int slot);
    // Open without the dialog: the sound at `place` of a library file (0 for a single sound).
    bool OpenEntry(int slot, const QString& path, int place);
    // OpenEntry as one step of the sound's undo history.
    bool OpenEntryAsStep(int slot, const QString& path, int place);
    void Save(int slot);
    void SaveAs(int slot);
    void SaveAll();
    bool OpenAll();
    // Open All of an all-sounds array: the synth's sounds to a backup first, then all 20 sent,
    // read back and verified.
    bool SendAll(const RawData& all);

  private:
    bool Write(ClassSound& sound, int slot, const std::string& path);
    // The backup of the synth's sounds as they are now; "" (after saying why) when none could be
    // written.
    QString Backup();

    const WindowContext& context_;
    FileCommandSteps steps_;
};
