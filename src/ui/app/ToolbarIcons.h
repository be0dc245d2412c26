#pragma once

#include <QIcon>
#include <QString>

// The toolbar's pictures, drawn at run time: a page, a folder, a disk, and small drawings of
// what the view and edit buttons open.
class ToolbarIcons {
  public:
    static QIcon For(const QString& key);
};
