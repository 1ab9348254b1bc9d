#pragma once
// Km per trip type with their shares, and the fuel and cost sums with the
// consumption, over the current vehicle's trip file, shown on the entry
// page. The sums are pure functions of the records; Kmanteile writes them
// into the labels found by name under the window.
//
//   Kmanteile k(st, mainWindow);
//   k.Prozentverteilung();   // new entry, vehicle change
//   k.Ges_Verbrauch();       // start-up, save of the cost fields

#include <QString>
#include <QWidget>

#include <array>
#include <optional>
#include <span>

#include "app/records/fahrten1.h"
#include "platform/vb/number.h"

namespace kmk {

// Km of types 1..5 (type 0 counts as 3) and in element 6 of types 1 and 3;
// cancelled records do not count.
struct KmVerteilung {
    std::array<qint64, 7> km{};
    std::array<double, 6> prozent{};   // index 1..5
    double betrieblich = 0.0;          // share of element 6
};
KmVerteilung KmVerteilen(std::span<const FahrtDatensatz> saetze);

// Fuel and other costs of the records not cancelled. A refuelling has an
// amount and a quantity above 0; the distance runs from the first one on.
// A sum beyond the currency range (damaged amounts) has no value.
struct Kosten {
    std::optional<vb::Currency> kraftstoff = vb::Currency{};
    std::optional<vb::Currency> wartung = vb::Currency{};
    double liter = 0.0;
    qint64 strecke = 0;
    // Litres per 100 km, when there is a distance and fuel.
    std::optional<double> verbrauch() const;
    // A sum that cannot be shown as a number.
    bool ueberlauf() const;
};
Kosten KostenSummieren(std::span<const FahrtDatensatz> saetze);

// Label texts: "60,00%", "10,00 L", "90,00 €".
QString ProzentText(double prozent);
QString VerbrauchText(double verbrauch);
QString BetragText(std::optional<vb::Currency> betrag);   // the mark when empty

class Kmanteile {
public:
    Kmanteile(Fahrten1& st, QWidget* fenster) : m_st(st), m_fenster(fenster) {}
    void Prozentverteilung();
    void Ges_Verbrauch();
    // The last consumption computed; kept while a file gives none.
    double Verbrauch = 0.0;

private:
    QWidget* ctl(const QString& name) const;
    void text(const QString& name, const QString& t) const;
    void kostenZeigen(const Kosten& k);
    void ueberlaufMelden() const;

    Fahrten1& m_st;
    QWidget* m_fenster;
};

} // namespace kmk
