// Trips typed and saved on the entry page of the started main window; the
// year's recalculation afterwards changes no byte of the file.

#include <gtest/gtest.h>

#include <QTest>

#include "test_startup_umgebung.h"

#include "app/allowance/aktualisieren.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/vb/date.h"

using kmktest::Umgebung;
using namespace kmk;

namespace {

struct Fahrt {
    const char* art;
    const char* ab;
    const char* zeitAb;
    const char* an;
    const char* zeitAn;
};

// On the left edge, where an option button's circle is.
void klick(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
}

} // namespace

TEST(PauschalenGetippt, ARecalculatedYearTypedOnThePageKeepsEveryByte)
{
    Umgebung u("2016", "Kxt", QDate(2016, 6, 15));
    Fahrten1 st;
    st.setzeProgrammpfad(u.dir.path());
    st.Jahr = "2016";
    Jahr_ini(st);
    KfzDateiAnlegen(st);
    ASSERT_TRUE(KfzLesen(st, 1));
    st.Kfz.Kennzeichen = "K-AB 123";
    st.Kfz.Anfangskm = 1000;
    ASSERT_TRUE(KfzSchreiben(st, 1).ok);
    fahrten1() = Fahrten1{};
    u.form = std::make_unique<Form1>();
    ASSERT_TRUE(u.form->Form_Load());
    u.form->show();
    u.form->Aktu_Auto_Click(0);
    u.form->SSTab1->setCurrentIndex(2);
    Form1& f = *u.form;

    const Fahrt fahrten[] = {
        {"OptGesch", "01.03.2016", "08:00", "01.03.2016", "16:00"},
        {"OptGesch", "01.03.2016", "16:10", "01.03.2016", "16:20"},
        {"OptGesch", "01.03.2016", "16:30", "01.03.2016", "17:00"},
        {"OptPri", "02.03.2016", "09:00", "02.03.2016", "10:00"},
        {"OptGesch", "02.03.2016", "10:30", "02.03.2016", "18:29"},
        {"OptGesch", "03.03.2016", "18:00", "04.03.2016", "10:00"},
        {"OptWA", "04.03.2016", "17:00", "04.03.2016", "17:30"},
        {"OptEhr", "04.03.2016", "18:00", "04.03.2016", "19:00"},
        {"OptGesch", "06.03.2016", "14:00", "09.03.2016", "09:00"},
        {"OptFam", "09.03.2016", "10:00", "11.03.2016", "18:00"},
        {"OptGesch", "11.03.2016", "19:00", "11.03.2016", "23:00"},
    };
    const QString datei = u.pfad("Auto1_16.dat");
    int n = 0;
    for (const Fahrt& t : fahrten) {
        SCOPED_TRACE(n + 1);
        klick(f.ctl("NeuerEintrag"));
        klick(f.ctl(QString::fromLatin1(t.art)));
        forms::setText(f.ctl<QLineEdit>("EinDatumAb"), t.ab);
        forms::setText(f.ctl<QLineEdit>("EinZeitAb"), t.zeitAb);
        forms::setText(f.ctl<QLineEdit>("EinDatumAn"), t.an);
        forms::setText(f.ctl<QLineEdit>("EinZeitAn"), t.zeitAn);
        for (const char* feld : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
            f.ctl<forms::ComboBox>(QString::fromLatin1(feld))->setText(QStringLiteral("Köln"));
        forms::setText(f.ctl<QLineEdit>("EinGefKm"), "12");
        klick(f.ctl("EintragSpeichern"));
        ASSERT_EQ(Fahrtanzahl(datei), ++n);
    }
    EXPECT_EQ(FahrtLesen(datei, 3).PauschaleGesamt, 14);
    // 14 on 1 March, 14 on the arrival day 4 March, 14 + 14 + 2 x 28 for
    // 6 to 9 March; the last trip's 240 minutes earn nothing.
    EXPECT_EQ(FahrtLesen(datei, 8).Teilpauschale2, 0);
    EXPECT_EQ(FahrtLesen(datei, 11).PauschaleGesamt, 14 + 14 + 84);

    // The last trip corrected through the journal, then one more trip.
    klick(f.ctl("AutoDatEnde"));
    ASSERT_EQ(fahrten1().Satznummer, 11);
    forms::setText(f.ctl<QLineEdit>("EinZeitAn"), "23:30");
    klick(f.ctl("EintragSpeichern"));
    ASSERT_EQ(Fahrtanzahl(datei), 12);
    EXPECT_EQ(FahrtLesen(datei, 11).Eintragsstatus, 1);
    EXPECT_EQ(FahrtLesen(datei, 12).Eintragsstatus, 2);
    EXPECT_EQ(FahrtLesen(datei, 12).AbwesenheitTag, 270);
    klick(f.ctl("NeuerEintrag"));
    klick(f.ctl("OptGesch"));
    forms::setText(f.ctl<QLineEdit>("EinDatumAb"), "12.03.2016");
    forms::setText(f.ctl<QLineEdit>("EinZeitAb"), "09:00");
    forms::setText(f.ctl<QLineEdit>("EinDatumAn"), "12.03.2016");
    forms::setText(f.ctl<QLineEdit>("EinZeitAn"), "17:30");
    for (const char* feld : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
        f.ctl<forms::ComboBox>(QString::fromLatin1(feld))->setText(QStringLiteral("Bonn"));
    forms::setText(f.ctl<QLineEdit>("EinGefKm"), "5");
    klick(f.ctl("EintragSpeichern"));
    ASSERT_EQ(Fahrtanzahl(datei), 13);
    EXPECT_EQ(FahrtLesen(datei, 13).Teilpauschale2, 14);
    EXPECT_EQ(FahrtLesen(datei, 13).PauschaleGesamt, 14 + 14 + 84 + 14);

    QFile vorher(datei);
    ASSERT_TRUE(vorher.open(QIODevice::ReadOnly));
    const QByteArray bytes = vorher.readAll();
    vorher.close();
    const Neuberechnung r = aktualisieren(fahrten1());
    EXPECT_EQ(r.dateien, 1);
    EXPECT_EQ(r.geschrieben, 0);
    QFile nachher(datei);
    ASSERT_TRUE(nachher.open(QIODevice::ReadOnly));
    EXPECT_EQ(nachher.readAll(), bytes);
}
