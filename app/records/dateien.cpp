#include "app/records/dateien.h"

#include <QFile>
#include <QFileInfo>

#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/io/recordfile.h"
#include "platform/vb/text.h"

namespace kmk {

QString TextDateiVoll()
{
    return QStringLiteral(
        "Die Fahrtdatei dieses Fahrzeugs enthält bereits %1 Fahrten. "
        "Weitere Fahrten können für dieses Fahrzeug in diesem Jahr nicht gespeichert werden.")
        .arg(MaxFahrten);
}

QString TextSatznummerUngueltig(qint32 nummer)
{
    return QStringLiteral("Die Datensatznummer %1 ist ungültig. "
                          "Die Fahrtdatei wurde nicht verändert.")
        .arg(nummer);
}

QString TextSchreibfehler(const QString& datei)
{
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden. "
                          "Die gespeicherten Daten sind unverändert.")
        .arg(QFileInfo(datei).fileName());
}

static QString TextKeinFahrzeug()
{
    return QStringLiteral("Es ist kein Fahrzeug ausgewählt.");
}

static QString TextFahrtdateiFehlt(const QString& datei)
{
    return QStringLiteral("Die Fahrtdatei \"%1\" ist nicht mehr vorhanden. "
                          "Die Korrektur wurde nicht gespeichert.")
        .arg(QFileInfo(datei).fileName());
}

// ---- start-up checks ----

bool Jahresdatei(const Fahrten1& st, const QString& name)
{
    QStringList namen = {st.Dateien.Einstellungsdatei, st.Dateien.Kfzdatei, st.Kundendatei};
    for (int k = 1; k <= 4; ++k)
        namen << st.Dateien.Fahrtdateien[size_t(k)];
    for (const QString& n : namen)
        if (!vb::Trim(n).isEmpty() && vb::Trim(n) == name)
            return true;
    return false;
}

int ZwischendateienEntfernen(const Fahrten1& st)
{
    if (st.Programmpfad.isEmpty())
        return 0;
    return io::removeRewriteLeftovers(st.Programmpfad, [&st](const QString& name) { return Jahresdatei(st, name); });
}

QStringList KeineGewoehnlichenDateien(const Fahrten1& st)
{
    QStringList namen = {st.Dateien.Einstellungsdatei, st.Dateien.Kfzdatei, st.Kundendatei};
    for (int k = 1; k <= 4; ++k)
        namen << st.Dateien.Fahrtdateien[size_t(k)];
    QStringList texte;
    for (const QString& name : namen) {
        if (vb::Trim(name).isEmpty())
            continue;
        const QFileInfo fi(st.pfad(vb::Trim(name)));
        // A folder in a data file's place hides the data as a missing file would.
        if (fi.exists() && !fi.isFile())
            texte << QStringLiteral("Die Datei \"%1\" ist keine gewöhnliche Datei und kann nicht gelesen werden. "
                                    "Sie wird wie eine fehlende Datei behandelt.")
                         .arg(vb::Trim(name));
    }
    return texte;
}

// ---- settings ----

Dateiergebnis VorDatSchreiben(Fahrten1& st)
{
    const QString pfad = st.pfad(QStringLiteral("Vor") + vb::Trim(st.Jahr) + QStringLiteral(".dat"));
    io::RecordFile f(pfad, VoreinstellungSatz::Laenge);
    if (!f.write(1, st.Voreinstellung.zuBytes()))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    return {};
}

bool VorDatLesen(Fahrten1& st)
{
    const QString pfad = st.pfad(QStringLiteral("Vor") + vb::Trim(st.Jahr) + QStringLiteral(".dat"));
    io::RecordFile f(pfad, VoreinstellungSatz::Laenge);
    QByteArray bytes;
    const bool da = f.read(1, bytes);
    st.Voreinstellung = VoreinstellungSatz::ausBytes(da ? bytes : QByteArray());
    return da;
}

bool VorDat(Fahrten1& st, bool schreiben)
{
    return schreiben ? VorDatSchreiben(st).ok : VorDatLesen(st);
}

// ---- vehicles ----

static QString kfzPfad(const Fahrten1& st)
{
    QString name = st.Dateien.Kfzdatei;
    if (name.isEmpty())
        name = QStringLiteral("Auto") + vb::Trim(st.Jahr) + QStringLiteral(".dat");
    return st.pfad(name);
}

bool KfzLesen(Fahrten1& st, int fahrzeug)
{
    QByteArray bytes;
    bool da = false;
    if (fahrzeug >= 1 && fahrzeug <= 4) {
        io::RecordFile f(kfzPfad(st), KfzGrundeinstellung::Laenge);
        da = f.read(fahrzeug, bytes);
    }
    st.Kfz = KfzGrundeinstellung::ausBytes(da ? bytes : QByteArray());
    return da;
}

KfzGrundeinstellung KfzLeer(const Fahrten1& st)
{
    const VoreinstellungSatz& v = st.Voreinstellung;
    KfzGrundeinstellung k;
    // A slot the user has not filled in yet counts as a company car.
    k.Firmenfahrzeug = WAHR;
    k.Privatfahrzeug = FALSCH;
    k.Sprachausgabe = flagVon(v.Sprachausgabe);
    k.ZeitenVorgeben = flagVon(v.ZeitenVorgeben);
    k.OhneZeiten = flagVon(v.OhneZeiten);
    k.PrivatNurKm = flagVon(v.PrivatNurKm);
    k.KalenderHeute = flagVon(v.KalenderHeute);
    k.WenigAbfragen = flagVon(v.WenigAbfragen);
    k.MitVerpflegungspauschale = flagVon(v.MitVerpflegungspauschale);
    k.Journalfunktion = flagVon(v.Journalfunktion);
    return k;
}

Dateiergebnis KfzSchreiben(Fahrten1& st, int fahrzeug)
{
    if (fahrzeug < 1 || fahrzeug > 4)
        return Dateiergebnis::fehler(TextSatznummerUngueltig(fahrzeug));
    const QString pfad = kfzPfad(st);
    io::RecordFile f(pfad, KfzGrundeinstellung::Laenge);
    // A record that stays as it is is not written: a protected file that
    // needs no change gives no message.
    QByteArray bisher;
    if (f.read(fahrzeug, bisher) && bisher == st.Kfz.zuBytes())
        return {};
    const qint32 anzahl = f.count();
    if (fahrzeug <= anzahl + 1) {
        if (!f.write(fahrzeug, st.Kfz.zuBytes()))
            return Dateiergebnis::fehler(TextSchreibfehler(pfad));
        return {};
    }
    // The empty slots before it and the vehicle come in one rewrite: a
    // file with only some of them would be neither the old nor the new one.
    QList<QByteArray> saetze = f.readAll();
    if (saetze.size() != anzahl)
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    const QByteArray leer = KfzLeer(st).zuBytes();
    while (saetze.size() < fahrzeug - 1)
        saetze << leer;
    saetze << st.Kfz.zuBytes();
    if (!io::rewriteRecords(pfad, KfzGrundeinstellung::Laenge, saetze))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    return {};
}

Dateiergebnis KfzDateiAnlegen(Fahrten1& st)
{
    const QString pfad = kfzPfad(st);
    if (io::FileExists(pfad))
        return {};
    const QByteArray leer = KfzLeer(st).zuBytes();
    if (!io::writeFileAtomic(pfad, leer.repeated(4)))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    return {};
}

// ---- trip files ----

void DateiTest(Fahrten1& st)
{
    st.FahrtdateiVorhanden[0] = false;
    for (int k = 1; k <= 4; ++k) {
        const QString name = st.fahrtdateiName(k);
        st.FahrtdateiVorhanden[k] = !name.isEmpty() && io::FileExists(st.pfad(name));
    }
}

FahrtDatensatz FahrtLesen(const QString& pfad, qint32 n)
{
    QByteArray bytes;
    io::RecordFile f(pfad, FahrtDatensatz::Laenge);
    if (!f.read(n, bytes))
        return FahrtDatensatz{};
    return FahrtDatensatz::ausBytes(bytes);
}

qint32 Fahrtanzahl(const QString& pfad)
{
    return io::RecordFile(pfad, FahrtDatensatz::Laenge).count();
}

void PufferZuruecksetzen(Fahrten1& st)
{
    const qint16 mitPauschale = st.Voreinstellung.MitVerpflegungspauschale ? WAHR : FALSCH;
    for (int i = 0; i <= 5; ++i) {
        FahrtDatensatz& s = st.Satzpuffer[i];
        FahrtDatensatz neu;
        // Carried over from what the element held.
        neu.DatumAb = s.DatumAb;
        neu.DatumAn = s.DatumAn;
        neu.KmAn = s.KmAn;
        neu.GefahreneKm = s.GefahreneKm;
        neu.Fahrtkosten = s.Fahrtkosten;
        neu.Mitfahrer = s.Mitfahrer;
        neu.Kraftstoffart = s.Kraftstoffart;
        neu.Wartungstext = s.Wartungstext;
        neu.Eintragungsdatum = s.Eintragungsdatum;
        neu.VorherigeAnzahl = s.VorherigeAnzahl;
        neu.Von = vb::Space(FahrtDatensatz::BreiteVon);
        neu.Ueber = vb::Space(FahrtDatensatz::BreiteUeber);
        neu.Nach = vb::Space(FahrtDatensatz::BreiteNach);
        neu.Grund = vb::Space(FahrtDatensatz::BreiteGrund);
        neu.Gespraechspartner = vb::Space(FahrtDatensatz::BreiteGespraechspartner);
        neu.Fahrer = vb::Space(FahrtDatensatz::BreiteFahrer);
        neu.MitPauschale = mitPauschale;
        s = neu;
    }
}

void DatensatzLeeren(Fahrten1& st)
{
    if (st.Pufferindex < st.Satzpuffer.size())
        st.Satzpuffer[st.Pufferindex].leeren();
}

bool FLadenDatei(Fahrten1& st, bool pufferLeeren)
{
    DateiTest(st);
    if (pufferLeeren)
        PufferZuruecksetzen(st);
    st.Satzpuffer[7] = FahrtDatensatz{};

    const QString pfad = st.fahrtdateiPfad();
    if (pfad.isEmpty() || !io::FileExists(pfad)) {
        st.Pufferindex = 1;
        st.Satznummer = 1;
        st.Satzanzahl = 0;
        return false;
    }
    io::RecordFile f(pfad, FahrtDatensatz::Laenge);
    st.Satzanzahl = f.count();
    QByteArray bytes;
    auto lade = [&](qint32 n, int element) {
        if (n >= 1 && n <= st.Satzanzahl && f.read(n, bytes))
            st.Satzpuffer[element] = FahrtDatensatz::ausBytes(bytes);
    };
    lade(st.Satznummer, 1);
    lade(st.Satzanzahl, 2);
    if (st.Satznummer > 1) {
        lade(st.Satznummer - 1, 3);
        lade(st.Satznummer, 7);
    }
    return true;
}

bool ErsteLadenDatei(Fahrten1& st, bool pufferLeeren)
{
    DateiTest(st);
    const QString pfad = st.fahrtdateiPfad();
    if (pfad.isEmpty() || !io::FileExists(pfad)) {
        st.Satzanzahl = 0;
        st.Satznummer = 0;
        return false;
    }
    if (pufferLeeren)
        PufferZuruecksetzen(st);
    io::RecordFile f(pfad, FahrtDatensatz::Laenge);
    st.Satzanzahl = f.count();
    st.Pufferindex = st.Satzanzahl < 2 ? 1 : 3;
    st.Satznummer = st.Satzanzahl;
    QByteArray bytes;
    if (st.Satzanzahl > 1 && f.read(st.Satzanzahl - 1, bytes))
        st.Satzpuffer[3] = FahrtDatensatz::ausBytes(bytes);
    if (st.Satzanzahl > 0 && f.read(st.Satzanzahl, bytes)) {
        const FahrtDatensatz letzter = FahrtDatensatz::ausBytes(bytes);
        st.Satzpuffer[2] = letzter;
        st.Satzpuffer[1] = letzter;
        st.Satzpuffer[0] = letzter;
    }
    return true;
}

Dateiergebnis DatensatzspeichernDatei(Fahrten1& st, bool kuerzen)
{
    const QString pfad = st.fahrtdateiPfad();
    if (pfad.isEmpty())
        return Dateiergebnis::fehler(TextKeinFahrzeug());
    io::RecordFile f(pfad, FahrtDatensatz::Laenge);
    st.Satzanzahl = f.count();
    if (st.Satzanzahl == 0)
        st.Satznummer = 1;
    // A new entry is only ever appended, and only while the file has room:
    // a number from a stale count must not land on a stored trip.
    if (st.NeuerEintragOffen && st.Satzanzahl >= MaxFahrten)
        return Dateiergebnis::fehler(TextDateiVoll());
    if (st.Satznummer < 1 || st.Satznummer > st.Satzanzahl + 1
        || (st.NeuerEintragOffen && st.Satznummer != st.Satzanzahl + 1))
        return Dateiergebnis::fehler(TextSatznummerUngueltig(st.Satznummer));
    if (st.Satznummer == st.Satzanzahl + 1 && st.Satzanzahl >= MaxFahrten)
        return Dateiergebnis::fehler(TextDateiVoll());
    if (kuerzen && !st.NeuerEintragOffen && st.Satznummer < st.Satzanzahl) {
        QFile alt(pfad);
        const qint64 davor = qint64(st.Satznummer - 1) * FahrtDatensatz::Laenge;
        QByteArray neu = alt.open(QIODevice::ReadOnly) ? alt.read(davor) : QByteArray();
        alt.close();
        if (neu.size() != davor || !io::writeFileAtomic(pfad, neu + st.Satzpuffer[0].zuBytes()))
            return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    } else if (!f.write(st.Satznummer, st.Satzpuffer[0].zuBytes())) {
        st.Satzanzahl = f.count();
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    }
    st.Satzanzahl = f.count();
    if (st.NeuerEintragOffen && st.Pufferindex == 2) {
        st.NeuerEintragOffen = false;
        st.Satznummer = st.Satzanzahl;
    } else if (st.NeuerEintragOffen && st.Pufferindex == 1) {
        st.NeuerEintragOffen = false;
        st.Satznummer = 1;
    }
    DateiTest(st);
    return {};
}

Dateiergebnis DatensatzloschenDatei(Fahrten1& st)
{
    const QString pfad = st.fahrtdateiPfad();
    if (pfad.isEmpty() || !io::FileExists(pfad))
        return {};
    const qint32 k = st.Satznummer;
    const qint32 n = Fahrtanzahl(pfad);
    if (n <= 1 || k >= n)
        return {};
    if (k < 1)
        return Dateiergebnis::fehler(TextSatznummerUngueltig(k));
    QFile alt(pfad);
    if (!alt.open(QIODevice::ReadOnly))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    const QByteArray behalten = alt.read(qint64(k) * FahrtDatensatz::Laenge);
    alt.close();
    if (behalten.size() != qint64(k) * FahrtDatensatz::Laenge || !io::writeFileAtomic(pfad, behalten))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    st.Satzanzahl = Fahrtanzahl(pfad);
    return {};
}

Dateiergebnis UberschreibenDatei(Fahrten1& st, qint32 heute)
{
    DateiTest(st);
    const QString pfad = st.fahrtdateiPfad();
    // The caller has shown a stored trip; without its file the correction
    // could not be kept, which the user must learn.
    if (pfad.isEmpty())
        return Dateiergebnis::fehler(TextKeinFahrzeug());
    if (!io::FileExists(pfad))
        return Dateiergebnis::fehler(TextFahrtdateiFehlt(pfad));
    io::RecordFile f(pfad, FahrtDatensatz::Laenge);
    const qint32 n = f.count();
    const qint32 k = st.Satznummer;
    if (k < 1 || k > n)
        return Dateiergebnis::fehler(TextSatznummerUngueltig(k));
    // Asked before reading: a damaged file of gigabytes is not read at all.
    if (n >= MaxFahrten)
        return Dateiergebnis::fehler(TextDateiVoll());
    QList<QByteArray> saetze = f.readAll();
    if (saetze.size() != n)
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));

    FahrtDatensatz alt = FahrtDatensatz::ausBytes(saetze[k - 1]);
    alt.Eintragsstatus = 1;
    alt.Statusdatum = heute;
    // The edit buffer takes the changed mark only once the file holds it,
    // so a failed rewrite leaves the page as an unsaved, unlocked entry.
    FahrtDatensatz neu = st.Satzpuffer[0];
    neu.Statusdatum = heute;
    neu.Eintragsstatus = 2;
    saetze[k - 1] = alt.zuBytes();
    saetze.insert(k, neu.zuBytes());
    if (!io::writeFileAtomic(pfad, saetze.join()))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    st.Satzpuffer[0] = neu;
    st.Satzanzahl = Fahrtanzahl(pfad);
    return {};
}

Dateiergebnis Uberschreiben_BenzinDatei(Fahrten1& st)
{
    DateiTest(st);
    const QString pfad = st.fahrtdateiPfad();
    if (pfad.isEmpty() || !io::FileExists(pfad))
        return {};
    io::RecordFile f(pfad, FahrtDatensatz::Laenge);
    st.Satzanzahl = f.count();
    if (st.Satznummer < 1 || st.Satznummer > st.Satzanzahl)
        return {};
    QByteArray bytes;
    if (!f.read(st.Satznummer, bytes))
        return {};
    FahrtDatensatz s = FahrtDatensatz::ausBytes(bytes);
    const FahrtDatensatz& e = st.Satzpuffer[0];
    s.Kraftstoffmenge = e.Kraftstoffmenge;
    s.BetragKraftstoff = e.BetragKraftstoff;
    s.BetragWartung = e.BetragWartung;
    s.Wartungstext = e.Wartungstext;
    s.Kraftstoffart = e.Kraftstoffart;
    if (!f.write(st.Satznummer, s.zuBytes()))
        return Dateiergebnis::fehler(TextSchreibfehler(pfad));
    return {};
}

} // namespace kmk
