#include "app/allowance/pauschalanzeige.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

#include "app/allowance/aktualisieren.h"
#include "app/records/hilfen.h"
#include "platform/forms/colors.h"
#include "platform/forms/events.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

constexpr int L = FahrtDatensatz::Laenge;

// Reads records of the current trip file from the back, one open for all.
class Rueckwaerts {
public:
    explicit Rueckwaerts(const QString& pfad) : m_f(pfad)
    {
        if (!pfad.isEmpty() && m_f.open(QIODevice::ReadOnly))
            m_anzahl = m_f.size() / L;
    }
    qint64 anzahl() const { return m_anzahl; }
    bool lies(qint64 n, FahrtDatensatz& s)
    {
        if (n < 1 || n > m_anzahl || !m_f.seek((n - 1) * L))
            return false;
        const QByteArray b = m_f.read(L);
        if (b.size() != L)
            return false;
        s = FahrtDatensatz::ausBytes(b);
        return true;
    }

private:
    QFile m_f;
    qint64 m_anzahl = 0;
};

const char* const kOptionen[5] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};
const char* const kRoute[] = {"Label4", "Label5", "Label6", "Label10", "Label11",
                              "EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"};
const char* const kZeiten[] = {"Label2", "Label8", "EinZeitAb", "EinZeitAn",
                               "QKSpin1", "QKSpin2", "QKSpin3", "QKSpin4"};
const char* const kKm[] = {"AnzKmAb", "EinkmAn"};

} // namespace

QWidget* Pauschalanzeige::ctl(const QString& name) const
{
    if (!m_fenster)
        return nullptr;
    if (QWidget* w = m_controls.value(name))
        return w;
    QWidget* found = forms::control(m_fenster, name);
    if (found)
        m_controls.insert(name, found);
    return found;
}

void Pauschalanzeige::zeige(const QString& name, bool sichtbar) const
{
    if (QWidget* w = ctl(name))
        w->setVisible(sichtbar);
}

void Pauschalanzeige::text(const QString& name, const QString& t) const
{
    forms::setText(ctl(name), t);   // a field's Change runs
}

void Pauschalanzeige::ArbeitswerteZuruecksetzen()
{
    m_w.MinutenAbfahrt = 0;
    m_w.MinutenAnkunft = 0;
    m_w.AbwesenheitMinuten = 0;
}

bool Pauschalanzeige::feldgruppen(quint8 fahrtart) const
{
    const VoreinstellungSatz& v = m_st.Voreinstellung;
    const bool ohneZeiten = v.OhneZeiten != 0;
    const bool privatNurKm = v.PrivatNurKm != 0;
    bool route = true;
    bool zeiten = !ohneZeiten;
    if (fahrtart == 2 && m_st.Kfz.Firmenfahrzeug != 0) {
        route = !privatNurKm;
        zeiten = !privatNurKm && !ohneZeiten;
    }
    const bool privatwagen = m_st.Kfz.Privatfahrzeug != 0;
    for (const char* n : kRoute)
        zeige(n, route);
    for (const char* n : kZeiten)
        zeige(n, zeiten && !privatwagen);
    if (privatwagen)
        for (const char* n : kKm)
            zeige(n, false);
    return zeiten && !privatwagen;
}

qint64 Pauschalanzeige::vorEintrag(quint8 pufferindex) const
{
    // A new entry follows the whole file; a shown record the ones before it.
    return pufferindex == 2 ? qint64(m_st.Satzanzahl) : qint64(m_st.Satznummer) - 1;
}

const FahrtDatensatz* Pauschalanzeige::vergleichFinden(quint8 pufferindex)
{
    if (pufferindex < 2 || pufferindex >= m_st.Satzpuffer.size())
        return nullptr;
    const FahrtDatensatz& gepuffert = m_st.Satzpuffer[pufferindex];
    if (gepuffert.Eintragsstatus != 1)
        return &gepuffert;
    Rueckwaerts datei(m_st.fahrtdateiPfad());
    FahrtDatensatz s;
    for (qint64 n = std::min(vorEintrag(pufferindex), datei.anzahl()); n >= 1; --n)
        if (datei.lies(n, s) && s.Eintragsstatus != 1) {
            m_vergleich = s;
            return &m_vergleich;
        }
    return nullptr;
}

void Pauschalanzeige::frueherLesen(quint8 pufferindex)
{
    m_frueher.clear();
    if (pufferindex < 2)
        return;
    Rueckwaerts datei(m_st.fahrtdateiPfad());
    const qint32 tag = m_st.Satzpuffer[0].DatumAb;
    FahrtDatensatz s;
    for (qint64 n = std::min(vorEintrag(pufferindex), datei.anzahl()); n >= 1; --n) {
        if (!datei.lies(n, s))
            break;
        m_frueher.push_back(s);
        if ((s.Eintragsstatus != 1 && s.DatumAn < tag) || m_frueher.size() > 100)
            break;
    }
    std::reverse(m_frueher.begin(), m_frueher.end());
}

void Pauschalanzeige::FahrtdatenErfassen()
{
    Eingabe in;
    for (int i = 0; i < 5; ++i)
        if (auto* o = qobject_cast<QRadioButton*>(ctl(kOptionen[i])); o && o->isChecked()) {
            in.fahrtart = quint8(i + 1);
            break;
        }
    auto feld = [&](const char* name) {
        auto* e = qobject_cast<QLineEdit*>(ctl(name));
        return e ? e->text() : QString();
    };
    in.zeitAb = ZeitLesen(feld("EinZeitAb"));
    in.zeitAn = ZeitLesen(feld("EinZeitAn"));
    qint32 d = 0;
    if (vb::ParseDateText(vb::Trim(feld("EinDatumAb")), d))
        in.datumAb = d;
    if (vb::ParseDateText(vb::Trim(feld("EinDatumAn")), d))
        in.datumAn = d;
    in.mitVerpflegungspauschale = m_st.Voreinstellung.MitVerpflegungspauschale != 0;
    in.privatNurKm = m_st.Voreinstellung.PrivatNurKm != 0;
    in.satznummer = m_st.Satznummer;
    in.pufferindex = m_st.Pufferindex;

    in.zeitfelder = feldgruppen(in.fahrtart);
    const quint8 pi = (in.satznummer == 0 || in.satznummer == 1) ? 1 : in.pufferindex;
    const FahrtDatensatz* vergleich = vergleichFinden(pi);
    bool zeitenNull = false;
    m_st.Pufferindex = kmk::FahrtdatenErfassen(m_st.Satzpuffer[0], in, vergleich, m_w, &zeitenNull);
    m_st.AktuelleFahrtart = m_w.AktuelleFahrtart;
    m_st.Pauschalfahrt = m_w.PauschalFahrt;
    if (zeitenNull) {
        text("EinZeitAb", QStringLiteral("00:00"));
        text("EinZeitAn", QStringLiteral("00:00"));
    }
    text("FahrtNr", vb::Str(qint64(m_st.Satznummer)));
}

void Pauschalanzeige::PauschaleBerechnen()
{
    const quint8 pi = m_st.Pufferindex;
    Vergleich v;
    v.satz = vergleichFinden(pi);
    if (pi >= 2) {
        frueherLesen(pi);
        v.frueher = Rueckblick(std::span<const FahrtDatensatz>(m_frueher), m_frueher.size(),
                               m_st.Satzpuffer[0].DatumAb);
    }
    kmk::PauschaleBerechnen(m_st.Satzpuffer[0], v, KonfigurierteSaetze(m_st), m_w, m_st.Pauschalregel);
}

void Pauschalanzeige::PauschaleAnzeigen()
{
    if (KmBerechnen)
        KmBerechnen();
    FahrtdatenErfassen();
    FahrtDatensatz& e = m_st.Satzpuffer[0];
    const VoreinstellungSatz& v = m_st.Voreinstellung;
    const bool journal = v.Journalfunktion != 0;
    const bool mitPauschale = v.MitVerpflegungspauschale != 0;
    const bool firma = m_st.Kfz.Firmenfahrzeug != 0;
    const bool eintragungsdatum = journal && !e.storniertOderGeaendert();
    if (eintragungsdatum) {
        text("LEinDatum", QStringLiteral("Eintragungsdatum ") + vb::DateText(e.Eintragungsdatum));
        zeige("LEinDatum", true);
    } else {
        text("LEinDatum", QString());
        zeige("LEinDatum", false);
    }

    auto* regel = qobject_cast<QLabel*>(ctl("Label20"));
    auto regelText = [&](const QString& t) {
        if (regel)
            regel->setText(forms::labelText(t));
    };
    const bool mitZeiten = v.OhneZeiten == 0;
    if (!mitZeiten) {
        zeige("Frame5", false);
        if (firma)
            zeige("Frame7", true);
        if (m_st.Pufferindex == 1) {
            e.AbwesenheitGesamt = 0;
            e.AbwesenheitFahrt = 0;
            e.Teilpauschale2 = 0;
            e.PauschaleVolleTage = 0;
            e.Reserve500 = 0;
            e.Reserve504 = 0;
            m_w.AbwesenheitMinuten = 0;
        }
    } else {
        zeige("Frame5", true);
        if (firma)
            zeige("Frame7", false);
        FahrtdatenErfassen();
        PauschaleBerechnen();
        e.MitPauschale = flagVon(mitPauschale);
        if (!mitPauschale) {
            m_w.PauschalFahrt = false;
            m_st.Pauschalfahrt = false;
        }
        if (regel) {
            QPalette pal = regel->palette();
            pal.setColor(QPalette::WindowText, forms::bgr(m_st.NeuerEintragOffen ? 255 : 0xC00000));
            regel->setPalette(pal);
        }
        if (!m_w.PauschalFahrt)
            regelText(TextKeinePauschale);
        if (e.MitPauschale == 0)
            regelText(TextPauschaleAus);
        text("LZeitFahrt", MinutenInStunden(m_w.AbwesenheitMinuten));
        text("LFahrtAnzahl", vb::Str(qint64(e.FahrtDesTages)));
        text("LVerpflegGesamt", vb::Str(qint64(e.PauschaleGesamt)));
        if (m_w.PauschalFahrt) {
            text("LReisekosten", vb::Str(qint64(e.Teilpauschale2)) + QStringLiteral(" /  ") +
                                     vb::Str(qint64(e.Teilpauschale1)));
            text("LGGefahrenZeit", MinutenInStunden(e.AbwesenheitGesamt));
        } else {
            text("LReisekosten", QString());
        }
    }

    const bool pauschaleAn = e.MitPauschale != 0;
    if (e.Fahrtart == 1)
        regelText(TextArbeitsweg);
    if (e.Fahrtart == 5)
        regelText(TextFamilienheimfahrt);
    if (((e.Fahrtart == 3 || e.Fahrtart == 4) && m_w.PauschalFahrt && pauschaleAn) || (e.Fahrtart == 2 && pauschaleAn))
        regelText(m_st.Pauschalregel);

    zeige("Frame5", mitPauschale);
    if (mitPauschale)
        zeige("Frame7", false);
    else if (firma)
        zeige("Frame7", true);

    if (eintragungsdatum) {
        zeige("LEinDatum", true);
        // 1 or less is the date stored while the journal function was off.
        if (e.Eintragungsdatum <= 1)
            text("LEinDatum", QString());
    } else {
        zeige("LEinDatum", false);
    }
}

} // namespace kmk
