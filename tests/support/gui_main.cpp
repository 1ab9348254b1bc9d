#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Closing the main window ends the program with QCoreApplication::exit; with
// no event loop running, that request stays behind and every later loop
// (a modal dialog, a wait) returns at once. After each test the request is
// cleared (exec() clears it on its way in and out) and what the test left
// for deletion is deleted, so the next test starts on a live application.
class LiveApplicationForEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

} // namespace

// GoogleTest entry for tests that need widgets: one QApplication for the whole binary.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new LiveApplicationForEachTest);
    return RUN_ALL_TESTS();
}
