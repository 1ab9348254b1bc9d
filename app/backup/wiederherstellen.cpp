#include "app/backup/wiederherstellen.h"

#include "app/backup/sicherung.h"
#include "app/records/dateien.h"
#include "platform/forms/seams.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/vb/text.h"

#include <QFileInfo>

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
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = basis + QStringLiteral("_%1.dat").arg(n);
    return name;
}

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
    melden(quelle);
    // A protected trip file is refused as every other save refuses it,
    // before anything is written.
    if (!io::mayWrite(ziel)) {
        melden(TextSchreibfehler(ziel));
        return Wiederherstellung::Fehler;
    }
    // The file being replaced may hold trips the backup lacks.
    const QString sicherung =
        Sicherheitskopiename(Sicherungsordner(st), QStringLiteral("Auto%1_vor_Wiederherstellen").arg(fahrzeug));
    if (!io::copyFileAtomic(ziel, sicherung)) {
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
