#include "platform/sheet/schreiber.h"

namespace sheet {

bool schreibeArbeitsmappe(const Blatt&, const QString&, QString* fehler)
{
    if (fehler)
        *fehler = QStringLiteral("Arbeitsmappen werden noch nicht geschrieben");
    return false;
}

} // namespace sheet
