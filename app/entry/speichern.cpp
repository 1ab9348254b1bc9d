#include "app/entry/speichern.h"

#include "app/backup/sicherung.h"
#include "app/backup/wiederherstellen.h"
#include "app/entry/anzeige.h"
#include "app/entry/felder.h"
#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/records/dateien.h"
#include "platform/forms/seams.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QFileInfo>
#include <QListWidget>

namespace kmk {

namespace {

void hinweis(const QString& text)
{
    forms::services().dialogs->msgBox(text, forms::vbOKOnly | forms::vbExclamation);
}

QString fest(const QString& t, int breite) { return t.leftJustified(breite, ' ', true); }

// The fields whose change makes a correction, compared as stored: texts
// at their full width, case and blanks included.
bool geaendert(const FahrtDatensatz& neu, const FahrtDatensatz& alt)
{
    using F = FahrtDatensatz;
    return fest(neu.Grund, F::BreiteGrund) != fest(alt.Grund, F::BreiteGrund)
           || fest(neu.Von, F::BreiteVon) != fest(alt.Von, F::BreiteVon)
           || fest(neu.Nach, F::BreiteNach) != fest(alt.Nach, F::BreiteNach)
           || fest(neu.Ueber, F::BreiteUeber) != fest(alt.Ueber, F::BreiteUeber)
           || fest(neu.Gespraechspartner, F::BreiteGespraechspartner)
                  != fest(alt.Gespraechspartner, F::BreiteGespraechspartner)
           || neu.Fahrtart != alt.Fahrtart || neu.GefahreneKm != alt.GefahreneKm || neu.KmAn != alt.KmAn
           || neu.DatumAn != alt.DatumAn || neu.ZeitAn != alt.ZeitAn || neu.KmAb != alt.KmAb
           || neu.ZeitAb != alt.ZeitAb || neu.DatumAb != alt.DatumAb;
}

int autoTest(const Eintragsseite& s)
{
    if (s.dienste.AutoTest)
        return s.dienste.AutoTest();
    return s.st.AktuellesFahrzeug;
}

bool pflichtfelder(const Eintragsseite& s)
{
    return !s.dienste.PflichtfeldTest || s.dienste.PflichtfeldTest();
}

// A company car's stored trip: cancelled and followed by its corrected copy.
void journalweg(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    // The stored copy is the trip being corrected as the file holds it now,
    // whatever the buffers were loaded for before.
    const QString pfad = st.fahrtdateiPfad();
    st.Satzanzahl = pfad.isEmpty() ? 0 : Fahrtanzahl(pfad);
    const bool gespeichert = st.Satznummer >= 1 && st.Satznummer <= st.Satzanzahl;
    st.Satzpuffer[7] = gespeichert ? FahrtLesen(pfad, st.Satznummer) : FahrtDatensatz{};
    const FahrtDatensatz& alt = st.Satzpuffer[7];

    if (alt.Eintragsstatus != 0) {
        s.meldung(76);
        return;
    }
    s.pauschaleAnzeigen();
    const FahrtDatensatz& neu = st.Satzpuffer[0];
    if (alt.DatumAb < 1 || !geaendert(neu, alt)) {
        s.meldung(66);
        return;
    }
    if (!s.meldung(50))
        return;
    if (alt.GefahreneKm > 0 && alt.GefahreneKm != neu.GefahreneKm && st.Satznummer <= st.Satzanzahl) {
        if (s.meldung(52) && s.meldung(51))
            Uberschreiben(s);
        return;
    }
    if ((neu.ZeitAn != alt.ZeitAn || neu.ZeitAb != alt.ZeitAb) && !st.Voreinstellung.OhneZeiten && !s.meldung(53))
        return;
    if (s.meldung(51))
        Uberschreiben(s);
}

// A company car's new trip, appended after its checks.
void anhaengen(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    FahrtDatensatz& e = st.Satzpuffer[0];
    if (e.Fahrtart != 2 && s.dienste.FahrtfolgeTest && s.dienste.FahrtfolgeTest() > 0)
        return;
    if (s.dienste.KmStandTest && !s.dienste.KmStandTest())
        return;
    if (e.AbwesenheitGesamt > 480 && e.MitPauschale == 0 && st.Voreinstellung.Warnhinweise)
        s.meldung(77);
    if (autoTest(s) == 0) {
        s.meldung(1);
        return;
    }
    st.Satzpuffer[0].Reserve512 = 0;
    s.pauschaleAnzeigen();
    if (!pflichtfelder(s) || !st.NeuerEintragOffen)
        return;
    st.Pufferindex = st.Satznummer > 1 ? 2 : 1;
    if (!st.Voreinstellung.WenigAbfragen && !s.meldung(5))
        return;
    st.Satzpuffer[0].VorherigeAnzahl = qint16(st.Satzanzahl);
    if (!Datensatzspeichern(s))
        return;
    if (st.Satznummer > 1) {
        st.Pufferindex = 3;
        FLaden(s);
    }
}

// A private car has no journal: in place, or appended.
void privatweg(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    if (autoTest(s) == 0 || !pflichtfelder(s))
        return;
    if (!st.NeuerEintragOffen) {
        Datensatzspeichern(s);
        return;
    }
    st.Pufferindex = st.Satznummer > 1 ? 2 : 1;
    if (!Datensatzspeichern(s))
        return;
    felder::zeigen(s, "Frame8", true);
    felder::zeigen(s, "Frame7", false);
    SperrTest(s);
    if (st.Satznummer > 1) {
        st.Pufferindex = 3;
        FLaden(s);
    }
}

} // namespace

namespace {

// Only a date-and-km-only private trip holds the placeholder: in any other
// record a text the program filled in so takes what the page shows.
void platzhalterNurImPrivatsatz(Eintragsseite& s)
{
    FahrtDatensatz& e = s.st.Satzpuffer[0];
    if (s.firmenwagen() && s.st.Voreinstellung.PrivatNurKm && e.Fahrtart == 2)
        return;
    const std::pair<const char*, std::pair<QString FahrtDatensatz::*, int>> felder[] = {
        {"EinVon", {&FahrtDatensatz::Von, FahrtDatensatz::BreiteVon}},
        {"EinUber", {&FahrtDatensatz::Ueber, FahrtDatensatz::BreiteUeber}},
        {"EinNach", {&FahrtDatensatz::Nach, FahrtDatensatz::BreiteNach}},
        {"EinGrund", {&FahrtDatensatz::Grund, FahrtDatensatz::BreiteGrund}},
        {"EinGesprach", {&FahrtDatensatz::Gespraechspartner, FahrtDatensatz::BreiteGespraechspartner}},
        {"EinFahrer", {&FahrtDatensatz::Fahrer, FahrtDatensatz::BreiteFahrer}}};
    for (const auto& [feld, text] : felder) {
        const QString gezeigt = felder::lesen(s, QString::fromLatin1(feld));
        if (vb::Trim(e.*text.first) == Privatplatzhaltertext && vb::Trim(gezeigt) != Privatplatzhaltertext)
            e.*text.first = gezeigt.left(text.second);
    }
}

} // namespace

bool Datensatzspeichern(Eintragsseite& s, bool kuerzen)
{
    Fahrten1& st = s.st;
    felder::setzen(s, "FahrtNr", vb::Str(qint64(st.Satznummer)));
    const bool ersteFahrt = st.Pufferindex == 1 && st.NeuerEintragOffen;
    // A private trip recorded with date and km only: the placeholder goes
    // into the record written, never onto the page.
    FahrtDatensatz& e = st.Satzpuffer[0];
    const FahrtDatensatz vorher = e;
    platzhalterNurImPrivatsatz(s);
    if (s.firmenwagen() && st.Voreinstellung.PrivatNurKm && e.Fahrtart == 2)
        for (QString* t : {&e.Von, &e.Ueber, &e.Nach, &e.Grund, &e.Gespraechspartner, &e.Fahrer})
            *t = Privatplatzhaltertext;
    const Dateiergebnis r = DatensatzspeichernDatei(st, kuerzen);
    if (!r.ok) {
        e = vorher;
        hinweis(r.meldung);
        return false;
    }
    if (ersteFahrt) {
        if (auto* liste = s.ctl<QListWidget>("FahrtListe")) {
            const FahrtDatensatz& e = st.Satzpuffer[0];
            const QChar tab(9);
            liste->clear();
            liste->addItem(vb::Str(qint64(st.Satznummer)) + tab + vb::DateText(e.DatumAb) + tab
                           + vb::Str(qint64(e.KmAb)) + tab + fest(e.Von, FahrtDatensatz::BreiteVon) + tab
                           + fest(e.Nach, FahrtDatensatz::BreiteNach) + tab + vb::Str(qint64(e.KmAn)) + tab
                           + vb::Str(qint64(e.GefahreneKm)) + tab
                           + fest(e.Gespraechspartner, FahrtDatensatz::BreiteGespraechspartner));
        }
    }
    if (s.firmenwagen())
        SperrTest(s);
    return true;
}

void ASpeichern(Eintragsseite& s)
{
    // The first trip is shown with buffer index 1 as it has no predecessor;
    // shown and not a new entry, it is corrected through the journal like
    // any other stored trip instead of being dropped without a word.
    const bool ersteGespeicherte = s.st.Pufferindex == 1 && !s.st.NeuerEintragOffen && s.st.Satznummer >= 1;
    if (s.firmenwagen() && (s.st.Pufferindex == 3 || ersteGespeicherte))
        journalweg(s);
    else if (s.firmenwagen() && (s.st.Pufferindex == 1 || s.st.Pufferindex == 2))
        anhaengen(s);
    if (s.privatwagen())
        privatweg(s);
}

bool Uberschreiben(Eintragsseite& s)
{
    const FahrtDatensatz vorher = s.st.Satzpuffer[0];
    platzhalterNurImPrivatsatz(s);
    const Dateiergebnis r = UberschreibenDatei(s.st, s.heute());
    if (!r.ok) {
        s.st.Satzpuffer[0] = vorher;
        hinweis(r.meldung);
        return false;
    }
    // Straight to the corrected trip's file end: the rewrite moved every
    // later trip, so nothing before it needs to be shown.
    LetzterDatensatz(s);
    return true;
}

bool Uberschreiben_Benzin(Eintragsseite& s)
{
    platzhalterNurImPrivatsatz(s);
    const Dateiergebnis r = Uberschreiben_BenzinDatei(s.st);
    if (!r.ok)
        hinweis(r.meldung);
    return r.ok;
}

bool UberschreibenKuerzen(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    const QString pfad = st.fahrtdateiPfad();
    const qint32 n = pfad.isEmpty() || !io::FileExists(pfad) ? 0 : Fahrtanzahl(pfad);
    if (st.NeuerEintragOffen || st.Satznummer < 1 || st.Satznummer >= n)
        return Datensatzspeichern(s) && Datensatzloschen(s);
    // A file the write would refuse is said before the question, as the
    // overwrite in place says it.
    if (!io::mayWrite(pfad)) {
        hinweis(TextSchreibfehler(pfad));
        return false;
    }
    return Datensatzspeichern(s, s.meldung(31));
}

bool Datensatzloschen(Eintragsseite& s)
{
    if (!s.meldung(31))
        return true;
    const Dateiergebnis r = DatensatzloschenDatei(s.st);
    if (!r.ok)
        hinweis(r.meldung);
    return r.ok;
}

void ALoeschen(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    const QString pfad = st.fahrtdateiPfad();
    if (pfad.isEmpty() || !io::FileExists(pfad))
        return;
    if (!s.meldung(2) || !s.meldung(32))
        return;

    // The logbook is gone for good once deleted: a copy stays behind first.
    const QString kopie = Sicherheitskopiename(Sicherungsordner(st), StammVorLoeschen(st.AktuellesFahrzeug));
    if (!io::copyIntoFolder(pfad, kopie)) {
        hinweis(QStringLiteral("Die Fahrtdatei konnte nicht im Sicherungsordner gesichert werden. "
                               "Sie wurde nicht gelöscht."));
        return;
    }
    if (!io::removeFile(pfad)) {
        hinweis(QStringLiteral("Die Fahrtdatei \"%1\" konnte nicht gelöscht werden.").arg(QFileInfo(pfad).fileName()));
        return;
    }
    DateiTest(st);
    if (s.dienste.Datenzurucksetzen)
        s.dienste.Datenzurucksetzen();
    else
        PufferZuruecksetzen(st);
    st.Satznummer = 0;
    st.Satzanzahl = 0;
    felder::setzen(s, "FahrtNr", vb::Str(qint64(0)));
    felder::setzen(s, "EinZeitAb", "00:00");
    felder::setzen(s, "EinZeitAn", "00:00");
    felder::setzen(s, "AnzKmAb", QString::number(st.Kfz.Anfangskm));
    felder::setzen(s, "EinkmAn", QString::number(st.Kfz.Anfangskm));
    felder::setzen(s, "EinVon", st.Kfz.Standort.leftJustified(KfzGrundeinstellung::BreiteStandort, ' ', true));
    for (const char* n : {"EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
        felder::setzen(s, QString::fromLatin1(n), QString());
    s.pauschaleAnzeigen();
    if (auto* liste = s.ctl<QListWidget>("FahrtListe"))
        liste->clear();
}

} // namespace kmk
