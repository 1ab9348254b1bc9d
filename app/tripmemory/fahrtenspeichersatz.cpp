#include "app/tripmemory/fahrtenspeichersatz.h"

#include "platform/vb/fields.h"

namespace kmk {

namespace O = SpeicherOffset;

Fahrtenspeichersatz Fahrtenspeichersatz::ausBytes(const QByteArray& bytes)
{
    QByteArray b = bytes.left(Laenge);
    if (b.size() < Laenge)
        b.append(QByteArray(Laenge - b.size(), '\0'));
    Fahrtenspeichersatz s;
    s.Fahrtart = vb::getU8(b, O::Fahrtart);
    s.GefahreneKm = vb::getI32(b, O::GefahreneKm);
    s.Von = vb::getText(b, O::Von, BreiteVon);
    s.Ueber = vb::getText(b, O::Ueber, BreiteUeber);
    s.Nach = vb::getText(b, O::Nach, BreiteNach);
    s.Grund = vb::getText(b, O::Grund, BreiteGrund);
    s.Gespraechspartner = vb::getText(b, O::Gespraechspartner, BreiteGespraechspartner);
    return s;
}

QByteArray Fahrtenspeichersatz::zuBytes() const
{
    QByteArray b(Laenge, ' ');
    vb::setU8(b, O::Fahrtart, Fahrtart);
    vb::setI32(b, O::GefahreneKm, GefahreneKm);
    vb::setText(b, O::Von, BreiteVon, Von);
    vb::setText(b, O::Ueber, BreiteUeber, Ueber);
    vb::setText(b, O::Nach, BreiteNach, Nach);
    vb::setText(b, O::Grund, BreiteGrund, Grund);
    vb::setText(b, O::Gespraechspartner, BreiteGespraechspartner, Gespraechspartner);
    return b;
}

} // namespace kmk
