#pragma once
// The progress bar of the download window: a picture box that keeps what
// was drawn on it (automatic redraw) and the drawing routine DrawProgress.
// The arithmetic is apart so it can be checked with plain numbers.

#include <QColor>
#include <QImage>
#include <QWidget>

namespace upd {

struct Fortschritt {
    qint32 wert = 0;        // clamped into min..max
    int prozent = 0;        // Int(wert / max * 100 + 0.5); 100 when max <= 0
    int balkenbreite = 0;   // scaleWidth / 100 * prozent, rounded half to even
};
Fortschritt fortschrittBerechnen(qint32 value, qint32 min, qint32 max, int scaleWidth);

// The text is white while its left edge lies on the bar, else black.
QColor textfarbe(double currentX, int balkenbreite);

inline const QColor kBalkenfarbe = QColor(0, 0, 192);   // &HC00000, dark blue

class ProgressBox : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBox(QWidget* parent = nullptr);
    // The picture as drawn so far (empty until the first drawing).
    const QImage& bild() const { return m_bild; }
    // Cleared to the back colour at the current size.
    QImage& neuesBild();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage m_bild;
};

// Paints the bar for value in min..max and, with showPercent, the percent text.
void DrawProgress(ProgressBox* pic, qint32 value, qint32 min, qint32 max, bool showPercent);

} // namespace upd
