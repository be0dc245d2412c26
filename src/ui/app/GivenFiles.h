#pragma once

#include <QStringList>

class LibraryDocuments;
class MDIFormMain;
class MessageSink;
class PresetFileDialogs;

// Opens the files named on the editor's command line (a file manager names the file the user
// opened with the editor). Each goes through the browser's own Open or Open All, so it is sent,
// verified and backed up as a chosen file is, after the user said yes to sending it.
class GivenFiles {
  public:
    GivenFiles(MDIFormMain& window, LibraryDocuments& library, MessageSink& messages,
               PresetFileDialogs& dialogs)
        : window_(window), library_(library), messages_(messages), dialogs_(dialogs) {}

    void Open(const QStringList& paths);

  private:
    void OpenOne(const QString& path);

    MDIFormMain& window_;
    LibraryDocuments& library_;
    MessageSink& messages_;
    PresetFileDialogs& dialogs_;
};
