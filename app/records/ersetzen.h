#pragma once
// Whole-file replacement and record writes that are checked on disk.
// A short write (a full disk, a file-size limit) must never pass as
// success: the buffered file classes can report such a write as complete,
// so the data is written unbuffered, synced and measured before the rename.

#include <QByteArray>
#include <QString>

#include "platform/io/recordfile.h"

namespace kmk {

// Writes 'daten' to a temporary file in the target's folder, syncs it and
// renames it over 'pfad'. On any failure the old file stays as it was, the
// temporary file is removed and false comes back with a reason.
bool dateiErsetzen(const QString& pfad, const QByteArray& daten, QString* fehler = nullptr);

// Writes record n and reads it back; false unless the file holds it.
bool satzSchreiben(io::RecordFile& datei, qint32 n, const QByteArray& bytes);

} // namespace kmk
