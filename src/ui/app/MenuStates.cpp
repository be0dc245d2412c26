#include "ui/app/MenuStates.h"

namespace {
bool Is(const DocumentWindow* active, DocumentWindow::Kind kind) {
    return active != nullptr && active->DocumentKind() == kind && active->IsSyncronised();
}
}  // namespace

QStringList MenuStates::DocumentMenuItems() {
    return {QStringLiteral("MenuFileNew"),     QStringLiteral("MenuFileOpen"),
            QStringLiteral("MenuFileSave"),    QStringLiteral("MenuFileSaveAs"),
            QStringLiteral("MenuFileOpenAll"), QStringLiteral("MenuFileSaveAll"),
            QStringLiteral("MenuEditRename"),  QStringLiteral("MenuEditRefresh"),
            QStringLiteral("MenuEditSound")};
}

QStringList MenuStates::DocumentToolbarKeys() {
    return {QStringLiteral("New"),      QStringLiteral("Open"), QStringLiteral("Save"),
            QStringLiteral("Nodes"),    QStringLiteral("Lfo"),  QStringLiteral("Modulation"),
            QStringLiteral("Envelopes")};
}

QStringList MenuStates::EnabledMenuItems(const DocumentWindow* active) {
    if (Is(active, DocumentWindow::Kind::Sounds))
        return DocumentMenuItems();
    if (Is(active, DocumentWindow::Kind::Groups))
        return DocumentMenuItems().mid(0, 7);
    if (Is(active, DocumentWindow::Kind::SoundEditor))
        return DocumentMenuItems().mid(2, 2);
    return {};
}

QStringList MenuStates::EnabledToolbarKeys(const DocumentWindow* active) {
    if (Is(active, DocumentWindow::Kind::Sounds))
        return DocumentToolbarKeys();
    if (Is(active, DocumentWindow::Kind::Groups))
        return DocumentToolbarKeys().mid(0, 3);
    if (Is(active, DocumentWindow::Kind::SoundEditor))
        return DocumentToolbarKeys().mid(2, 1);
    return {};
}
