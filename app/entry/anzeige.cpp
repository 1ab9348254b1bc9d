#include "app/entry/anzeige.h"

#include "app/entry/felder.h"
#include "app/entry/laden.h"
#include "app/records/hilfen.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QCheckBox>
#include <QRadioButton>

namespace kmk {

namespace {

constexpr qint64 Schwarz = 0, Gruen = 65280, Dunkelblau = 12582912, Dunkelrot = 192;

QString zahl(qint64 v) { return QString::number(v); }
QString mitVorzeichenstelle(qint64 v) { return vb::Str(v); }
QString zweiStellen(double v) { return vb::FormatDe(v, "#,##0.00"); }

// The calendar refuses dates outside its range: the page goes on without.
void kalenderSetzen(const Eintragsseite& s, qint32 tag)
{
    if (!s.dienste.kalenderSetzen)
        return;
    try {
        s.dienste.kalenderSetzen("Date", tag);
    } catch (const std::exception&) {
    }
}

bool heuteImKalender(const Eintragsseite& s, qint32 heute)
{
    if (!s.dienste.kalenderLesen)
        return false;
    return heute >= s.dienste.kalenderLesen("MinDate") && heute <= s.dienste.kalenderLesen("MaxDate");
}

// Cases A and B: the calendar shows the trip's arrival, or today.
void ankunftsregel(Eintragsseite& s, qint32 ankunft, bool gespeichert)
{
    if (!s.st.Voreinstellung.KalenderHeute) {
        kalenderSetzen(s, ankunft);
        return;
    }
    const qint32 heute = s.heute();
    if (heuteImKalender(s, heute))
        kalenderSetzen(s, heute);
    else if (gespeichert)
        kalenderSetzen(s, ankunft);
}

void statusregel(Eintragsseite& s, const FahrtDatensatz& f)
{
    auto* check = s.ctl<QCheckBox>("Check13");
    const bool journal = f.storniertOderGeaendert();
    if (check) {
        check->setChecked(journal);
        check->setVisible(journal);
        check->setText(Statustext(f.Eintragsstatus, f.Statusdatum));
    }
    felder::zeigen(s, "LEinDatum", !journal);
}

void kostenfelder(Eintragsseite& s, const FahrtDatensatz& f)
{
    felder::setzen(s, "TBGesamt", f.BetragKraftstoff.toGerman());
    felder::setzen(s, "TWGesamt", f.BetragWartung.toGerman());
    felder::setzen(s, "TLiter", zweiStellen(f.Kraftstoffmenge));
    felder::setzen(s, "TWbez", vb::Trim(f.Wartungstext));
    felder::setzen(s, "CbbKArt", vb::Trim(f.Kraftstoffart));
    felder::setzen(s, "Label30", Preistext(felder::lesen(s, "TBGesamt"), felder::lesen(s, "TLiter")));
}

void kostenfelderLeeren(Eintragsseite& s)
{
    for (const char* n : {"TBGesamt", "TWGesamt", "TLiter", "TWbez", "CbbKArt"})
        felder::setzen(s, QString::fromLatin1(n), QString());
    felder::setzen(s, "Label30", "0");
}

// The vehicle's home location as stored (30 characters).
QString heimatort(const Fahrten1& st)
{
    return st.Kfz.Standort.leftJustified(KfzGrundeinstellung::BreiteStandort, ' ', true);
}

// Cases B and D share every field of a stored trip.
void gespeicherteFahrt(Eintragsseite& s, const FahrtDatensatz& f)
{
    felder::setzen(s, "EinDatumAb", vb::DateText(f.DatumAb));
    felder::setzen(s, "EinDatumAn", vb::DateText(f.DatumAn));
    felder::setzen(s, "AnzKmAb", zahl(f.KmAb));
    felder::setzen(s, "EinkmAn", zahl(f.KmAn));
    felder::setzen(s, "FahrtNr", mitVorzeichenstelle(s.st.Satznummer));
    // A stored 24:00 shows as 24:00: read back as 00:00 it would end the
    // trip at the start of its arrival day.
    felder::setzen(s, "EinZeitAb", MinutenInZeit(f.ZeitAb));
    felder::setzen(s, "EinZeitAn", MinutenInZeit(f.ZeitAn));
    felder::setzen(s, "EinVon", vb::Trim(f.Von));
    felder::setzen(s, "EinUber", vb::Trim(f.Ueber));
    felder::setzen(s, "EinNach", vb::Trim(f.Nach));
    felder::setzen(s, "EinGrund", vb::Trim(f.Grund));
    felder::setzen(s, "EinGesprach", vb::Trim(f.Gespraechspartner));
    felder::setzen(s, "EinFahrer", vb::Trim(f.Fahrer));
    kostenfelder(s, f);
    if (s.privatwagen()) {
        felder::setzen(s, "EinGefKm", mitVorzeichenstelle(f.GefahreneKm));
        felder::setzen(s, "PersAnz", mitVorzeichenstelle(f.Mitfahrer));
    }
    felder::fahrtartZeigen(s, f.Fahrtart);
    statusregel(s, f);
}

} // namespace

qint32 Eintragsseite::heute() const
{
    const QDate d = forms::services().clock->today();
    return vb::DateSerial(d.year(), d.month(), d.day());
}

const QStringList& Journalfelder()
{
    static const QStringList namen = {"EinGesprach", "EinDatumAb", "EinZeitAb", "AnzKmAb", "EinGefKm",
                                      "EinVon",      "EinUber",    "EinNach",   "EinDatumAn", "EinZeitAn",
                                      "EinkmAn",     "EinGrund",   "EinFahrer", "PersAnz"};
    return namen;
}

QString Preistext(const QString& betrag, const QString& menge)
{
    vb::Currency b, m;
    if (!vb::parseGermanCurrency(vb::Trim(betrag), b) || !vb::parseGermanCurrency(vb::Trim(menge), m) ||
        b.raw <= 0 || m.raw <= 0)
        return QStringLiteral("0");
    try {
        return vb::Currency::fromDouble(b.toDouble() / m.toDouble()).toGerman() + QStringLiteral(" €");
    } catch (const vb::RuntimeError&) {
        return QStringLiteral("0");
    }
}

QString Statustext(quint8 status, qint32 statusdatum)
{
    // A record without a status day says what happened, not when.
    const QString tag = Tagestext(statusdatum);
    const QString am = tag.isEmpty() ? QString() : QStringLiteral(" am ") + tag;
    if (status == 1)
        return QStringLiteral("Storniert") + am;
    if (status == 2)
        return QStringLiteral("Geänderter Eintrag") + am;
    return QStringLiteral("Normaler Eintrag");
}

void DatensatzAnzeigen(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    if (st.Satznummer < 2)
        st.Pufferindex = 1;
    const bool datei = io::FileExists(st.fahrtdateiPfad());
    const bool privat = s.privatwagen();
    const qint16 mitPauschale = st.Voreinstellung.MitVerpflegungspauschale ? WAHR : FALSCH;

    if (st.NeuerEintragOffen && st.Pufferindex == 2 && datei && st.Satznummer > 0) {
        // A: a new trip after the last one.
        const FahrtDatensatz letzter = st.Satzpuffer[2];
        felder::setzen(s, "EinDatumAb", vb::DateText(letzter.DatumAn));
        felder::setzen(s, "EinDatumAn", vb::DateText(letzter.DatumAn));
        felder::setzen(s, "AnzKmAb", zahl(letzter.KmAn));
        felder::setzen(s, "EinkmAn", zahl(letzter.KmAn));
        felder::setzen(s, "FahrtNr", mitVorzeichenstelle(st.Satznummer));
        felder::setzen(s, "EinZeitAb", vb::TimeText(letzter.ZeitAn + 2));
        felder::setzen(s, "EinZeitAn", vb::TimeText(letzter.ZeitAn + 5));
        // Where the last trip went; past the placeholder of private trips,
        // and from home when no trip says.
        felder::setzen(s, "EinVon", LetzterEchterText(st, &FahrtDatensatz::Nach).value_or(heimatort(st)));
        for (const char* n : {"EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
            felder::setzen(s, QString::fromLatin1(n), QString());
        kostenfelderLeeren(s);
        if (privat) {
            felder::setzen(s, "EinGefKm", "0");
            felder::setzen(s, "PersAnz", "0");
        }
        felder::zeigen(s, "CB_BSpeichern", false);
        st.Satzpuffer[0].MitPauschale = mitPauschale;
        st.AktuelleFahrtart = 0;
        ankunftsregel(s, letzter.DatumAn, false);
    } else if (st.Pufferindex == 3 && datei && st.Satznummer >= 1) {
        // B: a stored trip.
        const FahrtDatensatz f = st.Satzpuffer[1];
        gespeicherteFahrt(s, f);
        felder::zeigen(s, "CB_BSpeichern", true);
        // The fields' handlers have run; the edit buffer is the stored trip.
        st.Satzpuffer[0] = f;
        st.AktuelleFahrtart = f.Fahrtart;
        ankunftsregel(s, f.DatumAn, true);
    } else if (st.Pufferindex == 1 && !datei) {
        // C: the first trip of a vehicle without trip file.
        if (s.dienste.kalenderLesen) {
            const QString tag = vb::DateText(s.dienste.kalenderLesen("Date"));
            felder::setzen(s, "EinDatumAb", tag);
            felder::setzen(s, "EinDatumAn", tag);
        }
        felder::setzen(s, "AnzKmAb", zahl(st.Kfz.Anfangskm));
        felder::setzen(s, "EinkmAn", zahl(st.Kfz.Anfangskm));
        felder::setzen(s, "FahrtNr", mitVorzeichenstelle(st.Satznummer));
        felder::setzen(s, "EinZeitAb", "08:00");
        felder::setzen(s, "EinZeitAn", "12:00");
        felder::setzen(s, "EinVon", heimatort(st));
        for (const char* n : {"EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
            felder::setzen(s, QString::fromLatin1(n), QString());
        kostenfelderLeeren(s);
        felder::setzen(s, "EinGefKm", "0");
        felder::zeigen(s, "CB_BSpeichern", false);
        st.Satzpuffer[0].MitPauschale = mitPauschale;
    } else if (st.Satznummer == 1 && datei) {
        // D: the first stored trip. Shown for browsing, the edit buffer
        // becomes the stored trip as in B: a buffer that kept only the
        // fields' texts would write zero odometer readings, no fuel and
        // another trip's entry date over trip 1 when saved in place. A new
        // entry on an empty file keeps what the buffer holds.
        const FahrtDatensatz f = st.Satzpuffer[1];
        gespeicherteFahrt(s, f);
        if (!st.NeuerEintragOffen)
            st.Satzpuffer[0] = f;
        st.Satzpuffer[0].MitPauschale = f.MitPauschale;
        st.AktuelleFahrtart = f.Fahrtart;
        kalenderSetzen(s, f.DatumAn);
    }

    // Common end: "today" only while today lies in the logbook year.
    const int jahr = int(vb::Val(st.Jahr));
    const qint32 heute = s.heute();
    if (jahr > 0 && (heute < vb::DateSerial(jahr, 1, 1) || heute > vb::DateSerial(jahr, 12, 31)))
        st.Voreinstellung.KalenderHeute = FALSCH;
    if (st.Voreinstellung.KalenderHeute && heuteImKalender(s, heute))
        kalenderSetzen(s, heute);

    s.pauschaleAnzeigen();
    SperrTest(s);
}

void SperrTest(Eintragsseite& s)
{
    const quint8 status = s.st.Satzpuffer[0].Eintragsstatus;
    if (s.privatwagen() || status == 0) {
        for (const QString& n : Journalfelder())
            felder::farbe(s, n, Schwarz);
        s.st.Satzgesperrt = false;
        return;
    }
    s.st.Satzgesperrt = true;
    if (status != 1 && status != 2)
        return;
    const qint64 f = status == 1 ? Gruen : Dunkelblau;
    for (const QString& n : Journalfelder())
        if (n != QLatin1String("PersAnz"))
            felder::farbe(s, n, f);
}

void Roteeingabe(Eintragsseite& s)
{
    for (const QString& n : Journalfelder())
        felder::farbe(s, n, Dunkelrot);
}

} // namespace kmk
