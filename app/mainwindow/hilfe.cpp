#include "app/mainwindow/hilfe.h"

#include "app/records/fahrten1.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"
#include "platform/vb/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kmk {

namespace {

// Larger files are not help texts; read no more than this.
constexpr qint64 kHoechstens = 4 * 1024 * 1024;

QString findeDatei(const QString& pfad)
{
    const QFileInfo fi(pfad);
    if (fi.isFile())
        return fi.absoluteFilePath();
    const QString gefunden = io::findFileCaseInsensitive(fi.absolutePath(), fi.fileName());
    return (!gefunden.isEmpty() && QFileInfo(gefunden).isFile()) ? gefunden : QString();
}

} // namespace

int Hilfstexte::lesen(const QString& pfad)
{
    if (pfad.isEmpty())
        return 0;
    const QString datei = findeDatei(pfad);
    if (datei.isEmpty())
        return 0;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    QByteArray bytes = f.read(kHoechstens);
    f.close();

    bool utf8 = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {   // saved by a modern editor
        bytes.remove(0, 3);
        utf8 = true;
    }
    int k = 0;
    qsizetype anfang = 0;
    const qsizetype n = bytes.size();
    while (anfang < n && k < Plaetze - 1) {
        qsizetype ende = anfang;
        while (ende < n && bytes[ende] != '\r' && bytes[ende] != '\n')
            ++ende;
        const QByteArray zeile = bytes.mid(anfang, ende - anfang);
        texte_[++k] = utf8 ? QString::fromUtf8(zeile) : vb::fromAnsi(zeile);
        // CR LF ends a line; so do a lone CR or LF.
        if (ende < n && bytes[ende] == '\r' && ende + 1 < n && bytes[ende + 1] == '\n')
            anfang = ende + 2;
        else
            anfang = ende + 1;
    }
    return k;
}

QString Hilfstexte::text(int k) const
{
    return (k >= 0 && k < Plaetze) ? texte_[k] : QString();
}

void Hilfstexte::leeren()
{
    for (auto& t : texte_)
        t.clear();
}

Hilfstexte& hilfstexte()
{
    static Hilfstexte t;
    return t;
}

void txt_ReadTexte(const QString& pfad)
{
    hilfstexte().lesen(pfad);
}

QString Hilfstext(int k)
{
    return hilfstexte().text(k);
}

QString Hilfeordner(const QString& programmpfad)
{
    QString p = programmpfad;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!p.isEmpty() && !p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    const QString gefunden = io::findFileCaseInsensitive(p, QStringLiteral("help"));
    return gefunden.isEmpty() ? p + QStringLiteral("help") : gefunden;
}

void HTMLHelp_ShowTopic(const QString& programmpfad, const QString& topic)
{
    forms::services().help->showTopic(Hilfeordner(programmpfad), topic);
}

void HTMLHelp_ShowTopic(const QString& topic)
{
    HTMLHelp_ShowTopic(fahrten1().Programmpfad, topic);
}

} // namespace kmk
