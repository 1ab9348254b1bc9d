#include "app/backup/sicherung.h"

#include "app/backup/wiederherstellen.h"
#include "app/records/dateien.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/io/schritte.h"
#include "platform/vb/text.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace kmk {

Kopierfunktion& sicherungsKopie()
{
    static Kopierfunktion f = [](const QString& von, const QString& nach) { return io::copyIntoFolder(von, nach); };
    return f;
}

namespace {

bool kopieren(const QString& von, const QString& nach)
{
    const Kopierfunktion& f = sicherungsKopie();
    return f ? f(von, nach) : io::copyIntoFolder(von, nach);
}

// A data file of the program folder, when it is there.
QString datendatei(const Fahrten1& st, const QString& name)
{
    if (vb::Trim(name).isEmpty())
        return QString();
    const QString p = st.pfad(name);
    return io::FileExists(p) ? p : QString();
}

QStringList stammdateien(const Fahrten1& st)
{
    return {st.Dateien.Kfzdatei, st.Dateien.Einstellungsdatei, st.Kundendatei};
}

const QLatin1String Bauordnervorsilbe(".Sicherung-");

// The names bauordnerAnlegen gives, "<Vorsilbe><pid>-<tag>", and no other
// ("<Vorsilbe><tag>" of earlier versions, always marked); 'erbauer' takes
// the process named, 0 when none is.
bool istBauordner(const QString& name, qint64* erbauer = nullptr)
{
    static const QRegularExpression muster(QStringLiteral("^\\.Sicherung-(?:([1-9][0-9]{0,9})-)?[0-9a-z]{1,7}$"));
    const QRegularExpressionMatch m = muster.match(name);
    if (erbauer)
        *erbauer = m.hasMatch() ? m.captured(1).toLongLong() : 0;
    return m.hasMatch();
}

// A hidden folder beside the backups, made as any folder the user makes:
// with the rights his umask gives, so the finished backup reads as his
// other folders do. It names this process until it is finished, so no
// other start takes it for a crash's leftover. Empty when none can be made.
QString bauordnerAnlegen(const QString& ordner)
{
    for (int versuch = 0; versuch < 100; ++versuch) {
        const QString p = ordner + Bauordnervorsilbe + QString::number(QCoreApplication::applicationPid())
                          + QLatin1Char('-') + QString::number(QRandomGenerator::global()->generate(), 36);
        if (io::createMarkedFolder(p))
            return p;
        if (!QFileInfo::exists(p))
            return QString();
    }
    return QString();
}

} // namespace

std::array<qint32, 5> Fahrtenzahlen(const Fahrten1& st)
{
    std::array<qint32, 5> n{};
    for (int k = 1; k <= 4; ++k) {
        const QString p = datendatei(st, st.fahrtdateiName(k));
        n[k] = p.isEmpty() ? 0 : Fahrtanzahl(p);
    }
    return n;
}

QString Vollsicherungsname(const std::array<qint32, 5>& anzahl)
{
    QString name;
    for (int k = 1; k <= 4; ++k) {
        if (anzahl[k] <= 0)
            continue;
        name += (k == 1 ? QStringLiteral("Au1-") : QStringLiteral("_Au%1-").arg(k))
                + QString::number(anzahl[k]) + QStringLiteral(" E");
    }
    return name;
}

bool IstVollsicherungsname(const QString& name)
{
    static const QRegularExpression muster(
        QStringLiteral("^(Au1-[1-9][0-9]* E)?(_Au2-[1-9][0-9]* E)?(_Au3-[1-9][0-9]* E)?(_Au4-[1-9][0-9]* E)?$"));
    return !name.isEmpty() && muster.match(name).hasMatch();
}

QString Schnellsicherungsname(int fahrzeug, qint32 anzahl)
{
    return QStringLiteral("Auto%1_AnzahlEintra_%2.dat").arg(fahrzeug).arg(anzahl);
}

bool IstSchnellsicherungsname(const QString& name)
{
    static const QRegularExpression muster(QStringLiteral("^Auto[1-4]_AnzahlEintra_[1-9][0-9]*\\.dat$"));
    return muster.match(name).hasMatch();
}

int Sicherungsintervall(const VoreinstellungSatz& v)
{
    return v.Sicherungsintervall > 0 ? v.Sicherungsintervall : 20;
}

QString Standardsicherungsordner(const Fahrten1& st)
{
    return ordnerMitTrenner(st.Programmpfad) + QStringLiteral("Sicherheit/");
}

QString Sicherungsordner(const Fahrten1& st)
{
    // A record written on another system may name "C:\...": not a folder here.
    const QString ordner = vb::Trim(st.Voreinstellung.Sicherungsordner.section(QChar(0), 0, 0));
    if (!ordner.isEmpty() && ordner.startsWith(QLatin1Char('/')) && io::DirExists(ordner))
        return ordnerMitTrenner(ordner);
    const QString standard = Standardsicherungsordner(st);
    io::createFolder(standard);
    return standard;
}

QString BeschaedigtSichern(const Fahrten1& st, const QString& pfad, qint64 hoechstens)
{
    const QString kopie = Sicherheitskopiename(Sicherungsordner(st), StammBeschaedigt(QFileInfo(pfad).fileName()));
    return io::copyIntoFolder(pfad, kopie, hoechstens) ? kopie : QString();
}

bool EigenerDateiname(const Fahrten1& st, const QString& name)
{
    if (Jahresdatei(st, name) || IstSchnellsicherungsname(name)
        || IstSicherheitskopiename(name, StammVorImport(st.Jahr)))
        return true;
    for (int k = 1; k <= 4; ++k)
        if (IstSicherheitskopiename(name, StammVorWiederherstellen(k))
            || IstSicherheitskopiename(name, StammVorLoeschen(k)))
            return true;
    QStringList daten = stammdateien(st);
    for (int k = 1; k <= 4; ++k)
        daten << st.fahrtdateiName(k);
    return std::any_of(daten.cbegin(), daten.cend(), [&](const QString& d) {
        return !vb::Trim(d).isEmpty() && IstSicherheitskopiename(name, StammBeschaedigt(vb::Trim(d)));
    });
}

int SicherungsresteEntfernen(const Fahrten1& st)
{
    QStringList ordner = {Sicherungsordner(st)};
    const QString standard = Standardsicherungsordner(st);
    if (QFileInfo(standard).canonicalFilePath() != QFileInfo(ordner.first()).canonicalFilePath())
        ordner << standard;
    const auto eigen = [&st](const QString& name) { return EigenerDateiname(st, name); };
    int entfernt = 0;
    for (const QString& o : ordner) {
        entfernt += io::removeRewriteLeftovers(o, eigen);
        const QFileInfoList bau = QDir(o).entryInfoList({Bauordnervorsilbe + QLatin1Char('*')},
                                                        QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot);
        // Only a folder this program marked, and only once its process is
        // gone; an empty one was made by a builder killed before its marker.
        for (const QFileInfo& fi : bau) {
            qint64 erbauer = 0;
            if (istBauordner(fi.fileName(), &erbauer)
                && ((erbauer > 0 && io::removeEmptyFolder(fi.absoluteFilePath(), erbauer))
                    || (io::isAbandonedMarkedFolder(fi.absoluteFilePath()) && io::deleteTree(fi.absoluteFilePath()))))
                ++entfernt;
        }
        // A finished backup whose builder was killed before it took its
        // marker out: the marker alone goes.
        const QFileInfoList fertig = QDir(o).entryInfoList(QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot);
        for (const QFileInfo& fi : fertig)
            if (IstVollsicherungsname(fi.fileName()) && io::isAbandonedMarkedFolder(fi.absoluteFilePath())
                && io::unmarkFolder(fi.absoluteFilePath()))
                ++entfernt;
    }
    return entfernt;
}

void Sicherheitscopy(Fahrten1& st, const std::function<void(const QString&)>& meldung)
{
    const QString ordner = Standardsicherungsordner(st);
    if (vb::Trim(st.Voreinstellung.Sicherungsordner) != ordner)
        st.Voreinstellung.Sicherungsordner = ordner;
    io::createFolder(ordner);

    const QString aktuell = vb::Trim(st.Fahrtdatei);
    for (int k = 1; k <= 4; ++k) {
        if (st.fahrtdateiName(k) == aktuell
            && io::FileExists(ordner + Schnellsicherungsname(k, st.Satznummer)))
            return;   // this state is backed up already
    }
    // Every copy is tried; one that could not be written is said once, so
    // a backup set that mixes two states is never passed off as whole.
    bool vollstaendig = true;
    for (const QString& name : stammdateien(st)) {
        const QString von = datendatei(st, name);
        const QString ziel = ordner + vb::Trim(name);
        // A copy that holds the file already is left alone: the copy of a
        // protected file has its protection and cannot be written again.
        if (von.isEmpty() || (io::plainFileSize(ziel) >= 0 && io::sameContent(von, ziel)))
            continue;
        if (!kopieren(von, ziel))
            vollstaendig = false;
    }
    const std::array<qint32, 5> n = Fahrtenzahlen(st);
    for (int k = 1; k <= 4; ++k) {
        const QString ziel = ordner + Schnellsicherungsname(k, n[k]);
        // A quick backup file is the state at that count: never replaced.
        if (n[k] > 0 && !io::FileExists(ziel) && !kopieren(datendatei(st, st.fahrtdateiName(k)), ziel))
            vollstaendig = false;
    }
    if (!vollstaendig && meldung)
        meldung(QStringLiteral("Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"));
}

void SicherheitscopyNeu(Fahrten1& st, const std::function<void(const QString&)>& meldung)
{
    auto melden = [&](const QString& t) {
        if (meldung)
            meldung(t);
    };
    const std::array<qint32, 5> n = Fahrtenzahlen(st);
    const QString name = Vollsicherungsname(n);
    if (name.isEmpty())
        return;   // no trips: nothing to keep
    const QString ordner = Sicherungsordner(st);
    const QString ziel = ordner + name;
    // The name tells the counts only: after a change in place it is made
    // again, unless every copy in it still equals its file.
    QStringList kopien;
    for (const QString& datei : stammdateien(st))
        if (!datendatei(st, datei).isEmpty())
            kopien << vb::Trim(datei);
    for (int k = 1; k <= 4; ++k)
        if (n[k] > 0)
            kopien << st.fahrtdateiName(k);
    const bool vorhanden = io::DirExists(ziel);
    if (vorhanden && std::all_of(kopien.cbegin(), kopien.cend(), [&](const QString& d) {
            return io::sameContent(st.pfad(d), ziel + QLatin1Char('/') + d);
        }))
        return;

    // Built beside its final place and renamed when every copy is in, so a
    // folder under a backup name is always complete.
    const QString bau = bauordnerAnlegen(ordner);
    if (bau.isEmpty()) {
        melden(QStringLiteral("Das Verzeichnis für die Sicherheitscopy konnte nicht erstellt werden!"));
        return;
    }
    bool vollstaendig = true;
    bool gemeldet = false;
    for (const QString& datei : stammdateien(st)) {
        const QString von = datendatei(st, datei);
        if (!von.isEmpty() && !kopieren(von, bau + QLatin1Char('/') + vb::Trim(datei)))
            vollstaendig = false;
    }
    for (int k = 1; k <= 4; ++k) {
        if (n[k] <= 0)
            continue;
        const QString von = datendatei(st, st.fahrtdateiName(k));
        if (von.isEmpty()) {
            melden(QStringLiteral("Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"));
            vollstaendig = false;
            gemeldet = true;
            continue;
        }
        if (!kopieren(von, bau + QLatin1Char('/') + st.fahrtdateiName(k)))
            vollstaendig = false;
    }
    // The new folder takes the name in one step and keeps its marker until
    // it has it; an old one it replaces is marked before it leaves the name,
    // so neither is ever an unmarked folder under a hidden name.
    bool eingesetzt = false;
    if (vollstaendig) {
        if (vorhanden) {
            if (io::isAbandonedMarkedFolder(ziel))
                io::unmarkFolder(ziel);
            // What the user put into the old folder stays in the new one.
            const QStringList eigene = kopien + stammdateien(st);
            const bool mitgenommen = io::linkEntries(ziel, bau, [&](const QString& e) { return eigene.contains(e); });
            if (!mitgenommen)
                vollstaendig = false;
            if (mitgenommen && io::markFolder(ziel)) {
                eingesetzt = io::sys::exchange(bau, ziel);
                if (!eingesetzt)
                    io::unmarkFolder(ziel);
            }
        } else {
            eingesetzt = io::sys::renameNoReplace(bau, ziel);
        }
    }
    if (eingesetzt)
        io::unmarkFolder(ziel);
    // Under the hidden name now: what was not used, or the replaced backup.
    io::deleteTree(bau);
    if (eingesetzt)
        return;
    if (vollstaendig)
        melden(QStringLiteral("Das Verzeichnis für die Sicherheitscopy konnte nicht erstellt werden!"));
    else if (!gemeldet)
        melden(QStringLiteral("Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"));
}

} // namespace kmk
