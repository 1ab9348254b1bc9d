#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // For the programs a test starts: offscreen unless the caller names a platform.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
