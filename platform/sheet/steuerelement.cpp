#include "platform/sheet/steuerelement.h"

#include "platform/sheet/druck.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/zeichner.h"
#include "platform/forms/seams.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace sheet {

namespace {

// Headings in pixels.
constexpr int kKopfHoehe = 18;
constexpr int kKopfBreite = 40;

} // namespace

Steuerelement::Steuerelement(QWidget* eltern) : QAbstractScrollArea(eltern)
{
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    // The window's help line follows the mouse over the sheet.
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);

    // Many puts in a row are shown once, when the builder is done.
    geaendert = [this] {
        if (m_ausstehend)
            return;
        m_ausstehend = true;
        QTimer::singleShot(0, this, [this] {
            m_ausstehend = false;
            neuAufbauen();
        });
    };
    vorschau = [this] { druckdienste()->vorschau(blatt(), drucker(), window()); };
    einrichtung = [this] {
        drucker().setPageSize(QPageSize(blatt().seite.papier == 8 ? QPageSize::A3
                                        : blatt().seite.papier == 1 ? QPageSize::Letter : QPageSize::A4));
        druckdienste()->einrichtung(drucker(), window());
    };
    speichernDialog = [this](const QString& titel, Dateiangabe& angabe) { return ablageWaehlen(titel, angabe); };
    neuAufbauen();
}

Steuerelement::~Steuerelement() = default;

bool Steuerelement::ablageWaehlen(const QString& titel, Dateiangabe& angabe)
{
    forms::Dialogs* d = forms::services().dialogs;
    // Where this run saved last, at first the home folder: never the
    // folder the program happened to be started from.
    QString ort = !angabe.Dateiname.isEmpty() ? angabe.Dateiname
                  : !m_ablageordner.isEmpty() ? m_ablageordner
                                              : QDir::homePath();
    for (;;) {
        QString filter = filterZuDateityp(angabe.Dateityp);
        QString name = d->saveFileName(titel, ort, ablagefilter(), &filter);
        if (name.isEmpty())
            return false;
        const QString getippt = name;
        const int typ = dateitypZuName(name, dateitypZuFilter(filter));
        // The one replace question, about the file that will be written;
        // the dialog asks none. No takes the user back to the dialog with
        // the type and the name chosen there.
        if (QFileInfo::exists(name)
            && d->msgBox(QStringLiteral("Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?")
                             .arg(QFileInfo(name).fileName()),
                         forms::vbYesNo | forms::vbExclamation | forms::vbDefaultButton2, titel)
                   != forms::vbYes) {
            ort = getippt;
            angabe.Dateityp = typ;
            continue;
        }
        angabe.Dateiname = name;
        angabe.Dateityp = typ;
        return true;
    }
}

bool Steuerelement::DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler)
{
    if (!BlattSteuerung::DateiSchreiben(dateiname, dateityp, fehler))
        return false;
    m_ablageordner = QFileInfo(dateiname).absolutePath();
    return true;
}

QPrinter& Steuerelement::drucker()
{
    if (!m_drucker)
        m_drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_drucker;
}

int Steuerelement::kopfschrift() const
{
    // The row numbers follow the rows: a digit never taller than its row.
    const double zeile = blatt().standardhoehe() * faktor();
    return std::clamp(int(zeile * 0.8), 1, 11);
}

double Steuerelement::faktor() const
{
    return logicalDpiX() / 1440.0 * blatt().zoom / 100.0;
}

int32_t Steuerelement::obersteZeile() const
{
    return verticalScrollBar()->value() + 1;
}

int32_t Steuerelement::linkeSpalte() const
{
    return horizontalScrollBar()->value() + 1;
}

void Steuerelement::neuAufbauen()
{
    const Blatt& b = blatt();
    const int32_t zeilen = std::max<int32_t>(b.letzteZeile() + 10, 100);
    const int32_t spalten = std::max<int32_t>(b.letzteSpalte() + 2, 26);
    const int sichtbar = std::max(1, int((viewport()->height() - kKopfHoehe) / (b.standardhoehe() * faktor())));
    verticalScrollBar()->setRange(0, std::max(0, zeilen - sichtbar));
    verticalScrollBar()->setPageStep(sichtbar);
    horizontalScrollBar()->setRange(0, std::max(0, spalten - 4));
    horizontalScrollBar()->setPageStep(4);
    viewport()->update();
}

void Steuerelement::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    neuAufbauen();
}

void Steuerelement::keyPressEvent(QKeyEvent* e)
{
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    switch (e->key()) {
    case Qt::Key_Up: v->setValue(v->value() - 1); break;
    case Qt::Key_Down: v->setValue(v->value() + 1); break;
    case Qt::Key_PageUp: v->setValue(v->value() - v->pageStep()); break;
    case Qt::Key_PageDown: v->setValue(v->value() + v->pageStep()); break;
    case Qt::Key_Left: h->setValue(h->value() - 1); break;
    case Qt::Key_Right: h->setValue(h->value() + 1); break;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier)
            v->setValue(0);
        h->setValue(0);
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier)
            v->setValue(v->maximum());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
    }
}

void Steuerelement::scrollContentsBy(int, int)
{
    viewport()->update();
}

void Steuerelement::paintEvent(QPaintEvent*)
{
    const Blatt& b = blatt();
    QPainter p(viewport());
    const double f = faktor();
    const int32_t oben = obersteZeile(), links = linkeSpalte();
    const double hoeheTw = (viewport()->height() - kKopfHoehe) / f;
    const double breiteTw = (viewport()->width() - kKopfBreite) / f;

    // Rows and columns in sight.
    int32_t unten = oben;
    for (double h = b.zeilenhoehe(oben); h < hoeheTw; h += b.zeilenhoehe(++unten)) {}
    int32_t rechts = links;
    for (double w = b.spaltenbreite(links); w < breiteTw && rechts < 16384; w += b.spaltenbreite(++rechts)) {}
    m_gemalt = unten - oben + 1;

    // Headings.
    const QColor kopfFarbe(236, 236, 236);
    p.fillRect(0, 0, viewport()->width(), kKopfHoehe, kopfFarbe);
    p.fillRect(0, 0, kKopfBreite, viewport()->height(), kopfFarbe);
    QFont kf = font();
    kf.setPixelSize(kopfschrift());
    p.setFont(kf);
    p.setPen(QColor(120, 120, 120));
    double x = kKopfBreite;
    for (int32_t c = links; c <= rechts; ++c) {
        const double w = b.spaltenbreite(c) * f;
        p.drawText(QRectF(x, 0, w, kKopfHoehe), Qt::AlignCenter, spaltenname(c));
        p.drawLine(QPointF(x + w, 0), QPointF(x + w, kKopfHoehe));
        x += w;
    }
    double y = kKopfHoehe;
    for (int32_t r = oben; r <= unten; ++r) {
        const double h = b.zeilenhoehe(r) * f;
        p.drawText(QRectF(0, y, kKopfBreite - 4, h), Qt::AlignRight | Qt::AlignVCenter, QString::number(r));
        p.drawLine(QPointF(0, y + h), QPointF(kKopfBreite, y + h));
        y += h;
    }

    // Cells.
    p.setClipRect(QRect(kKopfBreite, kKopfHoehe, viewport()->width(), viewport()->height()));
    p.translate(kKopfBreite, kKopfHoehe);
    p.scale(f, f);
    p.setRenderHint(QPainter::TextAntialiasing);
    zeichneBereich(p, b, oben, unten, links, rechts, 0, 0, true);
}

} // namespace sheet
