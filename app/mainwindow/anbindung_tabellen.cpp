#include "app/mainwindow/anbindung_tabellen.h"

#include "app/mainwindow/anbindung_fahrtenspeicher.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/printout/ausdruckseite.h"
#include "app/printout/tables/tabellenfilter.h"
#include "app/printout/tables/tabellenseite.h"
#include "app/tripmemory/fahrtenspeicher.h"

namespace kmk {

namespace {

// Keeps the builders alive as long as the window.
class Tabellenhalter : public QObject {
public:
    Tabellenhalter(Form1* form, tabellen::Tabellenseite* s) : QObject(form), seite(s)
    {
        setObjectName(QStringLiteral("kmkTabellen"));
    }
    std::unique_ptr<tabellen::Tabellenseite> seite;
};

} // namespace

tabellen::Tabellenseite* tabellenseiteVon(const Form1* form)
{
    auto* h = form->findChild<Tabellenhalter*>(QStringLiteral("kmkTabellen"), Qt::FindDirectChildrenOnly);
    return h ? h->seite.get() : nullptr;
}

void tabellenAnbinden(Form1* form)
{
    tabellen::TabellenDienste dienste;
    dienste.meldung = [](int n) { return mw::MeldungAnzeigen(n); };
    dienste.AutoTest = [form] { return form->AutoTest(); };
    dienste.DateiTest = [form] { form->DateiTest(); };
    // The sheet is looked up at each build: the printout page may place
    // its control after this runs.
    auto blatt = [form]() -> sheet::BlattSteuerung* {
        return dynamic_cast<sheet::BlattSteuerung*>(form->findChild<QWidget*>(QStringLiteral("F1Book1")));
    };
    auto* seite = new tabellen::Tabellenseite(form, fahrten1(), blatt, dienste);
    new Tabellenhalter(form, seite);

    // The printout page's buttons, and its coming to the front (which
    // builds as its button "aktuelle Kfz Eintrag." does), run the builders
    // through the page; the window's own page-change hooks stay empty so
    // that a table is built once.
    if (auto* druck = form->findChild<Ausdruckseite*>(QStringLiteral("Ausdruckseite"))) {
        AusdruckUmgebung& u = druck->umgebung();
        u.KFZTabelle = [seite] { seite->KFZTabelle(); };
        u.KfzTabelle4 = [seite] { seite->KfzTabelle4(); };
        u.KFZTabelle3 = [seite] { seite->KFZTabelle3(); };
        u.Blankoformular = [seite] { seite->Blankoformular(); };
        u.KundenTabelle = [seite] { seite->KundenTabelle(); };
        u.BetriebskostenTabelle = [seite] { seite->BetriebskostenTabelle(); };
        u.ProzentTabelle = [seite](int modus) { seite->ProzentTabelle(modus); };
    } else {
        form->services.KFZTabelle = [seite] { seite->KFZTabelle(); };
        form->services.KfzTabelle4 = [seite] { seite->KfzTabelle4(); };
        form->services.KFZTabelle3 = [seite] { seite->KFZTabelle3(); };
    }

    auto* filter = new tabellen::Tabellenfilter(form, fahrten1(), form);
    Fahrtenspeicher* fs = fahrtenspeicherVon(form);
    if (fs) {
        filter->AListe = [fs] { fs->AListe(); };
        fs->dienste.KundenTabelle = [seite] { seite->KundenTabelle(); };
    }
    form->services.AKliste = [filter] { filter->AKliste(); };
}

} // namespace kmk
