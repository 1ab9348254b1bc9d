#include "app/backup/wiederherstellen.h"

#include "app/backup/sicherung.h"
#include "app/records/dateien.h"
#include "platform/forms/seams.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/vb/text.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace kmk {

int Wiederherstellungstaste(int keyCode, int shift, Qt::KeyboardModifiers modifiers)
{
    if (keyCode < 49 || keyCode > 52 || shift != 6)
        return 0;
    const Qt::KeyboardModifiers fremd =
        Qt::ShiftModifier | Qt::MetaModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier;
    if (modifiers & fremd)
        return 0;
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier)) != (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    return keyCode - 48;
}

QString Sicherheitskopiename(const QString& ordner, const QString& stamm)
{
    const QString zeit = forms::services().clock->now().toString(QStringLiteral("yyyyMMdd_hhmm"));
    const QString basis = ordnerMitTrenner(ordner) + stamm + QLatin1Char('_') + zeit;
    QString name = basis + QStringLiteral(".dat");
    // A link at a name, even one to nothing, keeps that name taken.
    const auto belegt = [](const QString& p) { return QFileInfo::exists(p) || QFileInfo(p).isSymLink(); };
    for (int n = 2; belegt(name); ++n)
        name = basis + QStringLiteral("_%1.dat").arg(n);
    return name;
}

bool IstSicherheitskopiename(const QString& name, const QString& stamm)
{
    static const QRegularExpression rest(QStringLiteral("^_[0-9]{8}_[0-9]{4}(_[1-9][0-9]*)?\\.dat$"));
    return !stamm.isEmpty() && name.startsWith(stamm) && rest.match(QStringView(name).mid(stamm.size())).hasMatch();
}

QString StammVorWiederherstellen(int fahrzeug) { return QStringLiteral("Auto%1_vor_Wiederherstellen").arg(fahrzeug); }
QString StammVorLoeschen(int fahrzeug) { return QStringLiteral("Auto%1_vor_Loeschen").arg(fahrzeug); }
QString StammBeschaedigt(const QString& dateiname)
{
    return QFileInfo(dateiname).completeBaseName() + QStringLiteral("_beschaedigt");
}
QString StammVorImport(const QString& jahr) { return QStringLiteral("Kund") + vb::Trim(jahr) + QStringLiteral("_vor_Import"); }

Wiederherstellung Wiederherstellen(Fahrten1& st, const QString& ordner, int fahrzeug,
                                   const Wiederherstellungsdienste& dienste)
{
    const QString name = st.fahrtdateiName(fahrzeug);
    if (name.isEmpty() || vb::Trim(ordner).isEmpty())
        return Wiederherstellung::KeineQuelle;
    const QString quelle = ordnerMitTrenner(vb::Trim(ordner)) + name;
    const QString ziel = ordnerMitTrenner(st.Programmpfad) + name;
    if (!io::FileExists(quelle) || !io::FileExists(ziel))
        return Wiederherstellung::KeineQuelle;
    if (QFileInfo(quelle).canonicalFilePath() == QFileInfo(ziel).canonicalFilePath())
        return Wiederherstellung::GleicheDatei;

    auto melden = [&](const QString& t) {
        if (dienste.meldung)
            dienste.meldung(t);
    };
    // Only what a trip file can be is taken back: a plain file of whole
    // trips within the format's limit, never a link or a cut-off copy.
    const qint64 laenge = io::plainFileSize(quelle);
    if (laenge < 0 || laenge % FahrtDatensatz::Laenge != 0 || laenge / FahrtDatensatz::Laenge > MaxFahrten) {
        melden(QStringLiteral("Die Datei \"%1\" ist keine vollständige Fahrtdatei und wird nicht wiederhergestellt. "
                              "Die bisherige Fahrtdatei ist unverändert.")
                   .arg(quelle));
        return Wiederherstellung::Fehler;
    }
    melden(quelle);
    // A protected trip file is refused as every other save refuses it,
    // before anything is written.
    if (!io::mayWrite(ziel)) {
        melden(TextSchreibfehler(ziel));
        return Wiederherstellung::Fehler;
    }
    // The file being replaced may hold trips the backup lacks.
    const QString sicherung =
        Sicherheitskopiename(Sicherungsordner(st), StammVorWiederherstellen(fahrzeug));
    if (!io::copyIntoFolder(ziel, sicherung)) {
        melden(QStringLiteral("Die aktuelle Fahrtdatei konnte nicht gesichert werden. "
                              "Es wurde nichts wiederhergestellt."));
        return Wiederherstellung::Fehler;
    }
    if (!io::copyFileAtomic(quelle, ziel)) {
        melden(QStringLiteral("Die Fahrtdatei konnte nicht wiederhergestellt werden. "
                              "Die bisherige Fahrtdatei ist unverändert."));
        return Wiederherstellung::Fehler;
    }
    if (dienste.listenNeu)
        dienste.listenNeu();
    if (dienste.fahrzeugWaehlen)
        dienste.fahrzeugWaehlen(fahrzeug - 1);
    return Wiederherstellung::Kopiert;
}

} // namespace kmk
