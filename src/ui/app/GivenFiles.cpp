#include "ui/app/GivenFiles.h"

#include <QFileInfo>

#include "model/ClassGroup.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "platform/FileAccess.h"
#include "platform/MessageSink.h"
#include "ui/app/MDIFormMain.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/PresetFileDialogs.h"
#include "ui/library/FormGroups.h"
#include "ui/library/FormSounds.h"
#include "windowlogic/GivenFile.h"
#include "windowlogic/SynthText.h"

void GivenFiles::Open(const QStringList& paths) {
    for (const QString& path : paths)
        OpenOne(path);
}

void GivenFiles::OpenOne(const QString& path) {
    using GivenFile::Target;
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const Target target = GivenFile::TargetOf(path.toStdString());
    if (target == Target::None) {
        messages_.Show(GivenFile::Refusal(fileName), MDIFormMain::kCaption, MessageFlags::Critical);
        return;
    }
    // A file that cannot be read is said so at once, not after the user agreed to send it and
    // the synth's memory was backed up for it.
    QByteArray unread;
    qint64 size = 0;
    std::string reason;
    if (ReadRegularFile(path, 0, unread, size, reason) == ReadOutcome::kFailed) {
        messages_.Show("Cannot open \"" + path.toStdString() + "\": " + reason + ".",
                       MDIFormMain::kCaption, MessageFlags::Critical);
        return;
    }
    const auto child =
        GivenFile::GoesToSounds(target) ? MDIFormMain::Child::Sounds : MDIFormMain::Child::Groups;
    auto* document = dynamic_cast<DocumentWindow*>(window_.OpenChild(child));
    // A browser that could not read the synth has said so; nothing can be sent then.
    if (document == nullptr || !document->IsSyncronised())
        return;

    int slot = -1;
    std::string name;
    if (target == Target::Sound) {
        const auto* sounds = dynamic_cast<FormSounds*>(document);
        slot = sounds != nullptr ? sounds->SelectedSlot() : -1;
        if (slot < 0)
            return;
        name = SynthText::ToShown(library_.Sounds().Sound(slot)->Name()).toStdString();
    } else if (target == Target::Group) {
        const auto* groups = dynamic_cast<FormGroups*>(document);
        const auto group = groups != nullptr ? groups->CurrentGroup() : nullptr;
        if (!group)
            return;
        slot = group->GroupNumber();
        name = SynthText::ToShown(group->Name()).toStdString();
    }
    if (messages_.Show(GivenFile::Question(target, fileName, slot, name), MDIFormMain::kCaption,
                       MessageFlags::OkCancel | MessageFlags::Question) != MessageFlags::ResultOk)
        return;

    dialogs_.Preset(path);
    if (target == Target::Sound || target == Target::Group)
        document->DocumentOpen();
    else
        document->OpenAll();
    dialogs_.Clear();
}
