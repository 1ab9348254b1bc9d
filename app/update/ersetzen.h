#pragma once
// Putting a downloaded program in place of the running one. The file is
// checked first (an executable of the same kind as the running program
// that starts on this computer), gets the program file's owner and mode
// and is renamed over it in one step; the running program keeps its old
// file open, so the new version runs at the next start. The old file stays beside it as "<program>.alt" until that
// start has come up, so a broken update can be undone by hand.

#include <QObject>
#include <QString>

class QProcess;
class QTimer;

namespace upd {

// The file is a whole executable for this computer: an ELF header of the
// same class, byte order and machine as `reference` (the running program),
// of type executable or shared object, whose program-header table, every
// loadable segment and section-header table lie inside the file, so a file
// cut short anywhere is refused; each loader entry is one name ending in
// its first NUL at the entry's last byte and names an executable file that
// exists here (a shared object needs one); the entry point lies in the file
// part of an executable loadable segment. `why` gets a German reason. What
// the structure cannot show (a C library too old for it) only a start can:
// startetHier.
bool istProgrammDatei(const QString& path, const QString& reference, QString* why = nullptr);

// The trial start of a file, as the next start would run it, from its own
// path with "--version": no shell, nothing on its standard input, every
// function of the program and its libraries bound at load (a function this
// computer lacks refuses it before anything is replaced), without the
// user's display or session (a program that would open a window fails at
// once and shows nothing). It runs beside the caller's events, in a process
// group of its own that is ended whole when the trial ends, whatever its
// result, and that cannot outlive the program. Passed only when it ended by
// itself within `grenzeMs` with status 0 and its answer begins with
// "Kilometrika ". The file is made executable for its owner alone for the
// trial; programmErsetzen gives it the program's rights.
class Probelauf : public QObject {
    Q_OBJECT
public:
    explicit Probelauf(QObject* parent = nullptr);
    ~Probelauf() override;   // a trial still running ends here, with its group
    void starten(const QString& path, int grenzeMs = 10000);
    bool laeuft() const { return m_prozess != nullptr; }

signals:
    // Once per trial; `grund` is a German reason when it did not pass.
    void fertig(bool bestanden, const QString& grund);

private:
    void ende(bool bestanden);
    void gruppeBeenden();

    QProcess* m_prozess = nullptr;
    QTimer* m_grenze = nullptr;
    QByteArray m_antwort;
    int m_wache = -1;   // held while the trial runs: its watcher ends the group when it closes
};

// The same trial, waited for: true when it passed. `why` gets a German reason.
bool startetHier(const QString& path, QString* why = nullptr, int grenzeMs = 10000);

QString alteKopie(const QString& programm);

// Owner (as far as this user may: root) and access rights of the program
// onto `neu`, old program kept as alteKopie (unless a copy is kept already:
// the program this run started with), then `neu` renamed over the program.
// False (with `fehler`) leaves the program file as it was.
bool programmErsetzen(const QString& neu, const QString& programm, QString* fehler = nullptr);

// Called once a start has come up: the kept old program is no longer needed,
// nor the temporary of a copy of it that a crash cut off.
void alteKopieEntfernen(const QString& programm);

} // namespace upd
