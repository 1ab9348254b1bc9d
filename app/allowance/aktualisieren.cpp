#include "app/allowance/aktualisieren.h"

#include <QApplication>
#include <QFile>

#include "app/allowance/pauschalregeln.h"
#include "app/records/dateien.h"
#include "platform/forms/seams.h"
#include "platform/io/atomic.h"
#include "platform/io/recordfile.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

bool istFirmenfahrzeug(const Fahrten1& st, int fahrzeug)
{
    io::RecordFile f(st.pfad(st.Dateien.Kfzdatei), KfzGrundeinstellung::Laenge);
    QByteArray bytes;
    if (!f.read(fahrzeug, bytes))
        return false;
    return KfzGrundeinstellung::ausBytes(bytes).Firmenfahrzeug != 0;
}

} // namespace

Saetze KonfigurierteSaetze(const Fahrten1& st, bool* keineZahl)
{
    return SaetzeAusTexten(st.Jahrgang.PauschaleTeiltag, st.Jahrgang.PauschaleVolltag, keineZahl);
}

QString TextSatzKeineZahl()
{
    return QStringLiteral("Die Verpflegungspauschalen in \"DTSD.kxt\" sind keine Zahlen.\n"
                          "Sie werden mit 0 berechnet.");
}

Neuberechnung aktualisieren(Fahrten1& st, const std::function<void()>& neuLaden)
{
    Neuberechnung ergebnis;
    DateiTest(st);
    QApplication::beep();
    const bool altjahrgang = st.NeuberechnungStart;
    const Saetze r = altjahrgang ? AlteSaetze : KonfigurierteSaetze(st);
    constexpr int L = FahrtDatensatz::Laenge;

    for (int k = 1; k <= 4; ++k) {
        // Each vehicle's own file, once, by its own vehicle type.
        if (!st.FahrtdateiVorhanden[k] || !istFirmenfahrzeug(st, k))
            continue;
        const QString pfad = st.pfad(st.fahrtdateiName(k));
        QFile f(pfad);
        if (!f.open(QIODevice::ReadOnly)) {
            // Not recalculated: the run is not complete.
            ergebnis.fehler << st.fahrtdateiName(k);
            continue;
        }
        QByteArray alles = f.readAll();
        f.close();
        const qint64 n = alles.size() / L;
        if (n == 0)
            continue;
        std::vector<FahrtDatensatz> saetze;
        saetze.reserve(std::size_t(n));
        for (qint64 i = 0; i < n; ++i)
            saetze.push_back(FahrtDatensatz::ausBytes(alles.mid(i * L, L)));
        if (altjahrgang && vb::Trim(saetze.front().Fahrer) == QLatin1String("Leer"))
            continue;
        if (altjahrgang) {
            st.Pufferindex = 1;
            DatensatzLeeren(st);
        }
        FahrtDatensatz& gezeigt = st.Satzpuffer[1];
        gezeigt.Teilpauschale1 = gezeigt.Teilpauschale2 = gezeigt.PauschaleGesamt = gezeigt.PauschaleVolleTage = 0;

        JahrNeuBerechnen(saetze, r, &st.Pauschalregel);
        ++ergebnis.dateien;
        // Records are patched in place: an unchanged record, a trailing
        // partial record and the file itself stay byte for byte.
        bool geaendert = false;
        for (qint64 i = 0; i < n; ++i) {
            const QByteArray neu = saetze[std::size_t(i)].zuBytes();
            if (alles.mid(i * L, L) != neu) {
                alles.replace(i * L, L, neu);
                geaendert = true;
            }
        }
        if (!geaendert)
            continue;
        QString fehler;
        if (io::writeFileAtomic(pfad, alles, &fehler))
            ++ergebnis.geschrieben;
        else
            ergebnis.fehler << st.fahrtdateiName(k);
    }

    for (const QString& name : ergebnis.fehler)
        forms::services().dialogs->msgBox(TextSchreibfehler(name), forms::vbOKOnly);
    // The current vehicle is shown again, not the last file processed.
    st.Satzanzahl = Fahrtanzahl(st.fahrtdateiPfad());
    st.Satznummer = st.Satzanzahl;
    if (neuLaden)
        neuLaden();
    // A file left as it was is no completed run.
    if (ergebnis.vollstaendig())
        forms::services().dialogs->msgBox(QStringLiteral("Aktualisierung ist abgeschlossen!"), forms::vbOKOnly);
    return ergebnis;
}

} // namespace kmk
