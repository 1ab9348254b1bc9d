#include "app/allowance/kmanteile.h"

#include <QLabel>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/records/dateien.h"
#include "app/records/hilfen.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/seams.h"
#include "platform/io/recordfile.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

std::vector<FahrtDatensatz> alleSaetze(const QString& pfad)
{
    std::vector<FahrtDatensatz> s;
    if (pfad.isEmpty())
        return s;
    // A file beyond the format's limit is damaged; its trips are the first ones.
    const QList<QByteArray> roh = io::RecordFile(pfad, FahrtDatensatz::Laenge).readAll(MaxFahrten);
    s.reserve(std::size_t(roh.size()));
    for (const QByteArray& b : roh)
        s.push_back(FahrtDatensatz::ausBytes(b));
    return s;
}

bool tankung(const FahrtDatensatz& s)
{
    return s.BetragKraftstoff.raw > 0 && s.Kraftstoffmenge > 0;
}

} // namespace

KmVerteilung KmVerteilen(std::span<const FahrtDatensatz> saetze)
{
    KmVerteilung v;
    for (const FahrtDatensatz& s : saetze) {
        if (s.Eintragsstatus == 1)
            continue;
        const int art = s.Fahrtart == 0 ? 3 : s.Fahrtart;
        if (art < 1 || art > 5 || s.GefahreneKm <= 0)
            continue;
        v.km[art] += s.GefahreneKm;
        if (art == 1 || art == 3)
            v.km[6] += s.GefahreneKm;
    }
    qint64 gesamt = 0;
    for (int i = 1; i <= 5; ++i)
        gesamt += v.km[i];
    const double faktor = gesamt > 0 ? 100.0 / double(gesamt) : 0.0;
    for (int i = 1; i <= 5; ++i)
        v.prozent[i] = double(v.km[i]) * faktor;
    v.betrieblich = double(v.km[6]) * faktor;
    return v;
}

Kosten KostenSummieren(std::span<const FahrtDatensatz> saetze)
{
    Kosten k;
    for (const FahrtDatensatz& s : saetze) {
        if (s.Eintragsstatus == 1)
            continue;
        if (tankung(s)) {
            k.liter += s.Kraftstoffmenge;
            k.strecke += s.GefahreneKm;
            k.kraftstoff = vb::Summe(k.kraftstoff, s.BetragKraftstoff);
        } else if (k.strecke > 0) {
            k.strecke += s.GefahreneKm;
        }
        if (s.BetragWartung.raw > 0)
            k.wartung = vb::Summe(k.wartung, s.BetragWartung);
    }
    return k;
}

std::optional<double> Kosten::verbrauch() const
{
    if (strecke > 0 && liter > 0)
        return liter / double(strecke) * 100.0;
    return std::nullopt;
}

bool Kosten::ueberlauf() const
{
    const auto v = verbrauch();
    return !kraftstoff || !wartung || (v && !std::isfinite(*v));
}

QString ProzentText(double prozent)
{
    return vb::FormatDe(prozent / 100.0, QStringLiteral("0.00%"));
}

QString VerbrauchText(double verbrauch)
{
    return vb::FormatDe(verbrauch, QStringLiteral("#,##0.00")) + QStringLiteral(" L");
}

QString BetragText(std::optional<vb::Currency> betrag)
{
    return vb::BetragOderMarke(betrag);
}

QWidget* Kmanteile::ctl(const QString& name) const
{
    return forms::control(m_fenster, name);
}

void Kmanteile::text(const QString& name, const QString& t) const
{
    if (auto* l = qobject_cast<QLabel*>(ctl(name)))
        l->setText(t);
}

void Kmanteile::kostenZeigen(const Kosten& k)
{
    const auto v = k.verbrauch();
    if (v && std::isfinite(*v))
        Verbrauch = *v;
    text("Label27", BetragText(k.kraftstoff));
    text("Label34", BetragText(k.wartung));
    text("Label31", v && !std::isfinite(*v) ? vb::Ueberlaufmarke() : VerbrauchText(Verbrauch));
    if (k.ueberlauf())
        ueberlaufMelden();
}

void Kmanteile::ueberlaufMelden() const
{
    forms::messageOnce(m_st.fahrtdateiPfad(), UeberlaufText(vb::Trim(m_st.Fahrtdatei)));
}

static const char* const kKmLabels[6] = {nullptr, "LabWA", "LabPri", "LabGesch", "LabEhr", "LabFam"};
static const char* const kProzentLabels[6] = {nullptr, "LabWAP", "LabPriP", "LabGeschP", "LabEhrP", "LabFamP"};

void Kmanteile::Prozentverteilung()
{
    m_st.KmJeFahrtart.fill(0);
    m_st.ProzentJeFahrtart.fill(0.0);
    for (int i = 1; i <= 5; ++i) {
        text(kKmLabels[i], vb::Str(qint64(0)));
        text(kProzentLabels[i], QString());
    }
    text("Labbetrieb", QString());

    const QString pfad = m_st.fahrtdateiPfad();
    if (m_st.Kfz.Firmenfahrzeug == 0 || pfad.isEmpty() || !DateiVorhanden(pfad))
        return;
    const std::vector<FahrtDatensatz> saetze = alleSaetze(pfad);
    if (saetze.empty())
        return;

    // Every text of the file joins its field's list once, cancelled trips'
    // texts too.
    struct Liste { const char* name; QString FahrtDatensatz::*feld; };
    const Liste listen[] = {
        {"EinGesprach", &FahrtDatensatz::Gespraechspartner}, {"EinFahrer", &FahrtDatensatz::Fahrer},
        {"EinVon", &FahrtDatensatz::Von}, {"EinUber", &FahrtDatensatz::Ueber},
        {"EinNach", &FahrtDatensatz::Nach}, {"EinGrund", &FahrtDatensatz::Grund},
    };
    for (const Liste& l : listen) {
        auto* box = qobject_cast<forms::ComboBox*>(ctl(l.name));
        if (!box)
            continue;
        QSet<QString> da;
        for (int i = 0; i < box->count(); ++i)
            da.insert(vb::Trim(box->itemText(i)));
        for (const FahrtDatensatz& s : saetze) {
            const QString t = vb::Trim(s.*(l.feld));
            if (t.isEmpty() || da.contains(t))
                continue;
            da.insert(t);
            box->addItem(t);
        }
    }

    kostenZeigen(KostenSummieren(saetze));
    const KmVerteilung v = KmVerteilen(saetze);
    for (int i = 1; i <= 6; ++i)
        m_st.KmJeFahrtart[i] = qint32(std::clamp<qint64>(v.km[i], 0, std::numeric_limits<qint32>::max()));
    for (int i = 1; i <= 5; ++i) {
        m_st.ProzentJeFahrtart[i] = v.prozent[i];
        text(kKmLabels[i], vb::Str(v.km[i]));
        text(kProzentLabels[i], ProzentText(v.prozent[i]));
    }
    text("Labbetrieb", ProzentText(v.betrieblich));
}

void Kmanteile::Ges_Verbrauch()
{
    DateiTest(m_st);
    Kosten k;
    const QString pfad = m_st.fahrtdateiPfad();
    if (!pfad.isEmpty() && DateiVorhanden(pfad)) {
        const std::vector<FahrtDatensatz> saetze = alleSaetze(pfad);
        m_st.Satzanzahl = qint32(saetze.size());
        k = KostenSummieren(saetze);
    }
    kostenZeigen(k);
}

} // namespace kmk
