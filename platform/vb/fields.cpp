#include "platform/vb/fields.h"

#include <cstring>

#include <QtEndian>

#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace vb {

namespace {

void check(const QByteArray& rec, int offset, int width)
{
    if (offset < 0 || width < 0 || qint64(offset) + width > rec.size())
        throw RuntimeError(ErrSubscriptOutOfRange, "record field outside the record");
}

template <typename T>
T getLE(const QByteArray& rec, int offset)
{
    check(rec, offset, sizeof(T));
    return qFromLittleEndian<T>(rec.constData() + offset);
}

template <typename T>
void setLE(QByteArray& rec, int offset, T v)
{
    check(rec, offset, sizeof(T));
    qToLittleEndian<T>(v, rec.data() + offset);
}

} // namespace

quint8 getU8(const QByteArray& rec, int offset)
{
    check(rec, offset, 1);
    return static_cast<quint8>(rec.at(offset));
}

void setU8(QByteArray& rec, int offset, quint8 v)
{
    check(rec, offset, 1);
    rec[offset] = char(v);
}

qint16 getI16(const QByteArray& rec, int offset) { return getLE<qint16>(rec, offset); }
void setI16(QByteArray& rec, int offset, qint16 v) { setLE<qint16>(rec, offset, v); }

qint32 getI32(const QByteArray& rec, int offset) { return getLE<qint32>(rec, offset); }
void setI32(QByteArray& rec, int offset, qint32 v) { setLE<qint32>(rec, offset, v); }

double getDouble(const QByteArray& rec, int offset)
{
    const quint64 bits = getLE<quint64>(rec, offset);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void setDouble(QByteArray& rec, int offset, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof v);
    setLE<quint64>(rec, offset, bits);
}

float getSingle(const QByteArray& rec, int offset)
{
    const quint32 bits = getLE<quint32>(rec, offset);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void setSingle(QByteArray& rec, int offset, float v)
{
    quint32 bits;
    std::memcpy(&bits, &v, sizeof v);
    setLE<quint32>(rec, offset, bits);
}

Currency getCurrency(const QByteArray& rec, int offset) { return Currency{getLE<qint64>(rec, offset)}; }
void setCurrency(QByteArray& rec, int offset, Currency v) { setLE<qint64>(rec, offset, v.raw); }

bool getFlag(const QByteArray& rec, int offset) { return getLE<qint16>(rec, offset) != 0; }
void setFlag(QByteArray& rec, int offset, bool v) { setLE<qint16>(rec, offset, v ? qint16(-1) : qint16(0)); }

QString getText(const QByteArray& rec, int offset, int width)
{
    check(rec, offset, width);
    return fromAnsi(rec.constData() + offset, width);
}

void setText(QByteArray& rec, int offset, int width, const QString& v)
{
    check(rec, offset, width);
    QByteArray bytes = toAnsi(v);
    if (bytes.size() > width)
        bytes.truncate(width);
    std::memcpy(rec.data() + offset, bytes.constData(), bytes.size());
    std::memset(rec.data() + offset + bytes.size(), ' ', width - bytes.size());
}

QByteArray getBytes(const QByteArray& rec, int offset, int width)
{
    check(rec, offset, width);
    return rec.mid(offset, width);
}

void setBytes(QByteArray& rec, int offset, const QByteArray& bytes)
{
    check(rec, offset, int(bytes.size()));
    std::memcpy(rec.data() + offset, bytes.constData(), bytes.size());
}

} // namespace vb
