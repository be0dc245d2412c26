#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ui/common/WindowContext.h"
#include "ui/library/FileCommandSteps.h"

class ClassGroup;

// The group editor's file commands: one group to and from a .zeg file, all 20 to and from a
// .zag file. A file that is opened goes to the synth at once; before an Open All replaces the
// synth's groups, the groups it holds are written to a dated file in the backup folder. A
// cancelled dialog ends a command silently; any other failure is shown with the editor's caption.
class GroupFileCommands {
  public:
    static constexpr const char* kCaption = "Group Editor";
    static constexpr const char* kGroupFilter = "Group (*.zeg)|*.zeg";
    static constexpr const char* kAllGroupsFilter = "All Groups (*.zag)|*.zag";

    // What the commands need from the editor.
    struct Editor {
        // The group being edited, or null when there is none.
        std::function<std::shared_ptr<ClassGroup>()> current;
        // The current group now holds the opened file (and so does the synth).
        std::function<void()> groupOpened;
        // The collection and the synth now hold the opened all-groups file.
        std::function<void()> allOpened;
    };

    GroupFileCommands(const WindowContext& context, Editor editor);

    void GroupOpen();
    void GroupSave();
    void GroupSaveAs();
    void SaveAll();
    void OpenAll();

    // Reads the 20 groups the synth holds now and writes them to a new file named after taken
    // in the backup folder; path names the file written.
    bool BackUpSynthGroups(const QDateTime& taken, QString& path, std::string& failure);

  private:
    // Writes the group to the slot's file name, or asks for one when it has none.
    void SaveGroupTo(const ClassGroup& group, const QString& path);

    WindowContext context_;
    Editor editor_;
    FileCommandSteps steps_;
};
