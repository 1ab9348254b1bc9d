#include "platform/sheet/seiten.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sheet {

namespace {

constexpr double kZoll = 1440.0;

double zeilenSumme(const Blatt& b, int32_t von, int32_t bis)
{
    if (bis < von)
        return 0;
    if (b.zeilenhoehen().empty())
        return double(bis - von + 1) * b.standardhoehe();
    double h = 0;
    for (int32_t r = von; r <= bis; ++r)
        h += b.zeilenhoehe(r);
    return h;
}

bool ohneInhalt(const Blatt& b, int32_t zeile, int32_t spalte)
{
    const Zelle* z = b.finde(zeile, spalte);
    return !z || !z->hatInhalt();
}

} // namespace

void papiergroesse(int code, double& breite, double& hoehe)
{
    switch (code) {
    case 1: breite = 8.5 * kZoll; hoehe = 11 * kZoll; break;        // Letter
    case 8: breite = 16838; hoehe = 23811; break;                    // A3
    default: breite = 11906; hoehe = 16838; break;                   // A4, 210 x 297 mm
    }
}

int druckprozent(const Seitenformat& s)
{
    return std::max(10, std::clamp(s.skalierung, 10, 400) * 85 / 100);
}

double druckmassstab(const Blatt& b)
{
    const Seitenformat& s = b.seite;
    if (!s.anpassen)
        return druckprozent(s) / 100.0;
    double w, h;
    papiergroesse(s.papier, w, h);
    if (s.quer)
        std::swap(w, h);
    const double druckBreite = std::max(720.0, w - (s.randLinks + s.randRechts) * kZoll);
    const double druckHoehe = std::max(720.0, h - (s.randOben + s.randUnten) * kZoll);
    double gesamtBreite = 0;
    for (int32_t c = 1; c <= std::max<int32_t>(1, b.letzteSpalte()); ++c)
        gesamtBreite += b.spaltenbreite(c);
    const double gesamtHoehe = zeilenSumme(b, 1, std::max<int32_t>(1, b.letzteZeile()));
    double m = 1.0;
    if (s.seitenBreit > 0 && gesamtBreite > 0)
        m = std::min(m, druckBreite * s.seitenBreit / gesamtBreite);
    if (s.seitenHoch > 0 && gesamtHoehe > 0)
        m = std::min(m, druckHoehe * s.seitenHoch / gesamtHoehe);
    // Whole percent, rounded down so the fit still holds; never below 10 %.
    m = std::floor(m * 100.0 + 1e-9) / 100.0;
    return std::max(0.10, m);
}

Seitenplan paginiere(const Blatt& b)
{
    const Seitenformat& s = b.seite;
    Seitenplan p;
    papiergroesse(s.papier, p.papierBreite, p.papierHoehe);
    if (s.quer)
        std::swap(p.papierBreite, p.papierHoehe);
    p.druckLinks = s.randLinks * kZoll;
    p.druckOben = s.randOben * kZoll;
    p.druckBreite = std::max(720.0, p.papierBreite - (s.randLinks + s.randRechts) * kZoll);
    p.druckHoehe = std::max(720.0, p.papierHoehe - (s.randOben + s.randUnten) * kZoll);
    p.massstab = druckmassstab(b);

    const int32_t letzteSpalte = std::max<int32_t>(1, b.letzteSpalte());
    const int32_t letzteZeile = std::max<int32_t>(1, b.letzteZeile());

    // Column strips across.
    std::vector<std::pair<int32_t, int32_t>> streifen;
    const double breiteVerfuegbar = p.druckBreite / p.massstab;
    double acc = 0;
    int32_t start = 1;
    for (int32_t c = 1; c <= letzteSpalte; ++c) {
        const double w = b.spaltenbreite(c);
        if (c > start && acc + w > breiteVerfuegbar) {
            streifen.push_back({start, c - 1});
            start = c;
            acc = 0;
        }
        acc += w;
    }
    streifen.push_back({start, letzteSpalte});

    // Row pages down.
    int32_t titelVon = s.titelVon, titelBis = s.titelBis;
    if (titelVon < 1 || titelBis < titelVon)
        titelVon = titelBis = 0;
    const double titelHoehe = zeilenSumme(b, titelVon, titelBis);
    const double hoeheVerfuegbar = p.druckHoehe / p.massstab;
    const std::vector<int32_t>& umbrueche = b.umbrueche();
    const bool gleichHoch = b.zeilenhoehen().empty();
    const double standard = b.standardhoehe();

    struct Band { int32_t von, bis; bool titel; };
    std::vector<Band> baender;
    auto naechsterUmbruch = umbrueche.begin();
    const auto& zellen = b.zeilen();
    int32_t r = 1;
    while (r <= letzteZeile) {
        // A stretch without any cell gives no pages: a stray far row must
        // not produce millions of blank ones.
        auto naechste = zellen.lower_bound(r);
        if (r > 1 && naechste != zellen.end() && naechste->first > r + 1000) {
            r = naechste->first;
            continue;
        }
        const bool mitTitel = titelBis > 0 && r > titelBis;
        double h = mitTitel ? titelHoehe : 0;
        while (naechsterUmbruch != umbrueche.end() && *naechsterUmbruch <= r)
            ++naechsterUmbruch;
        const int32_t grenze = naechsterUmbruch != umbrueche.end()
                                   ? std::min<int32_t>(*naechsterUmbruch - 1, letzteZeile) : letzteZeile;
        int32_t bis = r;
        h += gleichHoch ? standard : b.zeilenhoehe(r);
        if (gleichHoch) {
            // As many whole rows as fit, in one step.
            const double rest = hoeheVerfuegbar - h;
            const int64_t mehr = rest > 0 ? int64_t(std::floor(rest / standard + 1e-9)) : 0;
            bis = int32_t(std::min<int64_t>(grenze, int64_t(r) + mehr));
        } else {
            while (bis < grenze) {
                const double rh = b.zeilenhoehe(bis + 1);
                if (h + rh > hoeheVerfuegbar + 1e-6)
                    break;
                h += rh;
                ++bis;
            }
        }
        baender.push_back({r, bis, mitTitel});
        r = bis + 1;
    }

    p.seiten.reserve(streifen.size() * baender.size());
    for (const auto& [sv, sb] : streifen)
        for (const Band& band : baender) {
            Druckseite d;
            d.vonSpalte = sv;
            d.bisSpalte = sb;
            d.vonZeile = band.von;
            d.bisZeile = band.bis;
            if (band.titel) {
                d.titelVon = titelVon;
                d.titelBis = titelBis;
            }
            p.seiten.push_back(d);
        }
    return p;
}

KopfFuss loeseCodes(const QString& text, int seite, int seiten, const QString& blattname,
                    const QDateTime& jetzt)
{
    KopfFuss k;
    QString* teil = &k.mitte;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'&' || i + 1 >= text.size()) {
            teil->append(c);
            continue;
        }
        const QChar code = text.at(++i);
        switch (code.toUpper().unicode()) {
        case 'L': teil = &k.links; break;
        case 'C': teil = &k.mitte; break;
        case 'R': teil = &k.rechts; break;
        case 'P': teil->append(QString::number(seite)); break;
        case 'N': teil->append(QString::number(seiten)); break;
        case 'D': teil->append(jetzt.date().toString(QStringLiteral("dd.MM.yyyy"))); break;
        case 'T': teil->append(jetzt.time().toString(QStringLiteral("hh:mm"))); break;
        case 'A': teil->append(blattname); break;
        case '&': teil->append(u'&'); break;
        default:
            teil->append(c);
            teil->append(code);
        }
    }
    return k;
}

uint8_t kanten(const Blatt& b, int32_t zeile, int32_t spalte)
{
    uint8_t k = 0;
    if (const Zelle* z = b.finde(zeile, spalte))
        k = z->rahmen;
    if (spalte > 1)
        if (const Zelle* n = b.finde(zeile, spalte - 1); n && (n->rahmen & Rechts))
            k |= Links;
    if (const Zelle* n = b.finde(zeile, spalte + 1); n && (n->rahmen & Links))
        k |= Rechts;
    if (zeile > 1)
        if (const Zelle* n = b.finde(zeile - 1, spalte); n && (n->rahmen & Unten))
            k |= Oben;
    if (const Zelle* n = b.finde(zeile + 1, spalte); n && (n->rahmen & Oben))
        k |= Unten;
    return k;
}

int ausrichtungHorizontal(const Zelle& z)
{
    switch (z.ausrichtung) {
    case 1: return 1;
    case 3: return 2;
    case 2:
    case 4: return 3;
    }
    return z.art == Zelle::Art::Text ? 1 : 3;
}

void laufbereich(const Blatt& b, int32_t zeile, int32_t spalte, double breiteNoetig, int32_t grenzeLinks,
                 int32_t grenzeRechts, int32_t& von, int32_t& bis)
{
    von = bis = spalte;
    const Zelle* z = b.finde(zeile, spalte);
    if (!z || z->art != Zelle::Art::Text)
        return;
    double breite = b.spaltenbreite(spalte);
    const int h = ausrichtungHorizontal(*z);
    bool rechtsFrei = h != 3, linksFrei = h != 1;
    while (breite < breiteNoetig && (rechtsFrei || linksFrei)) {
        if (rechtsFrei) {
            if (bis < grenzeRechts && ohneInhalt(b, zeile, bis + 1)) {
                ++bis;
                breite += b.spaltenbreite(bis);
            } else {
                rechtsFrei = false;
            }
        }
        if (linksFrei && breite < breiteNoetig) {
            if (von > grenzeLinks && ohneInhalt(b, zeile, von - 1)) {
                --von;
                breite += b.spaltenbreite(von);
            } else {
                linksFrei = false;
            }
        }
    }
}

} // namespace sheet
