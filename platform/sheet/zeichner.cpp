#include "platform/sheet/zeichner.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <unordered_map>

namespace sheet {

namespace {

// Inner padding of a cell's text, twips.
constexpr double kAbstand = 30.0;

QFont schrift(int punkte, bool fett)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, punkte * 20));   // 20 twips to the point
    f.setBold(fett);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

struct Schriften {
    std::unordered_map<int, std::pair<QFont, QFontMetricsF>> m;
    const std::pair<QFont, QFontMetricsF>& get(int punkte, bool fett)
    {
        const int key = punkte * 2 + (fett ? 1 : 0);
        auto it = m.find(key);
        if (it == m.end()) {
            QFont f = schrift(punkte, fett);
            it = m.emplace(key, std::make_pair(f, QFontMetricsF(f))).first;
        }
        return it->second;
    }
};

} // namespace

void twipTransform(QPainter& p, const QPaintDevice& geraet, double zoom)
{
    p.scale(geraet.logicalDpiX() / 1440.0 * zoom, geraet.logicalDpiY() / 1440.0 * zoom);
}

double zeichneBereich(QPainter& p, const Blatt& b, int32_t vonZeile, int32_t bisZeile, int32_t vonSpalte,
                      int32_t bisSpalte, double x, double y, bool gitter)
{
    if (bisZeile < vonZeile || bisSpalte < vonSpalte)
        return 0;
    Schriften schriften;
    // Column edges of the block.
    std::vector<double> kante(size_t(bisSpalte - vonSpalte + 2));
    kante[0] = x;
    for (int32_t c = vonSpalte; c <= bisSpalte; ++c)
        kante[size_t(c - vonSpalte + 1)] = kante[size_t(c - vonSpalte)] + b.spaltenbreite(c);
    auto links = [&](int32_t c) { return kante[size_t(c - vonSpalte)]; };
    auto rechts = [&](int32_t c) { return kante[size_t(c - vonSpalte + 1)]; };

    p.save();
    QPen linie(Qt::black);
    linie.setWidthF(15);    // a fine line on paper, one pixel on screen
    linie.setCapStyle(Qt::SquareCap);
    QPen gitterLinie(QColor(208, 208, 208));
    gitterLinie.setWidthF(0);

    const double gesamtBreite = kante.back() - x;
    double oben = y;
    const auto& zeilen = b.zeilen();
    auto it = zeilen.lower_bound(vonZeile);
    for (int32_t r = vonZeile; r <= bisZeile; ++r) {
        const double h = b.zeilenhoehe(r);
        const double unten = oben + h;
        if (gitter) {
            p.setPen(gitterLinie);
            p.drawLine(QPointF(x, unten), QPointF(x + gesamtBreite, unten));
        }
        while (it != zeilen.end() && it->first < r)
            ++it;
        if (it != zeilen.end() && it->first == r) {
            for (const auto& [c, z] : it->second) {
                if (c < vonSpalte || c > bisSpalte)
                    continue;
                // Text.
                const QString t = b.anzeigetext(z);
                if (!t.isEmpty()) {
                    const auto& [font, fm] = schriften.get(z.groesse ? z.groesse : kStandardgroesse, z.fett);
                    const double noetig = fm.horizontalAdvance(t) + 2 * kAbstand;
                    int32_t sv = c, sb = c;
                    laufbereich(b, r, c, noetig, vonSpalte, bisSpalte, sv, sb);
                    const QRectF feld(links(sv) + kAbstand, oben, rechts(sb) - links(sv) - 2 * kAbstand, h);
                    Qt::Alignment a = Qt::AlignBottom;
                    switch (ausrichtungHorizontal(z)) {
                    case 1: a |= Qt::AlignLeft; break;
                    case 2: a |= Qt::AlignHCenter; break;
                    default: a |= Qt::AlignRight; break;
                    }
                    p.setFont(font);
                    p.setPen(Qt::black);
                    p.save();
                    p.setClipRect(QRectF(links(sv), oben, rechts(sb) - links(sv), h), Qt::IntersectClip);
                    // Text wider than its room starts at the left edge, as a spreadsheet cuts it.
                    if (noetig > feld.width() + 2 * kAbstand && (a & Qt::AlignLeft) == 0)
                        a = (a & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
                    p.drawText(feld.adjusted(0, 0, 0, -kAbstand / 2), int(a) | Qt::TextSingleLine, t);
                    p.restore();
                }
                // Frame lines: the cell's own and its neighbours' shared ones.
                const uint8_t k = kanten(b, r, c);
                if (k) {
                    p.setPen(linie);
                    const double l = links(c), re = rechts(c);
                    if (k & Oben) p.drawLine(QPointF(l, oben), QPointF(re, oben));
                    if (k & Unten) p.drawLine(QPointF(l, unten), QPointF(re, unten));
                    if (k & Links) p.drawLine(QPointF(l, oben), QPointF(l, unten));
                    if (k & Rechts) p.drawLine(QPointF(re, oben), QPointF(re, unten));
                }
            }
        }
        oben = unten;
    }
    if (gitter) {
        p.setPen(gitterLinie);
        for (double k : kante)
            p.drawLine(QPointF(k, y), QPointF(k, oben));
    }
    p.restore();
    return oben - y;
}

void zeichneSeite(QPainter& p, const Blatt& b, const Seitenplan& plan, int index, const QDateTime& jetzt)
{
    if (index < 0 || index >= int(plan.seiten.size()))
        return;
    const Druckseite& s = plan.seiten[size_t(index)];
    const int anzahl = int(plan.seiten.size());

    // Header and footer, unscaled, across the printable width.
    Schriften schriften;
    const auto& [font, fm] = schriften.get(kStandardgroesse, false);
    p.setFont(font);
    p.setPen(Qt::black);
    auto zeile = [&](const QString& text, double yOben, Qt::Alignment v) {
        const KopfFuss k = loeseCodes(text, index + 1, anzahl, b.name, jetzt);
        const QRectF r(plan.druckLinks, yOben, plan.druckBreite, fm.height());
        p.drawText(r, int(Qt::AlignLeft | v) | Qt::TextSingleLine, k.links);
        p.drawText(r, int(Qt::AlignHCenter | v) | Qt::TextSingleLine, k.mitte);
        p.drawText(r, int(Qt::AlignRight | v) | Qt::TextSingleLine, k.rechts);
    };
    zeile(b.seite.kopfzeile, b.seite.abstandKopf * 1440.0, Qt::AlignTop);
    zeile(b.seite.fusszeile, plan.papierHoehe - b.seite.abstandFuss * 1440.0 - fm.height(), Qt::AlignBottom);

    p.save();
    p.translate(plan.druckLinks, plan.druckOben);
    p.scale(plan.massstab, plan.massstab);
    double y = 0;
    if (s.titelBis > 0)
        y += zeichneBereich(p, b, s.titelVon, s.titelBis, s.vonSpalte, s.bisSpalte, 0, y, false);
    zeichneBereich(p, b, s.vonZeile, s.bisZeile, s.vonSpalte, s.bisSpalte, 0, y, false);
    p.restore();
}

} // namespace sheet
