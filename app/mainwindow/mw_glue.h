#pragma once
// What the main window needs of its neighbours, in one place: the global
// state, the per-year files, messages, clock, help lines and hosted controls.

#include "app/records/fahrten1.h"

#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>

namespace kmk {

class Form1;

namespace mw {

// ---- state shared with every subsystem ----
inline Fahrten1& G() { return fahrten1(); }
inline VoreinstellungSatz& VS() { return fahrten1().Voreinstellung; }
inline KfzGrundeinstellung& KFZ() { return fahrten1().Kfz; }
inline Jahrgangsdaten& JG() { return fahrten1().Jahrgang; }
inline Jahresdateien& JD() { return fahrten1().Dateien; }
inline QString& Programmpfad() { return fahrten1().Programmpfad; }
inline QString& Sicherungspfad() { return fahrten1().Sicherungspfad; }
inline QString& Jahr() { return fahrten1().Jahr; }
inline quint8& AktuellesFahrzeug() { return fahrten1().AktuellesFahrzeug; }
inline QString& Fahrtdatei() { return fahrten1().Fahrtdatei; }
inline qint32& Satznummer() { return fahrten1().Satznummer; }
inline qint32& Satzanzahl() { return fahrten1().Satzanzahl; }
inline quint8& Pufferindex() { return fahrten1().Pufferindex; }
inline bool& NeuerEintragOffen() { return fahrten1().NeuerEintragOffen; }
inline bool& KfzBelegt(int k) { return fahrten1().KfzBelegt[k]; }
inline bool& FahrtdateiVorhanden(int k) { return fahrten1().FahrtdateiVorhanden[k]; }
inline int& Markenvariante() { return fahrten1().Markenvariante; }
inline bool& NeuberechnungStart() { return fahrten1().NeuberechnungStart; }
inline int& Druckskala() { return fahrten1().Druckskala; }
inline bool& Pauschalfahrt() { return fahrten1().Pauschalfahrt; }
// The edit buffer's departure and arrival times.
void EditpufferZeitenLoeschen();

// ---- files of the year ----
bool VorDat(bool schreiben);
// Writes the settings; a failure is shown as a plain message (false).
bool VorDatSpeichern();
// Vehicle record n read into, and written from, the state's KFZ().
bool KfzLesen(int n);
// A failed write is shown as a plain message when melden (false).
bool KfzSchreiben(int n, bool melden = true);
qint32 FahrtAnzahl(const QString& name);
QString pfad(const QString& name);         // absolute path in the program folder

// ---- messages, clock, help ----
bool MeldungAnzeigen(int n);
// Where catalogue messages go (the catalogue and its dialog plug in here;
// tests record the numbers).
std::function<bool(int)>& meldungsanzeige();
// Where help lines are attached to the controls of the main window.
std::function<void(Form1*)>& hilfezeilen();
void plainMessage(const QString& text);
qint32 heute();                            // today's day number
void attachHelp(Form1* form);

// ---- hosted calendars ----
// Throws vb::RuntimeError(380) when the control refuses the value.
void calPut(QWidget* host, const char* property, qint32 value);
qint32 calGet(QWidget* host, const char* property);

} // namespace mw
} // namespace kmk
