// Km shares and fuel consumption from a small file worked out by hand.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "app/allowance/kmanteile.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/records/jahr.h"
#include "platform/forms/combobox.h"

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
