#include "platform/sheet/recordingsheet.h"

namespace sheet {

namespace {

QString argText(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QString:
        return u'"' + v.toString() + u'"';
    default:
        return v.toString();
    }
}

} // namespace

QString RecordingSheet::Aufruf::text() const
{
    QStringList teile;
    for (const QVariant& a : argumente)
        teile << argText(a);
    return name + u'(' + teile.join(QStringLiteral(", ")) + u')';
}

QStringList RecordingSheet::protokoll() const
{
    QStringList l;
    for (const Aufruf& a : m_aufrufe)
        l << a.text();
    return l;
}

QStringList RecordingSheet::protokoll(const QString& name) const
{
    QStringList l;
    for (const Aufruf& a : m_aufrufe)
        if (a.name == name)
            l << a.text();
    return l;
}

int RecordingSheet::anzahl(const QString& name) const
{
    int n = 0;
    for (const Aufruf& a : m_aufrufe)
        n += a.name == name;
    return n;
}

void RecordingSheet::rec(const char* name, QVariantList args) const
{
    m_aufrufe.push_back({QString::fromLatin1(name), std::move(args)});
}

void RecordingSheet::Spalte(int32_t spalte) { rec("Spalte", {spalte}); m_modell.Spalte(spalte); }
void RecordingSheet::Zeile(int32_t zeile) { rec("Zeile", {zeile}); m_modell.Zeile(zeile); }
void RecordingSheet::Zellauswahl(int32_t zeile, int32_t spalte)
{
    rec("Zellauswahl", {zeile, spalte});
    m_modell.Zellauswahl(zeile, spalte);
}
void RecordingSheet::Zelltext(const QString& text) { rec("Zelltext", {text}); m_modell.Zelltext(text); }
void RecordingSheet::Zellwert(double wert) { rec("Zellwert", {wert}); m_modell.Zellwert(wert); }
void RecordingSheet::Zellformel(const QString& formel) { rec("Zellformel", {formel}); m_modell.Zellformel(formel); }
void RecordingSheet::Zahlenformat(const QString& format) { rec("Zahlenformat", {format}); m_modell.Zahlenformat(format); }
void RecordingSheet::Fettschrift(bool fett) { rec("Fettschrift", {fett}); m_modell.Fettschrift(fett); }
void RecordingSheet::Schriftgroesse(int punkte) { rec("Schriftgroesse", {punkte}); m_modell.Schriftgroesse(punkte); }
void RecordingSheet::Ausrichtung(int art) { rec("Ausrichtung", {art}); m_modell.Ausrichtung(art); }

void RecordingSheet::Zellrahmen(int umriss, int links, int rechts, int oben, int unten, int schatten,
                                int32_t farbeUmriss, int32_t farbeLinks, int32_t farbeRechts,
                                int32_t farbeOben, int32_t farbeUnten)
{
    rec("Zellrahmen", {umriss, links, rechts, oben, unten, schatten, farbeUmriss, farbeLinks, farbeRechts,
                       farbeOben, farbeUnten});
    m_modell.Zellrahmen(umriss, links, rechts, oben, unten, schatten, farbeUmriss, farbeLinks, farbeRechts,
                        farbeOben, farbeUnten);
}

void RecordingSheet::Spaltenbreite(int32_t spalte, int breite)
{
    rec("Spaltenbreite", {spalte, breite});
    m_modell.Spaltenbreite(spalte, breite);
}
void RecordingSheet::Zeilenhoehe(int32_t zeile, int hoehe)
{
    rec("Zeilenhoehe", {zeile, hoehe});
    m_modell.Zeilenhoehe(zeile, hoehe);
}
void RecordingSheet::Standardzeilenhoehe(int hoehe) { rec("Standardzeilenhoehe", {hoehe}); m_modell.Standardzeilenhoehe(hoehe); }
void RecordingSheet::Blattname(int blatt, const QString& name) { rec("Blattname", {blatt, name}); m_modell.Blattname(blatt, name); }
void RecordingSheet::DrucktitelErsteZeile(int32_t zeile)
{
    rec("DrucktitelErsteZeile", {zeile});
    m_modell.DrucktitelErsteZeile(zeile);
}
void RecordingSheet::DrucktitelLetzteZeile(int32_t zeile)
{
    rec("DrucktitelLetzteZeile", {zeile});
    m_modell.DrucktitelLetzteZeile(zeile);
}
void RecordingSheet::Seitenumbruch(int32_t zeile) { rec("Seitenumbruch", {zeile}); m_modell.Seitenumbruch(zeile); }
void RecordingSheet::Querformat(bool quer) { rec("Querformat", {quer}); m_modell.Querformat(quer); }
bool RecordingSheet::Querformat() const
{
    rec("Querformat?");
    return m_modell.Querformat();
}
void RecordingSheet::Kopfzeile(const QString& text) { rec("Kopfzeile", {text}); m_modell.Kopfzeile(text); }
void RecordingSheet::Fusszeile(const QString& text) { rec("Fusszeile", {text}); m_modell.Fusszeile(text); }
void RecordingSheet::Seitenrand(Rand welcher, double zoll)
{
    rec("Seitenrand", {int(welcher), zoll});
    m_modell.Seitenrand(welcher, zoll);
}
void RecordingSheet::Randabstand(Abstand welcher, double zoll)
{
    rec("Randabstand", {int(welcher), zoll});
    m_modell.Randabstand(welcher, zoll);
}
void RecordingSheet::Druckskalierung(int16_t& prozent, bool anpassen, int seitenBreit, int seitenHoch)
{
    rec("Druckskalierung", {int(prozent), anpassen, seitenBreit, seitenHoch});
    m_modell.Druckskalierung(prozent, anpassen, seitenBreit, seitenHoch);
}
void RecordingSheet::Papiergroesse(int code) { rec("Papiergroesse", {code}); m_modell.Papiergroesse(code); }
void RecordingSheet::Bildschirmzoom(int prozent) { rec("Bildschirmzoom", {prozent}); m_modell.Bildschirmzoom(prozent); }
void RecordingSheet::Bildschirmzoom(const QString& prozent)
{
    rec("Bildschirmzoom", {prozent});
    m_modell.Bildschirmzoom(prozent);
}
void RecordingSheet::Zuruecksetzen() { rec("Zuruecksetzen"); m_modell.Zuruecksetzen(); }
void RecordingSheet::Eigenschaft(int32_t nummer, const QVariant& wert)
{
    rec("Eigenschaft", {nummer, wert});
    m_modell.Eigenschaft(nummer, wert);
}
void RecordingSheet::Sichtbar(bool sichtbar) { rec("Sichtbar", {sichtbar}); m_modell.Sichtbar(sichtbar); }
void RecordingSheet::Ablagetext(const QString& text) { rec("Ablagetext", {text}); m_modell.Ablagetext(text); }
void RecordingSheet::Dokumenttitel(const QString& titel) { rec("Dokumenttitel", {titel}); m_modell.Dokumenttitel(titel); }
void RecordingSheet::Druckvorschau() { rec("Druckvorschau"); }
void RecordingSheet::Druckereinrichtung() { rec("Druckereinrichtung"); }

bool RecordingSheet::SpeichernDialog(const QString& titel, Dateiangabe& angabe)
{
    rec("SpeichernDialog", {titel, angabe.Dateiname, angabe.Dateityp});
    if (dialogErgebnis)
        angabe = dialogAngabe;
    return dialogErgebnis;
}

bool RecordingSheet::DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler)
{
    rec("DateiSchreiben", {dateiname, dateityp});
    if (!schreibenErgebnis && fehler)
        *fehler = schreibenFehler;
    return schreibenErgebnis;
}

} // namespace sheet
