#include "app/printout/seiteneinrichtung.h"

namespace kmk {

namespace {

QString feld(const QString& s, int breite)
{
    QString f = s.leftJustified(breite, u' ', true);
    f.replace(u'&', QStringLiteral("&&"));
    return f;
}

} // namespace

QString Kopfzeilentext(const KfzGrundeinstellung& kfz)
{
    return QStringLiteral("&A") + QStringLiteral("             Fahrzeughalter: ")
           + feld(kfz.Halter, KfzGrundeinstellung::BreiteHalter) + QStringLiteral(" Kfz Nr. ")
           + feld(kfz.Kennzeichen, KfzGrundeinstellung::BreiteKennzeichen);
}

QString Fusszeilentext()
{
    return QStringLiteral("Seite ") + QStringLiteral("&P")
           + QStringLiteral("      Mit formeller Anerkennung der OFD - Münster    ");
}

void Seiteneinrichtung(sheet::Tabellenblatt& t, int letzteSpalte, const KfzGrundeinstellung& kfz)
{
    t.Zuruecksetzen();
    // The control's fixed options, in the order the control is given them.
    const std::pair<int, QVariant> optionen[] = {
        {63, false}, {112, true}, {67, false}, {1, false}, {72, false}, {26, true}, {23, false},
        {24, false}, {27, true}, {75, false}, {21, true}, {22, false}, {64, false}, {34, false}, {107, 1},
        {51, false}, {57, false}, {58, false}, {54, false}, {56, false}, {73, false}, {74, false},
        {102, false}, {103, false}, {99, false}, {76, false}, {77, false}, {52, false}, {53, false},
        {55, false}, {71, false}, {68, false}, {10, 1}, {11, 0},
    };
    for (const auto& [nummer, wert] : optionen)
        t.Eigenschaft(nummer, wert);
    t.DrucktitelErsteZeile(1);
    t.DrucktitelLetzteZeile(0);
    t.Eigenschaft(0x80010032, QVariant::fromValue<int32_t>(0));
    t.Eigenschaft(1310, false);
    // Used area: rows up to 16384 (not a limit of ours) and the last column.
    t.Eigenschaft(17, 1);
    t.Eigenschaft(18, letzteSpalte);
    t.Eigenschaft(19, 16384);
    t.Eigenschaft(69, 1);
    t.Eigenschaft(70, 1);
    t.Eigenschaft(-521, 0);
    t.Eigenschaft(105, 1);
    t.Seitenrand(sheet::RandUnten, 0.7);
    t.Eigenschaft(60, false);
    t.Fusszeile(Fusszeilentext());
    t.Randabstand(sheet::AbstandFuss, 0.3);
    t.Eigenschaft(35, true);
    t.Eigenschaft(37, true);
    t.Kopfzeile(Kopfzeilentext(kfz));
    t.Randabstand(sheet::AbstandKopf, 0.3);
    t.Seitenrand(sheet::RandLinks, 0.4);
    t.Eigenschaft(39, false);
    t.Eigenschaft(48, true);
    t.Seitenrand(sheet::RandRechts, 0.4);
    t.Eigenschaft(36, false);
    t.Seitenrand(sheet::RandOben, 0.7);
    t.Eigenschaft(38, true);
    const std::pair<int, QVariant> weitere[] = {
        {66, false}, {106, 1}, {59, false}, {110, false}, {111, false}, {96, false}, {14, true}, {6, 1},
        {15, false}, {16, 0}, {109, 1}, {108, false}, {25, 1}, {97, false}, {20, 1},
    };
    for (const auto& [nummer, wert] : weitere)
        t.Eigenschaft(nummer, wert);
    t.Bildschirmzoom(75);
    t.Sichtbar(true);
}

} // namespace kmk
