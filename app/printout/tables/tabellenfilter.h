#pragma once
// The contact-person and trip-type filters of the evaluation page: the
// lists List2 (contacts, label Label49) and List3 (trip types, label
// Label72), their handlers and their start-up state. The tables read the
// chosen values from the year's state (Kundenfilter, Fahrtartfilter) and
// the caption of Label49.
//
//   Tabellenfilter filter(fenster, st);   // finds the lists by name
//   filter.AListe = [&] { ... };          // the trip memory fills List2
//   filter.AKliste();                     // at start-up
//
// Rows of List2 carry their trip-memory record number as item data
// (SatznummerRolle); a row without it is read from characters 51 to 53.

#include "app/records/fahrten1.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace kmk::tabellen {

// The six rows of List3, index = Fahrtartfilter.
QStringList Fahrtartzeilen();

// The trip-memory record number of a List2 row: its item data, else the
// number in characters 51 to 53 (0 for the all-records row or no number).
int Filterzeilennummer(const QListWidgetItem* zeile);

class Tabellenfilter : public QObject {
    Q_OBJECT
public:
    // Finds List2, Label49, List3, Label72 and Label56 under the window
    // and connects the list handlers.
    Tabellenfilter(QWidget* fenster, Fahrten1& st, QObject* parent = nullptr);

    // Refills List2 from the trip memory (and the entry page's drop-down
    // lists); owned by the trip memory.
    std::function<void()> AListe;

    // Appends the six trip-type rows to List3 (the list is not cleared).
    void BListe();
    // Start-up: both filters off, List2 filled when the trip memory exists.
    void AKliste();

    void List2_Click();
    void List2_DblClick();
    void List3_Click();

private:
    Fahrten1& m_st;
    QPointer<QListWidget> m_list2, m_list3;
    QPointer<QLabel> m_label49, m_label72, m_label56;
};

// A blank contact filter, 50 characters.
QString leererKundenfilter();

} // namespace kmk::tabellen
