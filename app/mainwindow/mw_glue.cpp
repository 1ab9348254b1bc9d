#include "app/mainwindow/mw_glue.h"

#include "app/records/dateien.h"
#include "platform/com/controlhost.h"
#include "platform/forms/seams.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace kmk::mw {

void EditpufferZeitenLoeschen()
{
    G().Satzpuffer[0].ZeitAb = 0;
    G().Satzpuffer[0].ZeitAn = 0;
}

bool VorDat(bool schreiben)
{
    return kmk::VorDat(G(), schreiben);
}

bool VorDatSpeichern()
{
    const Dateiergebnis r = VorDatSchreiben(G());
    if (!r.ok)
        plainMessage(r.meldung);
    return r.ok;
}

bool KfzLesen(int n)
{
    return kmk::KfzLesen(G(), n);
}

bool KfzSchreiben(int n, bool melden)
{
    const Dateiergebnis r = kmk::KfzSchreiben(G(), n);
    if (!r.ok && melden)
        plainMessage(r.meldung);
    return r.ok;
}

qint32 FahrtAnzahl(const QString& name)
{
    if (name.trimmed().isEmpty())
        return 0;
    return Fahrtanzahl(pfad(name));
}

QString pfad(const QString& name)
{
    return G().pfad(vb::Trim(name));
}

qint32 heute()
{
    const QDate d = forms::services().clock->today();
    return vb::DateSerial(d.year(), d.month(), d.day());
}

void plainMessage(const QString& text)
{
    forms::services().dialogs->msgBox(text, forms::vbOKOnly);
}

void calPut(QWidget* host, const char* property, qint32 value)
{
    if (!host)
        return;
    if (auto* h = qobject_cast<com::ControlHost*>(host)) {
        h->setProperty(property, QVariant(value));
        return;
    }
    // A placeholder keeps the values as the calendar would, refusing what
    // lies outside its bounds.
    const QVariant mn = host->QObject::property("MinDate");
    const QVariant mx = host->QObject::property("MaxDate");
    const QByteArray p(property);
    if (p == "Date") {
        if ((mn.isValid() && value < mn.toInt()) || (mx.isValid() && value > mx.toInt()))
            throw vb::RuntimeError(vb::ErrInvalidPropertyValue, "invalid property value");
    } else if (p == "MinDate") {
        if (mx.isValid() && value > mx.toInt())
            throw vb::RuntimeError(vb::ErrInvalidPropertyValue, "invalid property value");
        const QVariant d = host->QObject::property("Date");
        if (!d.isValid() || d.toInt() <= value)
            host->QObject::setProperty("Date", value);
    } else if (p == "MaxDate") {
        if (mn.isValid() && value < mn.toInt())
            throw vb::RuntimeError(vb::ErrInvalidPropertyValue, "invalid property value");
        const QVariant d = host->QObject::property("Date");
        if (!d.isValid() || d.toInt() >= value)
            host->QObject::setProperty("Date", value);
    } else if (p == "Year") {
        return;
    }
    host->QObject::setProperty(property, value);
}

qint32 calGet(QWidget* host, const char* property)
{
    if (!host)
        return 0;
    if (auto* h = qobject_cast<com::ControlHost*>(host))
        return h->property(property).toInt();
    return host->QObject::property(property).toInt();
}

} // namespace kmk::mw
