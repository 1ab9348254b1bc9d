#pragma once
// The handlers of the printout page "Ausdruck" (and the print range on the
// evaluation page): table buttons, screen zoom and print scale, the
// automatic fitting toggle, the range calendars, preview, printer set-up
// and saving the sheet. Controls are found by name under the window; the
// state is the year's Fahrten1; the table builders and what belongs to the
// main window come in as callbacks.
//
//   Ausdruckseite seite(form1, f1book, fahrten1(), umgebung);
//   seite.verbinden();          // clicks of the page's controls
//   seite.Command8_MouseUp(1);  // as the user's left click

#include "app/records/fahrten1.h"
#include "platform/sheet/tabellenblatt.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace kmk {

struct AusdruckUmgebung {
    // Caption of the current vehicle's selection button (AutoOpt).
    std::function<QString()> fahrzeugBeschriftung;
    // The main window's caption.
    std::function<void(const QString&)> fensterTitel;
    // Line k of the help file.
    std::function<QString(int)> hilfstext;
    // The table builders; a missing one builds nothing.
    std::function<void()> KFZTabelle;
    std::function<void()> KfzTabelle4;
    std::function<void()> KFZTabelle3;
    std::function<void()> Blankoformular;
    std::function<void()> KundenTabelle;
    std::function<void()> BetriebskostenTabelle;
    std::function<void(int modus)> ProzentTabelle;
};

// Marks kept in the sheet's numbered properties (a fresh sheet drops
// them): the sheet holds a vehicle trip table; a build is under way.
inline constexpr int32_t kFahrtentabelle = 0x4B4D0001;
inline constexpr int32_t kBauMarke = 0x4B4D0002;

// The texts of the fitting toggle.
inline constexpr const char* kMitAnpassung = "Mit autom. Druckanpassung";
inline constexpr const char* kOhneAnpassung = "Ohne autom. Druckanpassung";

class Ausdruckseite : public QObject {
    Q_OBJECT
public:
    Ausdruckseite(QWidget* fenster, sheet::Tabellenblatt& blatt, Fahrten1& st, AusdruckUmgebung umgebung,
                  QObject* eltern = nullptr);

    // Connects the page's controls to the handlers below.
    void verbinden();
    // The callbacks, for whoever plugs in the table builders.
    AusdruckUmgebung& umgebung() { return m_u; }
    sheet::Tabellenblatt& blatt() { return m_blatt; }

    // Runs a vehicle trip table's builder and remembers in the sheet that
    // it holds one (the preview turns only those to landscape).
    void Fahrtentabelle(const std::function<void()>& bau);

    void Command6_Click();
    void Command3_Click();
    void SSCKunden_Click();
    void CBBetriebskosten_Click();
    void Command7_Click();
    void CommandEigenverbrauch_Click();
    void ExcelExport_Click() { SaveAsFile(); }
    void Command9_Click();
    // Left button (1) only.
    void Command8_MouseUp(int button);
    void SSCDruckvor_Click();
    void List4_Click();
    void List5_Click();
    void QKC2_Change();
    void QKC3_Change();
    void SSCDruckvor_MouseMove();
    void SSCKunden_MouseMove();

    // Writes the sheet to a file the user names, with the page set-up the
    // preview gives it; a failure is shown as
    // "Datei konnte nicht gespeichert werden : " and the name.
    void SaveAsFile();
    // The page set-up of preview, print and saved file: the print scale of
    // the list or fitting one page wide, the trip tables' orientation, the
    // margins.
    void Druckeinstellung();

    // For the main window's start-up and page change.
    void Bildschirmzoom(const QString& prozent);
    void Druckskalierung(int prozent, bool anpassen, int breit, int hoch);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* ctl(const char* name) const;
    void setText(const char* name, const QString& text) const;
    bool firma() const { return m_st.Kfz.Firmenfahrzeug != 0; }
    bool privat() const { return m_st.Kfz.Privatfahrzeug != 0; }
    // A trip to evaluate: one with a predecessor is shown, or the shown
    // first trip of a file that holds trips.
    bool fahrtenDa() const;
    static void rufe(const std::function<void()>& f) { if (f) f(); }
    void kalender(const char* name, const char* label, const QString& text, qint32& ziel);

    QPointer<QWidget> m_fenster;
    sheet::Tabellenblatt& m_blatt;
    Fahrten1& m_st;
    AusdruckUmgebung m_u;
};

// The calendar's date (a hosted control, or a stand-in with a "Date"
// property); 'sonst' without a calendar, without a date, or when the
// hosted control refuses the read.
qint32 kalenderDatum(QWidget* kalender, qint32 sonst = 0);

} // namespace kmk
