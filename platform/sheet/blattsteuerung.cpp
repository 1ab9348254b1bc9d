#include "platform/sheet/blattsteuerung.h"

#include "platform/sheet/schreiber.h"
#include "platform/vb/number.h"

#include <algorithm>

namespace sheet {

void BlattSteuerung::Spalte(int32_t spalte)
{
    m_spalte = std::max<int32_t>(1, spalte);
}

void BlattSteuerung::Zeile(int32_t zeile)
{
    m_zeile = std::max<int32_t>(1, zeile);
}

void BlattSteuerung::Zellauswahl(int32_t zeile, int32_t spalte)
{
    Zeile(zeile);
    Spalte(spalte);
}

void BlattSteuerung::Zelltext(const QString& text)
{
    aktuell().setzeText(text);
    melde();
}

void BlattSteuerung::Zellwert(double wert)
{
    aktuell().setzeZahl(wert);
    melde();
}

void BlattSteuerung::Zellformel(const QString& formel)
{
    m_blatt.setzeFormel(m_zeile, m_spalte, formel);
    melde();
}

void BlattSteuerung::Zahlenformat(const QString& format)
{
    const uint16_t n = m_blatt.formatNummer(format);
    aktuell().format = n;
    melde();
}

void BlattSteuerung::Fettschrift(bool fett)
{
    aktuell().fett = fett;
    melde();
}

void BlattSteuerung::Schriftgroesse(int punkte)
{
    aktuell().groesse = uint8_t(std::clamp(punkte, 1, 255));
    melde();
}

void BlattSteuerung::Ausrichtung(int art)
{
    aktuell().ausrichtung = uint8_t(std::clamp(art, 0, 255));
    melde();
}

void BlattSteuerung::Zellrahmen(int umriss, int links, int rechts, int oben, int unten, int,
                                int32_t, int32_t, int32_t, int32_t, int32_t)
{
    Zelle& z = aktuell();
    if (umriss == 0)
        z.rahmen = 0;
    else if (umriss > 0)
        z.rahmen = Links | Rechts | Oben | Unten;
    auto seite = [&z](int wert, uint8_t bit) {
        if (wert == 0)
            z.rahmen &= uint8_t(~bit);
        else if (wert > 0)
            z.rahmen |= bit;
    };
    seite(links, Links);
    seite(rechts, Rechts);
    seite(oben, Oben);
    seite(unten, Unten);
    melde();
}

void BlattSteuerung::Spaltenbreite(int32_t spalte, int breite)
{
    m_blatt.setzeSpaltenbreite(spalte, breite);
    melde();
}

void BlattSteuerung::Zeilenhoehe(int32_t zeile, int hoehe)
{
    m_blatt.setzeZeilenhoehe(zeile, hoehe);
    melde();
}

void BlattSteuerung::Standardzeilenhoehe(int hoehe)
{
    m_blatt.setzeStandardhoehe(hoehe);
    melde();
}

void BlattSteuerung::Blattname(int, const QString& name)
{
    m_blatt.name = name;
    melde();
}

void BlattSteuerung::DrucktitelErsteZeile(int32_t zeile)
{
    m_blatt.seite.titelVon = std::max<int32_t>(0, zeile);
}

void BlattSteuerung::DrucktitelLetzteZeile(int32_t zeile)
{
    m_blatt.seite.titelBis = std::max<int32_t>(0, zeile);
}

void BlattSteuerung::Seitenumbruch(int32_t zeile)
{
    if (zeile > 1)
        m_blatt.setzeUmbruch(zeile);
    melde();
}

void BlattSteuerung::Querformat(bool quer)
{
    m_blatt.seite.quer = quer;
}

void BlattSteuerung::Kopfzeile(const QString& text)
{
    m_blatt.seite.kopfzeile = text;
}

void BlattSteuerung::Fusszeile(const QString& text)
{
    m_blatt.seite.fusszeile = text;
}

void BlattSteuerung::Seitenrand(Rand welcher, double zoll)
{
    zoll = std::clamp(zoll, 0.0, 5.0);
    Seitenformat& s = m_blatt.seite;
    switch (welcher) {
    case RandLinks: s.randLinks = zoll; break;
    case RandOben: s.randOben = zoll; break;
    case RandRechts: s.randRechts = zoll; break;
    case RandUnten: s.randUnten = zoll; break;
    }
}

void BlattSteuerung::Randabstand(Abstand welcher, double zoll)
{
    zoll = std::clamp(zoll, 0.0, 5.0);
    if (welcher == AbstandKopf)
        m_blatt.seite.abstandKopf = zoll;
    else
        m_blatt.seite.abstandFuss = zoll;
}

void BlattSteuerung::Druckskalierung(int16_t& prozent, bool anpassen, int seitenBreit, int seitenHoch)
{
    Seitenformat& s = m_blatt.seite;
    prozent = int16_t(std::clamp<int>(prozent, kZoomMin, kZoomMax));
    s.skalierung = prozent;
    s.anpassen = anpassen;
    s.seitenBreit = std::max(0, seitenBreit);
    s.seitenHoch = std::max(0, seitenHoch);
}

void BlattSteuerung::Papiergroesse(int code)
{
    m_blatt.seite.papier = code;
}

void BlattSteuerung::Bildschirmzoom(int prozent)
{
    m_blatt.zoom = std::clamp(prozent, kZoomMin, kZoomMax);
    melde();
}

void BlattSteuerung::Bildschirmzoom(const QString& prozent)
{
    Bildschirmzoom(int(vb::Val(prozent)));
}

void BlattSteuerung::Zuruecksetzen()
{
    m_blatt.leeren();
    m_zeile = 1;
    m_spalte = 1;
    melde();
}

void BlattSteuerung::Eigenschaft(int32_t nummer, const QVariant& wert)
{
    m_blatt.eigenschaften[nummer] = wert;
}

QVariant BlattSteuerung::Eigenschaft(int32_t nummer) const
{
    auto it = m_blatt.eigenschaften.find(nummer);
    return it == m_blatt.eigenschaften.end() ? QVariant() : it->second;
}

void BlattSteuerung::Sichtbar(bool sichtbar)
{
    m_sichtbar = sichtbar;
    melde();
}

void BlattSteuerung::Druckvorschau()
{
    if (vorschau)
        vorschau();
}

void BlattSteuerung::Druckereinrichtung()
{
    if (einrichtung)
        einrichtung();
}

bool BlattSteuerung::SpeichernDialog(const QString& titel, Dateiangabe& angabe)
{
    return speichernDialog ? speichernDialog(titel, angabe) : false;
}

bool BlattSteuerung::DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler)
{
    if (schreiben)
        return schreiben(m_blatt, dateiname, dateityp, fehler);
    return schreibeDatei(m_blatt, dateiname, dateityp, fehler);
}

} // namespace sheet
