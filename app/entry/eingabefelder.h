#pragma once
// The handlers of the entry page's fields and buttons. Each runs on the
// runtime's rules of platform/forms (Change only when a text differs, a
// list choice raises Click only, leave checks for moves inside the window,
// posted Tab) and writes through the page, so that writing a field runs
// its own Change as typing would.
//
//   auto* f = new Eintragsfelder(page, fahrten1(), dienste);
//   f->anbinden();     // connects every control of the page found by name

#include "app/entry/eingabeseite.h"

#include <QHash>
#include <QObject>
#include <memory>

class QWidget;

namespace kmk {

class Eintragsfelder : public QObject {
    Q_OBJECT
public:
    // 'page' is any widget of the main window holding the entry page.
    Eintragsfelder(QWidget* page, Fahrten1& st, Eingabedienste dienste, QObject* parent = nullptr);
    ~Eintragsfelder() override;

    void anbinden();

    // The leave checks of the page's control that has the focus, run as a
    // click on the save button runs them, for a save by key that leaves the
    // focus where it is. False when a check refused or asked something:
    // nothing may be saved then.
    bool FokusPruefen();

    Eintragung& eingabe() { return e_; }
    WidgetEingabeseite& seite() { return seite_; }
    Eingabedienste& dienste() { return dienste_; }

    // ---- date and time fields, calendar ----
    void EinDatumAb_KeyPress(int& k);
    void EinDatumAn_KeyPress(int& k);
    void EinZeitAb_KeyPress(int& k);
    void EinZeitAn_KeyPress(int& k);
    void EinDatum_LostFocus(const QString& feld);
    void EinZeit_LostFocus(const QString& feld);
    void QKC_MouseUp(int button);

    // ---- spin buttons ----
    void Zeitspin(const QString& feld, bool stunden, int schritt);
    void QKSpin5_Schritt(int schritt);
    void QKSpin6_Schritt(int schritt);
    void QKSpin7_Schritt(int schritt);

    // ---- text, odometer, passenger and trip-type fields ----
    void Text_Change(const QString& feld);
    void Text_Click(const QString& feld);
    void Text_KeyPress(int& k);
    void Text_GotFocus(const QString& feld, int hilfetext);
    void EinGefKm_KeyPress(int& k);
    void EinkmAn_KeyPress(int& k);
    void PersAnz_KeyPress(int& k);
    void Fahrtart_MouseUp(int button);

    // ---- fuel and workshop costs ----
    void CBenzin_Click();
    // The End key: the cost button's toggle, leaving the help box alone.
    void Ende_Taste();
    void CBFListe_Click();
    void CB_BSpeichern_Click();
    void CbbKArt_Change();
    void CbbKArt_Validate();
    void Betrag_KeyPress(const QString& feld, int& k);
    void TLiter_Validate();
    void TBGesamt_Validate();
    void TWGesamt_Validate();
    void TWbez_Change();
    void TWbez_Validate();
    void PreisAnzeigen();
    // The flag by which the cost button and the End key toggle the frame;
    // the window shares its own.
    void teileFrBenzinOffen(bool* flag) { frOffen_ = flag ? flag : &eigenesFrOffen_; }
    bool frBenzinOffen() const { return *frOffen_; }

    // ---- private car's share, trip-memory filter, help ----
    void Command18_Click();
    void Text3_KeyPress(int& k);
    void Text9_Change();
    void Tabellezeigen__MouseUp(int button);

    // ---- buttons of the entry page ----
    void Navigation_MouseUp(int button, const std::function<void()>& prozedur);
    void Command5_Click();
    void EintragSpeichern_MouseUp(int button);

private:
    // A text written into a fixed-width field of the edit buffer.
    void inPuffer(const QString& feld, const QString& text);
    // A field's first typed letter becomes a capital; returns the field's text.
    QString ersterGross(const QString& feld, const QString& t);
    // A text beyond 'breite' is cut back, caret at its end; returns the text.
    QString gekuerzt(const QString& feld, const QString& t, int breite);
    void Listenumschaltung();
    // Shows or hides the cost frame. Closed, it gives its place back to the
    // trip list when that is there, else to the help box.
    void kostenrahmen(bool zeigen);
    bool gesperrt() const { return e_.st.Satzgesperrt; }

    // A control's leave checks; false when they refused.
    void verlassen(QWidget* w, std::function<bool()> pruefung);

    WidgetEingabeseite seite_;
    Eingabedienste dienste_;
    QHash<QWidget*, std::function<bool()>> verlassen_;
    int meldungen_ = 0;
    Eintragung e_;
    bool eigenesFrOffen_ = false;
    bool* frOffen_ = &eigenesFrOffen_;
};

} // namespace kmk
