#include "app/mainwindow/anbindung_eingabe.h"

#include "app/entry/anzeige.h"
#include "app/entry/eingabefelder.h"
#include "app/entry/eintragsseite.h"
#include "app/entry/laden.h"
#include "app/entry/neueintrag.h"
#include "app/entry/pruefungen.h"
#include "app/entry/speichern.h"
#include "app/entry/vorbelegung.h"
#include "app/mainwindow/anbindung_eintrag.h"
#include "app/mainwindow/anbindung_pauschalen.h"
#include "app/allowance/pauschalanzeige.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/mw_glue.h"
#include "app/records/dateien.h"

#include <QApplication>

namespace kmk {

void EingabeAnbinden(Form1& f)
{
    Form1* w = &f;
    auto dienst = [w](std::function<void()> Form1Services::*hook) {
        return [w, hook] {
            if (const auto& h = w->services.*hook)
                h();
        };
    };
    auto seite = [w]() -> Eintragsseite& { return eintragsseite(*w); };

    Eingabedienste d;
    d.meldung = [](int n) { return mw::MeldungAnzeigen(n); };
    d.beep = [] { QApplication::beep(); };
    d.PauschaleAnzeigen = dienst(&Form1Services::PauschaleAnzeigen);
    d.hilfetext = [w](int n) { w->setCtlText("TEinHilfe", Hilfstext(n)); };
    d.hilfeThema = [](const QString& thema) { HTMLHelp_ShowTopic(mw::Programmpfad(), thema); };
    d.ASpeichern = [seite] { ASpeichern(seite()); };
    d.Datensatzspeichern = [seite] { return Datensatzspeichern(seite()); };
    d.FLaden = [seite] { FLaden(seite()); };
    d.DatensatzAnzeigen = [seite] { DatensatzAnzeigen(seite()); };
    d.ErsteLaden = dienst(&Form1Services::ErsteLaden);
    d.Datensatzloschen = [seite] { return Datensatzloschen(seite()); };
    d.UberschreibenKuerzen = [seite] { return UberschreibenKuerzen(seite()); };
    d.Sicherheitscopy = dienst(&Form1Services::Sicherheitscopy);
    d.NeuEintrag = [seite] { NeuEintrag(seite()); };
    d.Rueckfahrt = [seite] { Rueckfahrt(seite()); };
    d.Uberschreiben_Benzin = [seite] { Uberschreiben_Benzin(seite()); };
    d.Ges_Verbrauch = dienst(&Form1Services::Ges_Verbrauch);
    Pauschalanzeige* anzeige = pauschalanzeige(f);
    if (anzeige)
        d.PauschaleZuruecksetzen = [anzeige] { anzeige->ArbeitswerteZuruecksetzen(); };

    auto* felder = new Eintragsfelder(w, mw::G(), std::move(d), w);
    felder->setObjectName("kmkEintragsfelder");
    felder->teileFrBenzinOffen(&f.FrBenzinOffen);
    felder->anbinden();
    f.tasten.Ende = [felder] { felder->Ende_Taste(); };

    f.services.FahrtLoschen = [felder] { FahrtLoschen(felder->eingabe()); };
    f.services.Datenzurucksetzen = [felder] { Datenzurucksetzen(felder->eingabe()); };

    // The allowance display recomputes the kilometres first.
    if (anzeige)
        anzeige->KmBerechnen = [felder] { KmBerechnen(felder->eingabe(), true); };

    Eintragsdienste& s = seite().dienste;
    s.KmBerechnen = [felder](bool getippt) { KmBerechnen(felder->eingabe(), getippt); };
    s.KmStandTest = [felder] { return KmStandTest(felder->eingabe()); };
    s.PflichtfeldTest = [felder] { return PflichtfeldTest(felder->eingabe()); };
    s.FahrtfolgeTest = [felder] { return FahrtfolgeTest(felder->eingabe()); };

    // F8 saves without the button's checks, but never a date or time that
    // is no real day or time of day. The buffer takes the page first, so
    // the order check does not correct typed times against dates the page
    // no longer shows.
    // The focus stays where it is: the field's leave checks run first, as
    // a click on the save button would run them, so an amount typed last
    // reaches the buffer and a refused one saves nothing.
    f.tasten.ASpeichern = [felder, seite] {
        Eintragung& e = felder->eingabe();
        if (!felder->FokusPruefen() || DatumZeitTest(e) != 0)
            return;
        e.pauschaleAnzeigen();
        ASpeichern(seite());
    };
}

} // namespace kmk
