#pragma once
// Small helpers used all over the program: time and date texts, the checks
// of typed dates and times, file and folder tests, the tree delete, a short
// wait that keeps the windows alive, and the two system tests of the update.

#include <QString>
#include <functional>

namespace kmk {

// Shows catalogue message n.
using Meldung = std::function<void(int)>;

// The message when sums of a file's stored values leave the range they are
// shown in (a damaged file): the sums show the mark, the file is not touched.
QString UeberlaufText(const QString& datei);

// A plain file matches the path; the last part may hold '*' and '?'.
// Folders and hidden files do not match; any error gives false.
bool DateiVorhanden(const QString& pfad);
bool FileExists(const QString& pfad);
bool DirExists(const QString& pfad);
// Deletes the folder and all it holds. Links are removed, never followed;
// true only when every step succeeded; a missing folder gives false.
bool DelTreeVB(const QString& ordner);

// Returns after about 'sekunden' seconds (half a second either way),
// processing the pending events meanwhile. Uses a monotonic clock, so a
// change of the system time does not prolong or cut the wait.
void Warten(qint64 sekunden);

// Minutes since midnight of a time text ("08:30", "8:30", "08:30:15", also
// after a date); 0 when the text holds no valid time.
int ZeitInMinuten(const QString& text);
// "hh:mm"; from 1440 minutes on the hours wrap past midnight.
QString MinutenInZeit(int minuten);
// " 2,05": hours with a sign blank, a comma, two-digit minutes.
QString MinutenInStunden(int minuten);
// "dd.mm.yyyy" of a stored day; empty for a day number of 1 or less,
// which is no date (a record without one, older or made by hand), never
// the 30.12.1899 of day 0.
QString Tagestext(qint32 tag);

// Checks of a typed time or date. The text is trimmed in place. Every
// failing check sets the result to its number; only the first failure is
// shown (through 'zeigen' when 'anzeigen' is true), so the shown and the
// returned number can differ. 0 = valid.
int ZeitEingabeTest(QString& text, bool anzeigen, const Meldung& zeigen = {});
// 'jahr' is the logbook year the date must lie in (exact text).
int DatumsTest(QString& text, bool anzeigen, const QString& jahr, const Meldung& zeigen = {});

// Root, or a member of the group sudo, wheel or admin (the local stand-ins
// of the administrators' group). Any error gives false.
bool IsUserAdmin();
// "Online" when a network interface other than loopback is up.
QString IfOnline();
// The answer for a connection-state flag word: any of the bits 1, 2, 4, 8.
QString IfOnlineAusFlags(unsigned flags);

} // namespace kmk
