#pragma once
// The entry page built as the main window builds it, on a state of its own
// in a fresh program folder; questions answered from a script and recorded.

#include "app/entry/eintragsseite.h"
#include "app/entry/laden.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/records/jahr.h"
#include "platform/forms/events.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>

#include <deque>
#include <ostream>
#include <map>

// Readable QStrings in the test messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }

namespace kmktest {

struct Seite {
    QTemporaryDir dir;
    forms::ScopedFakes fakes;
    kmk::Fahrten1 st;
    QWidget fenster;
    kmk::Eintragsseite s{st, &fenster};
    QList<int> fragen;             // catalogue messages in order
    std::deque<bool> antworten;    // then yes
    std::map<QByteArray, qint32> kalender{{"Date", 42370}, {"MinDate", 42370}, {"MaxDate", 42735}};

    explicit Seite(bool firma = true)
    {
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        kmk::Jahr_ini(st);
        st.AktuellesFahrzeug = 1;
        st.Fahrtdatei = st.fahrtdateiName(1);
        st.Kfz.Firmenfahrzeug = firma ? kmk::WAHR : kmk::FALSCH;
        st.Kfz.Privatfahrzeug = firma ? kmk::FALSCH : kmk::WAHR;
        st.Kfz.Anfangskm = 1000;
        st.Kfz.Standort = "Köln";
        st.Sicherungspfad = st.Programmpfad + "Sicherheit/";
        kmk::pages::setHostedControlFactory({});
        kmk::buildEintragungenPage(&fenster);
        auto* gruppe = new forms::OptionGroup(&fenster);
        int i = 0;
        for (const char* n : {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"})
            gruppe->add(s.ctl<QRadioButton>(n), i++);
        s.dienste.MeldungAnzeigen = [this](int n) {
            fragen << n;
            if (antworten.empty())
                return true;
            const bool a = antworten.front();
            antworten.pop_front();
            return a;
        };
        s.dienste.kalenderLesen = [this](const char* p) { return kalender[p]; };
        s.dienste.kalenderSetzen = [this](const char* p, qint32 v) {
            if (v < kalender["MinDate"] || v > kalender["MaxDate"])
                throw vb::RuntimeError(vb::ErrInvalidPropertyValue);
            kalender[p] = v;
        };
    }

    QString pfad(const QString& name = "Auto1_16.dat") const { return dir.filePath(name); }
    QByteArray inhalt(const QString& name = "Auto1_16.dat") const
    {
        QFile f(pfad(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    kmk::FahrtDatensatz satz(int n) const
    {
        return kmk::FahrtDatensatz::ausBytes(inhalt().mid((n - 1) * kmk::FahrtDatensatz::Laenge, kmk::FahrtDatensatz::Laenge));
    }
    // Trip i: 0i.03.2016, 08:0i to 09:0i, 100 km per trip from 1000 on.
    static kmk::FahrtDatensatz fahrt(int i)
    {
        kmk::FahrtDatensatz f;
        f.FahrtNummer = qint16(i);
        f.DatumAb = f.DatumAn = vb::DateSerial(2016, 3, i);
        f.ZeitAb = qint16(480 + i);
        f.ZeitAn = qint16(540 + i);
        f.KmAb = 1000 + 100 * (i - 1);
        f.KmAn = f.KmAb + 100;
        f.GefahreneKm = 100;
        f.Von = QString("Start %1").arg(i);
        f.Nach = QString("Ziel %1").arg(i);
        f.Ueber = "A1";
        f.Grund = "Kunde";
        f.Gespraechspartner = "Meier";
        f.Fahrtart = 3;
        return f;
    }
    void schreibe(const QList<kmk::FahrtDatensatz>& fahrten)
    {
        QFile f(pfad());
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const auto& x : fahrten)
            f.write(x.zuBytes());
    }
    void schreibe(int n)
    {
        QList<kmk::FahrtDatensatz> l;
        for (int i = 1; i <= n; ++i)
            l << fahrt(i);
        schreibe(l);
    }
    QString text(const QString& name) const;
    QStringList meldungstexte() const
    {
        QStringList t;
        for (const auto& m : fakes.dialogs.shown)
            t << m.prompt;
        return t;
    }
};

// A text padded with blanks to its field's width, as records hold it.
inline QString gepolstert(const QString& t, int breite) { return t + QString(breite - t.size(), ' '); }

// Shows stored trip n as the navigation does.
inline void zeige(Seite& p, int n)
{
    p.st.Satznummer = n;
    p.st.Pufferindex = 3;
    kmk::FLaden(p.s);
}

// The trip list's lines, top first.
inline QStringList listenzeilen(Seite& p)
{
    QStringList z;
    auto* l = p.s.ctl<QListWidget>("FahrtListe");
    for (int i = 0; i < l->count(); ++i)
        z << l->item(i)->text();
    return z;
}

} // namespace kmktest
