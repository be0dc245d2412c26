#include <gtest/gtest.h>

#include <QDir>
#include <sstream>

#include "catalog/LibraryBank.h"
#include "catalog/SoundFingerprint.h"
#include "cli/library/LibraryCommands.h"
#include "core/CatalogTestSupport.h"

namespace {
class LibraryCommandsTest : public ::testing::Test {
  protected:
    int Run(QStringList args) {
        out_.str("");
        err_.str("");
        LibraryCommands commands(QString::fromStdString(files_.Path("data/library.sqlite")), out_,
                                 err_);
        args.prepend("library");
        args.prepend("zel1-cli");
        return commands.Run(args);
    }
    QString Path(const std::string& name) const {
        return QString::fromStdString(files_.Path(name));
    }

    TempFolder files_;
    std::ostringstream out_;
    std::ostringstream err_;
};
}  // namespace

TEST_F(LibraryCommandsTest, ScanFindSimilarAndExportBankPrintOneLineASound) {
    QDir().mkpath(Path("sounds"));
    RawData strange = NamedSound("Pad\x1b[2J", 7);  // an escape sequence in a name
    PutFile(files_.Path("sounds/pad.zel"), AsBytes(NamedSound("Slow Pad", 1, 4)));
    PutFile(files_.Path("sounds/odd.zel"), AsBytes(strange));
    PutFile(files_.Path("sounds/bank.zas"), BankBytes({NamedSound("Pad Copy", 1, 4)}, 50));
    PutFile(files_.Path("sounds/bad.zas"), std::vector<uint8_t>(3000, 1));

    EXPECT_EQ(Run({"scan"}), LibraryCommands::kFailed);  // no folder yet
    ASSERT_EQ(Run({"add-folder", Path("sounds")}), LibraryCommands::kSuccess);
    ASSERT_EQ(Run({"scan"}), LibraryCommands::kSuccess) << err_.str();
    EXPECT_EQ(out_.str(), "4 files: 4 read, 0 unchanged, 0 removed, 1 unreadable; 22 sounds\n");
    EXPECT_NE(err_.str().find("Library: skipped " + files_.Path("sounds/bad.zas") + ": "),
              std::string::npos);

    const std::string fingerprint =
        FingerprintText(SoundFingerprint(NamedSound("", 1, 4))).toStdString();
    ASSERT_EQ(Run({"find", "pad", "--algorithm", "4", "--duplicates"}), LibraryCommands::kSuccess);
    EXPECT_EQ(out_.str(), "Pad Copy\t\tpad\t4\t" + files_.Path("sounds/bank.zas") + "\t0\t" +
                              fingerprint + "\nSlow Pad\t\tpad\t4\t" +
                              files_.Path("sounds/pad.zel") + "\t0\t" + fingerprint + "\n");
    ASSERT_EQ(Run({"find", "2J"}), LibraryCommands::kSuccess);
    EXPECT_EQ(out_.str().substr(0, 15), "Pad\\x1B[2J\t\tpad");

    ASSERT_EQ(Run({"similar", Path("sounds/pad.zel"), "--count", "2"}), LibraryCommands::kSuccess);
    const std::string similar = out_.str();
    EXPECT_EQ(similar.substr(0, 6), "0.000\t");
    EXPECT_EQ(std::count(similar.begin(), similar.end(), '\n'), 2);

    ASSERT_EQ(Run({"export-bank", Path("pads.zas"), "pad", "--algorithm", "4"}),
              LibraryCommands::kSuccess);
    const std::vector<uint8_t> bank = FileBytes(files_.Path("pads.zas"));
    ASSERT_EQ(bank.size(), 2761u);
    const std::vector<uint8_t> bankFile = FileBytes(files_.Path("sounds/bank.zas"));
    EXPECT_TRUE(std::equal(bank.begin(), bank.begin() + 138, bankFile.begin()));
    const std::vector<uint8_t> fresh = AsBytes(NewSoundRecord());
    EXPECT_TRUE(std::equal(bank.begin() + 2 * 138, bank.begin() + 3 * 138, fresh.begin()));
    EXPECT_EQ(bank.back(), 0);

    EXPECT_EQ(Run({"export-bank", Path("none.zas"), "nothing like it"}), LibraryCommands::kFailed);
    EXPECT_FALSE(FileExists(files_.Path("none.zas")));
    EXPECT_EQ(Run({"export-bank", Path("pads.zel"), "pad"}), LibraryCommands::kUsage);
    EXPECT_EQ(Run({"find", "--algorithm", "28"}), LibraryCommands::kUsage);
    EXPECT_EQ(Run({"sort"}), LibraryCommands::kUsage);

    // A damaged line of the category rules is said, and the command goes on.
    PutFile(files_.Path("data/library-categories.txt"), {'p', 'a', 'd', '\n', 'x', ' ', 'y', '\n'});
    ASSERT_EQ(Run({"folders"}), LibraryCommands::kSuccess);
    EXPECT_NE(err_.str().find("library-categories.txt\", line 1 is not a piece and a category"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(err_.str().find("line 2"), std::string::npos);
}
