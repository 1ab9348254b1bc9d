#include "platform/io/atomic.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace io {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool targetUsable(const QString& path, QString* error)
{
    const QFileInfo fi(path);
    if (fi.exists() && !fi.isFile())
        return fail(error, QStringLiteral("Das Ziel ist keine Datei: %1").arg(path));
    return true;
}

} // namespace

bool writeFileAtomic(const QString& path, const QByteArray& data, QString* error)
{
    if (!targetUsable(path, error))
        return false;
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("%1 kann nicht geschrieben werden: %2").arg(path, f.errorString()));
    if (f.write(data) != data.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return fail(error, QStringLiteral("Fehler beim Schreiben von %1: %2").arg(path, why));
    }
    if (!f.commit())
        return fail(error, QStringLiteral("%1 konnte nicht ersetzt werden: %2").arg(path, f.errorString()));
    return true;
}

bool rewriteRecords(const QString& path, int recordLength, const QList<QByteArray>& records, QString* error)
{
    if (recordLength <= 0)
        return fail(error, QStringLiteral("Ungültige Satzlänge"));
    QByteArray data;
    data.reserve(qsizetype(records.size()) * recordLength);
    for (const QByteArray& r : records) {
        if (r.size() != recordLength)
            return fail(error, QStringLiteral("Datensatz mit falscher Länge"));
        data.append(r);
    }
    return writeFileAtomic(path, data, error);
}

bool truncateRecords(const QString& path, int recordLength, qint32 keep, QString* error)
{
    if (recordLength <= 0 || keep < 0)
        return fail(error, QStringLiteral("Ungültige Satzanzahl"));
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        return fail(error, QStringLiteral("Datei nicht gefunden: %1").arg(path));
    const qint64 complete = fi.size() / recordLength;
    const qint64 bytes = qMin<qint64>(complete, keep) * recordLength;
    if (bytes == fi.size())
        return true;   // nothing to drop
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("%1 kann nicht gelesen werden: %2").arg(path, in.errorString()));
    const QByteArray data = in.read(bytes);
    if (data.size() != bytes)
        return fail(error, QStringLiteral("%1 konnte nicht vollständig gelesen werden").arg(path));
    in.close();
    return writeFileAtomic(path, data, error);
}

bool copyFileAtomic(const QString& from, const QString& to, QString* error)
{
    const QFileInfo src(from);
    if (!src.exists() || !src.isFile())
        return fail(error, QStringLiteral("Datei nicht gefunden: %1").arg(from));
    if (!targetUsable(to, error))
        return false;
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("%1 kann nicht gelesen werden: %2").arg(from, in.errorString()));
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("%1 kann nicht geschrieben werden: %2").arg(to, out.errorString()));
    QByteArray buf;
    for (;;) {
        buf = in.read(1 << 20);
        if (buf.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd()) {
                out.cancelWriting();
                return fail(error, QStringLiteral("Fehler beim Lesen von %1").arg(from));
            }
            break;
        }
        if (out.write(buf) != buf.size()) {
            const QString why = out.errorString();
            out.cancelWriting();
            return fail(error, QStringLiteral("Fehler beim Schreiben von %1: %2").arg(to, why));
        }
    }
    if (!out.commit())
        return fail(error, QStringLiteral("%1 konnte nicht ersetzt werden: %2").arg(to, out.errorString()));
    return true;
}

} // namespace io
