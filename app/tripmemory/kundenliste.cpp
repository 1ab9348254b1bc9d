#include "app/tripmemory/kundenliste.h"

#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QSet>

namespace kmk {

namespace {

QString breite(const QString& s, int n)
{
    return s.left(n).leftJustified(n, QLatin1Char(' '));
}

QString kopftext(const Fahrtenspeichersatz& s)
{
    return breite(vb::Trim(s.Gespraechspartner) + QLatin1Char(' ') + vb::Trim(s.Nach), 50);
}

} // namespace

QString pickZeile(const Fahrtenspeichersatz& s, int nr)
{
    // Four digits no longer fit behind a sign blank; they stand alone.
    QString feld = nr < 10 ? QStringLiteral(" ") + vb::Str(nr) : nr < 1000 ? vb::Str(nr) : QString::number(nr);
    return kopftext(s) + feld.leftJustified(4, QLatin1Char(' '));
}

QString filterZeile(const Fahrtenspeichersatz& s, int nr)
{
    return kopftext(s) + QString::number(nr).rightJustified(3, QLatin1Char(' ')) + QLatin1Char(' ');
}

QString filterKopfzeile()
{
    return breite(QString::fromUtf8(" Alle Datensätze anzeigen"), 50) + QStringLiteral("  0 ");
}

QString editorKopfzeile()
{
    const char* const k[] = {"Art                    ", "Gesprächspartner       ",
                             "Abfahrtsort                 ", "Wegstrecke                 ",
                             "Ankunftsort                ", "gef. Km     ", "Grund der Fahrt           "};
    const int w[] = {3, 16, 16, 16, 16, 9, 16};
    QStringList teile;
    for (int i = 0; i < 7; ++i)
        teile << QString::fromUtf8(k[i]).left(w[i]);
    return teile.join(QStringLiteral(" | "));
}

QString editorTrennzeile()
{
    return QString(110, QLatin1Char('-'));
}

QString editorZeile(const Fahrtenspeichersatz& s)
{
    // Fields are read padded, so the first 16 characters fill the column.
    const QStringList teile = {
        breite(QStringLiteral(" ") + vb::Str(int(s.Fahrtart)), 3),
        breite(s.Gespraechspartner, 16),
        breite(s.Von, 16),
        breite(s.Ueber, 16),
        breite(s.Nach, 16),
        breite(QString::number(s.GefahreneKm), 9),
        breite(s.Grund, 16),
    };
    return teile.join(QStringLiteral(" | "));
}

Auswahllisten auswahllisten(const QList<Fahrtenspeichersatz>& saetze,
                            const std::array<QString, Eintragsfelder>& getippt)
{
    Auswahllisten a;
    std::array<QSet<QString>, Eintragsfelder> da;
    for (int f = 0; f < Eintragsfelder; ++f) {
        a[f] << getippt[f];
        da[f].insert(getippt[f]);
    }
    auto bieten = [&](int f, const QString& roh) {
        const QString t = vb::Trim(roh);
        if (t.isEmpty() || da[f].contains(t))
            return;
        da[f].insert(t);
        a[f] << t;
    };
    for (const auto& s : saetze) {
        bieten(FeldGesprach, s.Gespraechspartner);
        bieten(FeldVon, s.Von);
        bieten(FeldUber, s.Ueber);
        bieten(FeldNach, s.Nach);
        bieten(FeldGrund, s.Grund);
    }
    return a;
}

std::array<QStringList, Editorfelder> editorAuswahl(const QList<Fahrtenspeichersatz>& saetze)
{
    std::array<QStringList, Editorfelder> a;
    std::array<QSet<QString>, Editorfelder> da;
    auto bieten = [&](int f, const QString& roh) {
        const QString t = vb::Trim(roh);
        const QString schluessel = t.toCaseFolded();
        if (da[f].contains(schluessel))
            return;
        da[f].insert(schluessel);
        a[f] << t;
    };
    for (const auto& s : saetze) {
        bieten(EdVon, s.Von);
        bieten(EdWeg, s.Ueber);
        bieten(EdNach, s.Nach);
        bieten(EdGrund, s.Grund);
        bieten(EdGPartner, s.Gespraechspartner);
    }
    return a;
}

} // namespace kmk
