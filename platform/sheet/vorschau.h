#pragma once
// The print preview: one page at a time, fitted into the window, with page
// buttons and "Drucken". Pagination is done once when it opens (no fonts
// needed) and a page is painted only when it is shown, so a table of
// hundreds of pages opens at once.

#include "platform/sheet/blatt.h"
#include "platform/sheet/seiten.h"

#include <QDateTime>
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace sheet {

class Seitenbild;

class Vorschau : public QDialog {
    Q_OBJECT
public:
    Vorschau(const Blatt& b, QWidget* eltern = nullptr);

    int seite() const { return m_seite; }
    int seiten() const { return int(m_plan.seiten.size()); }
    void zeigeSeite(int index);
    const Seitenplan& plan() const { return m_plan; }
    // Pages painted so far (the preview paints only what it shows).
    int gemalt() const;

    // Runs on "Drucken" (the real preview prints on its printer).
    std::function<void()> drucken;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    const Blatt& m_blatt;
    Seitenplan m_plan;
    int m_seite = 0;
    Seitenbild* m_bild = nullptr;
    QLabel* m_anzeige = nullptr;
    QPushButton* m_zurueck = nullptr;
    QPushButton* m_weiter = nullptr;
};

} // namespace sheet
