#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/MessageSink.h"
#include "ui/app/QtMessageSink.h"

// Shows a real message box and answers it from a timer, the way a user would click.
class QtMessageSinkTest : public ::testing::Test {
  protected:
    // Shows the box, notes what it showed, and presses the given button (or closes it).
    int ShowAndPress(const std::string& text, const std::string& title, int flags,
                     QMessageBox::StandardButton press) {
        QTimer::singleShot(0, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shownTitle = box->windowTitle();
            shownText = box->text();
            shownIcon = box->icon();
            shownButtons = box->standardButtons();
            if (press == QMessageBox::NoButton) {
                box->reject();
            } else {
                QTest::mouseClick(box->button(press), Qt::LeftButton);
            }
        });
        return sink.Show(text, title, flags);
    }

    QtMessageSink sink;
    QString shownTitle;
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
};

TEST_F(QtMessageSinkTest, PlatformCodesPickIconButtonsAndResult) {
    EXPECT_EQ(ShowAndPress("Are you sure you want to exit?", "ZEL-1 Edit", 33, QMessageBox::Cancel),
              MessageFlags::ResultCancel);
    EXPECT_EQ(shownTitle, "ZEL-1 Edit");
    EXPECT_EQ(shownText, "Are you sure you want to exit?");
    EXPECT_EQ(shownIcon, QMessageBox::Question);
    EXPECT_EQ(shownButtons, QMessageBox::Ok | QMessageBox::Cancel);

    EXPECT_EQ(ShowAndPress("Replace it?", "Save", 4 + 48, QMessageBox::Yes),
              MessageFlags::ResultYes);
    EXPECT_EQ(shownIcon, QMessageBox::Warning);
    EXPECT_EQ(ShowAndPress("Replace it?", "Save", 4, QMessageBox::NoButton),
              MessageFlags::ResultNo);

    // A box without a title of its own carries the application's title.
    EXPECT_EQ(ShowAndPress("Checksum error", "", 16, QMessageBox::Ok), MessageFlags::ResultOk);
    EXPECT_EQ(shownTitle, "ZEL1Edit");
    EXPECT_EQ(shownIcon, QMessageBox::Critical);
    EXPECT_EQ(shownButtons, QMessageBox::Ok);
}
