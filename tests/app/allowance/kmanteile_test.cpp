// Km shares and fuel consumption from a small file worked out by hand.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "app/allowance/kmanteile.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/records/jahr.h"
#include "platform/forms/combobox.h"
#include "platform/forms/fakes.h"

using namespace kmk;

namespace {

FahrtDatensatz fahrt(quint8 art, int km, double liter = 0, double euro = 0)
{
    FahrtDatensatz s;
    s.Fahrtart = art;
    s.GefahreneKm = km;
    s.Kraftstoffmenge = liter;
    s.BetragKraftstoff = vb::Currency::fromDouble(euro);
    return s;
}

// Commute 300 km with a workshop bill, an old trip without type 200 km,
// the first refuelling on 100 km business, a cancelled trip, 400 km
// private, and an amount without a quantity.
std::vector<FahrtDatensatz> kleineDatei()
{
    FahrtDatensatz werkstatt = fahrt(1, 300);
    werkstatt.BetragWartung = vb::Currency::fromDouble(25.5);
    werkstatt.Von = QStringLiteral("Köln");
    FahrtDatensatz storniert = fahrt(3, 1000, 30, 50);
    storniert.Eintragsstatus = 1;
    storniert.Von = QStringLiteral("Bonn");
    FahrtDatensatz nochmal = fahrt(2, 400);
    nochmal.Von = QStringLiteral("  Köln ");
    return {werkstatt, fahrt(0, 200), fahrt(3, 100, 50, 90), storniert, nochmal, fahrt(5, 0, 0, 40)};
}

struct Seite {
    QTemporaryDir dir;
    Fahrten1 st;
    QWidget page;
    Kmanteile k{st, &page};

    explicit Seite(const std::vector<FahrtDatensatz>& saetze)
    {
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        Jahr_ini(st);
        st.AktuellesFahrzeug = 1;
        st.Fahrtdatei = st.fahrtdateiName(1);
        st.Kfz.Firmenfahrzeug = WAHR;
        buildEintragungenPage(&page);
        QFile f(st.pfad(st.Fahrtdatei));
        f.open(QIODevice::WriteOnly);
        for (const FahrtDatensatz& s : saetze)
            f.write(s.zuBytes());
    }
    QString text(const char* name) { return page.findChild<QLabel*>(name)->text(); }
};

} // namespace

TEST(Kmanteile, SharesAndConsumptionOfASmallFile)
{
    Seite s(kleineDatei());
    s.k.Prozentverteilung();
    const char* km[] = {"LabWA", "LabPri", "LabGesch", "LabEhr", "LabFam"};
    const char* anteil[] = {"LabWAP", "LabPriP", "LabGeschP", "LabEhrP", "LabFamP"};
    const char* sollKm[] = {" 300", " 400", " 300", " 0", " 0"};
    const char* sollAnteil[] = {"30,00%", "40,00%", "30,00%", "0,00%", "0,00%"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.text(km[i]), sollKm[i]);
        EXPECT_EQ(s.text(anteil[i]), sollAnteil[i]);
    }
    EXPECT_EQ(s.text("Labbetrieb"), "60,00%");
    EXPECT_EQ(s.text("Label31"), "10,00 L");
    EXPECT_EQ(s.text("Label27"), QString::fromUtf8("90,00 €"));
    EXPECT_EQ(s.text("Label34"), QString::fromUtf8("25,50 €"));
    EXPECT_EQ(s.st.KmJeFahrtart[6], 600);
    EXPECT_DOUBLE_EQ(s.st.ProzentJeFahrtart[2], 40.0);

    // Texts join their lists once, a cancelled trip's too.
    auto* von = s.page.findChild<forms::ComboBox*>("EinVon");
    ASSERT_EQ(von->count(), 2);
    EXPECT_EQ(von->itemText(0), QString::fromUtf8("Köln"));
    EXPECT_EQ(von->itemText(1), "Bonn");
    s.k.Prozentverteilung();
    EXPECT_EQ(von->count(), 2);
}

TEST(Kmanteile, TripsBeyondWhatATripFileHoldsDoNotCount)
{
    // A damaged file of gigabytes would take the start's memory: its trips
    // are the first ones the format holds, the last of them included.
    Seite s(kleineDatei());
    {
        QFile f(s.st.pfad(s.st.Fahrtdatei));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(qint64(32766) * FahrtDatensatz::Laenge));   // empty records, sparse
        ASSERT_TRUE(f.seek(f.size()));
        f.write(fahrt(3, 700).zuBytes());    // trip 32,767
        f.write(fahrt(2, 1000).zuBytes());   // trip 32,768
    }
    s.k.Prozentverteilung();
    EXPECT_EQ(s.text("LabGesch"), " 1000");
    EXPECT_EQ(s.text("LabPri"), " 400");
}

TEST(Kmanteile, ConsumptionAloneAndForAPrivateCar)
{
    Seite s(kleineDatei());
    s.st.Kfz.Firmenfahrzeug = FALSCH;
    s.st.Kfz.Privatfahrzeug = WAHR;
    s.k.Prozentverteilung();
    EXPECT_EQ(s.text("LabGesch"), " 0");
    EXPECT_EQ(s.text("LabGeschP"), "");
    s.k.Ges_Verbrauch();
    EXPECT_EQ(s.text("Label31"), "10,00 L");
    EXPECT_EQ(s.text("Label27"), QString::fromUtf8("90,00 €"));
    EXPECT_EQ(s.st.Satzanzahl, 6);
}

TEST(Kmanteile, NoKilometresAndLongDistances)
{
    Seite leer({fahrt(3, 0), fahrt(2, 0)});
    leer.k.Prozentverteilung();
    EXPECT_EQ(leer.text("LabGeschP"), "0,00%");
    EXPECT_EQ(leer.text("Labbetrieb"), "0,00%");

    // Far beyond 32,767 km the consumption is still computed.
    const Kosten k = KostenSummieren(std::vector<FahrtDatensatz>{fahrt(3, 40000, 2000, 3000), fahrt(3, 40000)});
    EXPECT_EQ(k.strecke, 80000);
    ASSERT_TRUE(k.verbrauch());
    EXPECT_EQ(VerbrauchText(*k.verbrauch()), "2,50 L");
    EXPECT_FALSE(KostenSummieren(std::vector<FahrtDatensatz>{fahrt(3, 10)}).verbrauch());
}

// Stored amounts at and beyond the currency range (raw 2^62 and 2^62 - 1
// make the largest sum): the labels show the sum or the mark, the file is
// named once and stays as it was.
TEST(Kmanteile, SumsBeyondTheRangeShowTheMarkAndNameTheFileOnce)
{
    const qint64 h = 4611686018427387904LL;   // 2^62
    auto roh = [](FahrtDatensatz s, qint64 kraftstoff, qint64 wartung) {
        s.BetragKraftstoff = vb::Currency::fromRaw(kraftstoff);
        s.BetragWartung = vb::Currency::fromRaw(wartung);
        return s;
    };
    const QString marke = QStringLiteral("Überlauf");
    const struct { std::vector<FahrtDatensatz> saetze; QString kraftstoff, wartung, verbrauch, kmGesch; } faelle[] = {
        {{roh(fahrt(3, 100, 10), h, 0), roh(fahrt(3, 100, 10), h, 0)}, marke, "0,00 €", "10,00 L", " 200"},
        {{roh(fahrt(3, 100, 10), h, 0), roh(fahrt(3, 100, 10), h - 1, 0)},
         QString::fromUtf8("922.337.203.685.477,58 €"), "0,00 €", "10,00 L", " 200"},
        {{roh(fahrt(3, 100, 10), 10000, h), roh(fahrt(3, 100), 0, h)}, "1,00 €", marke, "5,00 L", " 200"},
        {{fahrt(3, 100, HUGE_VAL, 5), fahrt(3, 100, 10, 5)}, "10,00 €", "0,00 €", marke, " 200"},
        {{fahrt(3, 2147483647), fahrt(3, 2147483647), fahrt(3, 2147483647)}, "0,00 €", "0,00 €", "0,00 L",
         " 6442450941"},
    };
    for (const auto& f : faelle) {
        Seite s(f.saetze);
        QFile datei(s.st.pfad(s.st.Fahrtdatei));
        ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
        const QByteArray vorher = datei.readAll();
        forms::ScopedFakes fakes;
        s.k.Prozentverteilung();
        s.k.Ges_Verbrauch();
        EXPECT_EQ(s.text("Label27"), f.kraftstoff);
        EXPECT_EQ(s.text("Label34"), f.wartung);
        EXPECT_EQ(s.text("Label31"), f.verbrauch);
        EXPECT_EQ(s.text("LabGesch"), f.kmGesch);
        const bool ueberlauf = f.kraftstoff == marke || f.wartung == marke || f.verbrauch == marke;
        ASSERT_EQ(fakes.dialogs.shown.size(), ueberlauf ? 1 : 0) << f.kraftstoff.toStdString();
        if (ueberlauf) {
            EXPECT_TRUE(fakes.dialogs.shown[0].prompt.contains(QStringLiteral("\"Auto1_16.dat\"")));
        }
        datei.seek(0);
        EXPECT_EQ(datei.readAll(), vorher);
    }
}

TEST(Kmanteile, EveryTripTypeCountsWithItsShare)
{
    struct Fall {
        quint8 art;
        int km;
        double anteil;
    } faelle[] = {{1, 100, 10.0}, {2, 200, 20.0}, {3, 300, 30.0}, {4, 150, 15.0}, {5, 250, 25.0}};
    std::vector<FahrtDatensatz> saetze;
    for (const Fall& c : faelle)
        saetze.push_back(fahrt(c.art, c.km));
    const KmVerteilung v = KmVerteilen(saetze);
    for (const Fall& c : faelle) {
        EXPECT_EQ(v.km[c.art], c.km) << int(c.art);
        EXPECT_DOUBLE_EQ(v.prozent[c.art], c.anteil) << int(c.art);
    }
    EXPECT_EQ(v.km[6], 400);   // commutes and business trips
    EXPECT_DOUBLE_EQ(v.betrieblich, 40.0);
}
