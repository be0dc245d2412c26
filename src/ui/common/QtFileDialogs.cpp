#include "ui/common/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
std::optional<QString> Run(QWidget* parent, const FileDialogs::Request& request, bool save) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QtFileDialogs::NameFilters(request.filter));
    dialog.setDefaultSuffix(QString());
    if (!save)
        dialog.setOption(QFileDialog::ReadOnly, false);
    if (QFileInfo(request.initialPath).isDir())
        dialog.setDirectory(request.initialPath);
    else if (!request.initialPath.isEmpty())
        dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
}  // namespace

QStringList QtFileDialogs::NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The toolkit reads the patterns from the parentheses; make sure they are there.
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        names.append(description);
    }
    return names;
}

std::optional<QString> QtFileDialogs::OpenFile(const Request& request) {
    return Run(parent_, request, false);
}

std::optional<QString> QtFileDialogs::SaveFile(const Request& request) {
    return Run(parent_, request, true);
}

std::optional<QString> QtFileDialogs::ChooseFolder(const Request& request) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, request.title, request.initialPath);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}
