#include "platform/sheet/druck.h"

#include "platform/sheet/seiten.h"
#include "platform/sheet/tabellenblatt.h"
#include "platform/sheet/vorschau.h"
#include "platform/sheet/zeichner.h"

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace sheet {

bool druckeBlatt(const Blatt& b, QPrinter& drucker)
{
    const Seitenplan plan = paginiere(b);
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
            QPrintDialog dlg(&drucker, &v);
            dlg.setMinMax(1, v.seiten());
            if (dlg.exec() == QDialog::Accepted)
                druckeBlatt(b, drucker);
        };
        v.exec();
    }
    void einrichtung(QPrinter& drucker, QWidget* eltern) override
    {
        QPageSetupDialog dlg(&drucker, eltern);
        dlg.exec();
    }
};

} // namespace

Druckdienste*& druckdienste()
{
    static Echt echt;
    static Druckdienste* aktuell = &echt;
    return aktuell;
}

int dateitypZuName(QString& name)
{
    const QString endung = QFileInfo(name).suffix().toLower();
    if (endung == u"pdf")
        return TypPdf;
    if (endung == u"txt" || endung == u"tsv")
        return TypText;
    if (endung.isEmpty())
        name += QStringLiteral(".xlsx");
    return TypArbeitsmappe;
}

} // namespace sheet
