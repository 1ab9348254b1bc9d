#pragma once
// The main window: five pages on SSTab1, the title page and the settings
// page "Grundeinstellungen" built here, the other three by their builders.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include "app/mainwindow/tastentabelle.h"

#include <array>
#include <functional>
#include <memory>

namespace forms {
class DirListBox;
class DriveListBox;
}

namespace kmk {

class SSTab;
struct VoreinstellungSatz;
struct KfzGrundeinstellung;
class Form1;

// Option button whose mouse press runs a guard before the group changes;
// the keyboard goes through the same guard, so it cannot bypass it.
class GuardedOption : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
    // Returns false to refuse the change.
    std::function<bool()> guard;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// A check box whose long caption wraps onto further lines, as the
// settings boxes do; the whole box area takes the click.
class WrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Twips to pixels for the fixed geometry of the windows.
inline int tw(int twips) { return twips / 15; }
void placeTw(QWidget* w, int left, int top, int width, int height);

void setBold(QWidget* w, bool bold);


// What later subsystems add to the main window. Until they are in, each
// does nothing (ErsteLaden has a plain default that shows the last record).
struct Form1Services {
    std::function<void()> Datenzurucksetzen;
    std::function<void()> ErsteLaden;
    std::function<void()> FahrtLoschen;
    std::function<void()> PauschaleAnzeigen;
    std::function<void()> SperrTest;
    std::function<void()> Prozentverteilung;
    std::function<void()> Ges_Verbrauch;
    std::function<void()> KListe;
    std::function<void()> AListe;
    std::function<void()> AKliste;
    // The year's recalculation; false when a file was left as it was.
    std::function<bool()> aktualisieren;
    std::function<void()> SicherheitscopyNeu;   // full backup
    std::function<void()> Sicherheitscopy;      // quick backup
    std::function<void(const QString&)> Bildschirmzoom;
    std::function<void(int, bool, int, int)> Druckskalierung;
    // The printout page's row height, set once for every row.
    std::function<void(int)> Zeilenhoehe;
    // The tables the printout page rebuilds when it is opened.
    std::function<void()> KFZTabelle;
    std::function<void()> KfzTabelle4;
    std::function<void()> KFZTabelle3;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up sequence; false after a fatal message (the program must end
    // with a non-zero status and nothing has been written).
    bool Form_Load();
    // Closing the main window: a running download ended and its file
    // removed, full backup, last vehicle, settings written.
    void Form_QueryUnload();
    // "Beenden": likewise, with a quick backup; the caller ends the program.
    void Command17_Click();

    Form1Services services;
    // The commands the keyboard shortcuts reach from every page.
    Tastenbefehle tasten;

    // ---- members of the main window ----
    int Buildnummer = 0;
    // Compared by the update check; nothing assigns them.
    int ServerBuildnummer = 0;
    QString ServerVersion;
    int Personenzahl = 0;
    bool FrBenzinOffen = false;
    QString Hilfsdateipfad;

    // ---- controls of the title page ----
    SSTab* SSTab1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Label122N = nullptr;
    QLabel* Label55 = nullptr;
    QLabel* Label95 = nullptr;
    QLabel* Label105 = nullptr;
    QLabel* Label106 = nullptr;
    QLabel* Label107 = nullptr;
    QLabel* Label126 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command16 = nullptr;
    QPushButton* Command17 = nullptr;
    QPushButton* CBTextfensterTitel = nullptr;
    QPlainTextEdit* TTitelHilfe = nullptr;

    // ---- controls of the settings page ----
    QGroupBox* Frame6 = nullptr;
    std::array<QRadioButton*, 4> Aktu_Auto{};
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check8 = nullptr;
    QCheckBox* Check10 = nullptr;
    QCheckBox* Check11 = nullptr;
    QCheckBox* Check12 = nullptr;
    QCheckBox* Check6 = nullptr;   // on the evaluation page, found there
    std::array<QGroupBox*, 4> GrundAuto{};
    std::array<QLineEdit*, 4> KfzEingabe{};
    std::array<QLineEdit*, 4> KmEingabe{};
    std::array<QLineEdit*, 4> StandortEingabe{};
    std::array<QLineEdit*, 4> HalterEingabe{};
    std::array<GuardedOption*, 4> FirmenPkw{};
    std::array<GuardedOption*, 4> PrivatPkw{};
    std::array<QLabel*, 4> Label12{}, Label13{}, Label14{}, Label15{};
    std::array<QPushButton*, 4> Command1{};
    QGroupBox* Frame9 = nullptr;
    forms::DriveListBox* Drive1 = nullptr;
    forms::DirListBox* Dir1 = nullptr;
    QLabel* LSPfad = nullptr;
    QPushButton* CSicherSpeicher = nullptr;
    QMenu* mnuMyPopUp = nullptr;
    QAction* Verloeschen = nullptr;
    QAction* VerErstellen = nullptr;
    QAction* SichErstellen = nullptr;
    QPushButton* CDateiSuchen = nullptr;
    QPushButton* CBTextfensterGr = nullptr;
    QPlainTextEdit* TGrHilfe = nullptr;

    // ---- controls of the other pages, found by name (may be absent) ----
    QWidget* ctl(const QString& name) const;
    template <class T> T* ctl(const QString& name) const { return qobject_cast<T*>(ctl(name)); }
    QRadioButton* AutoOpt(int k) const;
    void showCtl(const QString& name, bool visible) const;
    void setCtlText(const QString& name, const QString& text) const;

    // ---- year set-up ----
    bool JahrEinstellung();
    // ---- vehicles (master records, selection, settings page) ----
    // Write direction: false when the record could not be written (shown).
    bool AutoDat(int n, bool schreiben);
    bool beschaedigtenKfzSatzSichern(int n);
    bool EingabeTestAuto(int i);
    int AutoTest();
    void GrundTest();
    void DateiTest();
    bool Autowechsel(int i);
    void AutoBP();
    void Aktu_Auto_Click(int index);
    void AutoOpt_Click(int index);
    void Command1_Click(int index);
    bool FirmenPkw_MouseDown(int index);
    bool PrivatPkw_MouseDown(int index);
    // ---- option check boxes ----
    void Check1_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check8_Click();
    void Check10_Click();
    void Check11_Click();
    void Check12_Click();
    // ---- page change and backup frame ----
    void SSTab1_Click(int previousTab);
    // ---- keys and title page commands ----
    void Form_KeyDown(int& keyCode, int shift);
    void Pause_Taste();
    void Command4_Click();
    void Command16_Click();
    void Dir1_Change();
    void Drive1_Change();
    void CSicherSpeicher_Click();
    void VerErstellen_Click();
    void Verloeschen_Click();
    void SichErstellen_Click();

    // Icons by brand (first and second pass); the secondary windows loaded.
    void MarkeErsterDurchgang();
    void MarkeZweiterDurchgang();
    QWidget* FKunden = nullptr;
    QWidget* FSuchen = nullptr;
    QWidget* FText = nullptr;
    QWidget* FDownload = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void downloadBeenden();
    void buildTitelseite(QWidget* page);
    void buildGrundeinstellungen(QWidget* page);
    void connectOtherPages();
    void connectSettingsPage();
    void firstStartDefaults();
    void OptionenNachNeuemLesen(const VoreinstellungSatz& vorher);
    void vehiclePresets();
    void listPresets();
    void ErsteLadenDefault();
    bool FahrzeugWechseln(int index);
    // The option boxes' state into a vehicle record.
    void OptionenInKfz(KfzGrundeinstellung& K) const;
    // Company/private choice of a frame: refused once its vehicle has trips.
    bool FahrzeugtypWechseln(int index, bool firma);
    // Time fields and information frames of the entry page as the current
    // vehicle's type asks for, after an option box changed them.
    void EintragsseiteAbgleichen();
    // The time fields of the entry page with their spins and captions.
    void Zeitfelder(bool sichtbar) const;
    void run(const std::function<void()>& f) { if (f) f(); }
    void connectCommands();
    // Both close paths may meet (the window closed while "Beenden" ends the
    // program): the backup and the settings are written once.
    bool m_beendet = false;
    QWidget* m_pages[5] = {};
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace kmk
