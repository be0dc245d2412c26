#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>

#include "ShellFixture.h"

// Where the main window's child windows open, and what they show when their frame is small.
class WindowPlacesTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        window->resize(1000, 700);
        window->Host().SetPlaces(&places);
        window->SetChildFactory(Child::Groups, [this] {
            auto* groups = new TestDocument(DocumentWindow::Kind::Groups, true, &log);
            groups->setObjectName("FormGroups");
            groups->setMinimumSize(420, 300);
            return groups;
        });
    }
    QMdiSubWindow* Frame(QWidget* widget) const { return window->Host().SubWindowOf(widget); }
    QRect Area() const { return window->WorkArea().viewport()->rect(); }

    MemorySettingsStore places;
};

TEST_F(WindowPlacesTest, AKindOfWindowOpensWhereTheLastOneWasClosedAndInsideTheWorkArea) {
    Frame(window->OpenChild(Child::Groups))->setGeometry(30, 40, 500, 350);
    Frame(window->ChildWindow(Child::Groups))->close();
    EXPECT_EQ(places.Read("ZEL_EDITOR", "windows", "FormGroups", ""), "30 40 500 350");
    EXPECT_EQ(Frame(window->OpenChild(Child::Groups))->geometry(), QRect(30, 40, 500, 350));
    Frame(window->ChildWindow(Child::Groups))->close();

    // Kept on a larger screen: brought inside, no larger than the work area.
    places.Write("ZEL_EDITOR", "windows", "FormGroups", "1500 900 2000 1200");
    EXPECT_EQ(Frame(window->OpenChild(Child::Groups))->geometry(), Area());
    Frame(window->ChildWindow(Child::Groups))->close();
    // A damaged entry is passed over.
    places.Write("ZEL_EDITOR", "windows", "FormGroups", "30 forty");
    EXPECT_TRUE(Area().contains(Frame(window->OpenChild(Child::Groups))->geometry()));
}

TEST_F(WindowPlacesTest, AFrameSmallerThanTheControlsScrollsToThemInsteadOfCuttingThemOff) {
    QWidget* groups = window->OpenChild(Child::Groups);
    Frame(groups)->resize(200, 150);
    QCoreApplication::processEvents();
    auto* scroll = Frame(groups)->findChild<QScrollArea*>("ScrollArea");
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(groups->size(), QSize(420, 300));
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    EXPECT_EQ(groups->mapTo(scroll->viewport(), QPoint(420, 0)).x(), scroll->viewport()->width());

    // Large enough again, the bars go and the controls take the whole frame.
    Frame(groups)->resize(700, 500);
    QCoreApplication::processEvents();
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_EQ(groups->size(), scroll->viewport()->size());
}
