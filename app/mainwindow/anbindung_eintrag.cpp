#include "app/mainwindow/anbindung_eintrag.h"

#include "app/backup/sicherung.h"
#include "app/backup/wiederherstellen.h"
#include "app/entry/anzeige.h"
#include "app/entry/eintragsseite.h"
#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/entry/neueintrag.h"
#include "app/entry/speichern.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "platform/forms/dirlist.h"
#include "platform/forms/keys.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/seams.h"

#include <QListWidget>

namespace kmk {

namespace {

// Owned by the window, found again by name.
class Seitenhalter : public QObject {
public:
    Seitenhalter(Form1& f) : QObject(&f), seite{mw::G(), &f, {}} { setObjectName("kmkEintragsseite"); }
    Eintragsseite seite;
};

void dienstAnbinden(Form1& f, Eintragsdienste& d)
{
    Form1* w = &f;
    auto weiter = [w](std::function<void()> Form1Services::*hook) {
        return [w, hook] {
            if (const auto& h = w->services.*hook)
                h();
        };
    };
    d.MeldungAnzeigen = [](int n) { return mw::MeldungAnzeigen(n); };
    d.PauschaleAnzeigen = weiter(&Form1Services::PauschaleAnzeigen);
    d.Prozentverteilung = weiter(&Form1Services::Prozentverteilung);
    d.FahrtLoschen = weiter(&Form1Services::FahrtLoschen);
    d.Datenzurucksetzen = [w] {
        if (w->services.Datenzurucksetzen)
            w->services.Datenzurucksetzen();
        else
            PufferZuruecksetzen(mw::G());
    };
    d.AutoTest = [w] { return w->AutoTest(); };
    d.kalenderLesen = [w](const char* p) { return mw::calGet(w->ctl("QKC"), p); };
    d.kalenderSetzen = [w](const char* p, qint32 v) { mw::calPut(w->ctl("QKC"), p, v); };
}

// A navigation button acts on the left button, then shows the trip list.
void navigation(Form1& f, const char* name, void (*proc)(Eintragsseite&))
{
    auto* b = f.ctl<forms::MouseUpButton>(QString::fromLatin1(name));
    if (!b)
        return;
    Form1* w = &f;
    QObject::connect(b, &forms::MouseUpButton::mouseUp, w, [w, proc](int button, int, QPoint) {
        if (button != 1)
            return;
        proc(eintragsseite(*w));
        w->showCtl("FahrtListe", true);
        w->showCtl("TEinHilfe", false);
        w->showCtl("CBTextfensterEin", false);
    });
}

// Where the entry page's fields, trip type options, calendar and, while
// open, cost fields lie, each in the window's coordinates; none while
// another page is shown.
QList<QRect> eintragsbereiche(const Form1& f)
{
    if (!f.SSTab1 || f.SSTab1->Tab() != 2)
        return {};
    QStringList namen = Journalfelder();
    namen << "OptWA" << "OptPri" << "OptGesch" << "OptEhr" << "OptFam" << "QKC"
          << "TLiter" << "TBGesamt" << "TWGesamt" << "TWbez" << "CbbKArt";
    QList<QRect> bereiche;
    for (const QString& n : namen)
        if (QWidget* c = f.ctl(n); c && c->isVisible())
            bereiche << QRect(c->mapTo(&f, QPoint(0, 0)), c->size());
    return bereiche;
}

} // namespace

Eintragsseite& eintragsseite(Form1& f)
{
    auto* h = f.findChild<Seitenhalter*>("kmkEintragsseite", Qt::FindDirectChildrenOnly);
    if (!h) {
        h = new Seitenhalter(f);
        dienstAnbinden(f, h->seite.dienste);
    }
    return h->seite;
}

void Wiederherstellen(Form1& f, int fahrzeug)
{
    Form1* w = &f;
    Wiederherstellungsdienste d;
    d.meldung = [](const QString& t) { mw::plainMessage(t); };
    d.listenNeu = [w] {
        if (w->services.AListe)
            w->services.AListe();
        if (w->services.KListe)
            w->services.KListe();
    };
    d.fahrzeugWaehlen = [w](int index) { w->AutoOpt_Click(index); };
    kmk::Wiederherstellen(mw::G(), f.Dir1->selectedFolder(), fahrzeug, d);
}

void EintragAnbinden(Form1& f)
{
    Form1* w = &f;
    eintragsseite(f);
    f.services.ErsteLaden = [w] { ErsteLaden(eintragsseite(*w)); };
    f.services.SperrTest = [w] { SperrTest(eintragsseite(*w)); };
    f.services.Sicherheitscopy = [] { Sicherheitscopy(mw::G(), [](const QString& t) { mw::plainMessage(t); }); };
    f.services.SicherheitscopyNeu = [w] {
        SicherheitscopyNeu(mw::G(), [](const QString& t) { mw::plainMessage(t); });
        w->Dir1->Refresh();
    };

    navigation(f, "AutoDatAnfang", &Datensatzeins);
    navigation(f, "AutoDatZuruck", &Datensatzzurueck);
    navigation(f, "AutoDatVor", &Datensatzvor);
    navigation(f, "AutoDatEnde", &LetzterDatensatz);

    auto seite = [w](void (*proc)(Eintragsseite&)) { return [w, proc] { proc(eintragsseite(*w)); }; };
    f.tasten.Wiederherstellen = [w](int k) { Wiederherstellen(*w, k); };
    f.tasten.ALoeschen = seite(&ALoeschen);
    f.tasten.Datensatzeins = seite(&Datensatzeins);
    f.tasten.Datensatzzurueck = seite(&Datensatzzurueck);
    f.tasten.Datensatzvor = seite(&Datensatzvor);
    f.tasten.LetzterDatensatz = seite(&LetzterDatensatz);
    f.tasten.ASpeichern = seite(&ASpeichern);
    f.tasten.NeuEintrag = seite(&NeuEintrag);
    f.tasten.Rueckfahrt = seite(&Rueckfahrt);
    // A question of the catalogue leaves in view what it asks about.
    forms::setUncovered(w, [w] { return eintragsbereiche(*w); });
}

} // namespace kmk
