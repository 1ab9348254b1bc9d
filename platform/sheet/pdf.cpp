#include "platform/sheet/schreiber.h"

#include "platform/io/atomic.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/zeichner.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace sheet {

QPageLayout seitenlayout(const Seitenplan& plan)
{
    const bool quer = plan.papierBreite > plan.papierHoehe;
    const double b = quer ? plan.papierHoehe : plan.papierBreite;
    const double h = quer ? plan.papierBreite : plan.papierHoehe;
    const QPageSize groesse(QSizeF(b / 1440.0 * 72.0, h / 1440.0 * 72.0), QPageSize::Point, QString(),
                            QPageSize::FuzzyMatch);
    return QPageLayout(groesse, quer ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

bool schreibePdf(const Blatt& b, const QString& pfad, QString* fehler)
{
    const Seitenplan plan = paginiere(b);
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&puffer);
        pdf.setResolution(600);
        pdf.setTitle(b.dokumenttitel.isEmpty() ? b.name : b.dokumenttitel);
        pdf.setCreator(QStringLiteral("Kilometrika"));
        pdf.setPageLayout(seitenlayout(plan));
        QPainter p;
        if (!p.begin(&pdf)) {
            if (fehler)
                *fehler = QStringLiteral("Das PDF kann nicht angelegt werden");
            return false;
        }
        const QDateTime jetzt = QDateTime::currentDateTime();
        for (int i = 0; i < int(plan.seiten.size()); ++i) {
            if (i > 0)
                pdf.newPage();
            p.save();
            twipTransform(p, pdf);
            zeichneSeite(p, b, plan, i, jetzt);
            p.restore();
        }
        if (!p.end()) {
            if (fehler)
                *fehler = QStringLiteral("Das PDF kann nicht abgeschlossen werden");
            return false;
        }
    }
    return io::writeFileAtomic(pfad, puffer.data(), fehler);
}

} // namespace sheet
