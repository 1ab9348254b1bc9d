#include "app/mainwindow/page_auswertung.h"

#include "app/mainwindow/page_eintragungen.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QWidget>

namespace kmk {

void buildAuswertungPage(QWidget* page)
{
    using namespace pages;

    // Print range: first and last day.
    label(page, "Label29", "Druck beginnt mit: ", QRect(10, 8, 240, 20));
    hosted(page, "QKC2", kCalendarProgId, QRect(10, 30, 240, 170));
    label(page, "Label47", "Druck endet mit: ", QRect(270, 8, 240, 20));
    hosted(page, "QKC3", kCalendarProgId, QRect(270, 30, 240, 170));

    checkBox(page, "Check6",
             QString::fromUtf8("Erweiterter Ausdruck (alle Eintragungen sichtbar) Es werden nur sieben Fahrten "
                               "auf einem Din A4 Blatt dargestellt. "),
             QRect(10, 212, 756, 24));

    // Filters of the tables.
    label(page, "Label70", "Selektieren nach Kunde:", QRect(10, 246, 370, 20));
    auto* contacts = listBox(page, "List2", QRect(10, 268, 370, 196));
    contacts->setFont(fixedPitch(contacts->font()));
    valueLabel(page, "Label49", QRect(10, 470, 370, 22))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    label(page, "Label71", "Selektieren nach Art der Fahrt:", QRect(396, 246, 370, 20));
    listBox(page, "List3", QRect(396, 268, 370, 128));
    valueLabel(page, "Label72", QRect(396, 402, 370, 22))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    helpBox(page, "TAusHilfe", QRect(10, 504, 756, 106));
    button(page, "CBTextfensterAus", "Extra Hilfsfenster anzeigen", QRect(10, 616, 200, 28));
}

} // namespace kmk
