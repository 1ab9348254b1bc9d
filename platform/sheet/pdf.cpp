#include "platform/sheet/schreiber.h"

namespace sheet {

bool schreibePdf(const Blatt&, const QString&, QString* fehler)
{
    if (fehler)
        *fehler = QStringLiteral("PDF wird noch nicht geschrieben");
    return false;
}

} // namespace sheet
