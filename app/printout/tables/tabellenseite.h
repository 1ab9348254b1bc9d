#pragma once
// The table builders on the main window: reads what a build needs from the
// year's state and the pages (print range calendars, filter label, fuel
// unit, vehicle caption), runs the builder on the printout page's sheet and
// carries out what the build asks of the page afterwards (message 88, the
// start odometer in the km boxes). Controls are found by name under the
// window; what belongs to the main window comes in through Dienste.
//
//   Tabellenseite seite(form1, fahrten1(), [&] { return f1book; }, dienste);
//   seite.KFZTabelle();

#include "app/printout/tables/tabellen.h"
#include "app/records/fahrten1.h"
#include "platform/sheet/blattsteuerung.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace kmk::tabellen {

struct TabellenDienste {
    // Catalogue message n.
    std::function<bool(int)> meldung;
    // Highest vehicle slot that is set up (0 none).
    std::function<int()> AutoTest;
    // Refreshes the per-vehicle trip-file flags.
    std::function<void()> DateiTest;
};

class Tabellenseite {
public:
    using Blattquelle = std::function<sheet::BlattSteuerung*()>;
    Tabellenseite(QWidget* fenster, Fahrten1& st, Blattquelle blatt, TabellenDienste dienste);

    // Year, vehicle, range and filters as a build sees them now.
    Tabellenkontext kontext() const;

    void KFZTabelle();
    void KFZTabelle3();
    void KfzTabelle4();
    void KfzTabelle2();
    void Blankoformular();
    void KundenTabelle();
    void BetriebskostenTabelle();
    // 1 company-car sheet, 3 private-car sheet, 2 figures only.
    void ProzentTabelle(int modus);

private:
    QWidget* ctl(const char* name) const;
    QString text(const char* name) const;
    void nachBau(Bau b);

    QPointer<QWidget> m_fenster;
    Fahrten1& m_st;
    Blattquelle m_blatt;
    TabellenDienste m_d;
};


} // namespace kmk::tabellen
