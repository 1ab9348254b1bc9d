// The filter lists of the evaluation page as a user clicks them.

#include "app/printout/tables/tabellenfilter.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/kundenliste.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;

namespace {

// A trip-memory record: contact person at byte 410, 50 characters.
QByteArray speichersatz(const QString& kontakt)
{
    QByteArray r(460, ' ');
    r[0] = 3;
    r.replace(1, 4, QByteArray(4, '\0'));
    r.replace(410, kontakt.size(), kontakt.toLatin1());
    return r;
}

struct Seite {
    QTemporaryDir dir;
    QWidget fenster;
    QListWidget* list2 = new QListWidget(&fenster);
    QListWidget* list3 = new QListWidget(&fenster);
    QLabel* label49 = new QLabel(&fenster);
    QLabel* label72 = new QLabel(&fenster);
    QLabel* label56 = new QLabel(&fenster);
    Fahrten1 st;

    Seite()
    {
        list2->setObjectName("List2");
        list3->setObjectName("List3");
        label49->setObjectName("Label49");
        label72->setObjectName("Label72");
        label56->setObjectName("Label56");
        st.setzeProgrammpfad(dir.path());
        st.Kundendatei = "Kund2016.dat";
    }
    // Records 1..n; record k holds "Kunde k", record 'leer' an empty contact.
    void speicher(int n, int leer = 0)
    {
        QFile f(st.pfad(st.Kundendatei));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int k = 1; k <= n; ++k)
            f.write(speichersatz(k == leer ? QString() : QStringLiteral("Kunde %1").arg(k)));
    }
    void zeile(const QString& text, QVariant nummer = {})
    {
        auto* item = new QListWidgetItem(text, list2);
        if (nummer.isValid())
            item->setData(SatznummerRolle, nummer);
    }
};

QString filterzeile(const QString& text, int n)
{
    return text.leftJustified(50, ' ', true) + QString::number(n).rightJustified(3) + " ";
}

} // namespace

TEST(Tabellenfilter, StartUpLeavesBothFiltersOffWithoutATripMemory)
{
    Seite s;
    s.st.Kundenfilter = "Alt";
    s.st.Fahrtartfilter = 4;
    Tabellenfilter filter(&s.fenster, s.st);
    bool aliste = false;
    filter.AListe = [&] { aliste = true; };
    filter.AKliste();

    EXPECT_FALSE(aliste);
    EXPECT_EQ(s.label49->text(), QStringLiteral(" Alle Datensätze anzeigen"));
    ASSERT_EQ(s.list3->count(), 6);
    EXPECT_EQ(s.list3->item(0)->text(), " Alle Fahrten");
    EXPECT_EQ(s.list3->item(4)->text(), "Umsatzsteuerfreie Fahrten");
    EXPECT_EQ(s.label72->text(), " Alle Fahrten");
    EXPECT_EQ(s.st.Fahrtartfilter, 0);
    EXPECT_EQ(s.st.Kundenfilter, QString(50, ' '));
}

TEST(Tabellenfilter, StartUpWithATripMemoryFillsTheListAndShowsItsFirstRow)
{
    Seite s;
    s.speicher(2);
    Tabellenfilter filter(&s.fenster, s.st);
    filter.AListe = [&] {
        s.list2->clear();
        s.zeile(filterzeile(" Alle Datensätze anzeigen", 0), 0);
        s.zeile(filterzeile("Kunde 1 Köln", 1), 1);
    };
    filter.AKliste();
    EXPECT_EQ(s.label49->text(), filterzeile(" Alle Datensätze anzeigen", 0));
    EXPECT_EQ(s.st.Kundenfilter, QString(50, ' '));
}

TEST(Tabellenfilter, ClickingAContactRowReadsThatRecordOfTheTripMemory)
{
    Seite s;
    s.speicher(900, 5);
    Tabellenfilter filter(&s.fenster, s.st);
    s.zeile(filterzeile(" Alle Datensätze anzeigen", 0), 0);
    s.zeile(filterzeile("Kunde 123 Bonn", 123), 123);
    s.zeile(filterzeile("Kunde 850 Bonn", 850), 850);
    s.zeile(filterzeile("Kunde 42 Essen", 42));  // no item data: read from the text
    s.zeile(filterzeile("", 5), 5);              // an empty contact
    s.zeile(filterzeile("Kunde 900 Bonn", 900), 900);   // the last record

    struct Fall {
        int zeile;
        QString kunde;
    } faelle[] = {
        {1, "Kunde 123"}, {2, "Kunde 850"}, {3, "Kunde 42"}, {0, ""}, {4, ""}, {5, "Kunde 900"},
    };
    for (const Fall& f : faelle) {
        s.st.Kundenfilter = "alt";
        s.list2->setCurrentRow(f.zeile);
        EXPECT_EQ(s.label49->text(), s.list2->item(f.zeile)->text());
        EXPECT_EQ(s.st.Kundenfilter, f.kunde.leftJustified(50)) << f.zeile;
    }

    // Refilling the list (the trip memory does it after every change)
    // leaves the chosen filter alone.
    s.list2->setCurrentRow(1);
    s.list2->clear();
    s.zeile(filterzeile(" Alle Datensätze anzeigen", 0), 0);
    s.zeile(filterzeile("Kunde 42 Essen", 42), 42);
    EXPECT_EQ(s.st.Kundenfilter, QString("Kunde 123").leftJustified(50));
    EXPECT_EQ(s.label49->text(), filterzeile("Kunde 123 Bonn", 123));
}

TEST(Tabellenfilter, DoubleClickHandsOverThePickListFormOfTheRow)
{
    Seite s;
    s.speicher(130);
    Tabellenfilter filter(&s.fenster, s.st);
    s.zeile(filterzeile(" Alle Datensätze anzeigen", 0), 0);
    s.zeile(filterzeile("Kunde 5", 5), 5);
    s.zeile(filterzeile("Kunde 12", 12), 12);
    s.zeile(filterzeile("Kunde 123", 123), 123);

    setzeAuswahl(s.label56, "vorher", 7);
    s.list2->setCurrentRow(0);
    filter.List2_DblClick();
    EXPECT_EQ(s.label56->text(), "vorher");
    EXPECT_EQ(auswahlSatz(s.label56), 7);

    const struct {
        int n;
        const char* feld;
    } faelle[] = {{5, "  5 "}, {12, " 12 "}, {123, " 123"}};
    for (int r = 1; r <= 3; ++r) {
        s.list2->setCurrentRow(r);
        filter.List2_DblClick();
        const QString zeile = s.label56->text();
        ASSERT_EQ(zeile.size(), 54);
        EXPECT_EQ(zeile.left(50).trimmed(), QString("Kunde %1").arg(faelle[r - 1].n));
        EXPECT_EQ(zeile.mid(50), faelle[r - 1].feld);
        // The hand-over and the deletion take this record, never another.
        EXPECT_EQ(auswahlSatz(s.label56), faelle[r - 1].n);
    }
}

TEST(Tabellenfilter, TripTypeRowSetsTheTypeFilter)
{
    Seite s;
    Tabellenfilter filter(&s.fenster, s.st);
    filter.BListe();
    const struct { int zeile; quint8 art; const char* text; } faelle[] = {
        {4, 4, "Umsatzsteuerfreie Fahrten"}, {0, 0, " Alle Fahrten"}, {5, 5, "Familienheimfahrten"},
    };
    for (const auto& f : faelle) {
        s.list3->setCurrentRow(f.zeile);
        EXPECT_EQ(s.st.Fahrtartfilter, f.art) << f.zeile;
        EXPECT_EQ(s.label72->text(), f.text);
    }
}
