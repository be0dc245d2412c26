#pragma once

#include <QString>
#include <QStringList>
#include <iosfwd>

class SoundCatalog;
struct CatalogFilter;

// zel1-cli's "library" commands: the sound library's folders, scan, search, similar sounds and
// banks from a search, without a window and without the synth. Results go to the output stream
// one line a sound, fields separated by tabs, for scripts; problems go to the error stream.
class LibraryCommands {
  public:
    enum ExitCode : int { kSuccess = 0, kFailed = 1, kUsage = 2 };

    // databasePath: the library used unless --database names another.
    LibraryCommands(QString databasePath, std::ostream& out, std::ostream& err);

    // arguments: the program's name, "library", the command and its arguments.
    int Run(const QStringList& arguments);

    // The usage lines, for the program's own help.
    static const char* Usage();

  private:
    int Fail(const QString& text);
    int WrongUsage(const QString& text);

    int AddFolder(SoundCatalog& catalog, const QStringList& args);
    int RemoveFolder(SoundCatalog& catalog, const QStringList& args);
    int Folders(SoundCatalog& catalog, const QStringList& args);
    int Scan(SoundCatalog& catalog, const QStringList& args);
    CatalogFilter Filter(const QStringList& words) const;
    int Find(SoundCatalog& catalog, const QStringList& args);
    int Similar(SoundCatalog& catalog, const QStringList& args);
    int ExportBank(SoundCatalog& catalog, const QStringList& args);
    int ExportMarks(SoundCatalog& catalog, const QStringList& args);
    int ImportMarks(SoundCatalog& catalog, const QStringList& args);

    QString databasePath_;
    std::ostream& out_;
    std::ostream& err_;
    // Options of the search commands.
    int algorithm_ = -1;
    int wave_ = -1;
    int count_ = 10;
    QString tag_;
    bool duplicates_ = false;
    bool favourites_ = false;
    bool hidden_ = false;
};
