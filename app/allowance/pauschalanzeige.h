#pragma once
// The entry page's side of the allowance rules: reads the page into the
// edit buffer (FahrtdatenErfassen), runs the rules and shows the result in
// the frame "Information" (PauschaleAnzeigen). Controls are found by their
// names under the given window; a missing control is skipped.
//
//   Pauschalanzeige a(st, mainWindow);
//   a.KmBerechnen = [&] { ... };   // arrival odometer from departure + km
//   a.PauschaleAnzeigen();

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

#include "app/allowance/pauschalregeln.h"
#include "app/records/fahrten1.h"

namespace kmk {

class Pauschalanzeige {
public:
    Pauschalanzeige(Fahrten1& st, QWidget* fenster) : m_st(st), m_fenster(fenster) {}

    // Called first by PauschaleAnzeigen; empty: nothing.
    std::function<void()> KmBerechnen;

    // Page -> edit buffer (Satzpuffer element 0), visibility of the field
    // groups by trip type, vehicle type and settings, and FahrtNr.
    void FahrtdatenErfassen();
    // The rules on the edit buffer, against the compared record.
    void PauschaleBerechnen();
    // Both of the above and the labels of the frame "Information".
    void PauschaleAnzeigen();

    // The working values; the page's reset clears the three minute counts.
    Arbeitswerte& werte() { return m_w; }
    void ArbeitswerteZuruecksetzen();

private:
    QWidget* ctl(const QString& name) const;
    void zeige(const QString& name, bool sichtbar) const;
    void text(const QString& name, const QString& t) const;
    // Shows the field groups; true when the time fields are shown.
    bool feldgruppen(quint8 fahrtart) const;
    // The compared record; a cancelled one is passed over for the last
    // trip before it that counts.
    const FahrtDatensatz* vergleichFinden(quint8 pufferindex);
    // The records before the entry that can touch its departure day.
    void frueherLesen(quint8 pufferindex);
    qint64 vorEintrag(quint8 pufferindex) const;

    Fahrten1& m_st;
    QWidget* m_fenster;
    Arbeitswerte m_w;
    std::vector<FahrtDatensatz> m_frueher;
    FahrtDatensatz m_vergleich;
    mutable QHash<QString, QPointer<QWidget>> m_controls;
};

// The notices of the rule label.
inline const QString TextKeinePauschale = QStringLiteral("Für diese Fahrt gibt es keine Verpflegungspauschale");
inline const QString TextPauschaleAus =
    QStringLiteral("Nach Grundeistellung, keine Verpflegungspauschale berechnen.");
inline const QString TextArbeitsweg = QStringLiteral("Dies ist eine Fahrt z. Wohn- und Arbeitsstätte");
inline const QString TextFamilienheimfahrt = QStringLiteral("Diese Fahrt ist eine Familienheimfahrt");

} // namespace kmk
