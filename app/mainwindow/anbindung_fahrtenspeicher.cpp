#include "app/mainwindow/anbindung_fahrtenspeicher.h"

#include "app/entry/anzeige.h"
#include "app/mainwindow/anbindung_eintrag.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/mw_glue.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/fkunden.h"
#include "app/tripmemory/fsuchen.h"

namespace kmk {

namespace {

// The secondary windows rescale only while no message is shown and the
// main window is neither minimised.
bool skalieren(const Form1* form)
{
    return !Form2::sichtbar() && !(form->windowState() & Qt::WindowMinimized);
}

} // namespace

Fahrtenspeicher* fahrtenspeicherVon(const Form1* form)
{
    return form->findChild<Fahrtenspeicher*>(QStringLiteral("kmkFahrtenspeicher"), Qt::FindDirectChildrenOnly);
}

void fahrtenspeicherAnbinden(Form1* form)
{
    auto* fs = new Fahrtenspeicher(form, fahrten1());
    fs->dienste.meldung = [](int n) { return mw::MeldungAnzeigen(n); };
    fs->dienste.hinweis = [](const QString& t) { mw::plainMessage(t); };
    fs->dienste.PauschaleAnzeigen = [form] {
        if (form->services.PauschaleAnzeigen)
            form->services.PauschaleAnzeigen();
    };
    fs->dienste.Roteeingabe = [form] { Roteeingabe(eintragsseite(*form)); };
    fs->dienste.editorZeigen = [form] {
        if (!form->FKunden)
            form->FKunden = neuesFKunden(form);
        form->FKunden->setWindowModality(Qt::ApplicationModal);
        form->FKunden->show();
    };
    fs->verbinden();
    form->services.KListe = [fs] { fs->KListe(); };
    form->services.AListe = [fs] { fs->AListe(); };
    form->tasten.Kundeloschen = [fs] { fs->Kundeloschen(); };
    form->tasten.AListe = [fs] { fs->AListe(); };
    form->tasten.Kundeubergeben = [fs] { fs->Kundeubergeben(); };
    form->tasten.KundeDat = [fs](bool anfuegen) { fs->KundeDat(anfuegen); };
    // The evaluation filter's start-up fills its list here until the
    // tables bring their own.
    if (!form->services.AKliste)
        form->services.AKliste = [fs] { fs->AListe(); };
}

QWidget* neuesFKunden(Form1* form)
{
    Fahrtenspeicher* fs = fahrtenspeicherVon(form);
    auto* w = new FKunden(*fs, form);
    w->hauptfensterNeu = [fs] {
        fs->KListe();
        fs->AListe();
        if (fs->dienste.KundenTabelle)
            fs->dienste.KundenTabelle();
    };
    w->skalierenErlaubt = [form] { return skalieren(form); };
    return w;
}

QWidget* neuesFSuchen(Form1* form)
{
    Fahrtenspeicher* fs = fahrtenspeicherVon(form);
    auto* w = new FSuchen(fahrten1(), form);
    w->nachImport = [fs] {
        fs->KListe();
        fs->AListe();
    };
    w->skalierenErlaubt = [form] { return skalieren(form); };
    return w;
}

} // namespace kmk
