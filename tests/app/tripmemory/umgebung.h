#pragma once
// A program folder of the year 2016 and the trip-memory controls of the
// entry and evaluation pages, named as on the main window; catalogue
// messages are recorded by number and answered from a script.

#include "app/records/fahrten1.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/kundendatei.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/fakes.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include <deque>

namespace kmktest {

inline kmk::Fahrtenspeichersatz satz(quint8 art, qint32 km, const QString& von, const QString& ueber,
                                     const QString& nach, const QString& grund, const QString& partner)
{
    kmk::Fahrtenspeichersatz s;
    s.Fahrtart = art;
    s.GefahreneKm = km;
    s.Von = von;
    s.Ueber = ueber;
    s.Nach = nach;
    s.Grund = grund;
    s.Gespraechspartner = partner;
    return s;
}

// A text field as stored: the bytes, padded with blanks to its width.
inline QByteArray feld(const QByteArray& inhalt, int breite) { return inhalt + QByteArray(breite - inhalt.size(), ' '); }
inline QString bis(const QString& s, int breite) { return s + QString(breite - s.size(), ' '); }

inline QStringList eintraege(const QComboBox* b)
{
    QStringList l;
    for (int i = 0; i < b->count(); ++i)
        l << b->itemText(i);
    return l;
}

struct Umgebung {
    QTemporaryDir dir;
    forms::ScopedFakes fakes;
    kmk::Fahrten1 st;
    QWidget fenster;
    kmk::Fahrtenspeicher fs{&fenster, st};
    QList<int> meldungen;
    std::deque<bool> antworten;   // then yes

    Umgebung()
    {
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        st.Kundendatei = "Kund2016.dat";
        st.Kfz.Firmenfahrzeug = -1;
        for (const char* n : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
            neu<forms::ComboBox>(n);
        auto* gruppe = new forms::OptionGroup(&fenster);
        int i = 0;
        for (const char* n : {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"}) {
            auto* o = neu<QRadioButton>(n);
            gruppe->add(o, i++);
            o->setProperty("kmkOptionGroup", QVariant::fromValue<QObject*>(gruppe));
        }
        neu<QLabel>("AnzKmAb")->setText("12000");
        neu<QLineEdit>("EinkmAn");
        neu<QLineEdit>("EinGefKm");
        for (const char* n : {"List1", "List8", "List2"})
            neu<QListWidget>(n);
        neu<QLabel>("Label56");
        fs.dienste.meldung = [this](int n) {
            meldungen << n;
            if (antworten.empty())
                return true;
            const bool a = antworten.front();
            antworten.pop_front();
            return a;
        };
        fs.verbinden();
    }

    template <class W> W* neu(const char* name)
    {
        auto* w = new W(&fenster);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    }
    template <class W> W* ctl(const char* name) const
    {
        return fenster.findChild<W*>(QString::fromLatin1(name));
    }
    forms::ComboBox* box(const char* name) const { return ctl<forms::ComboBox>(name); }
    QListWidget* liste(const char* name) const { return ctl<QListWidget>(name); }
    QString pfad() const { return dir.path() + "/Kund2016.dat"; }
    QByteArray lies() const
    {
        QFile f(pfad());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void schreibe(const QList<kmk::Fahrtenspeichersatz>& saetze) const
    {
        QFile f(pfad());
        f.open(QIODevice::WriteOnly);
        for (const auto& s : saetze)
            f.write(s.zuBytes());
    }
    // Types the entry of a trip as the entry page would hold it.
    void tippe(int art, qint32 km, const QString& von, const QString& ueber, const QString& nach,
               const QString& grund, const QString& partner)
    {
        box("EinVon")->setText(von);
        box("EinUber")->setText(ueber);
        box("EinNach")->setText(nach);
        box("EinGrund")->setText(grund);
        box("EinGesprach")->setText(partner);
        ctl<QRadioButton>(art == 1 ? "OptWA" : "OptGesch")->setChecked(true);
        st.AktuelleFahrtart = quint8(art);
        st.EingabeKm = km;
    }
    // A click on line n (0-based) of List8.
    void waehle(int zeile) { forms::setListIndex(liste("List8"), zeile); }
};

} // namespace kmktest
