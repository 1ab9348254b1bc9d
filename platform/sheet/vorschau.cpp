#include "platform/sheet/vorschau.h"

#include "platform/sheet/zeichner.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace sheet {

class Seitenbild : public QWidget {
public:
    Seitenbild(const Blatt& b, const Seitenplan& plan, QWidget* eltern)
        : QWidget(eltern), m_blatt(b), m_plan(plan), m_jetzt(QDateTime::currentDateTime())
    {
        setMinimumSize(300, 300);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        setPalette(pal);
    }
    int index = 0;
    int gemalt = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_plan.seiten.empty())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        // The page fitted into the widget, with a small border.
        const double rand = 12;
        const double f = std::min((width() - 2 * rand) / m_plan.papierBreite, (height() - 2 * rand) / m_plan.papierHoehe);
        const double w = m_plan.papierBreite * f, h = m_plan.papierHoehe * f;
        const QRectF blatt((width() - w) / 2, (height() - h) / 2, w, h);
        p.fillRect(blatt.translated(3, 3), QColor(60, 60, 60));
        p.fillRect(blatt, Qt::white);
        p.translate(blatt.topLeft());
        p.scale(f, f);
        zeichneSeite(p, m_blatt, m_plan, index, m_jetzt);
        ++gemalt;
    }

private:
    const Blatt& m_blatt;
    const Seitenplan& m_plan;
    QDateTime m_jetzt;
};

Vorschau::Vorschau(const Blatt& b, QWidget* eltern)
    : QDialog(eltern), m_blatt(b), m_plan(paginiere(b))
{
    setWindowTitle(QStringLiteral("Druckvorschau"));
    m_bild = new Seitenbild(m_blatt, m_plan, this);
    auto* drucke = new QPushButton(QStringLiteral("Drucken..."), this);
    drucke->setObjectName(QStringLiteral("Drucken"));
    m_zurueck = new QPushButton(QStringLiteral("< Vorherige Seite"), this);
    m_zurueck->setObjectName(QStringLiteral("Zurueck"));
    m_weiter = new QPushButton(QStringLiteral("Nächste Seite >"), this);
    m_weiter->setObjectName(QStringLiteral("Weiter"));
    auto* schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("Schliessen"));
    m_anzeige = new QLabel(this);
    m_anzeige->setObjectName(QStringLiteral("Seitenanzeige"));

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(drucke);
    knoepfe->addSpacing(12);
    knoepfe->addWidget(m_zurueck);
    knoepfe->addWidget(m_weiter);
    knoepfe->addWidget(m_anzeige);
    knoepfe->addStretch(1);
    knoepfe->addWidget(schliessen);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(knoepfe);
    lay->addWidget(m_bild, 1);

    connect(drucke, &QPushButton::clicked, this, [this] { if (drucken) drucken(); });
    connect(m_zurueck, &QPushButton::clicked, this, [this] { zeigeSeite(m_seite - 1); });
    connect(m_weiter, &QPushButton::clicked, this, [this] { zeigeSeite(m_seite + 1); });
    connect(schliessen, &QPushButton::clicked, this, &QDialog::reject);
    resize(900, 700);
    zeigeSeite(0);
}

void Vorschau::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageUp: zeigeSeite(m_seite - 1); break;
    case Qt::Key_PageDown: zeigeSeite(m_seite + 1); break;
    case Qt::Key_Home: zeigeSeite(0); break;
    case Qt::Key_End: zeigeSeite(seiten() - 1); break;
    default: QDialog::keyPressEvent(e);
    }
}

int Vorschau::gemalt() const
{
    return m_bild->gemalt;
}

void Vorschau::zeigeSeite(int index)
{
    m_seite = std::clamp(index, 0, std::max(0, seiten() - 1));
    m_bild->index = m_seite;
    m_anzeige->setText(QStringLiteral("Seite %1 von %2").arg(m_seite + 1).arg(seiten()));
    m_zurueck->setEnabled(m_seite > 0);
    m_weiter->setEnabled(m_seite + 1 < seiten());
    m_bild->update();
}

} // namespace sheet
