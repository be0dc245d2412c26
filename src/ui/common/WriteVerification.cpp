#include "ui/common/WriteVerification.h"

#include "platform/MessageSink.h"
#include "ui/common/ShellServices.h"

void WriteVerification::After(const WindowContext& context, ReadBackCheck::Records records,
                              int firstSlot, const RawData& sent, const char* caption,
                              const QString& also) {
    if (!ReadBackCheck::Enabled(context.store)) {
        if (!also.isEmpty())
            context.shell.ShowStatusMessage(also);
        return;
    }
    const ReadBackCheck::Outcome outcome =
        ReadBackCheck::Verify(context.midi, records, firstSlot, sent);
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
