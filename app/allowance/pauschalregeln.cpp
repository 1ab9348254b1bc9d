#include "app/allowance/pauschalregeln.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "platform/vb/number.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

// Whole units, halves to the even neighbour; far beyond any amount a field
// can hold, so the sums below cannot overflow.
int rundeGanz(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(std::clamp(vb::roundHalfEven(v), -1e9, 1e9));
}

// Trips touching one day are a handful; the limit only bounds a damaged file.
constexpr std::size_t kRueckblickGrenze = 100;

bool bezahlt(const Vergleich& v, qint32 tag)
{
    if (v.satz && ZahltTag(*v.satz, tag))
        return true;
    for (const FahrtDatensatz& s : v.frueher)
        if (ZahltTag(s, tag))
            return true;
    return false;
}

QString zahl(int v) { return vb::Str(v); }

} // namespace

bool SatzLesen(const QString& text, double& wert)
{
    QString t = text;
    t.replace(QChar(0), QChar(' '));
    t = vb::Trim(t);
    bool ok = false;
    const double v = QLocale(QLocale::German, QLocale::Germany).toDouble(t, &ok);
    wert = ok && std::isfinite(v) ? v : 0.0;
    return ok && std::isfinite(v);
}

Saetze SaetzeAusTexten(const QString& teiltag, const QString& volltag, bool* keineZahl)
{
    double t = 0, v = 0;
    const bool teilOk = SatzLesen(teiltag, t);
    const bool vollOk = SatzLesen(volltag, v);
    if (keineZahl)
        *keineZahl = !teilOk || !vollOk;
    return Saetze{rundeGanz(t), v};
}

int VolleTageBetrag(const Saetze& r, int folgetage)
{
    return rundeGanz(r.volltag * double(folgetage - 1));
}

int VollerTag(const Saetze& r)
{
    return rundeGanz(r.volltag);
}

qint16 auf16(int v)
{
    return qint16(std::clamp(v, -32768, 32767));
}

Klasse KlasseVon(quint8 fahrtart)
{
    switch (fahrtart) {
    case 3:
    case 4:
        return Klasse::E;
    case 2:
        return Klasse::P;
    case 1:
    case 5:
        return Klasse::N;
    default:
        return Klasse::Keine;
    }
}

bool AbfahrtstagGanz(const FahrtDatensatz& s)
{
    // MinutenAbfahrtstag is 1440 - ZeitAb only when the trip ends on a later day.
    return s.Folgetage > 0 && s.MinutenAbfahrtstag == 1440;
}

bool AnkunftstagGanz(const FahrtDatensatz& s)
{
    if (s.Folgetage > 0)
        return s.MinutenAnkunftstag == 1440;
    return s.DatumAb == s.DatumAn && s.ZeitAb == 0 && s.ZeitAn == 1440;
}

bool ZahltTag(const FahrtDatensatz& s, qint32 tag)
{
    if (KlasseVon(s.Fahrtart) != Klasse::E || s.Eintragsstatus == 1)
        return false;
    if (s.DatumAb == s.DatumAn)
        return tag == s.DatumAb && s.Teilpauschale2 > 0;
    return (tag == s.DatumAb && s.Teilpauschale1 > 0) || (tag == s.DatumAn && s.Teilpauschale2 > 0);
}

std::span<const FahrtDatensatz> Rueckblick(std::span<const FahrtDatensatz> alle, std::size_t bis, qint32 tag)
{
    bis = std::min(bis, alle.size());
    std::size_t von = bis;
    while (von > 0 && bis - von < kRueckblickGrenze) {
        const FahrtDatensatz& s = alle[von - 1];
        if (s.Eintragsstatus != 1 && s.DatumAn < tag)
            break;
        --von;
    }
    return alle.subspan(von, bis - von);
}

bool ZeitenErfasst(quint8 fahrtart, bool zeitfelder)
{
    return zeitfelder || KlasseVon(fahrtart) == Klasse::E;
}

int AbwesenheitEintaegig(int ab, int an, bool zeitenErfasst)
{
    if (an < 1)
        return 0;
    return ab >= 1 || (ab == 0 && zeitenErfasst) ? an - ab : 0;
}

std::optional<int> ZeitLesen(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = re.match(vb::Trim(text));
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    // The end of the day is typed as "24:00"; it must not read as no time.
    if (h == 24 && min == 0)
        return 1440;
    if (h > 23 || min > 59)
        return std::nullopt;
    return h * 60 + min;
}

quint8 FahrtdatenErfassen(FahrtDatensatz& e, const Eingabe& in, const FahrtDatensatz* vergleich,
                          Arbeitswerte& w, bool* zeitenNull)
{
    if (in.pufferindex == 1 || in.pufferindex == 2)
        e.MitPauschale = flagVon(in.mitVerpflegungspauschale);
    w.AktuelleFahrtart = in.fahrtart;
    e.Fahrtart = in.fahrtart;
    w.PauschalFahrt = in.fahrtart == 3 || in.fahrtart == 4;

    if (in.zeitAb)
        w.MinutenAbfahrt = *in.zeitAb;
    if (in.zeitAn)
        w.MinutenAnkunft = *in.zeitAn;
    const bool nullZeiten = in.fahrtart == 2 && in.privatNurKm;
    if (nullZeiten) {
        w.MinutenAbfahrt = 0;
        w.MinutenAnkunft = 0;
    }
    if (zeitenNull)
        *zeitenNull = nullZeiten;

    e.ZeitAb = auf16(w.MinutenAbfahrt);
    e.ZeitAn = auf16(w.MinutenAnkunft);
    if (in.datumAn)
        e.DatumAn = *in.datumAn;
    if (in.datumAb)
        e.DatumAb = *in.datumAb;

    quint8 pufferindex = in.pufferindex;
    if (in.satznummer == 0 || in.satznummer == 1)
        pufferindex = 1;

    e.MinutenAbfahrtstag = 0;
    e.MinutenAnkunftstag = 0;
    w.AbwesenheitMinuten = 0;
    if (e.DatumAb < e.DatumAn) {
        const qint64 d = qint64(e.DatumAn) - e.DatumAb;
        if (d < 20)
            w.AbwesenheitMinuten = int(d) * 1440 - w.MinutenAbfahrt + w.MinutenAnkunft;
        if (d < 250)
            e.Folgetage = qint16(d);
        e.MinutenAbfahrtstag = auf16(1440 - e.ZeitAb);
        e.MinutenAnkunftstag = e.ZeitAn;
    } else if (e.DatumAb == e.DatumAn) {
        e.Folgetage = 0;
        w.AbwesenheitMinuten = AbwesenheitEintaegig(w.MinutenAbfahrt, w.MinutenAnkunft,
                                                    !nullZeiten && ZeitenErfasst(in.fahrtart, in.zeitfelder));
    }

    // The trip count follows the departure day of the compared record.
    if (pufferindex > 1 && vergleich && vergleich->DatumAb == e.DatumAb) {
        e.FahrtDesTages = auf16(int(vergleich->FahrtDesTages) + 1);
        w.Folgefahrt = true;
        w.ErsteFahrtDesTages = false;
    } else {
        e.FahrtDesTages = 1;
        w.Folgefahrt = false;
        w.ErsteFahrtDesTages = true;
    }

    e.Sonderfahrt = 0;
    e.Reserve500 = 0;
    e.FahrtNummer = auf16(in.satznummer);
    e.Vergleichsindex = pufferindex;
    return pufferindex;
}

void PauschaleBerechnen(FahrtDatensatz& e, const Vergleich& v, const Saetze& r, Arbeitswerte& w,
                        QString& regel)
{
    regel.clear();
    const FahrtDatensatz* c = v.satz;
    w.ErsteFahrtDesTages = !c || c->DatumAn != e.DatumAb;
    w.Folgefahrt = !w.ErsteFahrtDesTages;
    const bool folge = w.Folgefahrt;

    // The first trip of a file starts the total at 0, whatever its class: a
    // first trip corrected into a private one must not keep what it held.
    const int cg = c ? c->PauschaleGesamt : 0;
    const int ct = c ? c->AbwesenheitTag : 0;
    const int c1 = c ? c->Teilpauschale1 : 0;
    const int c2 = c ? c->Teilpauschale2 : 0;

    int ag = 0, at = 0, af = 0, t1 = 0, t2 = 0, vt = 0, ges = 0;
    const Klasse k = KlasseVon(e.Fahrtart);
    if (k == Klasse::Keine) {
        // No trip type chosen: nothing earned, the running total goes on.
        e.AbwesenheitFahrt = 0;
        e.AbwesenheitGesamt = e.AbwesenheitTag = 0;
        e.Teilpauschale1 = e.Teilpauschale2 = e.PauschaleVolleTage = 0;
        e.PauschaleGesamt = auf16(cg);
        return;
    }

    const int F = e.Folgetage;
    const int A = w.AbwesenheitMinuten;
    const int mab = e.MinutenAbfahrtstag;
    const int man = e.MinutenAnkunftstag;
    const int r1 = r.teiltag;
    const int r2 = VollerTag(r);
    const bool earn = k == Klasse::E;
    // A day already paid by an earlier business trip earns no second rate.
    const bool abBezahlt = earn && bezahlt(v, e.DatumAb);
    const bool anBezahlt = earn && F > 0 && bezahlt(v, e.DatumAn);
    const bool abGanz = AbfahrtstagGanz(e);
    const bool anGanz = AnkunftstagGanz(e);
    auto rate = [&](bool verdient, bool tagBezahlt, bool ganz) {
        return tagBezahlt ? 0 : ganz ? r2 : verdient ? r1 : 0;
    };

    if (F == 0) {
        if (earn) {
            const int tag = folge ? ct + A : A;
            ag = at = af = tag;
            t2 = rate(tag > 479, abBezahlt, anGanz);
            ges = cg + t2;
        } else if (folge) {
            ag = at = af = ct;
            t2 = c2;
            ges = cg;
        } else {
            ges = cg;
        }
    } else if (F == 1) {
        if (earn) {
            ag = A;
            at = man;
            af = c ? mab + man : A;
            // Departure day into Teilpauschale1, arrival day into
            // Teilpauschale2, with or without a trip before.
            t2 = rate(man > 479, anBezahlt, anGanz);
            t1 = rate((folge ? ct + mab : mab) > 479, abBezahlt, abGanz);
            ges = cg + t2 + t1;
        } else {
            ges = cg;
        }
    } else {
        if (earn) {
            ag = folge ? ct + A : A;
            at = 0;
            af = A;
            t2 = rate(man > 1, anBezahlt, anGanz);
            t1 = rate(folge || mab > 1, abBezahlt, abGanz);
            vt = VolleTageBetrag(r, F);
            ges = cg + vt + t2 + t1;
        } else if (folge) {
            ag = ct;
            t1 = c1;
            ges = cg;
        } else {
            ges = cg;
        }
    }

    e.AbwesenheitGesamt = auf16(ag);
    e.AbwesenheitTag = auf16(at);
    e.AbwesenheitFahrt = auf16(af);
    e.Teilpauschale1 = auf16(t1);
    e.Teilpauschale2 = auf16(t2);
    e.PauschaleVolleTage = auf16(vt);
    e.PauschaleGesamt = auf16(ges);

    QStringList z;
    z << (F == 0 ? QStringLiteral("Eintägige Fahrt") : F == 1 ? QStringLiteral("Zweitägige Fahrt")
                                                              : QStringLiteral("Mehrtägige Fahrt"));
    if (!folge)
        z << (F == 0 ? QStringLiteral("Erste Fahrt an diesem Tag") : QStringLiteral("Erste Fahrt am Abfahrtstag"));
    else
        z << zahl(e.FahrtDesTages) + QStringLiteral(" Fahrt an diesem Tag");
    if (k == Klasse::E)
        z << QStringLiteral("Eine Geschäftsfahrt");
    else if (k == Klasse::P)
        z << (F == 0 && !folge ? QStringLiteral("Eine Prtivatfahrt") : QStringLiteral("Eine Privatfahrt"));
    else
        z << QStringLiteral("Eine Fahrt ohne Pauschale");
    z << QStringLiteral("Pauschale ") + zahl(e.Teilpauschale2);
    z << QStringLiteral("Gesamt ") + zahl(e.PauschaleGesamt);
    regel = z.join(Zeilentrenner);
}

int AbwesenheitGespeichert(const FahrtDatensatz& s)
{
    if (s.DatumAb == s.DatumAn)
        return AbwesenheitEintaegig(s.ZeitAb, s.ZeitAn, ZeitenErfasst(s.Fahrtart, false));
    if (s.DatumAb > s.DatumAn)
        return 0;
    return s.Folgetage < 20 ? int(s.Folgetage) * 1440 - s.ZeitAb + s.ZeitAn : 0;
}

void JahrNeuBerechnen(std::vector<FahrtDatensatz>& saetze, const Saetze& r, QString* regel)
{
    const int r1 = r.teiltag;
    const int r2 = VollerTag(r);
    const FahrtDatensatz* l0 = nullptr;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        FahrtDatensatz& l1 = saetze[i];
        // A cancelled trip stays as it was booked; the next one compares
        // with the last trip that counts.
        if (l1.Eintragsstatus == 1)
            continue;
        const int p0 = l0 ? l0->PauschaleGesamt : 0;
        const int t0 = l0 ? l0->AbwesenheitTag : 0;
        const int q0 = l0 ? l0->Teilpauschale2 : 0;
        const int r0 = l0 ? l0->Teilpauschale1 : 0;
        const Klasse k = KlasseVon(l1.Fahrtart);
        if (k == Klasse::Keine) {
            l1.AbwesenheitFahrt = 0;
            l1.AbwesenheitGesamt = l1.AbwesenheitTag = 0;
            l1.Teilpauschale1 = l1.Teilpauschale2 = l1.PauschaleVolleTage = 0;
            l1.PauschaleGesamt = auf16(p0);
            l0 = &l1;
            continue;
        }
        const bool folge = l0 && l0->DatumAn == l1.DatumAb;
        const int F = l1.Folgetage;
        const int A = AbwesenheitGespeichert(l1);
        const int mab = l1.MinutenAbfahrtstag;
        const int man = l1.MinutenAnkunftstag;
        const bool earn = k == Klasse::E;
        Vergleich v;
        v.satz = l0;
        v.frueher = Rueckblick(std::span<const FahrtDatensatz>(saetze), i, l1.DatumAb);
        const bool abBezahlt = earn && bezahlt(v, l1.DatumAb);
        const bool anBezahlt = earn && F > 0 && bezahlt(v, l1.DatumAn);
        const bool abGanz = AbfahrtstagGanz(l1);
        const bool anGanz = AnkunftstagGanz(l1);
        auto rate = [&](bool verdient, bool tagBezahlt, bool ganz) {
            return tagBezahlt ? 0 : ganz ? r2 : verdient ? r1 : 0;
        };

        // The trip's time is written as the entry page stores it, so a time
        // stored by an older rule does not stand beside a new allowance.
        if (F == 0) {
            if (earn) {
                const int tag = folge ? t0 + A : A;
                l1.AbwesenheitFahrt = l1.AbwesenheitGesamt = l1.AbwesenheitTag = auf16(tag);
                l1.Teilpauschale2 = auf16(rate(tag > 479, abBezahlt, anGanz));
                l1.PauschaleGesamt = auf16(l1.Teilpauschale2 + p0);
            } else if (folge) {
                l1.AbwesenheitFahrt = l1.AbwesenheitGesamt = l1.AbwesenheitTag = auf16(t0);
                l1.Teilpauschale2 = auf16(q0);
                l1.PauschaleGesamt = auf16(p0);
            } else {
                l1.AbwesenheitFahrt = l1.AbwesenheitGesamt = l1.AbwesenheitTag = 0;
                l1.Teilpauschale2 = 0;
                l1.PauschaleGesamt = auf16(p0);
            }
        } else if (F == 1) {
            if (earn) {
                l1.AbwesenheitFahrt = auf16(l0 ? mab + man : A);
                l1.AbwesenheitGesamt = auf16(A);
                l1.AbwesenheitTag = auf16(man);
                l1.Teilpauschale2 = auf16(rate(man > 479, anBezahlt, anGanz));
                l1.Teilpauschale1 = auf16(rate((folge ? t0 + mab : mab) > 479, abBezahlt, abGanz));
                if (l0)
                    l1.PauschaleVolleTage = 0;
                l1.PauschaleGesamt = auf16(l1.Teilpauschale2 + l1.Teilpauschale1 + p0);
            } else {
                l1.AbwesenheitFahrt = l1.AbwesenheitGesamt = l1.AbwesenheitTag = 0;
                l1.Teilpauschale1 = l1.Teilpauschale2 = 0;
                if (l0)
                    l1.PauschaleVolleTage = 0;
                l1.PauschaleGesamt = auf16(p0);
            }
        } else {
            if (earn) {
                l1.AbwesenheitFahrt = auf16(A);
                l1.AbwesenheitGesamt = auf16(folge ? t0 + A : A);
                if (!folge)
                    l1.AbwesenheitTag = 0;
                if (!folge || man > 1)
                    l1.Teilpauschale2 = auf16(rate(man > 1, anBezahlt, anGanz));
                l1.Teilpauschale1 = auf16(rate(folge || mab > 1, abBezahlt, abGanz));
                l1.PauschaleVolleTage = auf16(VolleTageBetrag(r, F));
                l1.PauschaleGesamt = auf16(l1.PauschaleVolleTage + l1.Teilpauschale2 + l1.Teilpauschale1 + p0);
            } else if (folge) {
                l1.AbwesenheitFahrt = 0;
                l1.AbwesenheitGesamt = auf16(t0);
                // A private or no-allowance trip hands no absence on to a later day.
                l1.AbwesenheitTag = 0;
                l1.Teilpauschale1 = auf16(r0);
                l1.PauschaleGesamt = auf16(p0);
            } else {
                l1.AbwesenheitFahrt = l1.AbwesenheitGesamt = l1.AbwesenheitTag = 0;
                l1.Teilpauschale1 = l1.Teilpauschale2 = 0;
                l1.PauschaleVolleTage = 0;
                l1.PauschaleGesamt = auf16(p0);
            }
        }
        if (regel) {
            const QString f = F == 0 ? QStringLiteral("0") : F == 1 ? QStringLiteral("1") : QStringLiteral(">1");
            *regel = (l0 ? QString() : QStringLiteral("M 0 ; ")) + QStringLiteral("Mehrtägige ") + f +
                     (folge ? QStringLiteral(" ; Folgefahrt ;") : QStringLiteral(" ; Erstfahrt ;"));
        }
        l0 = &l1;
    }
}

} // namespace kmk
