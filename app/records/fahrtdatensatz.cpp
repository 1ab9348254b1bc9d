#include "app/records/fahrtdatensatz.h"

#include "platform/vb/fields.h"
#include "platform/vb/text.h"

namespace kmk {

namespace O = FahrtOffset;

FahrtDatensatz FahrtDatensatz::ausBytes(const QByteArray& bytes)
{
    QByteArray r = bytes.left(Laenge);
    if (r.size() < Laenge)
        r.append(QByteArray(Laenge - r.size(), '\0'));

    FahrtDatensatz s;
    s.VorherigeAnzahl = vb::getI16(r, O::VorherigeAnzahl);
    s.FahrtNummer = vb::getI16(r, O::FahrtNummer);
    s.Folgetage = vb::getI16(r, O::Folgetage);
    s.ZeitAb = vb::getI16(r, O::ZeitAb);
    s.DatumAb = vb::getI32(r, O::DatumAb);
    s.KmAb = vb::getI32(r, O::KmAb);
    s.ZeitAn = vb::getI16(r, O::ZeitAn);
    s.DatumAn = vb::getI32(r, O::DatumAn);
    s.KmAn = vb::getI32(r, O::KmAn);
    s.GefahreneKm = vb::getI32(r, O::GefahreneKm);
    s.AbwesenheitFahrt = vb::getI16(r, O::AbwesenheitFahrt);
    s.Von = vb::getText(r, O::Von, BreiteVon);
    s.Ueber = vb::getText(r, O::Ueber, BreiteUeber);
    s.Nach = vb::getText(r, O::Nach, BreiteNach);
    s.Grund = vb::getText(r, O::Grund, BreiteGrund);
    s.MinutenAbfahrtstag = vb::getI16(r, O::MinutenAbfahrtstag);
    s.MinutenAnkunftstag = vb::getI16(r, O::MinutenAnkunftstag);
    s.Gespraechspartner = vb::getText(r, O::Gespraechspartner, BreiteGespraechspartner);
    s.Teilpauschale1 = vb::getI16(r, O::Teilpauschale1);
    s.Teilpauschale2 = vb::getI16(r, O::Teilpauschale2);
    s.PauschaleGesamt = vb::getI16(r, O::PauschaleGesamt);
    s.PauschaleVolleTage = vb::getI16(r, O::PauschaleVolleTage);
    s.Fahrtart = vb::getU8(r, O::Fahrtart);
    s.Reserve500 = vb::getI16(r, O::Reserve500);
    s.Reserve502 = vb::getI16(r, O::Reserve502);
    s.Reserve504 = vb::getI16(r, O::Reserve504);
    s.AbwesenheitGesamt = vb::getI16(r, O::AbwesenheitGesamt);
    s.AbwesenheitTag = vb::getI16(r, O::AbwesenheitTag);
    s.FahrtDesTages = vb::getI16(r, O::FahrtDesTages);
    s.Reserve512 = vb::getI16(r, O::Reserve512);
    s.Vergleichsindex = vb::getU8(r, O::Vergleichsindex);
    s.Sonderfahrt = vb::getU8(r, O::Sonderfahrt);
    s.MitPauschale = vb::getI16(r, O::MitPauschale);
    s.Fahrtkosten = vb::getDouble(r, O::Fahrtkosten);
    s.Mitfahrer = vb::getI16(r, O::Mitfahrer);
    s.Eintragsstatus = vb::getU8(r, O::Eintragsstatus);
    s.Statusdatum = vb::getI32(r, O::Statusdatum);
    s.Kraftstoffmenge = vb::getDouble(r, O::Kraftstoffmenge);
    s.BetragKraftstoff = vb::getCurrency(r, O::BetragKraftstoff);
    s.BetragWartung = vb::getCurrency(r, O::BetragWartung);
    s.Kraftstoffart = vb::getText(r, O::Kraftstoffart, BreiteKraftstoffart);
    s.Wartungstext = vb::getText(r, O::Wartungstext, BreiteWartungstext);
    s.Eintragungsdatum = vb::getI32(r, O::Eintragungsdatum);
    s.Fahrer = vb::getText(r, O::Fahrer, BreiteFahrer);
    return s;
}

QByteArray FahrtDatensatz::zuBytes() const
{
    QByteArray r(Laenge, '\0');
    vb::setI16(r, O::VorherigeAnzahl, VorherigeAnzahl);
    vb::setI16(r, O::FahrtNummer, FahrtNummer);
    vb::setI16(r, O::Folgetage, Folgetage);
    vb::setI16(r, O::ZeitAb, ZeitAb);
    vb::setI32(r, O::DatumAb, DatumAb);
    vb::setI32(r, O::KmAb, KmAb);
    vb::setI16(r, O::ZeitAn, ZeitAn);
    vb::setI32(r, O::DatumAn, DatumAn);
    vb::setI32(r, O::KmAn, KmAn);
    vb::setI32(r, O::GefahreneKm, GefahreneKm);
    vb::setI16(r, O::AbwesenheitFahrt, AbwesenheitFahrt);
    vb::setText(r, O::Von, BreiteVon, Von);
    vb::setText(r, O::Ueber, BreiteUeber, Ueber);
    vb::setText(r, O::Nach, BreiteNach, Nach);
    vb::setText(r, O::Grund, BreiteGrund, Grund);
    vb::setI16(r, O::MinutenAbfahrtstag, MinutenAbfahrtstag);
    vb::setI16(r, O::MinutenAnkunftstag, MinutenAnkunftstag);
    vb::setText(r, O::Gespraechspartner, BreiteGespraechspartner, Gespraechspartner);
    vb::setI16(r, O::Teilpauschale1, Teilpauschale1);
    vb::setI16(r, O::Teilpauschale2, Teilpauschale2);
    vb::setI16(r, O::PauschaleGesamt, PauschaleGesamt);
    vb::setI16(r, O::PauschaleVolleTage, PauschaleVolleTage);
    vb::setU8(r, O::Fahrtart, Fahrtart);
    vb::setI16(r, O::Reserve500, Reserve500);
    vb::setI16(r, O::Reserve502, Reserve502);
    vb::setI16(r, O::Reserve504, Reserve504);
    vb::setI16(r, O::AbwesenheitGesamt, AbwesenheitGesamt);
    vb::setI16(r, O::AbwesenheitTag, AbwesenheitTag);
    vb::setI16(r, O::FahrtDesTages, FahrtDesTages);
    vb::setI16(r, O::Reserve512, Reserve512);
    vb::setU8(r, O::Vergleichsindex, Vergleichsindex);
    vb::setU8(r, O::Sonderfahrt, Sonderfahrt);
    vb::setI16(r, O::MitPauschale, MitPauschale);
    vb::setDouble(r, O::Fahrtkosten, Fahrtkosten);
    vb::setI16(r, O::Mitfahrer, Mitfahrer);
    vb::setU8(r, O::Eintragsstatus, Eintragsstatus);
    vb::setI32(r, O::Statusdatum, Statusdatum);
    vb::setDouble(r, O::Kraftstoffmenge, Kraftstoffmenge);
    vb::setCurrency(r, O::BetragKraftstoff, BetragKraftstoff);
    vb::setCurrency(r, O::BetragWartung, BetragWartung);
    vb::setText(r, O::Kraftstoffart, BreiteKraftstoffart, Kraftstoffart);
    vb::setText(r, O::Wartungstext, BreiteWartungstext, Wartungstext);
    vb::setI32(r, O::Eintragungsdatum, Eintragungsdatum);
    vb::setText(r, O::Fahrer, BreiteFahrer, Fahrer);
    return r;
}

void FahrtDatensatz::leeren()
{
    *this = FahrtDatensatz{};
}

bool IstPrivatplatzhalter(quint8 fahrtart, const QString& text)
{
    return fahrtart == 2 && vb::Trim(text) == Privatplatzhaltertext;
}

} // namespace kmk
