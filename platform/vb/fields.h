#pragma once
// Field codecs on raw record bytes: each field is read and written at its
// byte offset, little-endian, so records stay byte-exact on disk.
// An offset/width outside the record throws RuntimeError(9).

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "platform/vb/number.h"

namespace vb {

quint8 getU8(const QByteArray& rec, int offset);
void setU8(QByteArray& rec, int offset, quint8 v);

qint16 getI16(const QByteArray& rec, int offset);
void setI16(QByteArray& rec, int offset, qint16 v);

qint32 getI32(const QByteArray& rec, int offset);
void setI32(QByteArray& rec, int offset, qint32 v);

// IEEE 754 double, little-endian.
double getDouble(const QByteArray& rec, int offset);
void setDouble(QByteArray& rec, int offset, double v);

float getSingle(const QByteArray& rec, int offset);
void setSingle(QByteArray& rec, int offset, float v);

// int64 little-endian in 1/10000.
Currency getCurrency(const QByteArray& rec, int offset);
void setCurrency(QByteArray& rec, int offset, Currency v);

// 16-bit flag: True is written as FF FF, any non-zero reads as True.
bool getFlag(const QByteArray& rec, int offset);
void setFlag(QByteArray& rec, int offset, bool v);

// Fixed-width Windows-1252 text. Reading returns all 'width' characters,
// padding included (callers Trim). Writing cuts to width and pads with blanks.
QString getText(const QByteArray& rec, int offset, int width);
void setText(QByteArray& rec, int offset, int width, const QString& v);

// Raw bytes, for reserved areas kept as read.
QByteArray getBytes(const QByteArray& rec, int offset, int width);
void setBytes(QByteArray& rec, int offset, const QByteArray& bytes);

} // namespace vb
