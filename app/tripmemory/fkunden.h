#pragma once
// The trip-memory editor "Fahrtenspeicher bearbeiten": one record at a time
// in a mask (trip type, km, five texts), the whole file as a table with a
// search, paging, new, save and delete. Each opening reads the file afresh;
// every change is written at once (a rewrite through a temporary file), and
// the main window's lists are rebuilt after each change and on closing.
//
//   auto* fk = new FKunden(fahrtenspeicher, mainWindow);
//   fk->hauptfensterNeu = [&]{ fs.KListe(); fs.AListe(); };
//   fk->setWindowModality(Qt::ApplicationModal); fk->show();

#include "app/resize/clsresize.h"
#include "app/tripmemory/kundendatei.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace forms {
class ComboBox;
class OptionGroup;
}

namespace kmk {

class Fahrtenspeicher;

class FKunden : public QWidget {
    Q_OBJECT
public:
    // The window shares the trip memory's record buffer and file.
    FKunden(Fahrtenspeicher& fs, QWidget* hauptfenster = nullptr);
    ~FKunden() override;

    // The main window's trip-memory lists and customer table, rebuilt after
    // every change and when the window closes.
    std::function<void()> hauptfensterNeu;
    // Whether the main window and the message dialog allow rescaling now.
    std::function<bool()> skalierenErlaubt;

    // ---- procedures of the window ----
    void Form_Activate();
    bool Kunden_oeffnen();
    bool Datensatz_zeigen(int Nr);
    void Daten_Eingabe();
    bool Eingabe_Daten();
    bool Kunde_speichern();
    void Liste_aufbauen();

    // ---- general helpers; no control calls them ----
    // Whether another program holds the file: true when opening it is
    // refused for want of rights (the runtime's error 70), false when it
    // opens. Any other failure throws vb::RuntimeError (53: no such file).
    static bool IsFileOpen(const QString& Path);
    // Waits about that many seconds while the events go on.
    static void Delay(qint64 Seconds);

    // ---- handlers ----
    void DatAnfang_Click();
    void DatZuruck_Click();
    void DatVor_Click();
    void DatEnde_Click();
    void DatNeu_Click();
    void DatSpeichern_Click();
    void DatLoeschen_Click();
    void CSchliessen_Click();
    void CWeiter_Click();
    void DatListe_Click();

    // ---- state ----
    int LetzterSatz = 0;
    int AktuellerSatz = 0;
    int SpeicherAnzahl = 0;
    bool NeuerSatz = false;
    int Suchposition = 2;

    // ---- controls ----
    QWidget* Frame1 = nullptr;
    std::array<QRadioButton*, 5> Option{};
    forms::OptionGroup* Fahrtarten = nullptr;
    QLineEdit* Tgefkm = nullptr;
    forms::ComboBox* CTVon = nullptr;
    forms::ComboBox* CTWeg = nullptr;
    forms::ComboBox* CTNach = nullptr;
    forms::ComboBox* CTGPartner = nullptr;
    forms::ComboBox* CTGrund = nullptr;
    QLineEdit* TNr = nullptr;
    QListWidget* DatListe = nullptr;
    QLineEdit* TSuch = nullptr;
    QPushButton* CWeiter = nullptr;
    QPushButton *DatAnfang = nullptr, *DatZuruck = nullptr, *DatVor = nullptr, *DatEnde = nullptr;
    QPushButton *DatNeu = nullptr, *DatSpeichern = nullptr, *DatLoeschen = nullptr;
    QPushButton* CSchliessen = nullptr;
    QLabel* LKHilfe = nullptr;

    clsResize* oResize() const { return m_resize.get(); }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void aufbauen();
    void schliessen();
    void maskeLeeren();
    void maskeFarbe(qint64 bgr);
    void nachAenderung();
    void zeigeNummer(int n);
    void markiereZeile(int zeile);
    void plain(const QString& text) const;
    bool meldung(int n) const;
    std::array<forms::ComboBox*, 5> boxen() const { return {CTVon, CTWeg, CTNach, CTGPartner, CTGrund}; }

    Fahrtenspeicher& m_fs;
    std::unique_ptr<clsResize> m_resize;
    QHash<QObject*, QString> m_hilfe;
};

} // namespace kmk
