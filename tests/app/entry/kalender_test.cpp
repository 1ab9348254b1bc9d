// The hosted calendar on the entry page clicked like a person: both dates,
// the preset times and the day before the last arrival.

#include "tests/app/entry/fenster.h"

#include "app/entry/eingabefelder.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "platform/com/controlhost.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/vb/date.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kmk;
using kmktest::Fenster;

namespace {

qint32 tag(int d, int m, int y = 2016) { return vb::DateSerial(y, m, d); }

} // namespace

TEST(Tippen, CalendarFillsBothDatesAndRefusesADayBeforeTheLastArrival)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    w.taste(Qt::Key_F9);
    w.u.meldungen.clear();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    w.kalender(vb::DateSerial(2016, 3, 12));
    EXPECT_EQ(w.text("EinDatumAb"), "12.03.2016");
    EXPECT_EQ(w.text("EinDatumAn"), "12.03.2016");
    EXPECT_EQ(w.puffer().DatumAb, vb::DateSerial(2016, 3, 12));
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.kalender(vb::DateSerial(2016, 3, 9));
    EXPECT_EQ(w.text("EinDatumAb"), "10.03.2016");
    EXPECT_EQ(w.text("EinDatumAn"), "10.03.2016");
    EXPECT_EQ(w.f->ctl<com::ControlHost>("QKC")->property("Date").toInt(), vb::DateSerial(2016, 3, 10));
    EXPECT_EQ(w.u.meldungen, QList<int>{21});
    w.kalender(vb::DateSerial(2016, 3, 9));
    w.maus("QKC", Qt::RightButton);
    EXPECT_EQ(w.text("EinDatumAb"), "10.03.2016");
    // With the journal on, a day more than eight days back is a notice.
    fahrten1().Voreinstellung.Journalfunktion = -1;
    w.u.meldungen.clear();
    w.kalender(vb::DateSerial(2016, 6, 6));
    EXPECT_EQ(w.u.meldungen, QList<int>{101});
    EXPECT_EQ(w.text("LEinDatum"), "Eintragungsdatum 15.06.2016");
    w.u.meldungen.clear();
    w.kalender(vb::DateSerial(2016, 6, 16));
    EXPECT_EQ(w.u.meldungen, QList<int>{98});
}

TEST(Tippen, AClickOnADayOfTheCalendarFillsBothDates)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    auto* h = w.f->ctl<com::ControlHost>("QKC");
    QWidget* c = h->controlWidget();
    w.leeren("EinDatumAb");
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() / 2, c->height() * 3 / 4));
    const qint32 tag = h->property("Date").toInt();
    EXPECT_EQ(w.text("EinDatumAb"), vb::DateText(tag));
    EXPECT_EQ(w.text("EinDatumAn"), vb::DateText(tag));
    EXPECT_EQ(w.puffer().DatumAn, tag);
    EXPECT_NE(w.text("EinDatumAb"), "");
}

TEST(Tippen, CalendarFillsBothDatesWithWholeDayJournalNotices)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    // Whole days: eight days back is no notice yet, nine are.
    struct Klick { qint32 tag; QList<int> meldungen; };
    for (const Klick& k : {Klick{tag(15, 6), {}}, Klick{tag(7, 6), {}}, Klick{tag(6, 6), {101}}, Klick{tag(16, 6), {98}}}) {
        w.u.meldungen.clear();
        w.kalender(k.tag);
        EXPECT_EQ(w.u.meldungen, k.meldungen) << k.tag;
        EXPECT_EQ(w.text("EinDatumAb"), QDate(1899, 12, 30).addDays(k.tag).toString("dd.MM.yyyy")) << k.tag;
        EXPECT_EQ(w.text("EinDatumAn"), w.text("EinDatumAb"));
        EXPECT_EQ(fahrten1().Satzpuffer[0].DatumAb, k.tag);
    }
    EXPECT_EQ(w.text("LEinDatum"), "Eintragungsdatum 15.06.2016");
}

TEST(Tippen, CalendarPresetsTimesOnlyAwayFromTheLastArrivalDay)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.taste(Qt::Key_F9);
    w.fuellen("15.06.2016", "08:00", "12:00");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 1);
    fahrten1().Voreinstellung.ZeitenVorgeben = -1;
    w.taste(Qt::Key_F9);   // the shown new entry follows the last arrival by 2 and 5 minutes
    EXPECT_EQ(w.text("EinZeitAb"), "12:02");
    EXPECT_EQ(w.text("EinZeitAn"), "12:05");
    struct Klick { qint32 tag; const char* datum; const char* ab; const char* an; QList<int> meldungen; };
    for (const Klick& k : {Klick{tag(15, 6), "15.06.2016", "12:02", "12:05", {}},
                           Klick{tag(14, 6), "15.06.2016", "08:00", "12:00", {21}},   // put back, times preset
                           Klick{tag(17, 6), "17.06.2016", "08:00", "12:00", {}}}) {
        w.u.meldungen.clear();
        w.kalender(k.tag);
        EXPECT_EQ(w.text("EinDatumAb"), k.datum) << k.tag;
        EXPECT_EQ(w.text("EinDatumAn"), k.datum) << k.tag;
        EXPECT_EQ(w.text("EinZeitAb"), k.ab) << k.tag;
        EXPECT_EQ(w.text("EinZeitAn"), k.an) << k.tag;
        EXPECT_EQ(w.u.meldungen, k.meldungen) << k.tag;
        EXPECT_EQ(fahrten1().Satzpuffer[0].DatumAb, k.tag);
    }
}
