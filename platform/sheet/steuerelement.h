#pragma once
// The spreadsheet control on a window: the sheet model with its
// operations (BlattSteuerung), drawn like a spreadsheet with column letters,
// row numbers and gridlines at the sheet's zoom. Only the rows in sight are
// painted, so a sheet of 54,000 rows scrolls as fast as one of 50.
//
//   auto* f1 = new sheet::Steuerelement(seite);
//   f1->setObjectName("F1Book1");
//   tabelleBauen(*f1);                      // a Tabellenblatt&
//   f1->Druckvorschau();                    // through sheet::druckdienste()

#include "platform/sheet/blattsteuerung.h"

#include <QAbstractScrollArea>
#include <memory>

class QPrinter;

namespace sheet {

class Steuerelement : public QAbstractScrollArea, public BlattSteuerung {
    Q_OBJECT
public:
    explicit Steuerelement(QWidget* eltern = nullptr);
    ~Steuerelement() override;

    // The printer the preview and the printer set-up work on.
    QPrinter& drucker();
    // First row and column in sight.
    int32_t obersteZeile() const;
    int32_t linkeSpalte() const;
    // Rows painted by the last paint (for the check that only the visible
    // ones are).
    int32_t gemalteZeilen() const { return m_gemalt; }
    // Pixel size of the row and column headings' font at the sheet's zoom.
    int kopfschrift() const;
    // Writes the file; a save that succeeds is where the next save dialog
    // opens.
    bool DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler = nullptr) override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The save dialog: the type chosen there decides, the name gets its
    // ending (dateitypZuName), and a file of the final name is replaced
    // only when the user says so.
    bool ablageWaehlen(const QString& titel, Dateiangabe& angabe);
    void neuAufbauen();
    double faktor() const;   // device pixels per twip

    std::unique_ptr<QPrinter> m_drucker;
    bool m_ausstehend = false;
    int32_t m_gemalt = 0;
    QString m_ablageordner;   // of the last save of this run
};

} // namespace sheet
