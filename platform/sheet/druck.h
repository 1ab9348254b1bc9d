#pragma once
// Printing a sheet, and the windows that wait for a person: the preview
// and the printer set-up. They go through Druckdienste so tests put a fake
// in place (ScopedDruckdienste) and never open a modal window.
//
//   sheet::ScopedDruckdienste fake(&meinFake);
//   steuerelement.Druckvorschau();     // meinFake.vorschau(...) runs

#include "platform/sheet/blatt.h"

#include <QString>

class QPrinter;
class QWidget;

namespace sheet {

// Prints every page (or the printer's page range) of the sheet; false
// when the printer cannot be started.
bool druckeBlatt(const Blatt& b, QPrinter& drucker);

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

// The save dialog's choice as a file type: ".pdf" a PDF, ".txt"/".tsv"
// text, anything else the workbook (".xlsx" added when there is no ending).
int dateitypZuName(QString& name);

} // namespace sheet
