#pragma once
// The trip memory on the main window: storing the entry being typed (F11),
// deleting the chosen line (F3), the pick lists, the drop-downs of the entry
// fields, the evaluation filter rows and the hand-over into a new entry
// (F10, Enter or double click in List8).
//
// It works on the window's controls found by their names (EinVon, List8,
// Label56, ...) and on the year's state passed in; what belongs to other
// subsystems comes in through the callbacks of Dienste.
//
//   Fahrtenspeicher fs(form1, fahrten1());
//   fs.dienste.meldung = [](int n){ return MeldungAnzeigen(n); };
//   fs.verbinden();          // buttons and List8
//   fs.KListe(); fs.AListe();

#include "app/records/fahrten1.h"
#include "app/tripmemory/fahrtenspeichersatz.h"
#include "app/tripmemory/kundendatei.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;

namespace kmk {

class Fahrtenspeicher : public QObject {
    Q_OBJECT
public:
    struct Dienste {
        // Catalogue message n; true for "Ja / OK".
        std::function<bool(int)> meldung;
        // A plain message box (file errors).
        std::function<void(const QString&)> hinweis;
        // The entry page after a hand-over (PauschaleAnzeigen also after
        // the trip type is set, as a click on it would).
        std::function<void()> Roteeingabe;
        std::function<void()> PauschaleAnzeigen;
        // The customer table of the printout page.
        std::function<void()> KundenTabelle;
        // Shows the editor window modally.
        std::function<void()> editorZeigen;
    };

    // fenster: the main window (controls found below it by name).
    Fahrtenspeicher(QWidget* fenster, Fahrten1& st);

    Dienste dienste;

    QString dateipfad() const;
    Kundendatei datei() const { return Kundendatei(dateipfad()); }

    // Stores the entry being typed unless it is incomplete (87) or already
    // there (86); then the pick lists.
    void KundeDat(bool anfuegen);
    // Deletes the chosen record after question 30; then the pick lists.
    void Kundeloschen();
    // Pick lists List8 and List1 from the file; a chosen line whose record
    // is gone or moved is let go.
    void KListe();
    // Filter rows of List2 and the drop-downs of the six entry fields.
    void AListe();
    // The chosen record into the entry page.
    void Kundeubergeben();

    // The keys of the main window.
    void TasteF3() { Kundeloschen(); AListe(); }
    void TasteF10() { Kundeubergeben(); }
    void TasteF11() { KundeDat(true); AListe(); }

    // Handlers of the entry page.
    void KundeEintragen_MouseUp(int button);
    void KundenNeu_MouseUp(int button);
    void Kundeuberschreiben_MouseUp(int button);
    void List8_Click();
    void List8_DblClick();
    void List8_Enter() { Kundeubergeben(); }
    void KundenBearbeiten_Click();

    // Connects the handlers above to the window's controls.
    void verbinden();

    // The record chosen in Label56 (0 = none).
    int gewaehlterSatz() const;

    Fahrtenspeichersatz Fahrtenspeicherpuffer;
    qint16 Kundenanzahl = 0;

private:
    QWidget* ctl(const char* name) const;
    void hinweis(const QString& text) const;
    bool meldung(int n) const { return dienste.meldung ? dienste.meldung(n) : true; }

    QPointer<QWidget> m_fenster;
    Fahrten1& m_st;
};

// Label56 holds the chosen line; its record number travels with it.
// With the record's bytes, a rebuilt list lets go of a choice whose number
// now names another record.
void setzeAuswahl(QLabel* label56, const QString& zeile, int satz, const QByteArray& bytes = {});
int auswahlSatz(const QLabel* label56);

} // namespace kmk
