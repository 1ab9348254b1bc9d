#include "app/entry/laden.h"

#include "app/entry/anzeige.h"
#include "app/entry/fahrtliste.h"
#include "app/entry/felder.h"
#include "app/records/dateien.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"
#include "platform/io/recordfile.h"
#include "platform/vb/text.h"

#include <QFile>
#include <QFileInfo>

namespace kmk {

namespace {

// Buffers, fields and totals cleared; without the page's own procedure at
// least the buffers.
void zuruecksetzen(Eintragsseite& s)
{
    if (s.dienste.Datenzurucksetzen)
        s.dienste.Datenzurucksetzen();
    else
        PufferZuruecksetzen(s.st);
}

// A trip file that exists but cannot be read is reported; the page then
// shows what could be loaded (nothing), and the program goes on.
bool lesbar(const QString& pfad)
{
    QFile f(pfad);
    if (f.open(QIODevice::ReadOnly))
        return true;
    forms::services().dialogs->msgBox(
        QStringLiteral("Die Fahrtdatei \"%1\" kann nicht gelesen werden. Bitte prüfen Sie die Datei.")
            .arg(QFileInfo(pfad).fileName()),
        forms::vbOKOnly | forms::vbExclamation);
    return false;
}

void anfangskmZeigen(Eintragsseite& s)
{
    const QString km = QString::number(s.st.Kfz.Anfangskm);
    felder::setzen(s, "AnzKmAb", km);
    felder::setzen(s, "EinkmAn", km);
}

} // namespace

void FLaden(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    DateiTest(st);
    zuruecksetzen(s);
    const QString pfad = st.fahrtdateiPfad();
    const bool vorhanden = !pfad.isEmpty() && io::FileExists(pfad);
    if (vorhanden && !lesbar(pfad)) {
        st.Satzpuffer[7] = FahrtDatensatz{};
        DatensatzAnzeigen(s);
        return;
    }
    if (FLadenDatei(st, false))
        Fahrtenliste(s, io::RecordFile(pfad, FahrtDatensatz::Laenge));
    else
        anfangskmZeigen(s);
    DatensatzAnzeigen(s);
}

void ErsteLaden(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    DateiTest(st);
    const QString pfad = st.fahrtdateiPfad();
    if (!pfad.isEmpty() && io::FileExists(pfad)) {
        zuruecksetzen(s);
        st.Satzpuffer[7] = FahrtDatensatz{};
        if (lesbar(pfad) && ErsteLadenDatei(st, false)) {
            Fahrtenliste(s, io::RecordFile(pfad, FahrtDatensatz::Laenge));
            // The stored copy a correction is compared with is this trip.
            if (st.Satzanzahl > 0)
                st.Satzpuffer[7] = st.Satzpuffer[1];
        }
    } else {
        st.Satzanzahl = 0;
        st.Satznummer = 0;
        anfangskmZeigen(s);
    }
    DatensatzAnzeigen(s);
}

bool Privatplatzhalter(const FahrtDatensatz& f, const QString& text)
{
    return IstPrivatplatzhalter(f.Fahrtart, text);
}

std::optional<QString> LetzterEchterText(const Fahrten1& st, QString FahrtDatensatz::*text)
{
    const FahrtDatensatz& letzter = st.Satzpuffer[2];
    if (!Privatplatzhalter(letzter, letzter.*text))
        return letzter.*text;
    const QString pfad = st.fahrtdateiPfad();
    for (qint32 n = st.Satzanzahl - 1; n >= 1; --n) {
        const FahrtDatensatz f = FahrtLesen(pfad, n);
        if (!Privatplatzhalter(f, f.*text))
            return f.*text;
    }
    return std::nullopt;
}

} // namespace kmk
