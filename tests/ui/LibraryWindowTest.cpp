#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include "ShellFixture.h"
#include "catalog/CatalogListModel.h"
#include "core/CatalogTestSupport.h"
#include "model/ClassSounds.h"
#include "ui/common/EditHistory.h"
#include "ui/library/FormLibrary.h"
#include "ui/library/FormSounds.h"
#include "windowlogic/ScratchAudition.h"

// The library window in the main window on the virtual ZEL-1, over a real database in a
// temporary folder and a folder of sound files.
class LibraryWindowTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        window->SetChildFactory(Child::Library, [this] {
            auto* form =
                new FormLibrary(Context(), QString::fromStdString(files.Path("db/lib.sqlite")));
            form->Load();
            return form;
        });
        window->SetChildFactory(Child::Sounds, [this] {
            auto* form = new FormSounds(Context());
            form->Load();
            return form;
        });
        QDir().mkpath(QString::fromStdString(files.Path("sounds")));
        pad = NamedSound("Glass Pad", 11, 2);
        PutFile(files.Path("sounds/pad.zel"), AsBytes(pad));
        bell = NamedSound("Tiny Bell", 12, 2);
        PutFile(files.Path("sounds/bank.zas"), BankBytes({NamedSound("x", 13), bell}, 60));
        PutFile(files.Path("sounds/cut.zas"), std::vector<uint8_t>(3000, 1));  // not a bank

        Action("MenuViewLibrary")->trigger();
        dialogs.Answer(QString::fromStdString(files.Path("sounds")));
        Click("ButtonAddFolder");
        Library()->WaitForScan();
        driver.Synth().ClearLog();
    }

    FormLibrary* Library() const {
        return dynamic_cast<FormLibrary*>(window->ChildWindow(Child::Library));
    }
    QTableView* Table() const { return Library()->findChild<QTableView*>("TableLibrary"); }
    void Click(const char* name) { Library()->findChild<QPushButton*>(name)->click(); }
    // Types a search and selects the first sound found.
    void Find(const QString& text) {
        Library()->findChild<QLineEdit*>("TextSearch")->setText(text);
        Table()->selectRow(0);
    }
    RawData Slot(int slot) {
        RawData raw = driver.Synth().Sound(slot);
        raw.resize(138);
        return raw;
    }

    TempFolder files;
    RawData pad;
    RawData bell;
};

TEST_F(LibraryWindowTest, AuditionAsksForAScratchSlotOnceAndGivesItBackOnClose) {
    EXPECT_EQ(Table()->model()->rowCount(), 21);
    const RawData own = Slot(19);

    Find("glass");
    ASSERT_EQ(Table()->model()->rowCount(), 1);
    Click("ButtonAudition");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].title, "Audition");
    EXPECT_EQ(store.Read("ZEL_EDITOR", "settings", ScratchAudition::kKeyScratchSlot, ""), "19");
    EXPECT_EQ(Slot(19), pad);

    Find("tiny");
    Click("ButtonAudition");
    EXPECT_EQ(messages.Messages().size(), 1u);  // asked once
    EXPECT_EQ(Slot(19), bell);

    window->Host().SubWindowOf(Library())->close();
    EXPECT_EQ(Slot(19), own);
}

TEST_F(LibraryWindowTest, ASlotChosenInSettingsServesWithoutAsking) {
    window->Settings()->findChild<QComboBox*>("ComboScratchSlot")->setCurrentIndex(3);
    Find("glass");
    Click("ButtonAudition");
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(Slot(2), pad);
}

TEST_F(LibraryWindowTest, SendAndDropOpenIntoASlotAsOneUndoStepThatIsVerified) {
    const RawData before = Slot(4);
    Find("glass");
    Library()->findChild<QComboBox*>("ComboSendSlot")->setCurrentIndex(4);
    Click("ButtonSend");
    EXPECT_EQ(Slot(4), pad);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Verified");
    const auto sound = library.Sounds().Sound(4);
    QUndoStack* history = library.History().SoundStack(*sound);
    ASSERT_EQ(history->count(), 1);
    history->undo();
    EXPECT_EQ(Slot(4), before);

    // A bank's sound dragged from the list onto the browser's seventh slot.
    Find("tiny");
    std::unique_ptr<QMimeData> drag(Table()->model()->mimeData({Table()->model()->index(0, 0)}));
    Action("MenuViewSounds")->trigger();
    auto* list = window->ChildWindow(Child::Sounds)->findChild<QListWidget*>("ListView");
    const QPoint at = list->visualItemRect(list->item(6)).center();
    window->statusBar()->clearMessage();
    // As a drag arrives: entering the list, then the drop.
    QDragEnterEvent enter(at, Qt::CopyAction, drag.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, drag.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Slot(6), bell);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Verified");
    EXPECT_EQ(library.History().SoundStack(*library.Sounds().Sound(6))->count(), 1);
    EXPECT_EQ(list->item(6)->text(), "Tiny Bell");
}

TEST_F(LibraryWindowTest, FilesThatCannotBeReadAreListedWithTheirReasons) {
    auto* skipped = Library()->findChild<QPushButton*>("CommandSkipped");
    ASSERT_TRUE(skipped->isVisibleTo(Library()));
    EXPECT_EQ(skipped->text(), "1 file skipped");
    QTest::mouseClick(skipped, Qt::LeftButton);
    auto* list = Library()->findChild<QDialog*>("DialogSkipped");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    auto* rows = list->findChild<QTableWidget*>("TableSkipped");
    ASSERT_EQ(rows->rowCount(), 1);
    const QString path = QString::fromStdString(files.Path("sounds/cut.zas"));
    EXPECT_EQ(rows->item(0, 0)->text(), path);
    const QString reason = rows->item(0, 1)->text();
    EXPECT_FALSE(reason.isEmpty());
    list->findChild<QPushButton*>("ButtonCopySkipped")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), path + "\t" + reason + "\n");

    // Mended and scanned again: nothing is skipped, and the open list says so.
    PutFile(files.Path("sounds/cut.zas"), BankBytes({}, 80));
    Touch(files.Path("sounds/cut.zas"), 5);
    Click("ButtonScan");
    Library()->WaitForScan();
    EXPECT_FALSE(skipped->isVisibleTo(Library()));
    EXPECT_EQ(rows->rowCount(), 0);
}
