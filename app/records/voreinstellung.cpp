#include "app/records/voreinstellung.h"

#include "app/records/fahrtdatensatz.h"
#include "platform/vb/fields.h"
#include "platform/vb/text.h"

namespace kmk {

namespace O = VorOffset;

static QByteArray aufLaenge(const QByteArray& bytes, int laenge)
{
    QByteArray r = bytes.left(laenge);
    if (r.size() < laenge)
        r.append(QByteArray(laenge - r.size(), '\0'));
    return r;
}

VoreinstellungSatz VoreinstellungSatz::ausBytes(const QByteArray& bytes)
{
    const QByteArray r = aufLaenge(bytes, Laenge);
    VoreinstellungSatz s;
    s.Warnhinweise = vb::getI16(r, O::Warnhinweise);
    s.Warnhinweise2 = vb::getI16(r, O::Warnhinweise2);
    s.Sprachausgabe = vb::getI16(r, O::Sprachausgabe);
    s.ZeitenVorgeben = vb::getI16(r, O::ZeitenVorgeben);
    s.MitVerpflegungspauschale = vb::getI16(r, O::MitVerpflegungspauschale);
    s.OhneZeiten = vb::getI16(r, O::OhneZeiten);
    s.ErweiterterAusdruck = vb::getI16(r, O::ErweiterterAusdruck);
    s.MitZeiten = vb::getI16(r, O::MitZeiten);
    s.Zeitspalten = vb::getI16(r, O::Zeitspalten);
    s.KalenderHeute = vb::getI16(r, O::KalenderHeute);
    s.Druckanpassung = vb::getI16(r, O::Druckanpassung);
    s.DruckskalaIndex = vb::getU8(r, O::DruckskalaIndex);
    s.ZoomIndex = vb::getU8(r, O::ZoomIndex);
    s.DruckAb = vb::getI32(r, O::DruckAb);
    s.DruckBis = vb::getI32(r, O::DruckBis);
    s.PrivatNurKm = vb::getI16(r, O::PrivatNurKm);
    s.Reserve34 = vb::getI32(r, O::Reserve34);
    s.Reserve38 = vb::getI32(r, O::Reserve38);
    s.Reserve42 = vb::getI16(r, O::Reserve42);
    s.WenigAbfragen = vb::getI16(r, O::WenigAbfragen);
    s.PauschalenAktualisiert = vb::getI16(r, O::PauschalenAktualisiert);
    s.Reserve48 = vb::getBytes(r, O::Reserve48, 20);
    s.Reserve68 = vb::getBytes(r, O::Reserve68, 5);
    s.Sicherungsordner = vb::getText(r, O::Sicherungsordner, BreiteSicherungsordner);
    s.Journalfunktion = vb::getI16(r, O::Journalfunktion);
    s.Sicherungsintervall = vb::getI16(r, O::Sicherungsintervall);
    s.LetztesFahrzeug = vb::getI16(r, O::LetztesFahrzeug);
    return s;
}

QByteArray VoreinstellungSatz::zuBytes() const
{
    QByteArray r(Laenge, '\0');
    vb::setI16(r, O::Warnhinweise, Warnhinweise);
    vb::setI16(r, O::Warnhinweise2, Warnhinweise2);
    vb::setI16(r, O::Sprachausgabe, Sprachausgabe);
    vb::setI16(r, O::ZeitenVorgeben, ZeitenVorgeben);
    vb::setI16(r, O::MitVerpflegungspauschale, MitVerpflegungspauschale);
    vb::setI16(r, O::OhneZeiten, OhneZeiten);
    vb::setI16(r, O::ErweiterterAusdruck, ErweiterterAusdruck);
    vb::setI16(r, O::MitZeiten, MitZeiten);
    vb::setI16(r, O::Zeitspalten, Zeitspalten);
    vb::setI16(r, O::KalenderHeute, KalenderHeute);
    vb::setI16(r, O::Druckanpassung, Druckanpassung);
    vb::setU8(r, O::DruckskalaIndex, DruckskalaIndex);
    vb::setU8(r, O::ZoomIndex, ZoomIndex);
    vb::setI32(r, O::DruckAb, DruckAb);
    vb::setI32(r, O::DruckBis, DruckBis);
    vb::setI16(r, O::PrivatNurKm, PrivatNurKm);
    vb::setI32(r, O::Reserve34, Reserve34);
    vb::setI32(r, O::Reserve38, Reserve38);
    vb::setI16(r, O::Reserve42, Reserve42);
    vb::setI16(r, O::WenigAbfragen, WenigAbfragen);
    vb::setI16(r, O::PauschalenAktualisiert, PauschalenAktualisiert);
    vb::setBytes(r, O::Reserve48, aufLaenge(Reserve48, 20));
    vb::setBytes(r, O::Reserve68, aufLaenge(Reserve68, 5));
    vb::setText(r, O::Sicherungsordner, BreiteSicherungsordner, Sicherungsordner);
    vb::setI16(r, O::Journalfunktion, Journalfunktion);
    vb::setI16(r, O::Sicherungsintervall, Sicherungsintervall);
    vb::setI16(r, O::LetztesFahrzeug, LetztesFahrzeug);
    return r;
}

VoreinstellungSatz VoreinstellungSatz::standard(const QString& sicherungspfad)
{
    VoreinstellungSatz s;
    s.DruckskalaIndex = 6;
    s.ZoomIndex = 15;
    s.PauschalenAktualisiert = FALSCH;
    s.Sicherungsintervall = 20;
    s.LetztesFahrzeug = 0;
    s.Sicherungsordner = sicherungspfad;
    // The boxes ticked on a first start; "no times" switches the
    // time-dependent options off with it.
    s.Journalfunktion = WAHR;
    s.OhneZeiten = WAHR;
    s.PrivatNurKm = WAHR;
    s.KalenderHeute = WAHR;
    s.Sprachausgabe = FALSCH;
    s.ZeitenVorgeben = FALSCH;
    s.MitVerpflegungspauschale = FALSCH;
    s.ErweiterterAusdruck = FALSCH;
    s.WenigAbfragen = FALSCH;
    s.Warnhinweise = FALSCH;
    s.Warnhinweise2 = FALSCH;
    s.MitZeiten = FALSCH;
    return s;
}

bool VoreinstellungSatz::ordnerPasst(const QString& ordner)
{
    // A character outside Windows-1252 would be stored as '?' and name
    // another, most likely missing folder.
    const QString t = vb::Trim(ordner);
    const QByteArray ansi = vb::toAnsi(t);
    return ansi.size() <= BreiteSicherungsordner && vb::fromAnsi(ansi) == t;
}

} // namespace kmk
