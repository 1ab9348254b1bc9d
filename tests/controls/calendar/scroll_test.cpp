#include "tests/controls/common/fixture.h"

#include <QDate>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>

using com::ControlHost;

namespace {

enum : int { Date = 6, MaxDate = 7, MinDate = 8, Month = 12, Year = 13, ScrollBar = 18, FirstDay = 19 };

qint32 serial(int y, int m, int d) { return qint32(QDate(y, m, d).toJulianDay() - 2415019); }

QScrollBar* shownBar(ControlHost& cal)
{
    for (QScrollBar* b : cal.controlWidget()->findChildren<QScrollBar*>())
        if (b->isVisible())
            return b;
    return nullptr;
}

} // namespace

TEST(CalendarScrollBar, StepsMonthsAndYearsAndScalesLongSpans)
{
    ControlHost cal(QStringLiteral("QKCAL.QKCalCtrl.1"));
    cal.show();
    EXPECT_FALSE(cal.control()->isDirty());
    cal.setProperty(ScrollBar, 0);   // unchanged: nothing happens, not even the modified mark
    EXPECT_FALSE(cal.control()->isDirty());
    EXPECT_EQ(shownBar(cal), nullptr);
    EXPECT_THROW(cal.setProperty(ScrollBar, 3), vb::RuntimeError);

    cal.setProperty(Date, serial(2021, 1, 31));
    cal.setProperty(ScrollBar, 2);
    QScrollBar* bar = shownBar(cal);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    EXPECT_EQ(bar->maximum(), 32767);   // year 100 to 9999 is more than 32767 months
    const int months = 9999 * 12 + 11 - 100 * 12;
    EXPECT_EQ(bar->sliderPosition(), int(qint64(2021 * 12 + 1 - 100 * 12 - 1) * 32768 / months));

    QSignalSpy change(&cal, &ControlHost::change);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(cal.property(Date).toInt(), serial(2021, 2, 28));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(cal.property(Date).toInt(), serial(2020, 2, 28));
    EXPECT_EQ(change.count(), 2);

    // A short span maps one month to one position.
    cal.setProperty(MinDate, serial(2020, 1, 1));
    cal.setProperty(MaxDate, serial(2021, 12, 31));
    EXPECT_EQ(bar->maximum(), 23);
    cal.setProperty(ScrollBar, 1);
    bar = shownBar(cal);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(bar->sliderPosition(), 1);   // February 2020
    // A click on the thumb without a drag changes nothing.
    change.clear();
    bar->setSliderDown(true);
    bar->setSliderDown(false);
    EXPECT_EQ(change.count(), 0);
    // A drag of one move is taken where the thumb was let go.
    bar->setSliderDown(true);
    bar->setSliderPosition(14);
    bar->setSliderDown(false);
    EXPECT_EQ(cal.property(Month).toInt(), 3);
    EXPECT_EQ(cal.property(Year).toInt(), 2021);
    EXPECT_EQ(change.count(), 1);
    EXPECT_TRUE(cal.control()->isDirty());

    // The wheel over the bar moves no month, and the thumb stays on the shown one.
    QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(bar, &wheel);
    EXPECT_EQ(cal.property(Month).toInt(), 3);
    EXPECT_EQ(bar->value(), 14);
    EXPECT_EQ(change.count(), 1);
}

TEST(CalendarLayout, FirstDayMovesTheColumns)
{
    ControlHost cal(QStringLiteral("QKCAL.QKCalCtrl.1"));
    cal.show();
    cal.setProperty(FirstDay, 2);                // Monday first
    cal.setProperty(Date, serial(2021, 8, 15));  // August 2021 starts on a Sunday
    // Day 1 sits in the last column of the first week row: cells 18 x 17 from (4, 9).
    QTest::mouseClick(cal.controlWidget(), Qt::LeftButton, {}, QPoint(4 + 6 * 18 + 9, 9 + 2 * 17 + 8));
    EXPECT_EQ(cal.property(Date).toInt(), serial(2021, 8, 1));
    QTest::mouseClick(cal.controlWidget(), Qt::LeftButton, {}, QPoint(4 + 9, 9 + 3 * 17 + 8));
    EXPECT_EQ(cal.property(Date).toInt(), serial(2021, 8, 2));
}

TEST(CalendarHostLife, SurvivesItsWindowBeingDestroyed)
{
    auto cal = std::make_unique<ControlHost>(QStringLiteral("QKCAL.QKCalCtrl.1"));
    delete cal->controlWidget();
    EXPECT_EQ(cal->control(), nullptr);
    EXPECT_THROW(cal->property(Date), vb::RuntimeError);
    cal.reset();   // no crash

    // A handler may delete the host that raised the event.
    auto other = std::make_unique<ControlHost>(QStringLiteral("QKCAL.QKCalCtrl.1"));
    QObject::connect(other.get(), &ControlHost::change, [&] { other.reset(); });
    other->setProperty(Date, 44197);
    EXPECT_EQ(other, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(RegistrationTool, RegistersAndRemovesALibrary)
{
    const QString tool = testenv::binDir() + QStringLiteral("/kmk-regsvr");
    if (!QFile::exists(tool))
        GTEST_SKIP() << "kmk-regsvr not built";
    QTemporaryDir dir;
    QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    pe.insert(QStringLiteral("KILOMETRIKA_REGISTRY"), dir.filePath(QStringLiteral("reg.ini")));
    auto run = [&](QStringList args) {
        QProcess p;
        p.setProcessEnvironment(pe);
        p.start(tool, args);
        p.waitForFinished(30000);
        return p.exitCode();
    };
    // The help folder comes from the registry value when there is one.
    com::Registry(dir.filePath(QStringLiteral("reg.ini")))
        .setValue(QStringLiteral("Software\\Marwelin\\Kitbarro\\HelpDirectory"), QStringLiteral("@"), QStringLiteral("/opt/help"));
    EXPECT_EQ(run({testenv::library("QKCAL32")}), 0);
    com::Registry reg(dir.filePath(QStringLiteral("reg.ini")));
    const auto clsid = reg.clsidFromProgId(QStringLiteral("QKCAL.QKCalCtrl.1"));
    ASSERT_TRUE(clsid);
    EXPECT_EQ(clsid->toString(), QStringLiteral("{D13D4737-89F3-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(reg.libraryOf(*clsid), testenv::library("QKCAL32"));
    EXPECT_EQ(reg.value(QStringLiteral("TypeLib\\{D13D473A-89F3-101B-9306-0020AF234C9D}"), QStringLiteral("HelpDir")),
              QStringLiteral("/opt/help"));
    EXPECT_EQ(reg.value(QStringLiteral("QKCAL.QKCalPropPage.1"), QStringLiteral("CLSID")),
              QStringLiteral("{D13D473B-89F3-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(run({QStringLiteral("/u"), testenv::library("QKCAL32")}), 0);
    EXPECT_FALSE(reg.clsidFromProgId(QStringLiteral("QKCAL.QKCalCtrl.1")));
    EXPECT_NE(run({dir.filePath(QStringLiteral("nothing.so"))}), 0);
    EXPECT_NE(run({}), 0);
}

namespace {
class KeyCatcher : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
};
} // namespace

TEST(CalendarKeys, UnusedKeysGoOnToTheHostAfterKeyDown)
{
    KeyCatcher page;
    ControlHost cal(QStringLiteral("QKCAL.QKCalCtrl.1"), &page);
    page.show();
    QSignalSpy keyDown(&cal, &ControlHost::keyDown);
    QTest::keyClick(cal.controlWidget(), Qt::Key_F9);
    ASSERT_EQ(keyDown.count(), 1);
    EXPECT_EQ(keyDown[0][0].toInt(), 120);
    EXPECT_EQ(page.keys, QList<int>{Qt::Key_F9});
    QTest::keyClick(cal.controlWidget(), Qt::Key_PageDown);   // the calendar's own key stays there
    EXPECT_EQ(keyDown.count(), 2);
    EXPECT_EQ(keyDown[1][0].toInt(), 34);
    EXPECT_EQ(page.keys, QList<int>{Qt::Key_F9});
}
