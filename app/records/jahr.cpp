#include "app/records/jahr.h"

#include "platform/vb/error.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

constexpr bool schaltjahr(int j) { return (j % 4 == 0 && j % 100 != 0) || j % 400 == 0; }

struct Tabellen {
    std::array<qint32, Jahresdateien::Jahre> anfang{};
    std::array<qint32, Jahresdateien::Jahre> ende{};
};

constexpr Tabellen baueTabellen()
{
    Tabellen t;
    qint32 tag = 39083;  // 1 January 2007
    for (int i = 0; i < Jahresdateien::Jahre; ++i) {
        t.anfang[i] = tag;
        tag += schaltjahr(Jahresdateien::ErstesJahr + i) ? 366 : 365;
        t.ende[i] = tag - 1;
    }
    return t;
}

constexpr Tabellen kTabellen = baueTabellen();
static_assert(kTabellen.anfang[0] == 39083 && kTabellen.ende[0] == 39447);
static_assert(kTabellen.anfang[9] == 42370 && kTabellen.ende[9] == 42735);    // 2016
static_assert(kTabellen.anfang[15] == 44562 && kTabellen.ende[15] == 44926);  // 2022
static_assert(kTabellen.anfang[43] == 54789 && kTabellen.ende[43] == 55153);  // 2050

} // namespace

const std::array<qint32, Jahresdateien::Jahre>& TabelleJahresanfang() { return kTabellen.anfang; }
const std::array<qint32, Jahresdateien::Jahre>& TabelleJahresende() { return kTabellen.ende; }

Jahrespruefung Jahrestest(const QString& jahr)
{
    if (vb::Len(jahr) != 4)
        return Jahrespruefung::Unbrauchbar;
    const double wert = vb::Val(jahr);
    if (!(wert > 0))
        return Jahrespruefung::Unbrauchbar;
    if (wert <= 2006 || wert >= 2051)
        return Jahrespruefung::Ausserhalb;
    // A value in range from a text that is not four digits ("2e3 " and the
    // like) would give a wrong table index and wrong file names.
    const int index = int(vb::Val(vb::Mid(jahr, 3, 2))) - 7;
    if (index < 0 || index >= Jahresdateien::Jahre || int(wert) != 2000 + index + 7)
        return Jahrespruefung::Ausserhalb;
    return Jahrespruefung::Gueltig;
}

bool Jahr_ini(Fahrten1& st, const MeldungZeigen& meldung)
{
    Jahresdateien& d = st.Dateien;
    d.Jahresanfang = kTabellen.anfang;
    d.Jahresende = kTabellen.ende;

    const QString& jahr = st.Jahr;
    switch (Jahrestest(jahr)) {
    case Jahrespruefung::Unbrauchbar:
        return false;
    case Jahrespruefung::Ausserhalb:
        if (meldung)
            meldung(MeldungJahrUngueltig);
        return false;
    case Jahrespruefung::Gueltig:
        break;
    }

    const QString jj = vb::Mid(jahr, 3, 2);
    d.Jahresindex = int(vb::Val(jj)) - 7;
    d.Vorjahr = int(vb::Val(jahr)) - 1;
    d.VorjahrText = vb::Str(qint64(d.Vorjahr));
    d.Versionsnummer = int(vb::Val(jj)) + 5;
    d.Hauptversion = vb::Str(qint64(d.Versionsnummer));
    d.Einstellungsdatei = QStringLiteral("Vor") + jahr + QStringLiteral(".dat");
    d.Kfzdatei = QStringLiteral("Auto") + jahr + QStringLiteral(".dat");
    for (int k = 1; k <= 4; ++k)
        d.Fahrtdateien[k] = QStringLiteral("Auto%1_").arg(k) + jj + QStringLiteral(".dat");
    st.Kundendatei = QStringLiteral("Kund") + jahr + QStringLiteral(".dat");
    return true;
}

bool KalenderAufJahrSetzen(KalenderGrenzen& kalender, int jahr, qint32 anfang, qint32 ende,
                           qint32 datum)
{
    if (anfang > ende)
        return false;
    try {
        kalender.setYear(jahr);
        // A new maximum below the current minimum would be refused: then the
        // minimum goes first. Either way the second put lies within the
        // bounds left by the first.
        if (ende < kalender.minDate()) {
            kalender.setMinDate(anfang);
            kalender.setMaxDate(ende);
        } else {
            kalender.setMaxDate(ende);
            kalender.setMinDate(anfang);
        }
        kalender.setDate(datum);
    } catch (const vb::RuntimeError&) {
        return false;
    }
    return kalender.minDate() == anfang && kalender.maxDate() == ende;
}

} // namespace kmk
