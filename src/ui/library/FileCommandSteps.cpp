#include "ui/library/FileCommandSteps.h"

#include "platform/MessageSink.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/FormStatus.h"
#include "ui/common/ShellServices.h"

namespace {
std::optional<std::string> PathOf(const std::optional<QString>& answer) {
    // The toolkit reports a cancel as an empty path: that names no file.
    if (!answer || answer->isEmpty())
        return std::nullopt;
    return answer->toStdString();
}
}  // namespace

std::optional<std::string> FileCommandSteps::AskOpen(const QString& title, const char* filter,
                                                     const QString& initial) const {
    return PathOf(context_.dialogs.OpenFile({title, QString::fromLatin1(filter), initial}));
}

std::optional<std::string> FileCommandSteps::AskSave(const QString& title, const char* filter,
                                                     const QString& initial) const {
    return PathOf(context_.dialogs.SaveFile({title, QString::fromLatin1(filter), initial}));
}

void FileCommandSteps::Fail(const std::string& failure, const char* title) const {
    context_.messages.Show(failure, title != nullptr ? title : caption_, MessageFlags::Critical);
}

FileCommandSteps::Progress::Progress(const FileCommandSteps& steps, const QString& message)
    : status_(steps.context_.shell.Status()) {
    status_.Prepare(QString::fromLatin1(steps.caption_), message, 0, 0, 0);
    status_.show();
}

void FileCommandSteps::Progress::Hide() {
    status_.hide();
}
