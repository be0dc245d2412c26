#include "cli/library/LibraryCommands.h"

#include <QCommandLineParser>
#include <ostream>

#include "catalog/LibraryBank.h"
#include "catalog/SoundCatalog.h"
#include "catalog/SoundFingerprint.h"
#include "library/FileKinds.h"
#include "library/LibraryFiles.h"
#include "library/PrintableName.h"
#include "library/RawFile.h"

namespace {
constexpr int kBankSounds = 20;

const char kUsageText[] =
    "  library add-folder DIR         index the sound files below DIR from now on\n"
    "  library remove-folder DIR      stop indexing DIR\n"
    "  library folders                the folders indexed\n"
    "  library scan                   index new and changed files, drop files that are gone\n"
    "  library find [TEXT] [--algorithm N] [--wave N] [--tag T] [--duplicates] [--favourites]\n"
    "               [--hidden]        sounds whose name holds every word of TEXT, one a line:\n"
    "                                 name, tags, categories, algorithm, file, place,\n"
    "                                 fingerprint (tab-separated)\n"
    "  library similar FILE.zel [--count N]\n"
    "                                 the N (10) library sounds nearest to the file's sound:\n"
    "                                 distance, name, file, place\n"
    "  library export-bank OUT.zas QUERY... [search options]\n"
    "                                 the first 20 sounds found into an all-sounds file\n"
    "  library export-marks FILE      folders, tags, favourites and hidden marks to a text file\n"
    "  library import-marks FILE      add those of a text file\n";

std::string Text(const QString& text) {
    return text.toStdString();
}

// A name from the files as bytes that cannot act on a terminal.
std::string SafeName(const QString& name) {
    return PrintableName(name.toLatin1().toStdString());
}

// A path as text that cannot act on a terminal nor break a tab-separated line.
std::string SafePath(const QString& path) {
    std::string out;
    for (unsigned char c : path.toUtf8()) {
        if (c < 0x20 || c == 0x7F || c == '\\') {
            static const char hex[] = "0123456789abcdef";
            out += c == '\\' ? std::string("\\\\") : std::string("\\x") + hex[c >> 4] + hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool Number(const QString& text, int low, int high, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}
}  // namespace

const char* LibraryCommands::Usage() {
    return kUsageText;
}

LibraryCommands::LibraryCommands(QString databasePath, std::ostream& out, std::ostream& err)
    : databasePath_(std::move(databasePath)), out_(out), err_(err) {}

int LibraryCommands::Fail(const QString& text) {
    err_ << "Library: " << Text(text) << std::endl;
    return kFailed;
}

int LibraryCommands::WrongUsage(const QString& text) {
    err_ << "zel1-cli library: " << Text(text) << "\n"
         << "Usage:\n"
         << kUsageText;
    return kUsage;
}

int LibraryCommands::Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption database("database", "The library database FILE.", "FILE");
    const QCommandLineOption algorithm("algorithm", "Algorithm 0-27.", "N");
    const QCommandLineOption wave("wave", "A wave 0-31 a node plays.", "N");
    const QCommandLineOption tag("tag", "A tag or category.", "T");
    const QCommandLineOption duplicates("duplicates", "Only sounds held more than once.");
    const QCommandLineOption favourites("favourites", "Only favourites.");
    const QCommandLineOption hidden("hidden", "Hidden sounds too.");
    const QCommandLineOption count("count", "How many sounds.", "N");
    parser.addOptions(
        {help, database, algorithm, wave, tag, duplicates, favourites, hidden, count});
    if (!parser.parse(arguments))
        return WrongUsage(parser.errorText());
    QStringList args = parser.positionalArguments();
    if (parser.isSet(help)) {
        out_ << "Usage: zel1-cli library COMMAND [ARGS] [--database FILE]\n" << kUsageText;
        return kSuccess;
    }
    if (args.size() < 2 || args[0] != QLatin1String("library"))
        return WrongUsage(QStringLiteral("a library command is missing"));
    const QString command = args[1];
    args = args.mid(2);

    algorithm_ = wave_ = -1;
    count_ = 10;
    if (parser.isSet(algorithm) && !Number(parser.value(algorithm), 0, 27, algorithm_))
        return WrongUsage(QStringLiteral("the algorithm is a number from 0 to 27"));
    if (parser.isSet(wave) && !Number(parser.value(wave), 0, 255, wave_))
        return WrongUsage(QStringLiteral("the wave is a number from 0 to 255"));
    if (parser.isSet(count) && !Number(parser.value(count), 1, 1000000, count_))
        return WrongUsage(QStringLiteral("the count is a number from 1 on"));
    tag_ = parser.value(tag);
    duplicates_ = parser.isSet(duplicates);
    favourites_ = parser.isSet(favourites);
    hidden_ = parser.isSet(hidden);

    using Handler = int (LibraryCommands::*)(SoundCatalog&, const QStringList&);
    struct Command {
        const char* name;
        int least;
        int most;
        Handler run;
    };
    static const Command kCommands[] = {
        {"add-folder", 1, 1, &LibraryCommands::AddFolder},
        {"remove-folder", 1, 1, &LibraryCommands::RemoveFolder},
        {"folders", 0, 0, &LibraryCommands::Folders},
        {"scan", 0, 0, &LibraryCommands::Scan},
        {"find", 0, 1000, &LibraryCommands::Find},
        {"similar", 1, 1, &LibraryCommands::Similar},
        {"export-bank", 1, 1000, &LibraryCommands::ExportBank},
        {"export-marks", 1, 1, &LibraryCommands::ExportMarks},
        {"import-marks", 1, 1, &LibraryCommands::ImportMarks},
    };
    for (const Command& c : kCommands) {
        if (command != QLatin1String(c.name))
            continue;
        if (args.size() < c.least || args.size() > c.most)
            return WrongUsage(QStringLiteral("wrong number of arguments for ") + command);
        SoundCatalog catalog(parser.isSet(database) ? parser.value(database) : databasePath_);
        QString notice, failure;
        if (!catalog.Open(notice, failure))
            return Fail(failure);
        if (!notice.isEmpty())
            err_ << "Library: " << Text(notice.trimmed()) << std::endl;
        return (this->*c.run)(catalog, args);
    }
    return WrongUsage(QStringLiteral("unknown library command \"") + command + "\"");
}

int LibraryCommands::AddFolder(SoundCatalog& catalog, const QStringList& args) {
    QString failure;
    return catalog.AddFolder(args[0], failure) ? kSuccess : Fail(failure);
}

int LibraryCommands::RemoveFolder(SoundCatalog& catalog, const QStringList& args) {
    QString failure;
    return catalog.RemoveFolder(args[0], failure) ? kSuccess : Fail(failure);
}

int LibraryCommands::Folders(SoundCatalog& catalog, const QStringList&) {
    for (const QString& folder : catalog.Folders())
        out_ << SafePath(folder) << "\n";
    return kSuccess;
}

int LibraryCommands::Scan(SoundCatalog& catalog, const QStringList&) {
    if (catalog.Folders().isEmpty())
        return Fail(QStringLiteral("no folders to scan; add one with \"library add-folder DIR\""));
    const ScanSummary summary = catalog.Scan();
    if (!summary.failure.isEmpty())
        return Fail(summary.failure);
    for (const QString& folder : summary.missingFolders) {
        err_ << "Library: the folder \"" << SafePath(folder)
             << "\" is not there; its sounds are kept until it is." << std::endl;
    }
    for (const auto& [path, reason] : catalog.BrokenFiles())
        err_ << "Library: skipped " << SafePath(path) << ": " << Text(reason) << std::endl;
    out_ << summary.filesListed << " files: " << summary.filesRead << " read, "
         << summary.filesUnchanged << " unchanged, " << summary.filesRemoved << " removed, "
         << summary.filesFailed << " unreadable; " << summary.sounds << " sounds\n";
    return kSuccess;
}

// The words and filter options that find and export-bank share.
CatalogFilter LibraryCommands::Filter(const QStringList& words) const {
    CatalogFilter filter;
    filter.text = words.join(QLatin1Char(' '));
    filter.algorithm = algorithm_;
    filter.wave = wave_;
    filter.tag = tag_;
    filter.duplicatesOnly = duplicates_;
    filter.favouritesOnly = favourites_;
    filter.includeHidden = hidden_;
    return filter;
}

int LibraryCommands::Find(SoundCatalog& catalog, const QStringList& args) {
    for (const CatalogEntry& e : catalog.Find(Filter(args))) {
        out_ << SafeName(e.name) << "\t" << SafeName(e.tags.join(QLatin1Char(','))) << "\t"
             << Text(e.categories).c_str() << "\t" << e.algorithm << "\t" << SafePath(e.path)
             << "\t" << e.place << "\t" << Text(FingerprintText(e.fingerprint)) << "\n";
    }
    return kSuccess;
}

int LibraryCommands::Similar(SoundCatalog& catalog, const QStringList& args) {
    RawData sound;
    std::string failure;
    if (!ReadSoundFile(Text(args[0]), sound, failure))
        return Fail(QString::fromStdString(failure));
    char distance[32];
    for (const SoundCatalog::Neighbour& n : catalog.Similar(sound, count_)) {
        std::snprintf(distance, sizeof distance, "%.3f", n.distance);
        out_ << distance << "\t" << SafeName(n.entry.name) << "\t" << SafePath(n.entry.path) << "\t"
             << n.entry.place << "\n";
    }
    return kSuccess;
}

int LibraryCommands::ExportBank(SoundCatalog& catalog, const QStringList& args) {
    if (KindOfFile(Text(args[0])) != FileKind::AllSounds)
        return WrongUsage(QStringLiteral("the bank is written to a .zas file"));
    const std::vector<CatalogEntry> found = catalog.Find(Filter(args.mid(1)), kBankSounds);
    if (found.empty())
        return Fail(QStringLiteral("no sound in the library matches; nothing was written"));
    std::vector<RawData> records;
    for (const CatalogEntry& entry : found)
        records.push_back(catalog.Record(entry.id));
    std::string failure;
    if (!WriteRawFile(BankFromRecords(records), Text(args[0]), failure))
        return Fail(QString::fromStdString(failure));
    for (size_t slot = 0; slot < found.size(); ++slot) {
        out_ << slot << "\t" << SafeName(found[slot].name) << "\t" << SafePath(found[slot].path)
             << "\t" << found[slot].place << "\n";
    }
    return kSuccess;
}

int LibraryCommands::ExportMarks(SoundCatalog& catalog, const QStringList& args) {
    QString failure;
    return catalog.ExportMarks(args[0], failure) ? kSuccess : Fail(failure);
}

int LibraryCommands::ImportMarks(SoundCatalog& catalog, const QStringList& args) {
    QString failure;
    int skipped = 0;
    if (!catalog.ImportMarks(args[0], skipped, failure))
        return Fail(QStringLiteral("cannot read \"%1\": %2").arg(args[0], failure));
    if (skipped > 0)
        err_ << "Library: " << skipped << " lines not understood were skipped." << std::endl;
    return kSuccess;
}
