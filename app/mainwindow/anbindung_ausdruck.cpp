#include "app/mainwindow/anbindung_ausdruck.h"

#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/sstab.h"
#include "app/printout/ausdruckseite.h"
#include "app/records/fahrten1.h"
#include "platform/sheet/steuerelement.h"

#include <QEvent>
#include <QRadioButton>

namespace kmk {

namespace {

// The page's rows get one height whenever the window is resized while the
// printout page is in front (one default height, not a call per row).
class Zeilenhoehen : public QObject {
public:
    Zeilenhoehen(Form1& f, sheet::Steuerelement& t) : QObject(&f), m_f(f), m_t(t) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == &m_f && e->type() == QEvent::Resize && m_f.SSTab1
            && m_f.SSTab1->Caption() == QLatin1String("Ausdruck"))
            m_t.Standardzeilenhoehe(260);
        return false;
    }

private:
    Form1& m_f;
    sheet::Steuerelement& m_t;
};

} // namespace

void AusdruckAnbinden(Form1& f)
{
    QWidget* platzhalter = f.ctl("F1Book1");
    auto* f1 = new sheet::Steuerelement(platzhalter ? platzhalter->parentWidget() : &f);
    if (platzhalter) {
        f1->setGeometry(platzhalter->geometry());
        delete platzhalter;
    }
    f1->setObjectName(QStringLiteral("F1Book1"));

    AusdruckUmgebung u;
    u.fahrzeugBeschriftung = [&f] {
        const int k = fahrten1().AktuellesFahrzeug;
        QRadioButton* o = k >= 1 && k <= 4 ? f.AutoOpt(k - 1) : nullptr;
        return o ? o->text() : QString();
    };
    u.fensterTitel = [&f](const QString& t) { f.setWindowTitle(t); };
    u.hilfstext = [](int k) { return Hilfstext(k); };
    auto* seite = new Ausdruckseite(&f, *f1, fahrten1(), std::move(u), &f);
    seite->setObjectName(QStringLiteral("Ausdruckseite"));
    seite->verbinden();

    f.services.Bildschirmzoom = [seite](const QString& p) { seite->Bildschirmzoom(p); };
    f.services.Druckskalierung = [seite](int p, bool a, int b, int h) { seite->Druckskalierung(p, a, b, h); };
    // The printout page coming to the front builds the current vehicle's table.
    if (f.SSTab1)
        QObject::connect(f.SSTab1, &SSTab::Click, seite, [&f, seite](int) {
            if (f.SSTab1->Caption() == QLatin1String("Ausdruck"))
                seite->Command6_Click();
        });
    f.installEventFilter(new Zeilenhoehen(f, *f1));
}

} // namespace kmk
