#include <gtest/gtest.h>
#include <QDir>

#include "FileTestSupport.h"
#include "platform/UserManual.h"

TEST(UserManualTest, FoundUnderTheInstallPrefixOrInTheBuildFolder) {
    TempFolder root;
    const QDir prefix(QString::fromStdString(root.Root()));
    ASSERT_TRUE(prefix.mkpath("usr/bin") && prefix.mkpath("usr/share/zel1edit/manual.html"));
    const QString bin = prefix.filePath("usr/bin");
    EXPECT_EQ(UserManual::Find(bin), QString());  // a folder of that name is no manual
    ASSERT_TRUE(prefix.rmdir("usr/share/zel1edit/manual.html"));

    PutFile(root.Path("usr/share/zel1edit/manual.html"), {'<'});
    EXPECT_EQ(UserManual::Find(bin), prefix.filePath("usr/share/zel1edit/manual.html"));

    ASSERT_TRUE(prefix.mkpath("build/doc"));
    PutFile(root.Path("build/doc/manual.html"), {'<'});
    EXPECT_EQ(UserManual::Find(prefix.filePath("build")), prefix.filePath("build/doc/manual.html"));
}
