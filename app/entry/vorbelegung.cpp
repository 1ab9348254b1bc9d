#include "app/entry/vorbelegung.h"

#include "app/records/dateien.h"
#include "app/records/hilfen.h"

namespace kmk {

void FahrtLoschen(Eintragung& e)
{
    Fahrten1& st = e.st;
    Eingabeseite& s = e.seite;
    if (st.Satznummer < 2)
        st.Pufferindex = 1;
    const FahrtDatensatz* v = e.vergleich();
    const qint32 km = v ? v->KmAn : st.Kfz.Anfangskm;
    s.setText("AnzKmAb", QString::number(km));
    s.setText("EinkmAn", QString::number(km));
    e.puffer().KmAb = km;
    e.puffer().KmAn = km;
    s.setText("EinGefKm", QStringLiteral("0"));

    if (st.Voreinstellung.ZeitenVorgeben && st.Pufferindex == 2 && v) {
        s.setText("EinZeitAb", MinutenInZeit(v->ZeitAn + 1));
        s.setText("EinZeitAn", MinutenInZeit(v->ZeitAn + 60));
    } else {
        s.setText("EinZeitAb", QStringLiteral("08:00"));
        s.setText("EinZeitAn", QStringLiteral("12:00"));
    }

    s.setText("EinVon", st.Kfz.Standort.leftJustified(KfzGrundeinstellung::BreiteStandort, ' ', true));
    for (const char* n : {"EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
        s.setText(QString::fromLatin1(n), QString());
}

void Datenzurucksetzen(Eintragung& e)
{
    PufferZuruecksetzen(e.st);
    Eingabeseite& s = e.seite;
    s.setText("EinZeitAb", QStringLiteral("00:00"));
    s.setText("EinZeitAn", QStringLiteral("00:00"));
    for (const char* n : {"EinVon", "EinNach", "EinUber", "AnzKmAb", "EinkmAn", "EinGesprach", "EinFahrer",
                          "EinGrund", "TBGesamt", "TWGesamt", "TLiter", "Label30"})
        s.setText(QString::fromLatin1(n), QString());
    Eintragung::run(e.dienste.PauschaleZuruecksetzen);
    for (const char* n : {"LZeitFahrt", "LGGefahrenZeit", "LReisekosten", "LFahrtAnzahl", "LVerpflegGesamt"})
        s.setText(QString::fromLatin1(n), QString());
}

} // namespace kmk
