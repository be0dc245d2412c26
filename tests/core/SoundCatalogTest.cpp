#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "catalog/SoundCatalog.h"
#include "catalog/SoundFingerprint.h"
#include "core/CatalogTestSupport.h"
#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"

namespace {
QStringList Names(const std::vector<CatalogEntry>& entries) {
    QStringList names;
    for (const CatalogEntry& entry : entries)
        names.append(entry.name);
    return names;
}

CatalogFilter Text(const QString& text) {
    CatalogFilter filter;
    filter.text = text;
    return filter;
}

// A folder of sound files as a user collects them: a single sound, a bank holding that sound
// again under another name, older SND and ALS files, a file that cannot be read, and a file that
// is not a sound file at all.
class SoundCatalogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(QString::fromStdString(files_.Path("sounds/banks")));
        PutFile(Sounds("pad.zel"), AsBytes(NamedSound("Glass Pad", 1)));
        PutFile(
            Sounds("banks/bank.zas"),
            BankBytes({NamedSound("Warm Str", 2, 7), NamedSound("Bass One", 3), NamedSound("x", 4),
                       NamedSound("x", 5), NamedSound("x", 6), NamedSound("Other Pad", 1)},
                      100));
        PutFile(Sounds("old.snd"), SndBytes("Snd Bell", 5));
        std::vector<uint8_t> als;
        for (int i = 0; i < 20; ++i) {
            std::vector<uint8_t> one = SndBytes("Als " + std::to_string(i), 1);
            one[1] = static_cast<uint8_t>(i);  // each a sound of its own
            als.insert(als.end(), one.begin(), one.end());
        }
        PutFile(Sounds("banks/all.als"), als);
        PutFile(Sounds("broken.zel"), {});
        PutFile(Sounds("short.zas"), {'j', 'u', 'n', 'k'});  // not twenty sounds
        PutFile(Sounds("notes.txt"), {'h', 'i'});
        ASSERT_TRUE(Open(*catalog_));
        QString failure;
        ASSERT_TRUE(catalog_->AddFolder(QString::fromStdString(files_.Path("sounds")), failure));
    }

    std::string Sounds(const std::string& name) const { return files_.Path("sounds/" + name); }
    static bool Open(SoundCatalog& catalog) {
        QString notice, failure;
        return catalog.Open(notice, failure) && notice.isEmpty();
    }
    qint64 IdOf(const QString& name) const {
        const std::vector<CatalogEntry> found = catalog_->Find(Text(name));
        return found.empty() ? -1 : found.front().id;
    }

    TempFolder files_;
    std::optional<SoundCatalog> catalog_{
        QString::fromStdString(files_.Path("data/library.sqlite"))};
};
}  // namespace

TEST_F(SoundCatalogTest, ScanIndexesEverySoundAndRescansOnlyWhatChanged) {
    ScanSummary first = catalog_->Scan();
    ASSERT_TRUE(first.failure.isEmpty()) << first.failure.toStdString();
    EXPECT_EQ(first.filesListed, 6);
    EXPECT_EQ(first.filesFailed, 2);
    EXPECT_EQ(first.sounds, 1 + 20 + 1 + 20);
    ASSERT_EQ(catalog_->BrokenFiles().size(), 2u);
    EXPECT_TRUE(catalog_->BrokenFiles()[0].first.endsWith("broken.zel"));
    EXPECT_FALSE(catalog_->BrokenFiles()[0].second.isEmpty());
    EXPECT_TRUE(catalog_->BrokenFiles()[1].first.endsWith("short.zas"));
    EXPECT_TRUE(catalog_->BrokenFiles()[1].second.contains("holds 4 bytes"));
    EXPECT_TRUE(catalog_->Find(Text("junk")).empty());

    const std::vector<CatalogEntry> bell = catalog_->Find(Text("Snd Bell"));
    ASSERT_EQ(bell.size(), 1u);
    EXPECT_EQ(bell[0].algorithm, 5);
    const std::vector<CatalogEntry> other = catalog_->Find(Text("Other Pad"));
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].place, 5);
    EXPECT_TRUE(other[0].path.endsWith("banks/bank.zas"));
    // The entry's record is the file's bytes.
    const std::vector<uint8_t> bank = FileBytes(Sounds("banks/bank.zas"));
    EXPECT_EQ(AsBytes(catalog_->Record(other[0].id)),
              std::vector<uint8_t>(bank.begin() + 5 * 138, bank.begin() + 6 * 138));

    ScanSummary again = catalog_->Scan();
    EXPECT_EQ(again.filesRead, 0);
    EXPECT_EQ(again.filesUnchanged, 6);

    PutFile(Sounds("pad.zel"), AsBytes(NamedSound("Glass Pad2", 9)));
    Touch(Sounds("pad.zel"), 5);
    QFile::remove(QString::fromStdString(Sounds("old.snd")));
    ScanSummary third = catalog_->Scan();
    EXPECT_EQ(third.filesRead, 1);
    EXPECT_EQ(third.filesRemoved, 1);
    EXPECT_EQ(third.sounds, 41);
    EXPECT_TRUE(catalog_->Find(Text("Snd Bell")).empty());
    EXPECT_EQ(Names(catalog_->Find(Text("Glass"))), QStringList{"Glass Pad2"});

    // A folder that is not there (an unplugged drive) keeps its sounds until it is back.
    QDir(QString::fromStdString(files_.Path("sounds"))).rename("banks", "moved");
    QString failure;
    ASSERT_TRUE(catalog_->AddFolder(QString::fromStdString(Sounds("moved")), failure));
    QDir(QString::fromStdString(files_.Path("sounds"))).rename("moved", "banks");
    ScanSummary missing = catalog_->Scan();
    EXPECT_EQ(missing.missingFolders.size(), 1);
    EXPECT_EQ(missing.sounds, 41);
}

TEST_F(SoundCatalogTest, FingerprintIgnoresTheNameAndGroupsDuplicates) {
    EXPECT_EQ(SoundFingerprint(NamedSound("One", 1)), SoundFingerprint(NamedSound("Two", 1)));
    RawData changed = NamedSound("One", 1);
    changed[137] ^= 1;
    EXPECT_NE(SoundFingerprint(changed), SoundFingerprint(NamedSound("One", 1)));

    catalog_->Scan();
    CatalogFilter duplicates;
    duplicates.duplicatesOnly = true;
    std::vector<CatalogEntry> found = catalog_->Find(duplicates);
    // The pad twice; the bank's three "x" slots are distinct sounds and are not duplicates.
    ASSERT_EQ(Names(found), (QStringList{"Other Pad", "Glass Pad"}));
    EXPECT_EQ(found[0].fingerprint, found[1].fingerprint);

    QString failure;
    ASSERT_TRUE(catalog_->Keep(found[1].id, failure));
    found = catalog_->Find(duplicates);
    EXPECT_FALSE(found[0].kept);
    EXPECT_TRUE(found[1].kept);
}

TEST_F(SoundCatalogTest, SearchFindsPiecesOfNamesAndNarrowsByFilters) {
    catalog_->Scan();
    EXPECT_EQ(Names(catalog_->Find(Text("LASS"))), QStringList{"Glass Pad"});
    EXPECT_EQ(Names(catalog_->Find(Text("pa"))), (QStringList{"Glass Pad", "Other Pad"}));
    EXPECT_EQ(Names(catalog_->Find(Text("ad gla"))), QStringList{"Glass Pad"});
    EXPECT_TRUE(catalog_->Find(Text("\"%_")).empty());
    EXPECT_EQ(catalog_->Find(Text("Als")).size(), 20u);

    CatalogFilter algorithm = Text("Als");
    algorithm.algorithm = 1;
    EXPECT_EQ(catalog_->Find(algorithm).size(), 20u);
    algorithm.algorithm = 7;
    EXPECT_TRUE(catalog_->Find(algorithm).empty());
    algorithm.text.clear();
    EXPECT_EQ(Names(catalog_->Find(algorithm)), QStringList{"Warm Str"});

    CatalogFilter category;
    category.tag = "strings";
    EXPECT_EQ(Names(catalog_->Find(category)), QStringList{"Warm Str"});
    category.folder = QString::fromStdString(Sounds("banks"));
    category.tag = "pad";
    EXPECT_EQ(Names(catalog_->Find(category)), QStringList{"Other Pad"});
}

TEST_F(SoundCatalogTest, SimilarOrdersByNearnessAndWavesFilterByWhatNodesPlay) {
    // A sound whose algorithm has a wave selector, playing wave 17 there.
    int algorithm = 0, position = -1;
    for (; algorithm < kAlgorithmCount && position < 0; ++algorithm) {
        const auto nodes = AlgorithmNodes(algorithm);
        for (size_t j = 0; j < nodes.size() && position < 0; ++j)
            position = NodeType(nodes[j]) == kNodeWave ? static_cast<int>(j) : -1;
    }
    --algorithm;
    ASSERT_GE(position, 0);
    RawData waved = NamedSound("Waved", 40, algorithm);
    waved[SoundLayout::NodeFirstByte(position)] = 17;
    PutFile(Sounds("waved.zel"), AsBytes(waved));
    catalog_->Scan();
    CatalogFilter wave;
    wave.wave = 17;
    EXPECT_EQ(Names(catalog_->Find(wave)), QStringList{"Waved"});
    wave.wave = 1;
    EXPECT_TRUE(catalog_->Find(wave).empty());

    RawData reference = NamedSound("Near", 1);
    reference[SoundLayout::kEnvelopeBase] ^= 0x03;  // a rate a little off
    const std::vector<SoundCatalog::Neighbour> near = catalog_->Similar(reference, 3);
    ASSERT_EQ(near.size(), 3u);
    QStringList nearest{near[0].entry.name, near[1].entry.name};
    nearest.sort();
    EXPECT_EQ(nearest, (QStringList{"Glass Pad", "Other Pad"}));
    EXPECT_GT(near[0].distance, 0.0);
    EXPECT_LT(near[0].distance, 0.1);
    EXPECT_GT(near[2].distance, near[1].distance);
}

TEST_F(SoundCatalogTest, UserMarksOutliveRulesAndARebuiltDatabase) {
    catalog_->Scan();
    QString failure;
    ASSERT_TRUE(catalog_->AddTag({IdOf("Glass Pad")}, "  my   pads ", failure));
    ASSERT_TRUE(catalog_->SetFavourite({IdOf("Warm Str")}, true, failure));
    ASSERT_TRUE(catalog_->SetHidden({IdOf("Bass One")}, true, failure));
    ASSERT_TRUE(catalog_->RenameTag("my pads", "keepers", failure));

    // The same sound under another name carries the tag too.
    CatalogFilter tagged;
    tagged.tag = "keepers";
    EXPECT_EQ(Names(catalog_->Find(tagged)), (QStringList{"Glass Pad", "Other Pad"}));

    // A rule change moves automatic categories only.
    ASSERT_TRUE(catalog_->SetCategoryRules({{"bell", "bell"}}, failure));
    CatalogFilter pads;
    pads.tag = "pad";
    EXPECT_TRUE(catalog_->Find(pads).empty());
    EXPECT_EQ(catalog_->Find(tagged).size(), 2u);

    const QString marksFile = catalog_->MarksPath();
    const std::vector<uint8_t> marks = FileBytes(marksFile.toStdString());
    const std::string text(marks.begin(), marks.end());
    const QString fingerprint = FingerprintText(catalog_->Entry(IdOf("Glass Pad"))->fingerprint);
    EXPECT_NE(text.find("tag\t" + fingerprint.toStdString() + "\tkeepers\n"), std::string::npos);
    EXPECT_EQ(text.rfind("ZEL-1 Edit library marks 1\nfolder\t", 0), 0u);

    // The database is damaged: it is moved aside and made again, and a scan finds every mark.
    const QString database = catalog_->DatabasePath();
    catalog_.emplace(database);
    PutFile(database.toStdString(), std::vector<uint8_t>(4096, 'z'));
    QFile::remove(database + "-wal");
    QFile::remove(database + "-shm");
    QString notice;
    ASSERT_TRUE(catalog_->Open(notice, failure)) << failure.toStdString();
    EXPECT_TRUE(notice.contains("moved to")) << notice.toStdString();
    EXPECT_EQ(QDir(QFileInfo(database).absolutePath())
                  .entryList({"library.sqlite.unreadable-*"}, QDir::Files)
                  .size(),
              1);
    EXPECT_EQ(catalog_->Folders().size(), 1);
    EXPECT_EQ(catalog_->Scan().sounds, 42);
    EXPECT_EQ(catalog_->Find(tagged).size(), 2u);
    EXPECT_TRUE(catalog_->Find(Text("Bass One")).empty());
    CatalogFilter hidden = Text("Bass One");
    hidden.includeHidden = true;
    EXPECT_EQ(catalog_->Find(hidden).size(), 1u);
    EXPECT_TRUE(catalog_->Entry(IdOf("Warm Str"))->favourite);

    // Export, and read back into another library.
    const QString exported = QString::fromStdString(files_.Path("marks.txt"));
    ASSERT_TRUE(catalog_->ExportMarks(exported, failure));
    SoundCatalog other(QString::fromStdString(files_.Path("other/library.sqlite")));
    ASSERT_TRUE(Open(other));
    int skipped = -1;
    ASSERT_TRUE(other.ImportMarks(exported, skipped, failure));
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(other.Folders(), catalog_->Folders());
    EXPECT_EQ(other.Scan().sounds, 42);
    EXPECT_EQ(other.Find(tagged).size(), 2u);
    EXPECT_FALSE(other.ImportMarks(QString::fromStdString(Sounds("notes.txt")), skipped, failure));
}

TEST_F(SoundCatalogTest, EditedCategoryRulesFileRefilesSoundsAndLeavesUserMarksAlone) {
    const std::string rulesPath = catalog_->CategoriesPath().toStdString();
    const std::vector<uint8_t> defaults = FileBytes(rulesPath);
    const std::string written(defaults.begin(), defaults.end());
    EXPECT_NE(written.find("\n\"org \"\torgan\n"), std::string::npos);
    EXPECT_NE(written.find("\nstr\tstrings\n"), std::string::npos);

    catalog_->Scan();
    QString failure;
    ASSERT_TRUE(catalog_->AddTag({IdOf("Warm Str")}, "pad", failure));
    ASSERT_TRUE(catalog_->SetFavourite({IdOf("Glass Pad")}, true, failure));
    ASSERT_TRUE(catalog_->SetHidden({IdOf("Bass One")}, true, failure));
    EXPECT_EQ(catalog_->Entry(IdOf("Glass Pad"))->categories, "pad");

    const std::string edited =
        "# mine\n  WARM\tcozy\n\"str \"   strings\nno-category\n\"unclosed\tx\nglass  cozy\n";
    PutFile(rulesPath, std::vector<uint8_t>(edited.begin(), edited.end()));
    const QString database = catalog_->DatabasePath();
    catalog_.emplace(database);
    QString notice;
    ASSERT_TRUE(catalog_->Open(notice, failure)) << failure.toStdString();
    EXPECT_TRUE(notice.contains("line 4 is not a piece and a category")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("line 5 ")) << notice.toStdString();
    EXPECT_EQ(FileBytes(rulesPath), std::vector<uint8_t>(edited.begin(), edited.end()));

    const std::optional<CatalogEntry> warm = catalog_->Entry(IdOf("Warm Str"));
    EXPECT_EQ(warm->categories, "cozy strings");
    EXPECT_EQ(warm->tags, QStringList{"pad"});
    CatalogFilter pads;
    pads.tag = "pad";
    EXPECT_EQ(Names(catalog_->Find(pads)), QStringList{"Warm Str"});  // the user's tag only
    CatalogFilter cozy;
    cozy.tag = "cozy";
    EXPECT_EQ(Names(catalog_->Find(cozy)), (QStringList{"Glass Pad", "Warm Str"}));
    EXPECT_TRUE(catalog_->Entry(IdOf("Glass Pad"))->favourite);
    EXPECT_TRUE(catalog_->Find(Text("Bass One")).empty());

    // Edited again while open: read before a rescan; a missing file comes back with the defaults.
    PutFile(rulesPath, {'b', 'a', 's', 's', ' ', 'l', 'o', 'w', '\n'});
    QStringList problems;
    ASSERT_TRUE(catalog_->ReadCategoryRules(problems, failure));
    EXPECT_TRUE(problems.isEmpty());
    catalog_->Scan();
    CatalogFilter bass = Text("Bass One");
    bass.includeHidden = true;
    EXPECT_EQ(catalog_->Find(bass).at(0).categories, "low");
    EXPECT_TRUE(catalog_->Entry(IdOf("Warm Str"))->categories.isEmpty());
    QFile::remove(QString::fromStdString(rulesPath));
    ASSERT_TRUE(catalog_->ReadCategoryRules(problems, failure));
    EXPECT_EQ(FileBytes(rulesPath), defaults);
    EXPECT_EQ(catalog_->Entry(IdOf("Glass Pad"))->categories, "pad");
}
