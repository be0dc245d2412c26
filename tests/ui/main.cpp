// Window tests need one application object for the whole run. They run without a display,
// also when the build lists them.
#include <gtest/gtest.h>
#include <QApplication>

#include "ui/app/EditorApplication.h"

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The event loop the editor runs on (it matters on a real display).
    EditorApplication::PrepareProcess();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
