#include "app/mainwindow/anbindung_pauschalen.h"

#include <QPushButton>

#include "app/allowance/aktualisieren.h"
#include "app/allowance/kmanteile.h"
#include "app/allowance/pauschalanzeige.h"
#include "app/allowance/pauschalregeln.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/records/dateien.h"

namespace kmk {

namespace {

// Lives as long as the window; the hooks hold a pointer to it.
class Pauschalmodul : public QObject {
public:
    explicit Pauschalmodul(Form1& f)
        : QObject(&f), anzeige(mw::G(), &f), anteile(mw::G(), &f)
    {
        setObjectName(QStringLiteral("Pauschalmodul"));
    }
    Pauschalanzeige anzeige;
    Kmanteile anteile;
    bool saetzeGeprueft = false;
};

Pauschalmodul* modul(Form1& f)
{
    return f.findChild<Pauschalmodul*>(QStringLiteral("Pauschalmodul"), Qt::FindDirectChildrenOnly);
}

// Shows the current vehicle again after a recalculation.
void neuLaden(Form1& f)
{
    Fahrten1& st = mw::G();
    if (st.Fahrtdatei.trimmed().isEmpty())
        return;
    if (f.services.ErsteLaden)
        f.services.ErsteLaden();
    else
        ErsteLadenDatei(st);
    if (f.services.PauschaleAnzeigen)
        f.services.PauschaleAnzeigen();
}

} // namespace

Pauschalanzeige* pauschalanzeige(Form1& f)
{
    Pauschalmodul* m = modul(f);
    return m ? &m->anzeige : nullptr;
}

void PauschaleNeuBerechnen(Form1& f)
{
    // The Pause key's own steps: notice, recalculation through the hook
    // below, flag written with the settings.
    f.Pause_Taste();
}

void anbindungPauschalen(Form1& f)
{
    auto* m = new Pauschalmodul(f);
    f.services.PauschaleAnzeigen = [m] { m->anzeige.PauschaleAnzeigen(); };
    f.services.Prozentverteilung = [m] { m->anteile.Prozentverteilung(); };
    f.services.Ges_Verbrauch = [m] {
        // Start-up runs this once: a rate that is no number is told then.
        if (!m->saetzeGeprueft) {
            m->saetzeGeprueft = true;
            bool keineZahl = false;
            KonfigurierteSaetze(mw::G(), &keineZahl);
            if (keineZahl)
                mw::plainMessage(TextSatzKeineZahl());
        }
        m->anteile.Ges_Verbrauch();
    };
    f.services.aktualisieren = [&f] { return kmk::aktualisieren(mw::G(), [&f] { neuLaden(f); }).vollstaendig(); };
    verbindeNeuBerechnen(f);
}

void verbindeNeuBerechnen(Form1& f)
{
    auto* b = f.ctl<QPushButton>(QStringLiteral("CommandNeuBerechnen"));
    if (!b || b->property("kmkNeuBerechnen").toBool())
        return;
    b->setProperty("kmkNeuBerechnen", true);
    QObject::connect(b, &QPushButton::clicked, &f, [&f] { PauschaleNeuBerechnen(f); });
}

} // namespace kmk
