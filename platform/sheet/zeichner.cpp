#include "platform/sheet/zeichner.h"

#include <QCoreApplication>
#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>
#include <QFontMetricsF>
#include <QLineF>
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
    QFont f;
    // Arial, or a face with its widths, so column texts fit as in the
    // spreadsheet programs the tables are read in.
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                   QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
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

    // Shaped text by font and string: tables repeat their captions and
    // places on every page, and shaping is the dear part of drawing text.
    struct Text {
        QList<QGlyphRun> runs;
        double breite = 0;
        double oberlaenge = 0;
    };
    std::unordered_map<int, std::unordered_map<QString, Text>> texte;
    const Text& text(int punkte, bool fett, const QString& t)
    {
        auto& tabelle = texte[punkte * 2 + (fett ? 1 : 0)];
        auto it = tabelle.find(t);
        if (it != tabelle.end())
            return it->second;
        if (tabelle.size() > 4000)
            tabelle.clear();
        QTextLayout lay(t, get(punkte, fett).first);
        lay.beginLayout();
        QTextLine zeile = lay.createLine();
        lay.endLayout();
        Text x;
        x.runs = lay.glyphRuns();
        x.breite = zeile.naturalTextWidth();
        x.oberlaenge = zeile.ascent();
        return tabelle.emplace(t, std::move(x)).first->second;
    }
};

Schriften*& vorrat()
{
    static Schriften* s = nullptr;
    return s;
}

// One store for every paint: all of it runs on the window thread. The
// fonts go with the application, not at program exit.
Schriften& schriftenVorrat()
{
    Schriften*& s = vorrat();
    if (!s) {
        s = new Schriften;
        qAddPostRoutine([] {
            delete vorrat();
            vorrat() = nullptr;
        });
    }
    return *s;
}

void zeichneText(QPainter& p, const Schriften::Text& x, const QPointF& grundlinie)
{
    const QPointF ursprung(grundlinie.x(), grundlinie.y() - x.oberlaenge);
    for (const QGlyphRun& run : x.runs)
        p.drawGlyphRun(ursprung, run);
}

// A text that does not fit its room is cut at the room's edges.
void zeichneText(QPainter& p, const Schriften::Text& x, const QPointF& grundlinie, const QRectF& raum, bool passt)
{
    if (passt) {
        zeichneText(p, x, grundlinie);
        return;
    }
    p.save();
    p.setClipRect(raum, Qt::IntersectClip);
    zeichneText(p, x, grundlinie);
    p.restore();
}

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
    Schriften& schriften = schriftenVorrat();
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
    if (gitter) {
        double h = 0;
        for (int32_t r = vonZeile; r <= bisZeile; ++r)
            h += b.zeilenhoehe(r);
        p.setPen(gitterLinie);
        for (double k : kante)
            p.drawLine(QPointF(k, y), QPointF(k, y + h));
    }
    double oben = y;
    std::vector<QLineF> linien;
    // Texts running on past their cell: painted after the frame lines, on a
    // white ground, so no neighbour's frame crosses them.
    struct Lauftext {
        Schriften::Text text;
        QPointF grundlinie;
        QRectF raum;
        bool passt;
    };
    std::vector<Lauftext> lauftexte;
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
                QString t = b.anzeigetext(z);
                if (!t.isEmpty()) {
                    const int punkte = z.groesse ? z.groesse : kStandardgroesse;
                    const auto& [font, fm] = schriften.get(punkte, z.fett);
                    const Schriften::Text* geformt = &schriften.text(punkte, z.fett, t);
                    int32_t sv = c, sb = c;
                    laufbereich(b, r, c, geformt->breite + 2 * kAbstand, vonSpalte, bisSpalte, sv, sb);
                    const double l = links(sv), raum = rechts(sb) - l;
                    bool passt = geformt->breite + 2 * kAbstand <= raum;
                    // A number cut at the cell's edge would read as another
                    // number: it shows as "#" across the cell instead.
                    if (!passt && z.art != Zelle::Art::Text) {
                        const double raute = schriften.text(punkte, z.fett, QStringLiteral("#")).breite;
                        const int n = raute > 0 ? int((raum - 2 * kAbstand) / raute) : 0;
                        t = QString(std::max(1, n), u'#');
                        geformt = &schriften.text(punkte, z.fett, t);
                        passt = geformt->breite + 2 * kAbstand <= raum;
                    }
                    const double breite = geformt->breite;
                    // Text wider than its room starts at the left edge and is
                    // cut at the right, as a spreadsheet shows it.
                    double tx = l + kAbstand;
                    if (passt) {
                        const int hz = ausrichtungHorizontal(z);
                        if (hz == 2)
                            tx = l + (raum - breite) / 2;
                        else if (hz == 3)
                            tx = l + raum - kAbstand - breite;
                    }
                    p.setPen(Qt::black);
                    const QPointF grundlinie(tx, unten - kAbstand / 2 - fm.descent());
                    if (sb > sv) {
                        lauftexte.push_back({*geformt, grundlinie, QRectF(l, oben, raum, h), passt});
                    } else {
                        zeichneText(p, *geformt, grundlinie, QRectF(l, oben, raum, h), passt);
                    }
                }
                // Frame lines: the cell's own and its neighbours' shared
                // ones. An edge shared with a cell of the block is drawn
                // by that cell (as its top or left), so it is drawn once.
                const uint8_t k = kanten(b, r, c);
                if (k) {
                    const double l = links(c), re = rechts(c);
                    if (k & Oben) linien.emplace_back(l, oben, re, oben);
                    if (k & Links) linien.emplace_back(l, oben, l, unten);
                    if ((k & Unten) && (r == bisZeile || !b.finde(r + 1, c)))
                        linien.emplace_back(l, unten, re, unten);
                    if ((k & Rechts) && (c == bisSpalte || !b.finde(r, c + 1)))
                        linien.emplace_back(re, oben, re, unten);
                }
            }
        }
        oben = unten;
    }
    if (!linien.empty()) {
        p.setPen(linie);
        p.drawLines(linien.data(), int(linien.size()));
    }
    for (const Lauftext& t : lauftexte) {
        // Inside the outer edges, so the cell's own frame stays.
        p.fillRect(t.raum.adjusted(8, 8, -8, -8), Qt::white);
        p.setPen(Qt::black);
        zeichneText(p, t.text, t.grundlinie, t.raum, t.passt);
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
    Schriften& schriften = schriftenVorrat();
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
