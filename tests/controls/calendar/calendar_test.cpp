#include "tests/controls/common/fixture.h"
#include "tests/support/zeiger.h"

#include "platform/com/formcontrols.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <tuple>

using com::ControlHost;

namespace {

enum : int {
    DateType = 5, Date = 6, MaxDate = 7, MinDate = 8, DayFrame = 9, ThreeD = 10, Day = 11, Month = 12, Year = 13,
    Weekday = 14, DaysInMonth = 15, YearDayNumber = 16, YearDaysLeft = 17, FirstDay = 19, GetArrows = 20,
    MarkColor3 = 26, MousePointer = 35, DatePosition = 42, MDYtoDateTime = 44, DateTimeToMDY = 45,
    CalcDayOfWeek = 46, CalcDaysInMonth = 47, AddMonth = 48, AddYear = 49, MarkType = 50,
};

qint32 serial(int y, int m, int d) { return qint32(QDate(y, m, d).toJulianDay() - 2415019); }

std::unique_ptr<ControlHost> newCalendar()
{
    auto host = std::make_unique<ControlHost>(QStringLiteral("QKCAL.QKCalCtrl.1"));
    host->show();
    return host;
}

using testenv::refusal;

// Cell of a day in the default 134 x 154 layout (no 3-D, single border):
// cells 18 x 17 from (4, 9), rows 0 and 1 for title and day titles.
QRect cellOf(ControlHost& cal, int day)
{
    const int y = cal.property(Year).toInt(), m = cal.property(Month).toInt();
    const int c = QDate(y, m, 1).dayOfWeek() % 7 + 1;   // 1 = Sunday
    const int F = cal.property(FirstDay).toInt();
    const int k = c < F ? c + day - F + 6 : c + day - F - 1;
    return QRect(4 + (k % 7) * 18, 9 + (k / 7 + 2) * 17, 18, 17);
}

} // namespace

TEST(CalendarHost, SetsDatesByDispatchIdAndRaisesChange)
{
    auto cal = newCalendar();
    QSignalSpy change(cal.get(), &ControlHost::change);
    cal->setProperty(MaxDate, 55153);
    cal->setProperty(MinDate, 44197);
    change.clear();
    cal->setProperty(Date, serial(2021, 3, 15));
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 3, 15));
    EXPECT_EQ(cal->property(0).toInt(), serial(2021, 3, 15));   // the default property
    EXPECT_EQ(cal->property(Day).toInt(), 15);
    EXPECT_EQ(cal->property(Month).toInt(), 3);
    EXPECT_EQ(cal->property(Weekday).toInt(), 2);                // Monday
    EXPECT_EQ(cal->property(DaysInMonth).toInt(), 31);
    EXPECT_EQ(cal->property(YearDayNumber).toInt(), 74);
    EXPECT_EQ(cal->property(YearDaysLeft).toInt(), 291);

    // The same value again still raises Change once.
    cal->setProperty("Date", serial(2021, 3, 15));
    EXPECT_EQ(change.count(), 2);

    // Outside the bounds: 380, nothing changes, no Change.
    EXPECT_EQ(refusal([&] { cal->setProperty(Date, 44196); }), 380);
    EXPECT_EQ(refusal([&] { cal->setProperty(Date, 55154); }), 380);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 3, 15));
    EXPECT_EQ(change.count(), 2);
    try {
        cal->setProperty(Date, 1);
    } catch (const com::ComError& e) {
        EXPECT_EQ(e.description, QStringLiteral("The Date property must be between MinDate and MaxDate inclusive."));
    }
    EXPECT_EQ(refusal([&] { cal->property(QStringLiteral("NoSuchThing")); }), 438);
    EXPECT_EQ(refusal([&] { cal->setProperty(Weekday, 3); }), 383);
}

TEST(CalendarHost, BoundRules)
{
    auto cal = newCalendar();
    QSignalSpy change(cal.get(), &ControlHost::change);
    cal->setProperty(Date, serial(2021, 3, 15));
    change.clear();

    // MinDate above MaxDate and MaxDate below MinDate are refused and change nothing.
    cal->setProperty(MinDate, serial(2021, 1, 1));
    cal->setProperty(MaxDate, serial(2021, 12, 31));
    EXPECT_EQ(refusal([&] { cal->setProperty(MinDate, serial(2022, 1, 1)); }), 380);
    EXPECT_EQ(refusal([&] { cal->setProperty(MaxDate, serial(2020, 12, 31)); }), 380);
    EXPECT_EQ(cal->property(MinDate).toInt(), serial(2021, 1, 1));
    EXPECT_EQ(cal->property(MaxDate).toInt(), serial(2021, 12, 31));
    EXPECT_EQ(change.count(), 0);

    // A bound that does not pass the date: no Change.
    cal->setProperty(MaxDate, serial(2021, 3, 20));
    EXPECT_EQ(change.count(), 0);
    // A bound that passes it moves the date, with exactly one Change.
    cal->setProperty(MaxDate, serial(2021, 3, 10));
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 3, 10));
    cal->setProperty(MinDate, serial(2021, 3, 10));   // equal to the date: taken, one Change
    EXPECT_EQ(change.count(), 2);
    cal->setProperty(MaxDate, serial(2021, 12, 31));
    cal->setProperty(MinDate, serial(2021, 6, 1));
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 6, 1));

    // The absolute range limits a bound instead of refusing it.
    cal->setProperty(MaxDate, 9999999);
    EXPECT_EQ(cal->property(MaxDate).toInt(), 2958465);
}

TEST(CalendarHost, YearMonthAndDayRules)
{
    auto cal = newCalendar();
    QSignalSpy change(cal.get(), &ControlHost::change);
    cal->setProperty(Date, serial(2023, 1, 31));
    change.clear();
    EXPECT_EQ(refusal([&] { cal->setProperty(Year, 99); }), 380);
    EXPECT_EQ(refusal([&] { cal->setProperty(Year, 10000); }), 380);
    EXPECT_EQ(change.count(), 0);
    cal->setProperty(Year, 2023);   // unchanged: silent
    EXPECT_EQ(change.count(), 0);

    cal->setProperty(Month, 2);     // 31 February runs into March
    EXPECT_EQ(cal->property(Date).toInt(), serial(2023, 3, 3));
    EXPECT_EQ(change.count(), 1);
    cal->setProperty(Date, serial(2024, 1, 31));
    cal->setProperty(Month, 2);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2024, 3, 2));

    cal->setProperty(Date, serial(2024, 2, 29));
    cal->setProperty(Year, 2025);   // no 29 February: 1 March
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 3, 1));
    EXPECT_EQ(refusal([&] { cal->setProperty(Day, 32); }), 380);
    EXPECT_EQ(refusal([&] { cal->setProperty(Month, 13); }), 380);

    // The year is committed within the bounds.
    cal->setProperty(MinDate, serial(2025, 1, 1));
    cal->setProperty(MaxDate, serial(2025, 12, 31));
    cal->setProperty(Year, 2030);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 12, 31));
}

TEST(CalendarHost, DateTypeKeepsTheShownDayAndRefusesWholly)
{
    auto cal = newCalendar();
    cal->setProperty(Date, serial(2021, 5, 17));
    cal->setProperty(DateType, 1);
    EXPECT_EQ(cal->property(MaxDate).toInt(), 31368);
    EXPECT_EQ(cal->property(MinDate).toInt(), -29219);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 5, 17) - 29220);
    EXPECT_EQ(cal->property(Day).toInt(), 17);
    cal->setProperty(DateType, 0);
    EXPECT_EQ(cal->property(MaxDate).toInt(), 2958465);
    EXPECT_EQ(cal->property(MinDate).toInt(), -657434);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 5, 17));
    EXPECT_EQ(refusal([&] { cal->setProperty(DateType, 2); }), 380);

    // Bounds that cannot exist in the other epoch: refused, nothing half done.
    cal->setProperty(MaxDate, 50000);
    cal->setProperty(MinDate, 40000);
    cal->setProperty(Date, 45000);
    QSignalSpy change(cal.get(), &ControlHost::change);
    EXPECT_EQ(refusal([&] { cal->setProperty(DateType, 1); }), 380);
    EXPECT_EQ(cal->property(DateType).toInt(), 0);
    EXPECT_EQ(cal->property(MaxDate).toInt(), 50000);
    EXPECT_EQ(cal->property(MinDate).toInt(), 40000);
    EXPECT_EQ(cal->property(Date).toInt(), 45000);
    EXPECT_EQ(change.count(), 0);
}

TEST(CalendarHost, MarksPointersAndMethods)
{
    auto cal = newCalendar();
    cal->setProperty(Date, serial(2021, 1, 10));
    cal->setPropertyAt(MarkType, {0}, 3);
    EXPECT_EQ(cal->propertyAt(MarkType, {31}).toInt(), 3);
    EXPECT_EQ(refusal([&] { cal->setPropertyAt(MarkType, {32}, 1); }), 380);
    EXPECT_EQ(refusal([&] { cal->setPropertyAt(MarkType, {5}, 9); }), 380);
    cal->setProperty(Month, 2);   // the month-wide mark follows
    EXPECT_EQ(cal->propertyAt(MarkType, {28}).toInt(), 3);
    EXPECT_EQ(cal->propertyAt(MarkType, {29}).toInt(), 0);   // beyond the month

    cal->setProperty(MousePointer, 15);
    cal->setProperty(MousePointer, 99);
    EXPECT_EQ(refusal([&] { cal->setProperty(MousePointer, 16); }), 380);
    EXPECT_EQ(refusal([&] { cal->setProperty(QStringLiteral("MouseIcon"), QImage(2, 2, QImage::Format_RGB32)); }), 481);
    EXPECT_EQ(refusal([&] { cal->setProperty(DayFrame, 2); }), 380);
    cal->setProperty(DayFrame, 1);
    EXPECT_EQ(cal->property(DayFrame).toInt(), 1);   // kept as set

    EXPECT_EQ(cal->call(QStringLiteral("CalcDayOfWeek"), {1, 1, 2021}).toInt(), 6);
    EXPECT_EQ(cal->call(QStringLiteral("CalcDayOfWeek"), {2, 30, 2021}).toInt(), 0);
    EXPECT_EQ(cal->call(QStringLiteral("CalcDaysInMonth"), {2, 24}).toInt(), 29);
    EXPECT_EQ(cal->call(QStringLiteral("CalcDaysInMonth"), {2, 30}).toInt(), 28);
    EXPECT_EQ(cal->call(QStringLiteral("CalcDaysInMonth"), {13, 2020}).toInt(), 0);
    EXPECT_EQ(cal->call(QStringLiteral("MDYtoDateTime"), {1, 1, 21}).toInt(), 44197);
    EXPECT_EQ(cal->call(QStringLiteral("MDYtoDateTime"), {2, 30, 2021}).toInt(), 0);
    EXPECT_EQ(cal->call(QStringLiteral("AddMonth"), {serial(2021, 3, 31), -1}).toInt(), serial(2021, 2, 28));
    EXPECT_EQ(cal->call(QStringLiteral("AddYear"), {serial(2024, 2, 29), 1}).toInt(), serial(2025, 2, 28));
    QVariantList args{44197.75, 0, 0, 0};
    cal->call(DateTimeToMDY, args);
    EXPECT_EQ(args[1].toInt(), 1);
    EXPECT_EQ(args[2].toInt(), 1);
    EXPECT_EQ(args[3].toInt(), 2021);

    // Run-time-only members refuse at design time.
    cal->setUserMode(false);
    EXPECT_EQ(refusal([&] { cal->property(Weekday); }), 394);
    cal->setUserMode(true);
}

TEST(CalendarHost, SerialsAndWeekdaysMatchAnIndependentCalendar)
{
    auto cal = newCalendar();
    com::IControl* c = cal->control();
    for (int type : {0, 1}) {
        cal->setProperty(DateType, type);
        const qint32 shift = type == 1 ? 29220 : 0;
        int checked = 0;
        for (QDate d(100, 1, 1); d <= QDate(9999, 12, 31); d = d.addDays(1)) {
            const qint32 s = qint32(d.toJulianDay() - 2415019) - shift;
            QVariantList a{double(s), 0, 0, 0};
            QVariant r;
            com::ExcepInfo exc;
            ASSERT_EQ(c->invoke(DateTimeToMDY, com::InvokeKind::Method, a, &r, &exc), com::S_OK);
            ASSERT_EQ(a[3].toInt(), d.year()) << s;
            ASSERT_EQ(a[1].toInt(), d.month()) << s;
            ASSERT_EQ(a[2].toInt(), d.day()) << s;
            QVariantList b{d.month(), d.day(), d.year()};
            ASSERT_EQ(c->invoke(MDYtoDateTime, com::InvokeKind::Method, b, &r, &exc), com::S_OK);
            ASSERT_EQ(r.toInt(), s);
            ASSERT_EQ(c->invoke(CalcDayOfWeek, com::InvokeKind::Method, b, &r, &exc), com::S_OK);
            ASSERT_EQ(r.toInt(), d.dayOfWeek() % 7 + 1) << s;
            ++checked;
        }
        EXPECT_EQ(checked, 2958465 + 657434 + 1);
    }
}

TEST(CalendarView, ShowsTheSelectedDayMarksAndTitle)
{
    auto cal = newCalendar();
    ASSERT_EQ(cal->size(), QSize(134, 154));
    cal->setProperty(Date, serial(2021, 3, 15));
    cal->setProperty(MarkColor3, 0x0000FF);   // red
    cal->setPropertyAt(MarkType, {20}, 3);
    QImage img = cal->controlWidget()->grab().toImage();

    const QRect sel = cellOf(*cal, 15);
    const QRect other = cellOf(*cal, 16);
    EXPECT_EQ(img.pixelColor(sel.left(), sel.center().y()), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(sel.left() - 2, sel.center().y()), QColor(Qt::black));
    EXPECT_NE(img.pixelColor(other.left(), other.center().y()), QColor(Qt::black));
    const QRect marked = cellOf(*cal, 20);
    EXPECT_EQ(img.pixelColor(marked.left() + 2, marked.top() + 2), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(other.left() + 2, other.top() + 2), QColor(Qt::red));

    // The title row carries text, and a different month name draws a different title.
    const QRect title(4, 9, 7 * 18, 17);
    auto titlePixels = [&](const QImage& im) {
        QImage part = im.copy(title);
        int dark = 0;
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                dark += part.pixelColor(x, y).lightness() < 128;
        return std::make_pair(part, dark);
    };
    const auto [before, dark] = titlePixels(img);
    EXPECT_GT(dark, 10);
    cal->setProperty(QStringLiteral("MonthNames"), QStringLiteral("Januar Februar M\u00e4rz April Mai Juni Juli August September Oktober November Dezember"));
    const auto [after, dark2] = titlePixels(cal->controlWidget()->grab().toImage());
    EXPECT_NE(before, after);
    EXPECT_GT(dark2, 10);

    // No numbers with DatePosition 9: an unselected, unmarked cell is plain.
    cal->setProperty(DatePosition, 9);
    img = cal->controlWidget()->grab().toImage();
    const QImage cell = img.copy(cellOf(*cal, 3).adjusted(1, 1, -1, -1));
    const QColor bg = cell.pixelColor(0, 0);
    int differing = 0;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            differing += cell.pixelColor(x, y) != bg;
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(img.pixelColor(marked.left() + 2, marked.top() + 2), QColor(Qt::red));
}

TEST(CalendarInput, ClickingADaySetsTheDateBeforeMouseUp)
{
    auto cal = newCalendar();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(cal.get()));
    ASSERT_TRUE(kmktest::zeigerBeiseite(cal.get()));
    cal->setProperty(FirstDay, 2);
    cal->setProperty(Date, serial(2021, 3, 15));
    QSignalSpy change(cal.get(), &ControlHost::change);
    int dateAtMouseUp = 0;
    QObject::connect(cal.get(), &ControlHost::mouseUp, [&](int button, int, int, int) {
        EXPECT_EQ(button, 1);
        dateAtMouseUp = cal->property(Date).toInt();
    });
    QSignalSpy down(cal.get(), &ControlHost::mouseDown);
    QSignalSpy up(cal.get(), &ControlHost::mouseUp);
    const QPoint p = cellOf(*cal, 24).center();
    QTest::mouseClick(cal->controlWidget(), Qt::LeftButton, {}, p);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 3, 24));
    EXPECT_EQ(dateAtMouseUp, serial(2021, 3, 24));
    EXPECT_EQ(change.count(), 1);
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][2].toInt(), p.x());
    EXPECT_EQ(up[0][3].toInt(), p.y());
    EXPECT_EQ(down.count(), 1);

    // The current day, the title and the day titles change nothing.
    QTest::mouseClick(cal->controlWidget(), Qt::LeftButton, {}, cellOf(*cal, 24).center());
    QTest::mouseClick(cal->controlWidget(), Qt::LeftButton, {}, QPoint(60, 15));
    QTest::mouseClick(cal->controlWidget(), Qt::LeftButton, {}, QPoint(60, 32));
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(up.count(), 4);

    // A click beyond MaxDate stops at the bound.
    cal->setProperty(MaxDate, serial(2021, 3, 26));
    change.clear();
    QTest::mouseClick(cal->controlWidget(), Qt::LeftButton, {}, cellOf(*cal, 30).center());
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 3, 26));
    EXPECT_EQ(change.count(), 1);

    // Moving over the control reports MouseMove.
    QSignalSpy move(cal.get(), &ControlHost::mouseMove);
    ASSERT_TRUE(kmktest::zeigerAuf(cal->controlWidget(), QPoint(20, 80)));
    EXPECT_GE(move.count(), 1);
}

TEST(CalendarInput, EveryDayOfTheMonthCanBeClicked)
{
    auto cal = newCalendar();
    for (const auto& [jahr, monat, tage] : {std::tuple{2021, 3, 31}, std::tuple{2021, 2, 28}}) {
        cal->setProperty(Date, serial(jahr, monat, 15));
        for (int tag = 1; tag <= tage; ++tag) {
            QTest::mouseClick(cal->controlWidget(), Qt::LeftButton, {}, cellOf(*cal, tag).center());
            EXPECT_EQ(cal->property(Date).toInt(), serial(jahr, monat, tag)) << monat << "/" << tag;
            EXPECT_EQ(cal->property(Day).toInt(), tag) << monat << "/" << tag;
        }
    }
}

TEST(CalendarInput, Keys)
{
    auto cal = newCalendar();
    QWidget* w = cal->controlWidget();
    cal->setProperty(Date, serial(2021, 1, 31));
    QSignalSpy change(cal.get(), &ControlHost::change);
    QTest::keyClick(w, Qt::Key_PageDown);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2021, 2, 28));
    cal->setProperty(Date, serial(2024, 2, 29));
    QTest::keyClick(w, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 3, 1));
    QTest::keyClick(w, Qt::Key_End);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 3, 31));
    QTest::keyClick(w, Qt::Key_Home);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 3, 1));
    QTest::keyClick(w, Qt::Key_PageUp);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 2, 1));
    change.clear();

    // Arrows move only with GetArrows or Ctrl.
    QTest::keyClick(w, Qt::Key_Right);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 2, 1));
    QTest::keyClick(w, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 2, 2));
    cal->setProperty(GetArrows, -1);
    cal->setProperty(DayFrame, 0);
    QTest::keyClick(w, Qt::Key_Down);
    QTest::keyClick(w, Qt::Key_Left);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 2, 8));
    EXPECT_EQ(change.count(), 3);
    QTest::keyClick(w, Qt::Key_Up);
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(cal->property(Date).toInt(), serial(2025, 1, 25));
}

TEST(CalendarStorage, SavesLoadsAndRepairsForms)
{
    auto cal = newCalendar();
    cal->setProperty(MinDate, 44197);
    cal->setProperty(MaxDate, 55153);
    cal->setProperty(Date, 45000);
    cal->setProperty(QStringLiteral("DayTitles"), QStringLiteral("So Mo Di Mi Do Fr Sa"));
    cal->setProperty(ThreeD, -1);
    cal->setProperty(QStringLiteral("ShadeColor"), 0x123456);
    const com::PropertyBag bag = cal->save();
    EXPECT_TRUE(cal->control()->isDirty());

    auto copy = newCalendar();
    copy->load(bag);
    for (const char* name : {"MinDate", "MaxDate", "Date", "DayTitles", "ThreeD", "ShadeColor", "BackColor", "ToolTip"})
        EXPECT_EQ(copy->property(QString::fromLatin1(name)), cal->property(QString::fromLatin1(name))) << name;

    com::PropertyBag damaged;
    damaged.write(QStringLiteral("DateType"), 7);
    damaged.write(QStringLiteral("MinDate"), 60000);
    damaged.write(QStringLiteral("MaxDate"), 50000);
    damaged.write(QStringLiteral("Date"), QStringLiteral("garbage"));
    damaged.write(QStringLiteral("FirstDay"), 0);
    damaged.write(QStringLiteral("MouseIcon"), QByteArray("\x01\x02", 2));
    auto repaired = newCalendar();
    repaired->load(damaged);
    EXPECT_EQ(repaired->property(DateType).toInt(), 0);
    EXPECT_LE(repaired->property(MinDate).toInt(), repaired->property(MaxDate).toInt());
    const int d = repaired->property(Date).toInt();
    EXPECT_TRUE(d >= repaired->property(MinDate).toInt() && d <= repaired->property(MaxDate).toInt());
    EXPECT_EQ(repaired->property(FirstDay).toInt(), 1);
    EXPECT_FALSE(repaired->property(QStringLiteral("MouseIcon")).isValid());
}

TEST(CalendarLibrary, ProgramControlsHaveTheirDesignValues)
{
    std::unique_ptr<ControlHost> qkc(com::createFormControl(QStringLiteral("QKC")));
    EXPECT_EQ(qkc->objectName(), QStringLiteral("QKC"));
    EXPECT_EQ(qkc->property(MinDate).toInt(), 44197);
    EXPECT_EQ(qkc->property(MaxDate).toInt(), 55153);
    EXPECT_EQ(qkc->property(DateType).toInt(), 0);
    EXPECT_TRUE(qkc->property(QStringLiteral("MonthNames")).toString().startsWith(QStringLiteral("Januar Februar M\u00e4rz")));
    EXPECT_EQ(qkc->property(QStringLiteral("DayTitles")).toString(), QStringLiteral("So Mo Di Mi Do Fr Sa"));

    // The year set-up of the program: Year, MaxDate, MinDate, Date.
    qkc->setProperty(Year, 2022);
    qkc->setProperty(MaxDate, 44926);
    qkc->setProperty(MinDate, 44562);
    qkc->setProperty(Date, 44562);
    EXPECT_EQ(qkc->property(Date).toInt(), 44562);
    EXPECT_EQ(refusal([&] { qkc->setProperty(Date, 44561); }), 380);
}

TEST(CalendarLibrary, DefaultsFilePageAndAboutBox)
{
    const QString ini = testenv::env->folder() + QStringLiteral("/RU4DUD.INI");
    QFile::remove(ini);
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[QKCalendar Settings]\r\nDayTitles=\r\nMarkColor0=-2147483643\r\nFirstDay=2\r\nWidth=200\r\nHeight=180\r\n");
    }
    auto cal = newCalendar();
    EXPECT_EQ(cal->property(QStringLiteral("DayTitles")).toString(), QStringLiteral("S M T W T F S"));
    EXPECT_EQ(cal->property(QStringLiteral("MarkColor1")).toUInt(), 0x80000005u);
    EXPECT_EQ(cal->property(FirstDay).toInt(), 2);
    EXPECT_EQ(cal->property(QStringLiteral("HdnWidth")).toInt(), 200);
    EXPECT_EQ(cal->property(QStringLiteral("ToolTip")).toString(), QStringLiteral("QKCal"));

    // The page: "Save As Default" writes colours as signed decimals, "Reset Default" removes the section.
    cal->setProperty(QStringLiteral("ShadeColor"), 0x80000010u);
    QStringList seen;
    testenv::dialogHandler() = [&](QDialog* d) {
        seen << d->objectName();
        if (d->objectName() == QLatin1String("PropertyPage")) {
            auto* save = d->findChild<QPushButton*>(QStringLiteral("SaveAsDefault"));
            save->click();
            QFile f(ini);
            f.open(QIODevice::ReadOnly);
            const QByteArray text = f.readAll();
            EXPECT_TRUE(text.contains("ShadeColor=-2147483632")) << text.constData();
            EXPECT_TRUE(text.contains("FirstDay=2"));
            d->findChild<QPushButton*>(QStringLiteral("About"))->click();
            d->findChild<QPushButton*>(QStringLiteral("ResetDefault"))->click();
            EXPECT_FALSE(QFile(ini).exists() && QFile(ini).size() > 0 && [&] {
                QFile g(ini);
                g.open(QIODevice::ReadOnly);
                return g.readAll().contains("QKCalendar Settings");
            }());
        }
        return int(QDialog::Rejected);
    };
    cal->showPropertyPage();
    cal->aboutBox();
    testenv::dialogHandler() = nullptr;
    EXPECT_EQ(seen, (QStringList{QStringLiteral("PropertyPage"), QStringLiteral("AboutBox"), QStringLiteral("AboutBox")}));
    QFile::remove(ini);
}

TEST(CalendarLibrary, SaveAsDefaultWritesEveryKeyInItsOrder)
{
    const QString ini = testenv::env->folder() + QStringLiteral("/RU4DUD.INI");
    QFile::remove(ini);
    auto cal = newCalendar();
    cal->setProperty(QStringLiteral("MarkColor2"), 0x0000FFu);
    cal->setProperty(QStringLiteral("FontStrikethru"), true);
    cal->setProperty(QStringLiteral("BackColor"), 0x00FF00u);
    cal->setProperty(FirstDay, 3);
    EXPECT_TRUE(testenv::withPropertyPage([&] { cal->showPropertyPage(); }, [&](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("SaveAsDefault"))->click();
        EXPECT_EQ(testenv::sectionKeys(ini, QStringLiteral("QKCalendar Settings")),
                  QStringList({"DayTitles", "MonthNames", "ScrollBar", "DateType", "MaxDate", "MinDate", "DayFrame",
                               "ThreeD", "FirstDay", "GetArrows", "FocusFrame", "MarkColor0", "MarkColor1",
                               "MarkColor2", "MarkColor3", "MarkColor4", "MarkColor5", "MarkColor6", "MarkColor7",
                               "BorderStyle", "Height", "Width", "FontName", "FontSize", "FontBold", "FontItalic",
                               "FontUnderline", "FontStrikeout", "BackColor", "ForeColor", "MousePointer",
                               "LightColor", "ShadeColor", "BorderColor", "DisabledColor", "DatePosition"}));
        const QByteArray text = testenv::fileText(ini);
        // The file counts the mark colours from 0.
        for (const char* line : {"MarkColor1=255", "MarkColor0=16777215", "FontStrikeout=-1", "MaxDate=2958465",
                                 "DisabledColor=-2147483631", "Width=134", "Height=154"})
            EXPECT_TRUE(text.contains(line)) << line << "\n" << text.constData();
        d->findChild<QPushButton*>(QStringLiteral("ResetDefault"))->click();
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();
    }));
    // Reset and Apply give the control its built-in values, the stock ones included.
    EXPECT_EQ(cal->property(QStringLiteral("MarkColor2")).toUInt(), 0xFFFFFFu);
    EXPECT_EQ(cal->property(FirstDay).toInt(), 1);
    EXPECT_EQ(cal->property(QStringLiteral("BackColor")).toUInt(), 0x80000005u);
    EXPECT_EQ(cal->property(QStringLiteral("DisabledColor")).toUInt(), 0x80000011u);
    EXPECT_EQ(cal->property(MaxDate).toInt(), 2958465);
    QFile::remove(ini);
}

TEST(CalendarLibrary, ClassDescription)
{
    auto cal = newCalendar();
    const com::ClassInfo& info = cal->classInfo();
    EXPECT_EQ(info.clsid.toString().toUpper(), QStringLiteral("{D13D4737-89F3-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(info.typeLib.toString().toUpper(), QStringLiteral("{D13D473A-89F3-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(info.typeName, QStringLiteral("Marwelin Calendar Control"));
    EXPECT_EQ(info.pageClassName, QStringLiteral("CQKCalPropPage"));
    const QStringList members = testenv::namesOf(info.members);
    // Stock properties, then the own members by dispatch id, then AboutBox.
    EXPECT_EQ(members, QStringList({"BackColor", "ForeColor", "Font", "Enabled", "hWnd", "BorderStyle", "FontName", "FontBold",
                                    "FontItalic", "FontSize", "DateType", "Date", "MaxDate", "MinDate", "DayFrame",
                                    "ThreeD", "Day", "Month", "Year", "Weekday", "DaysInMonth", "YearDayNumber",
                                    "YearDaysLeft", "ScrollBar", "FirstDay", "GetArrows", "FocusFrame", "DayTitles",
                                    "MonthNames", "MarkColor1", "MarkColor2", "MarkColor3", "MarkColor4", "MarkColor5",
                                    "MarkColor6", "MarkColor7", "MarkColor8", "FontUnderline", "FontStrikethru",
                                    "MouseIcon", "MousePointer", "HdnWidth", "HdnHeight", "LightColor", "ShadeColor",
                                    "BorderColor", "DisabledColor", "DatePosition", "ToolTip", "MDYtoDateTime",
                                    "DateTimeToMDY", "CalcDayOfWeek", "CalcDaysInMonth", "AddMonth", "AddYear",
                                    "MarkType", "AboutBox", "_Default"}));
    for (int i = 9; i + 1 < members.size() - 2; ++i)
        EXPECT_LT(info.member(members[i])->id, info.member(members[i + 1])->id) << members[i].toStdString();
    EXPECT_EQ(info.members.back().id, com::dispid::Value);
    EXPECT_EQ(info.members.back().type, com::VarType::I4);
    EXPECT_EQ(info.member(QStringLiteral("FontStrikethru"))->id, 33);
    EXPECT_EQ(info.member(QStringLiteral("FirstDay"))->enumName, QStringLiteral("enumDay"));
    EXPECT_TRUE(info.member(QStringLiteral("Day"))->enumName.isEmpty());
    EXPECT_EQ(info.member(QStringLiteral("DatePosition"))->enumName, QStringLiteral("enumDatePos"));
    auto listed = [&](const char* name) {
        QStringList out;
        if (const com::EnumInfo* e = info.enumeration(QString::fromLatin1(name)))
            for (const com::EnumConstant& c : e->constants)
                out << QStringLiteral("%1=%2").arg(c.name).arg(c.value);
        return out.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(listed("enumDatePos"), "QK_TOPLEFT=0 QK_TOPMID=1 QK_TOPRIGHT=2 QK_MIDLEFT=3 QK_MIDMID=4 "
                                     "QK_MIDRIGHT=5 QK_BOTLEFT=6 QK_BOTMID=7 QK_BOTRIGHT=8 QK_NODATE=9");
    EXPECT_EQ(listed("enumMonth"), "QK_JANUARY=1 QK_FEBRUARY=2 QK_MARCH=3 QK_APRIL=4 QK_MAY=5 QK_JUNE=6 QK_JULY=7 "
                                   "QK_AUGUST=8 QK_SEPTEMBER=9 QK_OCTOBER=10 QK_NOVEMBER=11 QK_DECEMBER=12");
    EXPECT_EQ(listed("enumDateLimits"), "qkDateMin=-29219 qkDateMax=31368 qkVBDateMin=-53688 qkVBDateMax=65380");
    EXPECT_EQ(testenv::namesOf(info.events), QStringList({"Change", "Click", "DblClick", "KeyDown", "KeyPress", "KeyUp",
                                                          "MouseDown", "MouseMove", "MouseUp"}));
    testenv::expectMousePointerEnum(info);
}

TEST(CalendarLibrary, UnregistersAndUnloads)
{
    const QString path = testenv::library("QKCAL32");
    {
        auto cal = newCalendar();
        EXPECT_EQ(com::canUnloadNow(path), com::S_FALSE);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(com::canUnloadNow(path), com::S_OK);

    ASSERT_EQ(testenv::callEntry(path, "DllUnregisterServer"), com::S_OK);
    EXPECT_EQ(refusal([] { ControlHost c(QStringLiteral("QKCAL.QKCalCtrl.1")); }), 429);
    ASSERT_EQ(testenv::callEntry(path, "DllRegisterServer"), com::S_OK);
    EXPECT_EQ(refusal([] { ControlHost c(QStringLiteral("QKCAL.QKCalCtrl.1")); }), 0);
}

TEST(CalendarHost, PaintsItselfIntoThePictureAHostAsksFor)
{
    auto cal = newCalendar();
    cal->setProperty(Date, serial(2021, 3, 15));
    testenv::checkPicture(*cal);
}

TEST(CalendarHost, StockFontByDispatchId)
{
    auto cal = newCalendar();
    testenv::checkStockFont(*cal);
}

TEST(CalendarHost, BoundsMeetingEachOtherAndTheDate)
{
    auto cal = newCalendar();
    QSignalSpy change(cal.get(), &ControlHost::change);
    const qint32 a = serial(2021, 1, 1), e = serial(2021, 12, 31);
    cal->setProperty(MinDate, a);
    cal->setProperty(MaxDate, e);
    cal->setProperty(Date, serial(2021, 6, 1));
    change.clear();

    // The date on the upper bound itself is taken, one past it refused.
    cal->setProperty(Date, e);
    EXPECT_EQ(cal->property(Date).toInt(), e);
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(refusal([&] { cal->setProperty(Date, e + 1); }), 380);
    // A new upper bound equal to the date keeps it and raises Change.
    cal->setProperty(MaxDate, e);
    EXPECT_EQ(cal->property(Date).toInt(), e);
    EXPECT_EQ(change.count(), 2);

    // Both bounds on one day: a one-day calendar.
    cal->setProperty(MinDate, e);
    EXPECT_EQ(cal->property(MinDate).toInt(), e);
    EXPECT_EQ(cal->property(MaxDate).toInt(), e);
    EXPECT_EQ(cal->property(Date).toInt(), e);
    cal->setProperty(Date, e);
    EXPECT_EQ(refusal([&] { cal->setProperty(Date, e - 1); }), 380);
    EXPECT_EQ(refusal([&] { cal->setProperty(Date, e + 1); }), 380);
    EXPECT_EQ(cal->property(Date).toInt(), e);
    // and opened again from the lower side, the date staying where it is
    cal->setProperty(MinDate, a);
    EXPECT_EQ(cal->property(Date).toInt(), e);
    // MaxDate equal to MinDate from the other side
    cal->setProperty(MaxDate, a);
    EXPECT_EQ(cal->property(MaxDate).toInt(), a);
    EXPECT_EQ(cal->property(Date).toInt(), a);
    EXPECT_EQ(refusal([&] { cal->setProperty(MaxDate, a - 1); }), 380);
}
