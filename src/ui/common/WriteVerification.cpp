#include "ui/common/WriteVerification.h"

#include "midi/ModuleMIDI.h"
#include "platform/MessageSink.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"

void WriteVerification::After(const WindowContext& context, ReadBackCheck::Records records,
                              int firstSlot, const RawData& sent, const char* caption,
                              const QString& also) {
    if (!ReadBackCheck::Enabled(context.store)) {
        if (!also.isEmpty())
            context.shell.ShowStatusMessage(also);
        return;
    }
    auto progress = std::make_unique<TransferProgress>(
        context.shell.Status(), context.midi.GetClock(), QString::fromLatin1(caption),
        QString::fromLatin1(kReadingBack),
        TransferProgress::ReadSeconds(static_cast<int>(sent.size())));
    const ReadBackCheck::Outcome outcome =
        ReadBackCheck::Verify(context.midi, records, firstSlot, sent);
    progress.reset();
    if (outcome.readBack && outcome.differences.empty()) {
        const QString verified = QString::fromLatin1(kVerified);
        context.shell.ShowStatusMessage(also.isEmpty() ? verified
                                                       : verified + QStringLiteral(". ") + also);
        return;
    }
    if (!also.isEmpty())
        context.shell.ShowStatusMessage(also);
    context.messages.Show(ReadBackCheck::Report(records, outcome), caption,
                          MessageFlags::Exclamation);
}
