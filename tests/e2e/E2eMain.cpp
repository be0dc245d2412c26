#include <gtest/gtest.h>

#include <QCoreApplication>

// The waits process Qt events between looks at the input flags, as in the editor.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
