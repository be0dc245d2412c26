#pragma once

#include <QString>

#include "midi/RawData.h"
#include "model/ReadBackCheck.h"
#include "ui/common/WindowContext.h"

// What the windows do after writing sounds or groups to the synth: unless the setting is off,
// read them back; say "Verified" in the status bar, or name what differs in a message box.
class WriteVerification {
  public:
    static constexpr const char* kVerified = "Verified";
    static constexpr const char* kReadingBack = "Reading back what was sent...";

    // also: status text the command shows in any case, after "Verified" when it was.
    static void After(const WindowContext& context, ReadBackCheck::Records records, int firstSlot,
                      const RawData& sent, const char* caption, const QString& also = {});
};
