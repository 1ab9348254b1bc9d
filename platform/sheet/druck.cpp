#include "platform/sheet/druck.h"

#include "platform/sheet/seiten.h"
#include "platform/sheet/tabellenblatt.h"
#include "platform/sheet/vorschau.h"
#include "platform/sheet/zeichner.h"

#include "platform/forms/seams.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <cups/cups.h>

namespace sheet {

std::pair<QString, QString> druckziel(const QString& name)
{
    const qsizetype strich = name.indexOf(QLatin1Char('/'));
    if (strich < 0)
        return {name, QString()};
    return {name.left(strich), name.mid(strich + 1)};
}

bool nimmtAn(bool gelistet, const char* annahme)
{
    return gelistet && qstrcmp(annahme, "false") != 0;
}

// Qt hands a job to the print system without learning whether it was
// queued, so the print system is asked first.
bool nimmtAuftraege(const QString& name)
{
    if (name.isEmpty())
        return false;
    const auto [warteschlange, instanz] = druckziel(name);
    const QByteArray w = warteschlange.toUtf8(), i = instanz.toUtf8();
    cups_dest_t* ziele = nullptr;
    const int anzahl = cupsGetDests(&ziele);
    const cups_dest_t* ziel = cupsGetDest(w.constData(), instanz.isEmpty() ? nullptr : i.constData(), anzahl, ziele);
    const char* annahme = ziel ? cupsGetOption("printer-is-accepting-jobs", ziel->num_options, ziel->options) : nullptr;
    const bool ja = nimmtAn(ziel != nullptr, annahme);
    cupsFreeDests(anzahl, ziele);
    return ja;
}

bool druckeBlatt(const Blatt& b, QPrinter& drucker)
{
    if (drucker.outputFormat() == QPrinter::NativeFormat && !nimmtAuftraege(drucker.printerName()))
        return false;
    const Seitenplan plan = paginiere(b);
    drucker.setDocName(b.name);
    drucker.setFullPage(true);
    drucker.setPageLayout(seitenlayout(plan));
    int von = 1, bis = int(plan.seiten.size());
    if (drucker.printRange() == QPrinter::PageRange && drucker.fromPage() > 0) {
        von = std::max(1, drucker.fromPage());
        bis = std::min(bis, drucker.toPage() > 0 ? drucker.toPage() : bis);
    }
    QPainter p;
    if (!p.begin(&drucker))
        return false;
    const QDateTime jetzt = QDateTime::currentDateTime();
    for (int i = von; i <= bis; ++i) {
        if (i > von)
            drucker.newPage();
        p.save();
        twipTransform(p, drucker);
        zeichneSeite(p, b, plan, i - 1, jetzt);
        p.restore();
    }
    return p.end();
}

namespace {

class Echt : public Druckdienste {
public:
    void vorschau(const Blatt& b, QPrinter& drucker, QWidget* eltern) override
    {
        Vorschau v(b, eltern);
        v.drucken = [&] {
            druckauftrag(b, drucker, [&v](QPrinter& d) {
                QPrintDialog dlg(&d, &v);
                dlg.setMinMax(1, v.seiten());
                return dlg.exec() == QDialog::Accepted;
            });
        };
        v.exec();
    }
    void einrichtung(QPrinter& drucker, QWidget* eltern) override
    {
        Druckerwahl dlg(drucker, QPrinterInfo::availablePrinterNames(), eltern);
        if (dlg.exec() == QDialog::Accepted)
            dlg.uebernehmen();
    }
};

} // namespace

void druckauftrag(const Blatt& b, QPrinter& drucker, const std::function<bool(QPrinter&)>& dialog)
{
    drucker.setPrintRange(QPrinter::AllPages);
    drucker.setFromTo(0, 0);
    drucker.setCopyCount(1);
    if (!dialog || !dialog(drucker))
        return;
    if (druckeBlatt(b, drucker))
        return;
    const QString ziel = drucker.outputFileName().isEmpty() ? drucker.printerName() : drucker.outputFileName();
    if (forms::Dialogs* d = forms::services().dialogs)
        d->msgBox(QStringLiteral("Die Tabelle konnte nicht gedruckt werden : ") + ziel, forms::vbOKOnly);
}

Druckerwahl::Druckerwahl(QPrinter& drucker, const QStringList& namen, QWidget* eltern)
    : QDialog(eltern), m_drucker(drucker), m_name(new QComboBox(this)), m_seiten(new QComboBox(this)),
      m_farbe(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Druckereinrichtung"));
    m_name->setObjectName(QStringLiteral("Drucker"));
    m_seiten->setObjectName(QStringLiteral("Beidseitig"));
    m_farbe->setObjectName(QStringLiteral("Farbe"));
    m_name->addItems(namen);
    const int jetzt = m_name->findText(drucker.printerName());
    if (jetzt >= 0)
        m_name->setCurrentIndex(jetzt);
    else if (const QString standard = QPrinterInfo::defaultPrinterName(); m_name->findText(standard) >= 0)
        m_name->setCurrentIndex(m_name->findText(standard));
    if (namen.isEmpty()) {
        m_name->addItem(QStringLiteral("(kein Drucker eingerichtet)"));
        m_name->setEnabled(false);
    }
    m_seiten->addItem(QStringLiteral("Einseitig"), int(QPrinter::DuplexNone));
    m_seiten->addItem(QStringLiteral("Beidseitig, an der langen Kante wenden"), int(QPrinter::DuplexLongSide));
    m_seiten->addItem(QStringLiteral("Beidseitig, an der kurzen Kante wenden"), int(QPrinter::DuplexShortSide));
    m_farbe->addItem(QStringLiteral("Farbe"), int(QPrinter::Color));
    m_farbe->addItem(QStringLiteral("Graustufen"), int(QPrinter::GrayScale));
    m_seiten->setCurrentIndex(std::max(0, m_seiten->findData(int(drucker.duplex()))));
    m_farbe->setCurrentIndex(std::max(0, m_farbe->findData(int(drucker.colorMode()))));

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Drucker:"), m_name);
    form->addRow(QStringLiteral("Druckseiten:"), m_seiten);
    form->addRow(QStringLiteral("Ausgabe:"), m_farbe);
    form->addRow(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_name, &QComboBox::currentIndexChanged, this, [this] { druckerGewechselt(); });
    druckerGewechselt();
}

void Druckerwahl::druckerGewechselt()
{
    // Only what the chosen printer can do is offered.
    const QPrinterInfo info = QPrinterInfo::printerInfo(m_name->currentText());
    const QList<QPrinter::DuplexMode> modi = info.supportedDuplexModes();
    const bool beidseitig = modi.contains(QPrinter::DuplexLongSide) || modi.contains(QPrinter::DuplexAuto);
    if (!beidseitig)
        m_seiten->setCurrentIndex(0);
    m_seiten->setEnabled(beidseitig);
    const bool farbe = info.isNull() || info.supportedColorModes().contains(QPrinter::Color);
    if (!farbe)
        m_farbe->setCurrentIndex(1);
    m_farbe->setEnabled(farbe);
}

void Druckerwahl::uebernehmen()
{
    if (m_name->isEnabled())
        m_drucker.setPrinterName(m_name->currentText());
    m_drucker.setDuplex(QPrinter::DuplexMode(m_seiten->currentData().toInt()));
    m_drucker.setColorMode(QPrinter::ColorMode(m_farbe->currentData().toInt()));
}

Druckdienste*& druckdienste()
{
    static Echt echt;
    static Druckdienste* aktuell = &echt;
    return aktuell;
}

namespace {

// What the save dialog offers, in its order.
struct Ablagetyp {
    int typ;
    const char* filter;
};
constexpr Ablagetyp kAblagetypen[] = {
    {TypArbeitsmappe, "Excel-Arbeitsmappe (*.xlsx)"},
    {TypPdf, "PDF-Dokument (*.pdf)"},
    {TypText, "Text, Tabulator getrennt (*.txt)"},
};

} // namespace

QString ablagefilter()
{
    QStringList filter;
    for (const Ablagetyp& a : kAblagetypen)
        filter << QString::fromLatin1(a.filter);
    return filter.join(QStringLiteral(";;"));
}

QString filterZuDateityp(int typ)
{
    for (const Ablagetyp& a : kAblagetypen)
        if (a.typ == typ)
            return QString::fromLatin1(a.filter);
    return QString::fromLatin1(kAblagetypen[0].filter);
}

int dateitypZuFilter(const QString& filter)
{
    for (const Ablagetyp& a : kAblagetypen)
        if (filter == QLatin1String(a.filter))
            return a.typ;
    return TypArbeitsmappe;
}

int dateitypZuName(QString& name, int gewaehlt)
{
    const QString endung = QFileInfo(name).suffix().toLower();
    if (endung == u"tsv")
        return TypText;
    for (const Ablagetyp& a : kAblagetypen)
        if (endung == forms::filterSuffix(QString::fromLatin1(a.filter)))
            return a.typ;
    // "v." gets "v.pdf": the dot typed is the ending's own.
    if (!name.endsWith(QLatin1Char('.')))
        name += QLatin1Char('.');
    name += forms::filterSuffix(filterZuDateityp(gewaehlt));
    return dateitypZuFilter(filterZuDateityp(gewaehlt));
}

} // namespace sheet
