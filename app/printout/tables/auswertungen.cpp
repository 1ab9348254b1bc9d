#include "app/printout/tables/auswertungen.h"

#include "platform/vb/text.h"

#include <QRegularExpression>

namespace kmk::tabellen {

namespace {

// A cancelled entry, or a trip outside the range, counts in no evaluation.
bool zaehlt(const FahrtDatensatz& s, Druckbereich bereich)
{
    return s.Eintragsstatus != 1 && bereich.enthaelt(s.DatumAb);
}

} // namespace

Betriebskosten BetriebskostenErmitteln(const std::vector<Fahrt>& fahrten, Druckbereich bereich)
{
    Betriebskosten b;
    for (const Fahrt& f : fahrten) {
        const FahrtDatensatz& s = f.satz;
        if (!zaehlt(s, bereich))
            continue;
        if (b.km > 0)
            b.km += s.GefahreneKm;
        if (s.BetragWartung.raw > 0) {
            b.wartung = vb::Summe(b.wartung, s.BetragWartung);
            b.zeilen.push_back({s.DatumAb, s.KmAn, false, s.Wartungstext, 0.0, s.BetragWartung});
        }
        if (s.BetragKraftstoff.raw > 0) {
            if (b.km == 0)
                b.km = s.GefahreneKm;
            b.kraftstoff = vb::Summe(b.kraftstoff, s.BetragKraftstoff);
            // Summed with its decimals: rounding after each refuelling
            // made 45,5 + 40,3 litres into 86.
            b.menge += s.Kraftstoffmenge;
            b.zeilen.push_back({s.DatumAb, s.KmAn, true, QStringLiteral("Tanken"), s.Kraftstoffmenge,
                                s.BetragKraftstoff});
        }
    }
    if (!b.kraftstoff)
        b.durchschnittspreis = std::nullopt;
    else if (b.kraftstoff->raw > 0 && b.menge > 0)
        b.durchschnittspreis = vb::Currency::ausDouble(b.kraftstoff->toDouble() / b.menge);
    return b;
}

Firmenanteile FirmenanteileErmitteln(const std::vector<Fahrt>& fahrten, Druckbereich bereich)
{
    Firmenanteile a;
    for (const Fahrt& f : fahrten) {
        const FahrtDatensatz& s = f.satz;
        if (!zaehlt(s, bereich))
            continue;
        if (s.Fahrtart >= 1 && s.Fahrtart <= 5 && s.GefahreneKm > 0)
            a.km[s.Fahrtart] += s.GefahreneKm;
    }
    double gesamt = 0;
    for (int k = 1; k <= 5; ++k)
        gesamt += a.km[k];
    const double faktor = gesamt > 0 ? 100.0 / gesamt : 0.0;
    for (int k = 1; k <= 5; ++k) {
        if (faktor == 0) {
            a.texte[k] = QStringLiteral("Leer");
            continue;
        }
        a.prozent[k] = a.km[k] * faktor;
        a.texte[k] = vb::FormatDe(a.prozent[k] / 100.0, QStringLiteral("0.00%"));
    }
    return a;
}

Privatanteile PrivatanteileBerechnen(qint64 geschaeftskm, double fahrtkostensumme, qint32 anfangskm, double schlusskm)
{
    Privatanteile p;
    const double gefahren = schlusskm - anfangskm;
    const double geschaeft = double(geschaeftskm);
    p.geschaeftskm = geschaeftskm;
    p.privatkm = vb::roundHalfEven(gefahren - geschaeft);
    p.privatanteil = (gefahren - geschaeft) / (gefahren / 100.0);
    p.geschaeftsanteil = geschaeft / (gefahren / 100.0);
    p.fahrtkostensumme = fahrtkostensumme;
    return p;
}

Privatanteile PrivatanteileErmitteln(const std::vector<Fahrt>& fahrten, qint32 anfangskm, double schlusskm)
{
    qint64 geschaeft = 0;
    double kosten = 0;
    for (const Fahrt& f : fahrten) {
        if (f.satz.Eintragsstatus == 1)
            continue;
        geschaeft += f.satz.GefahreneKm;
        kosten += f.satz.Fahrtkosten;
    }
    return PrivatanteileBerechnen(geschaeft, kosten, anfangskm, schlusskm);
}

std::optional<double> KmStandLesen(const QString& text)
{
    QString t = vb::Trim(text);
    static const QRegularExpression zahl(QStringLiteral("^(\\d{1,3}(\\.\\d{3})+|\\d+)(,\\d+)?$"));
    if (!zahl.match(t).hasMatch())
        return std::nullopt;
    t.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

QString Kommazahl(double v)
{
    return vb::Trim(vb::Str(v)).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace kmk::tabellen
