#include "platform/sheet/schreiber.h"

#include "platform/io/atomic.h"
#include "platform/sheet/seiten.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace sheet {

namespace {

// Column width in the workbook's character units from twips (7 pixels a
// character plus 5 pixels of padding at 96 dpi; 15 twips a pixel).
double zeichenbreite(int twips)
{
    const double pixel = twips / 15.0;
    return std::max(0.0, (pixel - 5.0) / 7.0);
}

// A sheet name the workbook accepts: 31 characters, none of []:*?/\.
QString mappenname(const QString& name)
{
    QString n = name;
    for (QChar& c : n)
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = u'_';
    n = n.left(31).trimmed();
    return n.isEmpty() ? QStringLiteral("Tabelle1") : n;
}

// The date format shows day, month and year with points in every program.
QByteArray mappenformat(const QString& f)
{
    if (f.contains(u'y', Qt::CaseInsensitive) || f.contains(u'd', Qt::CaseInsensitive))
        return QByteArrayLiteral("dd.mm.yyyy");
    return f.toUtf8();
}

class Mappe {
public:
    ~Mappe()
    {
        // workbook_close frees; only an unclosed book is freed here.
        if (m_buch)
            workbook_close(m_buch);
    }
    bool schreibe(const Blatt& b, const QString& datei, const QString& tmpdir, QString* fehler);

private:
    lxw_format* format(const Blatt& b, const Zelle& z);
    bool pruefe(lxw_error e, const char* was)
    {
        if (e != LXW_NO_ERROR && m_fehler.isEmpty())
            m_fehler = QStringLiteral("%1: %2").arg(QString::fromLatin1(was), QString::fromUtf8(lxw_strerror(e)));
        return e == LXW_NO_ERROR;
    }

    lxw_workbook* m_buch = nullptr;
    std::map<std::tuple<bool, int, int, int, int>, lxw_format*> m_formate;
    QString m_fehler;
};

lxw_format* Mappe::format(const Blatt& b, const Zelle& z)
{
    const auto key = std::make_tuple(z.fett, int(z.groesse), int(ausrichtungHorizontal(z) * 10 + (z.ausrichtung ? 1 : 0)),
                                     int(z.rahmen), int(z.format));
    auto it = m_formate.find(key);
    if (it != m_formate.end())
        return it->second;
    lxw_format* f = workbook_add_format(m_buch);
    if (z.fett)
        format_set_bold(f);
    format_set_font_size(f, z.groesse ? z.groesse : kStandardgroesse);
    format_set_font_name(f, "Arial");
    if (z.ausrichtung) {
        switch (ausrichtungHorizontal(z)) {
        case 1: format_set_align(f, LXW_ALIGN_LEFT); break;
        case 2: format_set_align(f, LXW_ALIGN_CENTER); break;
        default: format_set_align(f, LXW_ALIGN_RIGHT); break;
        }
    }
    if (z.rahmen & Links) format_set_left(f, LXW_BORDER_THIN);
    if (z.rahmen & Rechts) format_set_right(f, LXW_BORDER_THIN);
    if (z.rahmen & Oben) format_set_top(f, LXW_BORDER_THIN);
    if (z.rahmen & Unten) format_set_bottom(f, LXW_BORDER_THIN);
    if (z.format)
        format_set_num_format(f, mappenformat(b.format(z.format)).constData());
    m_formate.emplace(key, f);
    return f;
}

bool Mappe::schreibe(const Blatt& b, const QString& datei, const QString& tmpdir, QString* fehler)
{
    // What does not fit into a workbook is refused, never cut off quietly.
    if (b.letzteZeile() > 1048576 || b.letzteSpalte() > 16384) {
        if (fehler)
            *fehler = QStringLiteral("Die Tabelle ist größer, als eine Arbeitsmappe fassen kann");
        return false;
    }
    const QByteArray pfad = QFile::encodeName(datei);
    QByteArray tmp = QFile::encodeName(tmpdir);
    lxw_workbook_options optionen{};
    optionen.constant_memory = LXW_TRUE;   // rows go out in order, memory stays flat
    optionen.tmpdir = tmp.data();
    optionen.use_zip64 = LXW_FALSE;
    m_buch = workbook_new_opt(pfad.constData(), &optionen);
    if (!m_buch) {
        if (fehler)
            *fehler = QStringLiteral("Die Arbeitsmappe kann nicht angelegt werden");
        return false;
    }
    // Spreadsheet programs measure column widths in the workbook's default
    // font, which is its first format's. The writer makes that Calibri 11,
    // and a program without Calibri measures in a wider face: the columns
    // and the pages grow. Every cell is Arial 10, so the default is too;
    // both faces have the 7-pixel digit that zeichenbreite counts on.
    if (lxw_format* standard = STAILQ_FIRST(m_buch->formats)) {
        format_set_font_name(standard, "Arial");
        format_set_font_size(standard, kStandardgroesse);
    }
    const QByteArray titel = b.dokumenttitel.toUtf8();
    lxw_doc_properties eigenschaften{};
    eigenschaften.title = const_cast<char*>(titel.constData());
    pruefe(workbook_set_properties(m_buch, &eigenschaften), "Eigenschaften");

    const QByteArray name = mappenname(b.name).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(m_buch, name.constData());
    if (!ws) {
        if (fehler)
            *fehler = QStringLiteral("Das Tabellenblatt kann nicht angelegt werden");
        return false;
    }

    // Page.
    const Seitenformat& s = b.seite;
    if (s.quer)
        worksheet_set_landscape(ws);
    else
        worksheet_set_portrait(ws);
    worksheet_set_paper(ws, uint8_t(std::clamp(s.papier, 0, 255)));
    worksheet_set_margins(ws, s.randLinks, s.randRechts, s.randOben, s.randUnten);
    lxw_header_footer_options kopf{};
    kopf.margin = std::max(0.01, s.abstandKopf);
    const QByteArray kopfText = s.kopfzeile.left(255).toUtf8();
    if (!kopfText.isEmpty())
        pruefe(worksheet_set_header_opt(ws, kopfText.constData(), &kopf), "Kopfzeile");
    lxw_header_footer_options fuss{};
    fuss.margin = std::max(0.01, s.abstandFuss);
    const QByteArray fussText = s.fusszeile.left(255).toUtf8();
    if (!fussText.isEmpty())
        pruefe(worksheet_set_footer_opt(ws, fussText.constData(), &fuss), "Fußzeile");
    if (s.anpassen)
        worksheet_fit_to_pages(ws, uint16_t(s.seitenBreit), uint16_t(s.seitenHoch));
    else
        worksheet_set_print_scale(ws, uint16_t(druckprozent(s)));
    // The pages hold the used area and no more: a spreadsheet program would
    // otherwise add pages for the blanks that pad a text past its column.
    if (b.letzteZeile() >= 1 && b.letzteSpalte() >= 1)
        pruefe(worksheet_print_area(ws, 0, 0, lxw_row_t(b.letzteZeile() - 1), lxw_col_t(b.letzteSpalte() - 1)),
               "Druckbereich");
    if (s.titelVon >= 1 && s.titelBis >= s.titelVon)
        pruefe(worksheet_repeat_rows(ws, lxw_row_t(s.titelVon - 1), lxw_row_t(s.titelBis - 1)), "Drucktitel");
    std::vector<lxw_row_t> umbrueche;
    for (int32_t r : b.umbrueche())
        if (r > 1 && umbrueche.size() < 1023)   // the workbook's limit
            umbrueche.push_back(lxw_row_t(r - 1));
    if (!umbrueche.empty()) {
        umbrueche.push_back(0);
        pruefe(worksheet_set_h_pagebreaks(ws, umbrueche.data()), "Seitenumbrüche");
    }
    worksheet_set_zoom(ws, uint16_t(std::clamp(b.zoom, 10, 400)));
    worksheet_set_default_row(ws, b.standardhoehe() / 20.0, LXW_FALSE);
    for (const auto& [c, w] : b.spaltenbreiten())
        if (c >= 1 && c <= 16384)
            pruefe(worksheet_set_column(ws, lxw_col_t(c - 1), lxw_col_t(c - 1), zeichenbreite(w), nullptr), "Spalte");

    // Cells, row after row (with the heights of their own in between).
    const auto& hoehen = b.zeilenhoehen();
    auto h = hoehen.begin();
    QByteArray puffer;
    for (const auto& [r, zellen] : b.zeilen()) {
        if (r > 1048576)
            break;   // beyond the workbook's last row
        for (; h != hoehen.end() && h->first <= r; ++h)
            if (h->first >= 1)
                worksheet_set_row(ws, lxw_row_t(h->first - 1), h->second / 20.0, nullptr);
        const lxw_row_t zr = lxw_row_t(r - 1);
        for (const auto& [c, z] : zellen) {
            if (c > 16384)
                break;
            const lxw_col_t zc = lxw_col_t(c - 1);
            lxw_format* f = format(b, z);
            switch (z.art) {
            case Zelle::Art::Leer:
                pruefe(worksheet_write_blank(ws, zr, zc, f), "Zelle");
                break;
            case Zelle::Art::Text:
                if (z.text.isEmpty()) {
                    pruefe(worksheet_write_blank(ws, zr, zc, f), "Zelle");
                } else {
                    puffer = z.text.left(32767).toUtf8();
                    pruefe(worksheet_write_string(ws, zr, zc, puffer.constData(), f), "Zelle");
                }
                break;
            case Zelle::Art::Zahl:
                pruefe(worksheet_write_number(ws, zr, zc, z.zahl, f), "Zelle");
                break;
            case Zelle::Art::Formel:
                puffer = (u'=' + z.text).toUtf8();
                pruefe(worksheet_write_formula_num(ws, zr, zc, puffer.constData(), f, b.wert(z)), "Zelle");
                break;
            }
        }
    }
    for (; h != hoehen.end(); ++h)
        if (h->first >= 1 && h->first <= 1048576)
            worksheet_set_row(ws, lxw_row_t(h->first - 1), h->second / 20.0, nullptr);

    lxw_workbook* buch = m_buch;
    m_buch = nullptr;
    const lxw_error e = workbook_close(buch);
    pruefe(e, "Schließen der Arbeitsmappe");
    if (!m_fehler.isEmpty()) {
        if (fehler)
            *fehler = m_fehler;
        return false;
    }
    return true;
}

} // namespace

bool schreibeArbeitsmappe(const Blatt& b, const QString& pfad, QString* fehler)
{
    // The book is put together in a private folder first, then written
    // over the target in one rename.
    QTemporaryDir ordner;
    if (!ordner.isValid()) {
        if (fehler)
            *fehler = QStringLiteral("Kein Ordner für Zwischendateien");
        return false;
    }
    const QString zwischen = ordner.filePath(QStringLiteral("mappe.xlsx"));
    {
        Mappe m;
        if (!m.schreibe(b, zwischen, ordner.path(), fehler))
            return false;
    }
    QFile f(zwischen);
    if (!f.open(QIODevice::ReadOnly)) {
        if (fehler)
            *fehler = f.errorString();
        return false;
    }
    const QByteArray inhalt = f.readAll();
    f.close();
    return io::writeFileAtomic(pfad, inhalt, fehler);
}

} // namespace sheet
