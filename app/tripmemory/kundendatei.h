#pragma once
// The trip-memory file of a year: fixed 460-byte records, numbered from 1,
// no header. Reading never creates the file; every rewrite goes through a
// temporary file and a rename, so a failure leaves the old file whole.
// Failures answer false with a German text for the user in *fehler.

#include "app/tripmemory/fahrtenspeichersatz.h"

#include <QList>
#include <QString>

namespace kmk {

class Kundendatei {
public:
    explicit Kundendatei(QString pfad) : m_pfad(std::move(pfad)) {}

    const QString& pfad() const { return m_pfad; }
    bool vorhanden() const;
    // Length / 460; a trailing partial record does not count.
    int anzahl() const;
    QList<Fahrtenspeichersatz> alle() const;
    // Record n, a zero record outside 1..anzahl().
    Fahrtenspeichersatz satz(int n) const;

    // Writes record anzahl()+1 (creating the file for the first one).
    bool anhaengen(const Fahrtenspeichersatz& s, QString* fehler = nullptr);
    // Replaces record n (1..anzahl()) and nothing else.
    bool ersetzen(int n, const Fahrtenspeichersatz& s, QString* fehler = nullptr);
    // Removes record n (1..anzahl()); the later ones move up by one.
    bool entfernen(int n, QString* fehler = nullptr);
    // Creates an empty file when it is missing.
    bool anlegen(QString* fehler = nullptr);

private:
    QString m_pfad;
};

} // namespace kmk
