// Connects the controls of the entry page to their handlers.

#include "app/entry/eingabefelder.h"

#include "app/entry/pruefungen.h"
#include "app/entry/tasten.h"
#include "app/entry/vorbelegung.h"
#include "platform/com/controlhost.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/keys.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/textinput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

namespace kmk {

namespace {

// Mouse release on an option button: the handler runs once the button has
// taken the click, and only for the mouse (not for the Space key).
class OptionMausLos : public QObject {
public:
    OptionMausLos(QRadioButton* b, std::function<void(int)> h) : QObject(b), handler_(std::move(h))
    {
        b->installEventFilter(this);
        connect(b, &QAbstractButton::released, this, [this] {
            if (maus_ == 1) {
                maus_ = 0;
                handler_(1);
            }
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) {
            const int b = forms::runtimeButton(static_cast<QMouseEvent*>(e)->button());
            maus_ = b;
            // Qt's button ignores the other mouse buttons: they raise their
            // MouseUp here and change nothing.
            if (b != 1 && b != 0)
                handler_(b);
        }
        return false;
    }

private:
    std::function<void(int)> handler_;
    int maus_ = 0;
};

} // namespace

Eintragsfelder::Eintragsfelder(QWidget* page, Fahrten1& st, Eingabedienste dienste, QObject* parent)
    : QObject(parent), seite_(page), dienste_(std::move(dienste)), e_{st, seite_, dienste_}
{
    // Counted, so that a save by key knows whether a leave check asked.
    if (auto meldung = dienste_.meldung)
        dienste_.meldung = [this, meldung](int n) {
            ++meldungen_;
            return meldung(n);
        };
}

void Eintragsfelder::verlassen(QWidget* w, std::function<bool()> pruefung)
{
    if (!w)
        return;
    forms::onLostFocus(w, [pruefung] { pruefung(); });
    verlassen_.insert(w, std::move(pruefung));
}

bool Eintragsfelder::FokusPruefen()
{
    QWidget* w = QApplication::focusWidget();
    const QWidget* fenster = seite_.root() ? seite_.root()->window() : nullptr;
    if (!w || w->window() != fenster)
        return true;
    // The edit part of a drop-down box answers for the box.
    while (w && !verlassen_.contains(w))
        w = w->parentWidget();
    if (!w)
        return true;
    const int vorher = meldungen_;
    return verlassen_.value(w)() && meldungen_ == vorher;
}

Eintragsfelder::~Eintragsfelder() = default;

void Eintragsfelder::anbinden()
{
    auto edit = [this](const char* n) { return qobject_cast<QLineEdit*>(seite_.control(QString::fromLatin1(n))); };
    auto combo = [this](const char* n) { return qobject_cast<forms::ComboBox*>(seite_.control(QString::fromLatin1(n))); };
    auto host = [this](const char* n) { return qobject_cast<com::ControlHost*>(seite_.control(QString::fromLatin1(n))); };
    auto mouseUp = [this](const char* n) { return qobject_cast<forms::MouseUpButton*>(seite_.control(QString::fromLatin1(n))); };
    auto button = [this](const char* n) { return qobject_cast<QAbstractButton*>(seite_.control(QString::fromLatin1(n))); };
    // While the shown record is locked, the key filters below swallow every
    // key; the lock refuses what they cannot see (Delete, cut and paste,
    // the edit menu, drops, input-method text, the middle click, the list).
    auto sperren = [this](QWidget* w) {
        if (w)
            forms::setLocked(w, [this] { return gesperrt(); });
    };

    // Dates and times.
    if (auto* w = edit("EinDatumAb")) {
        forms::onKeyPress(w, [this](int& k) { EinDatumAb_KeyPress(k); });
        verlassen(w, [this] { EinDatum_LostFocus("EinDatumAb"); return true; });
    }
    if (auto* w = edit("EinDatumAn")) {
        forms::onKeyPress(w, [this](int& k) { EinDatumAn_KeyPress(k); });
        verlassen(w, [this] { EinDatum_LostFocus("EinDatumAn"); return true; });
        sperren(w);
    }
    if (auto* w = edit("EinZeitAb")) {
        forms::onKeyPress(w, [this](int& k) { EinZeitAb_KeyPress(k); });
        verlassen(w, [this] { EinZeit_LostFocus("EinZeitAb"); return true; });
    }
    if (auto* w = edit("EinZeitAn")) {
        forms::onKeyPress(w, [this](int& k) { EinZeitAn_KeyPress(k); });
        verlassen(w, [this] { EinZeit_LostFocus("EinZeitAn"); return true; });
    }
    if (auto* h = host("QKC"))
        connect(h, &com::ControlHost::mouseUp, this, [this](int b, int, int, int) { QKC_MouseUp(b); });

    // Spin buttons.
    struct Zeit { const char* spin; const char* feld; bool stunden; };
    for (const Zeit& z : {Zeit{"QKSpin1", "EinZeitAb", false}, Zeit{"QKSpin2", "EinZeitAb", true},
                          Zeit{"QKSpin3", "EinZeitAn", true}, Zeit{"QKSpin4", "EinZeitAn", false}})
        if (auto* h = host(z.spin)) {
            const QString feld = QString::fromLatin1(z.feld);
            const bool stunden = z.stunden;
            connect(h, &com::ControlHost::spinUp, this, [=, this] { Zeitspin(feld, stunden, 1); });
            connect(h, &com::ControlHost::spinDown, this, [=, this] { Zeitspin(feld, stunden, -1); });
        }
    if (auto* h = host("QKSpin5")) {
        connect(h, &com::ControlHost::spinUp, this, [this] { QKSpin5_Schritt(1); });
        connect(h, &com::ControlHost::spinDown, this, [this] { QKSpin5_Schritt(-1); });
        connect(h, &com::ControlHost::change, this, [this] { KmBerechnen(e_, true); });
    }
    if (auto* h = host("QKSpin6")) {
        connect(h, &com::ControlHost::spinUp, this, [this] { QKSpin6_Schritt(1); });
        connect(h, &com::ControlHost::spinDown, this, [this] { QKSpin6_Schritt(-1); });
        connect(h, &com::ControlHost::change, this, [this] { KmBerechnen(e_, false); });
    }
    if (auto* h = host("QKSpin7")) {
        connect(h, &com::ControlHost::spinUp, this, [this] { QKSpin7_Schritt(1); });
        connect(h, &com::ControlHost::spinDown, this, [this] { QKSpin7_Schritt(-1); });
        connect(h, &com::ControlHost::change, this, [this] { KmBerechnen(e_, true); });
    }

    // Text combo boxes.
    for (const char* n : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"}) {
        auto* c = combo(n);
        if (!c)
            continue;
        const QString feld = QString::fromLatin1(n);
        connect(c, &forms::ComboBox::change, this, [this, feld] { Text_Change(feld); });
        // The driver's list choice is stored as well as typing.
        connect(c, &forms::ComboBox::click, this, [this, feld] { Text_Click(feld); });
        forms::onKeyPress(c, [this](int& k) { Text_KeyPress(k); });
        sperren(c);
    }
    for (auto [n, hilfe] : {std::pair{"EinVon", 47}, std::pair{"EinGesprach", 43}, std::pair{"EinFahrer", 102}})
        if (auto* c = combo(n)) {
            const QString feld = QString::fromLatin1(n);
            const int h = hilfe;
            forms::onGotFocus(c, [this, feld, h] { Text_GotFocus(feld, h); });
        }

    // Odometer and passengers.
    if (auto* w = edit("EinGefKm")) {
        forms::onChange(w, [this] { KmBerechnen(e_, true); });
        forms::onKeyPress(w, [this](int& k) { EinGefKm_KeyPress(k); });
        verlassen(w, [this] { return KmStandTest(e_); });
        sperren(w);
    }
    if (auto* w = edit("EinkmAn")) {
        forms::onChange(w, [this] { KmBerechnen(e_, false); });
        forms::onKeyPress(w, [this](int& k) { EinkmAn_KeyPress(k); });
        verlassen(w, [this] { return KmStandTest(e_); });
        sperren(w);
    }
    if (auto* w = edit("PersAnz")) {
        forms::onKeyDown(w, [this](int&, int) { KmBerechnen(e_, true); });
        forms::onKeyPress(w, [this](int& k) { PersAnz_KeyPress(k); });
        // The cost follows the count as typed, not one key late.
        forms::onChange(w, [this] { KmBerechnen(e_, true); });
    }

    // Trip type.
    for (const char* n : {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"})
        if (auto* o = qobject_cast<QRadioButton*>(seite_.control(QString::fromLatin1(n))))
            new OptionMausLos(o, [this](int b) { Fahrtart_MouseUp(b); });

    // Costs.
    for (const char* n : {"CBenzin_0", "CBenzin"})
        if (auto* b = button(n)) {
            connect(b, &QAbstractButton::clicked, this, [this] { CBenzin_Click(); });
            break;
        }
    if (auto* b = button("CBFListe"))
        connect(b, &QAbstractButton::clicked, this, [this] { CBFListe_Click(); });
    if (auto* b = button("CB_BSpeichern"))
        connect(b, &QAbstractButton::clicked, this, [this] { CB_BSpeichern_Click(); });
    if (auto* c = combo("CbbKArt")) {
        connect(c, &forms::ComboBox::change, this, [this] { CbbKArt_Change(); });
        // A choice from the list shows its unit as typing does.
        connect(c, &forms::ComboBox::click, this, [this] { CbbKArt_Change(); });
        verlassen(c, [this] { CbbKArt_Validate(); return true; });
    }
    for (const char* n : {"TLiter", "TBGesamt", "TWGesamt"})
        if (auto* w = edit(n)) {
            const QString feld = QString::fromLatin1(n);
            forms::onKeyPress(w, [this, feld](int& k) { Betrag_KeyPress(feld, k); });
        }
    if (auto* w = edit("TLiter"))
        verlassen(w, [this] { TLiter_Validate(); return true; });
    if (auto* w = edit("TBGesamt"))
        verlassen(w, [this] { TBGesamt_Validate(); return true; });
    if (auto* w = edit("TWGesamt"))
        verlassen(w, [this] { TWGesamt_Validate(); return true; });
    if (auto* w = edit("TWbez")) {
        forms::onChange(w, [this] { TWbez_Change(); });
        forms::onKeyPress(w, [](int& k) { enterWeiter(k); });
        verlassen(w, [this] { TWbez_Validate(); return true; });
    }

    // Private car's share, trip-memory filter, help.
    if (auto* b = button("Command18"))
        connect(b, &QAbstractButton::clicked, this, [this] { Command18_Click(); });
    if (auto* w = edit("Text3"))
        forms::onKeyPress(w, [this](int& k) { Text3_KeyPress(k); });
    if (auto* w = edit("Text9"))
        forms::onChange(w, [this] { Text9_Change(); });
    if (auto* b = mouseUp("Tabellezeigen_"))
        connect(b, &forms::MouseUpButton::mouseUp, this, [this](int btn, int, QPoint) { Tabellezeigen__MouseUp(btn); });

    // Buttons of the record bar; the four navigation buttons belong to the
    // stored-trips wiring.
    if (auto* b = mouseUp("NeuerEintrag"))
        connect(b, &forms::MouseUpButton::mouseUp, this,
                [this](int btn, int, QPoint) { Navigation_MouseUp(btn, dienste_.NeuEintrag); });
    for (const char* n : {"Command5_0", "Command5"})
        if (auto* b = button(n)) {
            connect(b, &QAbstractButton::clicked, this, [this] { Command5_Click(); });
            break;
        }
    if (auto* b = mouseUp("EintragSpeichern"))
        connect(b, &forms::MouseUpButton::mouseUp, this, [this](int btn, int, QPoint) { EintragSpeichern_MouseUp(btn); });
}

} // namespace kmk
