#pragma once
// What the procedures of the entry page work on: the year's state, the
// window that holds the entry page's controls (found by their names), and
// the calls into other parts of the program, which the main window's
// wiring fills. Tests build a page and fill only the hooks they need.
//
//   Eintragsseite s{st, form1};
//   s.dienste.MeldungAnzeigen = [](int n) { return ...; };
//   FLaden(s);                 // load record st.Satznummer and show it
//
// An empty hook is skipped: a question then answers No, a check passes,
// a display or recalculation does nothing.

#include <QString>
#include <QWidget>

#include <functional>

#include "app/records/fahrten1.h"

namespace kmk {

struct Eintragsdienste {
    // Catalogue message n; true for "Ja / OK".
    std::function<bool(int)> MeldungAnzeigen;
    // Allowance display of the entry page (recomputes the edit buffer).
    std::function<void()> PauschaleAnzeigen;
    std::function<void()> Prozentverteilung;
    // Prefill of a new entry, and clearing buffers, fields and totals.
    std::function<void()> FahrtLoschen;
    std::function<void()> Datenzurucksetzen;
    // Entry checks.
    std::function<void(bool)> KmBerechnen;
    std::function<int()> FahrtfolgeTest;   // above 0 stops the save
    std::function<bool()> KmStandTest;
    std::function<bool()> PflichtfeldTest;
    // Highest vehicle slot that is set up (0 none).
    std::function<int()> AutoTest;
    // The entry calendar QKC: "Date", "MinDate", "MaxDate". Setting may
    // throw vb::RuntimeError(380) for a refused value.
    std::function<qint32(const char*)> kalenderLesen;
    std::function<void(const char*, qint32)> kalenderSetzen;
};

struct Eintragsseite {
    Fahrten1& st;
    QWidget* fenster = nullptr;
    Eintragsdienste dienste;

    // A control of the window by name; nullptr when absent.
    QWidget* ctl(const QString& name) const;
    template <class T> T* ctl(const QString& name) const { return qobject_cast<T*>(ctl(name)); }

    // The current vehicle as the journal sees it: a record that claims both
    // kinds counts as a company car only.
    bool firmenwagen() const { return st.Kfz.Firmenfahrzeug != 0; }
    bool privatwagen() const { return st.Kfz.Firmenfahrzeug == 0 && st.Kfz.Privatfahrzeug != 0; }

    // Hooks with their defaults for an empty one.
    bool meldung(int n) const { return dienste.MeldungAnzeigen ? dienste.MeldungAnzeigen(n) : false; }
    void pauschaleAnzeigen() const { if (dienste.PauschaleAnzeigen) dienste.PauschaleAnzeigen(); }
    // Today's day number, from the program's clock.
    qint32 heute() const;
};

} // namespace kmk
