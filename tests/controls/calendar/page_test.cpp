#include "tests/controls/common/fixture.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using com::ControlHost;

namespace {

QComboBox* comboStartingWith(QDialog* d, const QString& first)
{
    for (QComboBox* box : d->findChildren<QComboBox*>())
        if (box->count() > 0 && box->itemText(0).startsWith(first))
            return box;
    return nullptr;
}

void clickApply(QDialog* d)
{
    d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();
}

} // namespace

TEST(CalendarPage, DateTypeChoiceCarriesTheDatesIntoTheNewEpoch)
{
    ControlHost cal(QStringLiteral("QKCAL.QKCalCtrl.1"));
    const qint32 day = qint32(QDate(2021, 5, 17).toJulianDay() - 2415019);
    cal.setProperty("Date", day);
    QSignalSpy notified(&cal, &ControlHost::propertyChanged);
    testenv::dialogHandler() = [&](QDialog* d) {
        QComboBox* type = comboStartingWith(d, QStringLiteral("0 - Visual Basic Serial Date"));
        EXPECT_NE(type, nullptr);
        if (!type)
            return 0;
        EXPECT_EQ(type->itemText(1), QStringLiteral("1 - Marwelin Serial Date"));
        QComboBox* pointer = comboStartingWith(d, QStringLiteral("0 - Default"));
        EXPECT_NE(pointer, nullptr);
        if (pointer)
            EXPECT_EQ(pointer->findData(99), 15);   // hidden constants are not offered
        emit type->activated(1);
        clickApply(d);
        EXPECT_TRUE(d->findChild<QLabel*>(QStringLiteral("Status"))->text().isEmpty());
        return int(QDialog::Accepted);
    };
    cal.showPropertyPage();
    testenv::dialogHandler() = nullptr;
    EXPECT_EQ(cal.property("DateType").toInt(), 1);
    EXPECT_EQ(cal.property("MinDate").toInt(), -29218);   // 1 January 1900
    EXPECT_EQ(cal.property("MaxDate").toInt(), 31368);    // 17 November 2065
    EXPECT_EQ(cal.property("Date").toInt(), day - 29220);
    EXPECT_GT(notified.count(), 0);
}

TEST(CalendarPage, ARefusedValueIsShownAndNothingElseIsLost)
{
    ControlHost cal(QStringLiteral("QKCAL.QKCalCtrl.1"));
    cal.setProperty("MaxDate", 55153);
    cal.setProperty("MinDate", 44197);
    testenv::dialogHandler() = [&](QDialog* d) {
        // Typing a date before MinDate into the Date fields: month, day, year.
        QList<QLineEdit*> edits = d->findChildren<QLineEdit*>();
        QLineEdit* titles = nullptr;
        for (QLineEdit* e : edits)
            if (e->text() == QLatin1String("S M T W T F S"))
                titles = e;
        EXPECT_NE(titles, nullptr);
        if (titles) {
            titles->setText(QStringLiteral("So Mo Di Mi Do Fr Sa"));
            emit titles->textEdited(titles->text());
        }
        int dateFields = 0;
        for (QLineEdit* e : edits) {
            if (e->maximumWidth() == 60 && dateFields++ == 0) {   // the first year field belongs to Date
                e->setText(QStringLiteral("2000"));
                emit e->textEdited(e->text());
            }
        }
        clickApply(d);
        EXPECT_FALSE(d->findChild<QLabel*>(QStringLiteral("Status"))->text().isEmpty());
        return int(QDialog::Rejected);
    };
    cal.showPropertyPage();
    testenv::dialogHandler() = nullptr;
    EXPECT_GE(cal.property("Date").toInt(), 44197);
    EXPECT_EQ(cal.property("DayTitles").toString(), QStringLiteral("So Mo Di Mi Do Fr Sa"));
}

TEST(CalendarPage, ResetDefaultKeepsTheShownDayOfADateInTheOtherEpoch)
{
    ControlHost cal(QStringLiteral("QKCAL.QKCalCtrl.1"));
    const qint32 day = qint32(QDate(2021, 5, 17).toJulianDay() - 2415019);
    cal.setProperty("Date", day);
    cal.setProperty("DateType", 1);
    testenv::dialogHandler() = [&](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("ResetDefault"))->click();
        // The Date fields come first: month, day, year.
        QStringList shown;
        for (QLineEdit* e : d->findChildren<QLineEdit*>())
            if (e->maximumWidth() == 40 || e->maximumWidth() == 60)
                shown << e->text();
        EXPECT_EQ(shown.mid(0, 3), QStringList({"5", "17", "2021"}));
        // A day typed afterwards is read in the new epoch.
        QLineEdit* dayField = nullptr;
        for (QLineEdit* e : d->findChildren<QLineEdit*>())
            if (e->maximumWidth() == 40 && e->text() == QLatin1String("17"))
                dayField = e;
        EXPECT_NE(dayField, nullptr);
        if (dayField) {
            dayField->setText(QStringLiteral("18"));
            emit dayField->textEdited(dayField->text());
        }
        clickApply(d);
        EXPECT_TRUE(d->findChild<QLabel*>(QStringLiteral("Status"))->text().isEmpty());
        return int(QDialog::Accepted);
    };
    cal.showPropertyPage();
    testenv::dialogHandler() = nullptr;
    EXPECT_EQ(cal.property("DateType").toInt(), 0);
    EXPECT_EQ(cal.property("Date").toInt(), day + 1);
}
