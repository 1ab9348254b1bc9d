#include "app/records/kfzgrundeinstellung.h"

#include "platform/vb/fields.h"
#include "platform/vb/text.h"

namespace kmk {

namespace O = KfzOffset;

KfzGrundeinstellung KfzGrundeinstellung::ausBytes(const QByteArray& bytes)
{
    QByteArray r = bytes.left(Laenge);
    if (r.size() < Laenge)
        r.append(QByteArray(Laenge - r.size(), '\0'));
    KfzGrundeinstellung s;
    s.Kennzeichen = vb::getText(r, O::Kennzeichen, BreiteKennzeichen);
    s.Anfangskm = vb::getI32(r, O::Anfangskm);
    s.Halter = vb::getText(r, O::Halter, BreiteHalter);
    s.Standort = vb::getText(r, O::Standort, BreiteStandort);
    s.Firmenfahrzeug = vb::getI16(r, O::Firmenfahrzeug);
    s.Privatfahrzeug = vb::getI16(r, O::Privatfahrzeug);
    s.Warnhinweise = vb::getI16(r, O::Warnhinweise);
    s.Warnhinweise2 = vb::getI16(r, O::Warnhinweise2);
    s.ErweiterterAusdruck = vb::getI16(r, O::ErweiterterAusdruck);
    s.MitZeiten = vb::getI16(r, O::MitZeiten);
    s.Reserve91 = vb::getI16(r, O::Reserve91);
    s.Sprachausgabe = vb::getI16(r, O::Sprachausgabe);
    s.ZeitenVorgeben = vb::getI16(r, O::ZeitenVorgeben);
    s.OhneZeiten = vb::getI16(r, O::OhneZeiten);
    s.PrivatNurKm = vb::getI16(r, O::PrivatNurKm);
    s.KalenderHeute = vb::getI16(r, O::KalenderHeute);
    s.WenigAbfragen = vb::getI16(r, O::WenigAbfragen);
    s.MitVerpflegungspauschale = vb::getI16(r, O::MitVerpflegungspauschale);
    s.Journalfunktion = vb::getI16(r, O::Journalfunktion);
    return s;
}

QByteArray KfzGrundeinstellung::zuBytes() const
{
    QByteArray r(Laenge, '\0');
    vb::setText(r, O::Kennzeichen, BreiteKennzeichen, Kennzeichen);
    vb::setI32(r, O::Anfangskm, Anfangskm);
    vb::setText(r, O::Halter, BreiteHalter, Halter);
    vb::setText(r, O::Standort, BreiteStandort, Standort);
    vb::setI16(r, O::Firmenfahrzeug, Firmenfahrzeug);
    vb::setI16(r, O::Privatfahrzeug, Privatfahrzeug);
    vb::setI16(r, O::Warnhinweise, Warnhinweise);
    vb::setI16(r, O::Warnhinweise2, Warnhinweise2);
    vb::setI16(r, O::ErweiterterAusdruck, ErweiterterAusdruck);
    vb::setI16(r, O::MitZeiten, MitZeiten);
    vb::setI16(r, O::Reserve91, Reserve91);
    vb::setI16(r, O::Sprachausgabe, Sprachausgabe);
    vb::setI16(r, O::ZeitenVorgeben, ZeitenVorgeben);
    vb::setI16(r, O::OhneZeiten, OhneZeiten);
    vb::setI16(r, O::PrivatNurKm, PrivatNurKm);
    vb::setI16(r, O::KalenderHeute, KalenderHeute);
    vb::setI16(r, O::WenigAbfragen, WenigAbfragen);
    vb::setI16(r, O::MitVerpflegungspauschale, MitVerpflegungspauschale);
    vb::setI16(r, O::Journalfunktion, Journalfunktion);
    return r;
}

bool KfzGrundeinstellung::unzeigbar() const
{
    // The page takes a text without the blanks before it.
    for (const QString* t : {&Kennzeichen, &Halter, &Standort})
        if (t->contains(QChar(0)) || (t->startsWith(QLatin1Char(' ')) && !vb::Trim(*t).isEmpty()))
            return true;
    if (QString::number(Anfangskm).size() > 9)
        return true;
    // The reserved word is kept as read; every other word is a flag.
    for (qint16 f : {Firmenfahrzeug, Privatfahrzeug, Warnhinweise, Warnhinweise2, ErweiterterAusdruck, MitZeiten,
                     Sprachausgabe, ZeitenVorgeben, OhneZeiten, PrivatNurKm, KalenderHeute, WenigAbfragen,
                     MitVerpflegungspauschale, Journalfunktion})
        if (f != 0 && f != -1)
            return true;
    return false;
}

} // namespace kmk
