#include "app/mainwindow/anbindung_ausdruck.h"

#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/anbindung_tabellen.h"
#include "app/mainwindow/sstab.h"
#include "app/printout/ausdruckseite.h"
#include "app/printout/tables/tabellenseite.h"
#include "app/records/fahrten1.h"
#include "platform/sheet/steuerelement.h"

#include <QRadioButton>

namespace kmk {

void AusdruckAnbinden(Form1& f)
{
    QWidget* platzhalter = f.ctl("F1Book1");
    auto* f1 = new sheet::Steuerelement(platzhalter ? platzhalter->parentWidget() : &f);
    if (platzhalter) {
        f1->setGeometry(platzhalter->geometry());
        delete platzhalter;
    }
    f1->setObjectName(QStringLiteral("F1Book1"));

    AusdruckUmgebung u;
    u.fahrzeugBeschriftung = [&f] {
        const int k = fahrten1().AktuellesFahrzeug;
        QRadioButton* o = k >= 1 && k <= 4 ? f.AutoOpt(k - 1) : nullptr;
        return o ? o->text() : QString();
    };
    u.fensterTitel = [&f](const QString& t) { f.setWindowTitle(t); };
    u.hilfstext = [](int k) { return Hilfstext(k); };
    auto* seite = new Ausdruckseite(&f, *f1, fahrten1(), std::move(u), &f);
    seite->setObjectName(QStringLiteral("Ausdruckseite"));
    seite->verbinden();

    f.services.Bildschirmzoom = [seite](const QString& p) { seite->Bildschirmzoom(p); };
    f.services.Druckskalierung = [seite](int p, bool a, int b, int h) { seite->Druckskalierung(p, a, b, h); };
    // One default height for every row, not a call per row.
    f.services.Zeilenhoehe = [f1](int hoehe) { f1->Standardzeilenhoehe(hoehe); };
}

void AusdruckTabellenAnbinden(Form1& f)
{
    auto* seite = f.findChild<Ausdruckseite*>(QStringLiteral("Ausdruckseite"));
    tabellen::Tabellenseite* t = tabellenseiteVon(&f);
    if (!seite || !t)
        return;
    AusdruckUmgebung& u = seite->umgebung();
    u.KFZTabelle = [t] { t->KFZTabelle(); };
    u.KfzTabelle4 = [t] { t->KfzTabelle4(); };
    u.KFZTabelle3 = [t] { t->KFZTabelle3(); };
    u.Blankoformular = [t] { t->Blankoformular(); };
    u.KundenTabelle = [t] { t->KundenTabelle(); };
    u.BetriebskostenTabelle = [t] { t->BetriebskostenTabelle(); };
    u.ProzentTabelle = [t](int modus) { t->ProzentTabelle(modus); };
    // The page change builds through the window's services.
    for (std::function<void()>* bau : {&f.services.KFZTabelle, &f.services.KfzTabelle4, &f.services.KFZTabelle3})
        if (*bau)
            *bau = [seite, alt = *bau] { seite->Fahrtentabelle(alt); };
}

} // namespace kmk
