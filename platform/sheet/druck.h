#pragma once
// Printing a sheet, and the windows that wait for a person: the preview
// and the printer set-up. They go through Druckdienste so tests put a fake
// in place (ScopedDruckdienste) and never open a modal window.
//
//   sheet::ScopedDruckdienste fake(&meinFake);
//   steuerelement.Druckvorschau();     // meinFake.vorschau(...) runs

#include "platform/sheet/blatt.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QComboBox;
class QPrinter;
class QWidget;

namespace sheet {

// Prints every page (or the printer's page range) of the sheet as a job
// named after the sheet; false when the printer cannot be started or does
// not take the job.
bool druckeBlatt(const Blatt& b, QPrinter& drucker);

// Whether the print system lists the queue and it takes jobs. A queue it
// does not list (none of that name, or no print system running) takes
// none, as nothing could be queued there; druckeBlatt asks it first.
// "queue/instance" is an instance the user keeps of a queue with options
// of its own (lpoptions -p queue/instance).
bool nimmtAuftraege(const QString& drucker);
// The parts of a printer's name: queue and instance, split at the first
// "/" ("test/duplex" is instance "duplex" of "test"); no instance without.
std::pair<QString, QString> druckziel(const QString& name);
// Whether a queue takes jobs by the print system's answer: listed, and
// its accepting flag (printer-is-accepting-jobs, null when the queue
// does not report it) is not "false".
bool nimmtAn(bool gelistet, const char* annahme);

// One print from the preview: the printer dialog ('dialog', false when
// cancelled), then the pages. Every print starts at all pages and one
// copy, whatever the last one chose; a print that fails is shown as
// "Die Tabelle konnte nicht gedruckt werden : " and the printer's name.
void druckauftrag(const Blatt& b, QPrinter& drucker, const std::function<bool(QPrinter&)>& dialog);

// The printer set-up: which printer, and that printer's own options
// (both sides, colour). Paper, orientation, margins and scale are the
// sheet's and every print takes them from there, so they are not offered.
class Druckerwahl : public QDialog {
public:
    Druckerwahl(QPrinter& drucker, const QStringList& namen, QWidget* eltern = nullptr);
    // What OK does: the next print goes to the chosen printer.
    void uebernehmen();

private:
    void druckerGewechselt();

    QPrinter& m_drucker;
    QComboBox* m_name;
    QComboBox* m_seiten;
    QComboBox* m_farbe;
};

class Druckdienste {
public:
    virtual ~Druckdienste() = default;
    // The preview window, modal; the user prints from it on drucker.
    virtual void vorschau(const Blatt& b, QPrinter& drucker, QWidget* eltern) = 0;
    // The printer dialog on drucker.
    virtual void einrichtung(QPrinter& drucker, QWidget* eltern) = 0;
};

// The services in use (the real windows unless a test replaced them).
Druckdienste*& druckdienste();

class ScopedDruckdienste {
public:
    explicit ScopedDruckdienste(Druckdienste* d) : m_alt(druckdienste()) { druckdienste() = d; }
    ~ScopedDruckdienste() { druckdienste() = m_alt; }
    ScopedDruckdienste(const ScopedDruckdienste&) = delete;
    ScopedDruckdienste& operator=(const ScopedDruckdienste&) = delete;

private:
    Druckdienste* m_alt;
};

// The types the save dialog offers, as its filter list, workbook first.
QString ablagefilter();
// The filter of a file type in that list; the type a filter stands for
// (the workbook for one not in the list).
QString filterZuDateityp(int typ);
int dateitypZuFilter(const QString& filter);

// The save dialog's answer as a file type. A name that ends in an offered
// type's ending (".xlsx", ".pdf", ".txt", also ".tsv", in any case) is
// that type, whatever type was chosen; any other name gets the ending of
// the chosen type 'gewaehlt' added: "Fahrten 1.12" chosen as a workbook is
// written as "Fahrten 1.12.xlsx", and "v." chosen as a PDF as "v.pdf".
int dateitypZuName(QString& name, int gewaehlt);

} // namespace sheet
