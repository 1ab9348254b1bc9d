#pragma once
// Writing a sheet to a file: the workbook (xlsx), a PDF of the printed
// pages, or tab-separated text. Each writes a temporary file in the target
// folder and renames it over the target, so a failure never destroys the
// old file; every failure comes back as false with a German reason.

#include "platform/sheet/blatt.h"

#include <QString>

namespace sheet {

bool schreibeArbeitsmappe(const Blatt& b, const QString& pfad, QString* fehler = nullptr);
bool schreibePdf(const Blatt& b, const QString& pfad, QString* fehler = nullptr);
bool schreibeText(const Blatt& b, const QString& pfad, QString* fehler = nullptr);

// By the save dialog's file type (Dateityp of tabellenblatt.h); an unknown
// type is refused.
bool schreibeDatei(const Blatt& b, const QString& pfad, int typ, QString* fehler = nullptr);

} // namespace sheet
