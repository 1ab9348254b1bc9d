#pragma once
// "Fahrtenspeicherdatei Kund20XX.dat  suchen": finds last year's trip-memory
// file below a chosen folder and copies the chosen copy over this year's
// file, after asking and after keeping the old one in the backup folder.
//
//   auto* fs = new FSuchen(fahrten1(), mainWindow);
//   fs->nachImport = [&]{ speicher.KListe(); speicher.AListe(); };

#include "app/records/fahrten1.h"
#include "app/resize/clsresize.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <memory>

namespace forms {
class ComboBox;
}

namespace kmk {

class FSuchen : public QWidget {
    Q_OBJECT
public:
    FSuchen(Fahrten1& st, QWidget* hauptfenster = nullptr);

    // After a copy: the main window's trip-memory lists from the new file.
    std::function<void()> nachImport;
    // Whether the main window and the message dialog allow rescaling now.
    std::function<bool()> skalierenErlaubt;

    void Command1_Click();   // start the search
    void Command2_Click();   // copy the chosen file
    void Command3_Click();   // back to the main window
    void Command4_Click();   // stop the search

    bool sucht() const { return m_sucht; }
    // Where the old file of this year goes before an import.
    QString sicherungsordner() const;
    QString sicherungsziel() const;

    QString Suchdatei;
    int Trefferanzahl = 0;
    bool Suchabbruch = false;
    QString Programmordner;

    forms::ComboBox* Drive1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Anzeige = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void plain(const QString& text) const;
    Fahrten1& m_st;
    bool m_sucht = false;
    std::unique_ptr<clsResize> m_resize;
};

} // namespace kmk
