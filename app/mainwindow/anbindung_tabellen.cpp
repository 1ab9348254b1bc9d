#include "app/mainwindow/anbindung_tabellen.h"

#include "app/mainwindow/anbindung_fahrtenspeicher.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
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

    // The printout page coming to the front builds the vehicle's table
    // through the window's hooks; the page's buttons reach the builders
    // through tabellenseiteVon (wired with the printout page).
    form->services.KFZTabelle = [seite] { seite->KFZTabelle(); };
    form->services.KfzTabelle4 = [seite] { seite->KfzTabelle4(); };
    form->services.KFZTabelle3 = [seite] { seite->KFZTabelle3(); };

    auto* filter = new tabellen::Tabellenfilter(form, fahrten1(), form);
    Fahrtenspeicher* fs = fahrtenspeicherVon(form);
    if (fs) {
        filter->AListe = [fs] { fs->AListe(); };
        fs->dienste.KundenTabelle = [seite] { seite->KundenTabelle(); };
    }
    form->services.AKliste = [filter] { filter->AKliste(); };
}

} // namespace kmk
