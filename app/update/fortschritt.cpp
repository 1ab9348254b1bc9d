#include "app/update/fortschritt.h"

#include "platform/vb/number.h"

#include <QPainter>
#include <cmath>

namespace upd {

Fortschritt fortschrittBerechnen(qint32 value, qint32 min, qint32 max, int scaleWidth)
{
    Fortschritt f;
    f.wert = value;
    if (f.wert < min)
        f.wert = min;
    if (f.wert > max)
        f.wert = max;
    f.prozent = max > 0 ? int(std::floor(double(f.wert) / double(max) * 100.0 + 0.5)) : 100;
    f.balkenbreite = int(vb::roundHalfEven(double(scaleWidth) / 100.0 * f.prozent));
    return f;
}

QColor textfarbe(double currentX, int balkenbreite)
{
    return currentX <= balkenbreite ? QColor(Qt::white) : QColor(Qt::black);
}

ProgressBox::ProgressBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picProgress1"));
}

QImage& ProgressBox::neuesBild()
{
    m_bild = QImage(size(), QImage::Format_RGB32);
    m_bild.fill(palette().color(QPalette::Base));
    return m_bild;
}

void ProgressBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    if (!m_bild.isNull())
        p.drawImage(0, 0, m_bild);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void DrawProgress(ProgressBox* pic, qint32 value, qint32 min, qint32 max, bool showPercent)
{
    if (!pic)
        return;
    QImage& bild = pic->neuesBild();
    const Fortschritt f = fortschrittBerechnen(value, min, max, bild.width());
    if (f.wert > 0) {
        QPainter p(&bild);
        p.fillRect(QRect(0, 0, f.balkenbreite, bild.height()), kBalkenfarbe);
        if (showPercent) {
            const QString text = QString::number(f.prozent) + QStringLiteral(" %");
            p.setFont(pic->font());
            const QFontMetrics fm(pic->font());
            const double x = (bild.width() - fm.horizontalAdvance(text)) / 2.0;
            const double y = (bild.height() - fm.height()) / 2.0;
            p.setPen(textfarbe(x, f.balkenbreite));
            p.drawText(QPointF(x, y + fm.ascent()), text);
        }
    }
    pic->update();
}

} // namespace upd
