#include "app/mainwindow/hilfezeilen.h"

#include "app/mainwindow/hilfe.h"
#include "platform/forms/events.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextEdit>

namespace kmk {

using E = Hilfezeilen::Ereignis;

const std::vector<Hilfezeilen::Zeile>& Hilfezeilen::tabelle()
{
    using Ereignis = Hilfezeilen::Ereignis;
    // box, text, control, event, focus into the box, trip-order check off
    static const std::vector<Zeile> t = {
    {"TTitelHilfe", 1, "Command4", Ereignis::Maus, false, false},
    {"TTitelHilfe", 3, "Command2", Ereignis::Maus, true, false},
    {"TTitelHilfe", 4, "Command16", Ereignis::Maus, false, false},
    {"TTitelHilfe", 5, "Command17", Ereignis::Maus, false, false},
    {"TTitelHilfe", 6, "CBTextfensterTitel", Ereignis::Maus, false, false},
    {"TTitelHilfe", 7, "Image1", Ereignis::Maus, false, false},
    {"TTitelHilfe", 7, "TTitelHilfe", Ereignis::Maus, true, false},
    {"TTitelHilfe", 8, "Label95", Ereignis::Maus, false, false},
    {"TGrHilfe", 7, "TGrHilfe", Ereignis::Maus, false, false},
    {"TGrHilfe", 10, "Check1", Ereignis::Maus, true, false},
    {"TGrHilfe", 11, "Check10", Ereignis::Maus, true, false},
    {"TGrHilfe", 12, "Check11", Ereignis::Maus, true, false},
    {"TGrHilfe", 13, "Check12", Ereignis::Maus, true, false},
    {"TGrHilfe", 14, "Check3", Ereignis::Maus, true, false},
    {"TGrHilfe", 15, "Check4", Ereignis::Maus, true, false},
    {"TGrHilfe", 16, "Check5", Ereignis::Maus, true, false},
    {"TGrHilfe", 17, "Check8", Ereignis::Maus, true, false},
    {"TGrHilfe", 21, "KfzEingabe", Ereignis::Maus, false, false},
    {"TGrHilfe", 22, "KmEingabe", Ereignis::Maus, false, false},
    {"TGrHilfe", 23, "StandortEingabe", Ereignis::Maus, false, false},
    {"TGrHilfe", 24, "Frame9", Ereignis::Maus, false, false},
    {"TGrHilfe", 26, "LSPfad", Ereignis::Maus, false, false},
    {"TGrHilfe", 28, "Dir1", Ereignis::Maus, false, false},
    {"TGrHilfe", 30, "FirmenPkw", Ereignis::Maus, false, false},
    {"TGrHilfe", 31, "PrivatPkw", Ereignis::Maus, false, false},
    {"TGrHilfe", 32, "Command1", Ereignis::Maus, false, false},
    {"TGrHilfe", 33, "CBTextfensterGr", Ereignis::Maus, false, false},
    {"TGrHilfe", 101, "Aktu_Auto", Ereignis::Maus, true, false},
    {"TGrHilfe", 102, "CDateiSuchen", Ereignis::Maus, true, false},
    {"TEinHilfe", 6, "CBTextfensterEin", Ereignis::Maus, false, false},
    {"TEinHilfe", 7, "SSTab1", Ereignis::Maus, false, false},
    {"TEinHilfe", 34, "AutoOpt", Ereignis::Maus, false, false},
    {"TEinHilfe", 34, "Frame2", Ereignis::Maus, false, false},
    {"TEinHilfe", 35, "Frame3", Ereignis::Maus, false, false},
    {"TEinHilfe", 36, "OptWA", Ereignis::Maus, false, false},
    {"TEinHilfe", 37, "OptPri", Ereignis::Maus, false, false},
    {"TEinHilfe", 38, "OptGesch", Ereignis::Maus, false, false},
    {"TEinHilfe", 39, "OptEhr", Ereignis::Maus, false, false},
    {"TEinHilfe", 40, "OptFam", Ereignis::Maus, false, false},
    {"TEinHilfe", 41, "QKC", Ereignis::Maus, false, false},
    {"TEinHilfe", 42, "Check13", Ereignis::Maus, false, false},
    {"TEinHilfe", 43, "Label11", Ereignis::Maus, false, false},
    {"TEinHilfe", 44, "EinDatumAb", Ereignis::Fokus, false, true},
    {"TEinHilfe", 44, "Label1", Ereignis::Maus, false, false},
    {"TEinHilfe", 45, "EinZeitAb", Ereignis::Fokus, false, true},
    {"TEinHilfe", 45, "Label2", Ereignis::Maus, false, false},
    {"TEinHilfe", 45, "QKSpin1", Ereignis::Fokus, false, false},
    {"TEinHilfe", 45, "QKSpin2", Ereignis::Fokus, false, false},
    {"TEinHilfe", 46, "AnzKmAb", Ereignis::Maus, false, false},
    {"TEinHilfe", 46, "Label3", Ereignis::Maus, false, false},
    {"TEinHilfe", 47, "Label4", Ereignis::Maus, false, false},
    {"TEinHilfe", 48, "EinUber", Ereignis::Fokus, false, false},
    {"TEinHilfe", 48, "Label5", Ereignis::Maus, false, false},
    {"TEinHilfe", 49, "EinNach", Ereignis::Fokus, false, false},
    {"TEinHilfe", 49, "Label6", Ereignis::Maus, false, false},
    {"TEinHilfe", 50, "EinDatumAn", Ereignis::Fokus, false, true},
    {"TEinHilfe", 50, "Label7", Ereignis::Maus, false, false},
    {"TEinHilfe", 51, "EinZeitAn", Ereignis::Fokus, false, true},
    {"TEinHilfe", 51, "Label8", Ereignis::Maus, false, false},
    {"TEinHilfe", 51, "QKSpin3", Ereignis::Fokus, false, false},
    {"TEinHilfe", 51, "QKSpin4", Ereignis::Fokus, false, false},
    {"TEinHilfe", 52, "Label118", Ereignis::Maus, false, false},
    {"TEinHilfe", 52, "PersAnz", Ereignis::Maus, false, false},
    {"TEinHilfe", 53, "EinkmAn", Ereignis::Maus, false, false},
    {"TEinHilfe", 53, "Label9", Ereignis::Maus, false, false},
    {"TEinHilfe", 54, "EinGrund", Ereignis::Fokus, false, false},
    {"TEinHilfe", 54, "Label10", Ereignis::Maus, false, false},
    {"TEinHilfe", 55, "EinGefKm", Ereignis::Maus, false, false},
    {"TEinHilfe", 55, "Label102", Ereignis::Maus, false, false},
    {"TEinHilfe", 55, "QKSpin7", Ereignis::Fokus, false, false},
    {"TEinHilfe", 56, "DateiLoschen", Ereignis::Maus, false, false},
    {"TEinHilfe", 57, "Kundeuberschreiben", Ereignis::Maus, false, false},
    {"TEinHilfe", 58, "Tabellezeigen_", Ereignis::Maus, false, false},
    {"TEinHilfe", 59, "CBenzin", Ereignis::Maus, false, false},
    {"TEinHilfe", 60, "AutoDatAnfang", Ereignis::Maus, false, false},
    {"TEinHilfe", 61, "AutoDatZuruck", Ereignis::Maus, false, false},
    {"TEinHilfe", 62, "FahrtNr", Ereignis::Maus, false, false},
    {"TEinHilfe", 63, "AutoDatVor", Ereignis::Maus, false, false},
    {"TEinHilfe", 64, "AutoDatEnde", Ereignis::Maus, false, false},
    {"TEinHilfe", 65, "EintragSpeichern", Ereignis::Maus, false, false},
    {"TEinHilfe", 66, "NeuerEintrag", Ereignis::Maus, false, false},
    {"TEinHilfe", 67, "KundeEintragen", Ereignis::Maus, false, false},
    {"TEinHilfe", 68, "KundenNeu", Ereignis::Maus, false, false},
    {"TEinHilfe", 69, "Command5", Ereignis::Maus, false, false},
    {"TEinHilfe", 70, "Frame4", Ereignis::Maus, false, false},
    {"TEinHilfe", 71, "Label17", Ereignis::Maus, false, false},
    {"TEinHilfe", 71, "Text9", Ereignis::Maus, false, false},
    {"TEinHilfe", 72, "TEinHilfe", Ereignis::Maus, false, false},
    {"TEinHilfe", 73, "List8", Ereignis::Maus, false, false},
    {"TEinHilfe", 74, "KundenBearbeiten", Ereignis::Maus, false, false},
    {"TEinHilfe", 75, "Frame7", Ereignis::Maus, false, false},
    {"TEinHilfe", 76, "Frame5", Ereignis::Maus, false, false},
    {"TEinHilfe", 77, "Frame8", Ereignis::Maus, false, false},
    {"TEinHilfe", 101, "LEinDatum", Ereignis::Maus, false, false},
    {"TEinHilfe", 102, "Label41", Ereignis::Maus, false, false},
    {"TAusHilfe", 33, "CBTextfensterAus", Ereignis::Maus, false, false},
    {"TAusHilfe", 72, "TAusHilfe", Ereignis::Maus, false, false},
    {"TAusHilfe", 79, "Label29", Ereignis::Maus, false, false},
    {"TAusHilfe", 80, "QKC2", Ereignis::Maus, false, false},
    {"TAusHilfe", 81, "Label47", Ereignis::Maus, false, false},
    {"TAusHilfe", 82, "QKC3", Ereignis::Maus, false, false},
    {"TAusHilfe", 83, "Label49", Ereignis::Maus, false, false},
    {"TAusHilfe", 83, "Label70", Ereignis::Maus, false, false},
    {"TAusHilfe", 84, "List2", Ereignis::Maus, false, false},
    {"TAusHilfe", 85, "Label71", Ereignis::Maus, false, false},
    {"TAusHilfe", 85, "Label72", Ereignis::Maus, false, false},
    {"TAusHilfe", 86, "List3", Ereignis::Maus, false, false},
    {"TAusHilfe", 87, "Label73", Ereignis::Maus, false, false},
    {"TAusHilfe", 87, "Label74", Ereignis::Maus, false, false},
    {"TAusHilfe", 88, "Check6", Ereignis::Maus, true, false},
    {"TDruckHilfe", 33, "CBTextfensterDru", Ereignis::Maus, false, false},
    {"TDruckHilfe", 72, "TDruckHilfe", Ereignis::Maus, false, false},
    {"TDruckHilfe", 89, "Command6", Ereignis::Maus, false, false},
    {"TDruckHilfe", 90, "Command7", Ereignis::Maus, false, false},
    {"TDruckHilfe", 91, "CBBetriebskosten", Ereignis::Maus, false, false},
    {"TDruckHilfe", 93, "Command3", Ereignis::Maus, false, false},
    {"TDruckHilfe", 94, "ExcelExport", Ereignis::Maus, false, false},
    {"TDruckHilfe", 95, "Command9", Ereignis::Maus, true, false},
    {"TDruckHilfe", 97, "Command8", Ereignis::Maus, true, false},
    {"TDruckHilfe", 98, "Label75", Ereignis::Maus, false, false},
    {"TDruckHilfe", 98, "List4", Ereignis::Maus, false, false},
    {"TDruckHilfe", 99, "Label76", Ereignis::Maus, false, false},
    {"TDruckHilfe", 99, "List5", Ereignis::Maus, false, false},
    {"TDruckHilfe", 100, "F1Book1", Ereignis::Maus, false, false},
    };
    return t;
}

Hilfezeilen::Hilfezeilen(const Hilfstexte& texte, QObject* parent) : QObject(parent), texte_(texte)
{
    qApp->installEventFilter(this);
}

Hilfezeilen::~Hilfezeilen()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void Hilfezeilen::merke(QHash<QWidget*, Eintrag>& map, QWidget* control, Eintrag e)
{
    if (!control)
        return;
    if (!map.contains(control))
        connect(control, &QObject::destroyed, this, [this, control] {
            maus_.remove(control);
            fokus_.remove(control);
        });
    map.insert(control, std::move(e));
}

void Hilfezeilen::attachHelp(QWidget* control, int number, QWidget* helpBox, bool focusBox)
{
    if (!control || !helpBox)
        return;
    // Movements without a pressed button reach only tracking widgets.
    control->setMouseTracking(true);
    merke(maus_, control, {number, helpBox, focusBox, {}});
}

void Hilfezeilen::attachHelpOnFocus(QWidget* control, int number, QWidget* helpBox,
                                    std::function<void()> before)
{
    if (!control || !helpBox)
        return;
    // Through the runtime's focus order, so a field left at the same time
    // runs its LostFocus before this GotFocus.
    if (!fokus_.contains(control))
        forms::onGotFocus(control, [self = QPointer<Hilfezeilen>(this), control] {
            if (!self)
                return;
            auto it = self->fokus_.constFind(control);
            if (it != self->fokus_.constEnd()) {
                const Eintrag eintrag = it.value();
                self->ausfuehren(eintrag);
            }
        });
    merke(fokus_, control, {number, helpBox, false, std::move(before)});
}

int Hilfezeilen::attachTable(QWidget* form, std::function<void()> folgepruefungAus)
{
    missing_.clear();
    int n = 0;
    const auto alle = form->findChildren<QWidget*>();
    auto finde = [&](const QString& name) {
        QList<QWidget*> treffer;
        const QRegularExpression feld(QStringLiteral("^%1_\\d+$").arg(QRegularExpression::escape(name)));
        for (QWidget* w : alle)
            if (w->objectName() == name || feld.match(w->objectName()).hasMatch())
                treffer << w;
        if (form->objectName() == name)
            treffer << form;
        return treffer;
    };
    for (const Zeile& z : tabelle()) {
        const QList<QWidget*> boxen = finde(QString::fromLatin1(z.box));
        const QList<QWidget*> controls = finde(QString::fromLatin1(z.control));
        if (boxen.isEmpty())
            missing_ << QString::fromLatin1(z.box);
        if (controls.isEmpty())
            missing_ << QString::fromLatin1(z.control);
        if (boxen.isEmpty() || controls.isEmpty())
            continue;
        for (QWidget* c : controls) {
            if (z.ereignis == E::Fokus)
                attachHelpOnFocus(c, z.text, boxen.first(), z.folgepruefung ? folgepruefungAus : nullptr);
            else
                attachHelp(c, z.text, boxen.first(), z.fokus);
            ++n;
        }
    }
    missing_.removeDuplicates();
    return n;
}

void Hilfezeilen::setBoxText(QWidget* box, const QString& text)
{
    if (auto* p = qobject_cast<QPlainTextEdit*>(box)) {
        if (p->toPlainText() != text)
            p->setPlainText(text);
    } else if (auto* t = qobject_cast<QTextEdit*>(box)) {
        if (t->toPlainText() != text)
            t->setPlainText(text);
    } else if (auto* l = qobject_cast<QLineEdit*>(box)) {
        l->setText(text);
    } else if (auto* b = qobject_cast<QLabel*>(box)) {
        b->setText(text);
    }
}

void Hilfezeilen::zeigen(int number, QWidget* helpBox) const
{
    if (helpBox)
        setBoxText(helpBox, texte_.text(number));
}

void Hilfezeilen::ausfuehren(const Eintrag& e) const
{
    if (e.vorher)
        e.vorher();
    if (!e.box)
        return;
    zeigen(e.nummer, e.box);
    if (e.fokus && !e.box->hasFocus())
        e.box->setFocus(Qt::OtherFocusReason);
}

namespace {

// A widget the user sees as a control of its own (named, placed directly on
// a page, a frame or a window), as opposed to the inside of a composite one.
bool istSteuerelement(const QWidget* w)
{
    const QString name = w->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    const QWidget* p = w->parentWidget();
    if (!p || w->isWindow())
        return false;
    if (qobject_cast<const QStackedWidget*>(p))
        return false;   // a tab page, not a control
    if (qobject_cast<const QGroupBox*>(p) || p->isWindow())
        return true;
    if (qobject_cast<const QStackedWidget*>(p->parentWidget()))
        return true;    // on a tab page
    const QMetaObject* m = p->metaObject();
    return m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject;
}

} // namespace

QWidget* Hilfezeilen::steuerelementUnter(QWidget* w) const
{
    for (QWidget* x = w; x; x = x->parentWidget()) {
        if (maus_.contains(x))
            return x;
        if (x->isWindow() || istSteuerelement(x))
            return nullptr;   // a control without help line takes the movement
    }
    return nullptr;
}

bool Hilfezeilen::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::MouseMove) {
        if (maus_.isEmpty() || !obj->isWidgetType())
            return false;
        auto* me = static_cast<QMouseEvent*>(e);
        // Qt offers one movement to the widget under the pointer and then to
        // its parents; only the first delivery counts.
        auto* w = static_cast<QWidget*>(obj);
        if (letzte_.gueltig && letzte_.zeit == me->timestamp() && letzte_.ort == me->globalPosition()) {
            // Passed on to the parents because the control ignored it: a
            // frame must not answer a movement over a control inside it.
            return letzte_.ziel && w != letzte_.ziel && w->isAncestorOf(letzte_.ziel);
        }
        letzte_ = Bewegung{me->timestamp(), me->globalPosition(), true, {}};
        if (QWidget* c = steuerelementUnter(w)) {
            letzte_.ziel = c;
            const Eintrag eintrag = maus_.value(c);
            ausfuehren(eintrag);
        }
        return false;
    }
    return false;
}

} // namespace kmk
