#include "ui/library/FileCommandSteps.h"

#include "platform/MessageSink.h"
#include "ui/common/FileDialogs.h"

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
