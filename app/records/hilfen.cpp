#include "app/records/hilfen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <chrono>
#include <vector>

#include <grp.h>
#include <unistd.h>

#include "platform/io/folders.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

namespace kmk {

QString UeberlaufText(const QString& datei)
{
    return QStringLiteral("Die Datei \"%1\" enthält Werte, deren Summe zu groß ist, um angezeigt zu werden; "
                          "an ihrer Stelle steht \"Überlauf\". Die Datei wurde nicht verändert.").arg(datei);
}

bool DateiVorhanden(const QString& pfad)
{
    const QString p = vb::Trim(pfad);
    if (p.isEmpty())
        return false;
    return !io::firstMatchingFile(io::localPath(p)).isEmpty();
}

bool FileExists(const QString& pfad) { return io::FileExists(io::localPath(vb::Trim(pfad))); }

bool DirExists(const QString& pfad) { return io::DirExists(io::localPath(vb::Trim(pfad))); }

bool DelTreeVB(const QString& ordner)
{
    QString p = io::localPath(vb::Trim(ordner));
    if (p.isEmpty())
        return false;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    // Never the file-system root or a link in place of the folder.
    if (p == QLatin1String("/") || QFileInfo(p).isSymLink())
        return false;
    return io::deleteTree(p);
}

void Warten(qint64 sekunden)
{
    using Uhr = std::chrono::steady_clock;
    auto jetzt = [] {
        return std::chrono::duration<double>(Uhr::now().time_since_epoch()).count();
    };
    const double ziel = vb::roundHalfEven(jetzt() + double(sekunden));
    do {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        if (jetzt() > ziel)
            break;
        QThread::msleep(10);
    } while (jetzt() <= ziel);
}

int ZeitInMinuten(const QString& text)
{
    static const QRegularExpression kMuster(QStringLiteral(
        R"(^\s*(?:(\d{1,2})\.(\d{1,2})\.(\d{2}|\d{4})\s+)?(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch m = kMuster.match(text);
    if (!m.hasMatch())
        return 0;
    if (m.capturedLength(1) > 0) {
        const int tag = m.captured(1).toInt();
        const int monat = m.captured(2).toInt();
        const int jahr = vb::ApplyTwoDigitYear(m.captured(3).toInt());
        if (monat < 1 || monat > 12 || tag < 1 || tag > vb::DaysInMonth(jahr, monat))
            return 0;
    }
    const int h = m.captured(4).toInt();
    const int min = m.captured(5).toInt();
    const int s = m.capturedLength(6) > 0 ? m.captured(6).toInt() : 0;
    if (h > 23 || min > 59 || s > 59)
        return 0;
    return h * 60 + min;
}

QString MinutenInZeit(int minuten)
{
    // An arrival typed as "24:00" is stored as 1440: shown as 00:00 it
    // would read as the start of the departure day, and the trip could no
    // longer be shown or corrected with its own times.
    if (minuten == 24 * 60)
        return QStringLiteral("24:00");
    return vb::TimeText(minuten);
}

QString Tagestext(qint32 tag) { return tag > 1 ? vb::DateText(tag) : QString(); }

QString MinutenInStunden(int minuten)
{
    const int stunden = minuten / 60;
    const int rest = minuten % 60;
    QString r = vb::Str(qint64(stunden)) + QLatin1Char(',');
    if (rest >= 0 && rest < 10)
        r += QLatin1Char('0');
    r += QString::number(rest);
    return r;
}

namespace {

// Records a failed check: the result takes its number, only the first
// failure is shown.
struct Pruefung {
    bool anzeigen;
    const Meldung& zeigen;
    int ergebnis = 0;

    void fehler(int nummer)
    {
        ergebnis = nummer;
        if (anzeigen) {
            if (zeigen)
                zeigen(nummer);
            anzeigen = false;
        }
    }
};

} // namespace

int ZeitEingabeTest(QString& text, bool anzeigen, const Meldung& zeigen)
{
    text = vb::Trim(text);
    Pruefung p{anzeigen, zeigen};
    const bool laengeFalsch = vb::Len(text) != 5;
    if (laengeFalsch)
        p.fehler(111);
    if (vb::Mid(text, 3, 1) != QLatin1String(":") || laengeFalsch)
        p.fehler(112);
    const double stunden = vb::Val(vb::Left(text, 2));
    if (stunden < 0 || stunden > 24)
        p.fehler(113);
    const double minuten = vb::Val(vb::Mid(text, 4, 2));
    if (minuten < 0 || !(minuten < 60))
        p.fehler(114);
    return p.ergebnis;
}

int DatumsTest(QString& text, bool anzeigen, const QString& jahr, const Meldung& zeigen)
{
    text = vb::Trim(text);
    Pruefung p{anzeigen, zeigen};
    const bool laengeFalsch = vb::Len(text) != 10;
    if (laengeFalsch)
        p.fehler(105);
    const bool punkt1Falsch = vb::Mid(text, 3, 1) != QLatin1String(".") || laengeFalsch;
    if (punkt1Falsch)
        p.fehler(106);
    if (vb::Mid(text, 6, 1) != QLatin1String(".") || punkt1Falsch)
        p.fehler(107);
    if (vb::Right(text, 4) != jahr)
        p.fehler(108);
    const double tag = vb::Val(vb::Left(text, 2));
    if (!(tag > 0) || !(tag < 32))
        p.fehler(109);
    const double monat = vb::Val(vb::Mid(text, 4, 2));
    if (!(monat > 0) || !(monat < 13))
        p.fehler(110);
    return p.ergebnis;
}

bool IsUserAdmin()
{
    if (geteuid() == 0)
        return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> gruppen(static_cast<size_t>(n));
    if (getgroups(n, gruppen.data()) < 0)
        return false;
    for (gid_t g : gruppen) {
        const struct group* gr = getgrgid(g);
        if (!gr || !gr->gr_name)
            continue;
        const QByteArray name(gr->gr_name);
        if (name == "sudo" || name == "wheel" || name == "admin")
            return true;
    }
    return false;
}

QString IfOnlineAusFlags(unsigned flags)
{
    return (flags & 0x0Fu) ? QStringLiteral("Online") : QStringLiteral("Offline");
}

QString IfOnline()
{
    unsigned flags = 0;
    const QDir netz(QStringLiteral("/sys/class/net"));
    const QStringList namen = netz.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : namen) {
        if (name == QLatin1String("lo"))
            continue;
        QFile f(netz.filePath(name) + QStringLiteral("/operstate"));
        if (f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == "up")
            flags |= 2;  // a connection through the local network
    }
    return IfOnlineAusFlags(flags);
}

} // namespace kmk
