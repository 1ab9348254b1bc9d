#pragma once
// The real main window with vehicle 1 set up as a company or private car,
// on its entry page, typed and clicked like a person.

#include "tests/app/mainwindow/test_startup_umgebung.h"

#include "app/entry/eingabefelder.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "platform/com/controlhost.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "tests/support/zeiger.h"

#include <QApplication>
#include <QLabel>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kmktest {

using kmk::fahrten1;
using kmk::FahrtDatensatz;
using kmk::Form1;

struct Fenster {
    kmktest::Umgebung u;
    Form1* f = nullptr;
    // Another program the user switches to, a window of its own.
    QWidget anderesProgramm;

    explicit Fenster(bool firma = true)
    {
        // The real calendar and spins, whatever an earlier test put in.
        kmk::pages::setHostedControlFactory(&kmk::pages::controlHostFactory);
        u.schreibeHilfstexte();
        starten();
        forms::setText(f->KfzEingabe[0], "B-AB 123");
        forms::setText(f->KmEingabe[0], "345");
        forms::setText(f->StandortEingabe[0], QString::fromUtf8("Köln"));
        forms::setText(f->HalterEingabe[0], "Muster");
        forms::setOptionValue(firma ? f->FirmenPkw[0] : f->PrivatPkw[0], true);
        f->Command1_Click(0);
        zeigen();
    }
    void starten()
    {
        EXPECT_TRUE(u.starte());
        f = u.form.get();
    }
    void zeigen()
    {
        f->SSTab1->setTab(2);
        f->show();
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
    }
    QLineEdit* edit(const char* n) const { return f->ctl<QLineEdit>(n); }
    forms::ComboBox* combo(const char* n) const { return f->ctl<forms::ComboBox>(n); }
    QLineEdit* feld(const char* n) const
    {
        if (auto* c = combo(n))
            return c->lineEdit();
        return edit(n);
    }
    QString text(const char* n) const
    {
        if (auto* c = combo(n))
            return c->text();
        if (auto* t = f->ctl<QPlainTextEdit>(n))
            return t->toPlainText();
        if (auto* l = f->ctl<QLabel>(n))
            return l->text();
        return edit(n) ? edit(n)->text() : QString();
    }
    kmk::Eintragsfelder* felder() const { return f->findChild<kmk::Eintragsfelder*>("kmkEintragsfelder"); }
    FahrtDatensatz& puffer() const { return fahrten1().Satzpuffer[0]; }
    // A picture of the window to look at, when asked for.
    void bild(const char* name) const
    {
        if (qEnvironmentVariableIsSet("KMK_BILDER"))
            f->grab().save(QString("/tmp/kmk_%1.png").arg(name));
    }

    void setzen(const char* n, const QString& s)
    {
        if (auto* c = combo(n))
            c->setText(s);
        else
            forms::setText(edit(n), s);
    }
    void tippen(const char* n, const QString& s)
    {
        QLineEdit* e = feld(n);
        e->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([e] { return e->hasFocus(); }, 1000)) << n;
        // Letters beyond ASCII arrive as their key with their text.
        for (QChar c : s)
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key(c.toUpper().unicode()), c, Qt::NoModifier);
    }
    void leeren(const char* n)
    {
        QLineEdit* e = feld(n);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
    }
    void neu(const char* n, const QString& s)
    {
        leeren(n);
        tippen(n, s);
    }
    void verlassen(const char* n, const char* nach)
    {
        feld(n)->setFocus();
        feld(nach)->setFocus();
    }
    // The user looks something up in another program.
    void wegschalten()
    {
        anderesProgramm.setGeometry(f->geometry().translated(f->width() + 20, 0));
        anderesProgramm.show();
        anderesProgramm.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&anderesProgramm));
    }
    // Back by a click at the end of a field; the window system activates
    // the window after the click has arrived.
    void zurueckKlicken(const char* n)
    {
        QLineEdit* e = feld(n);
        QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 4, e->height() / 2));
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
        EXPECT_TRUE(QTest::qWaitFor([e] { return e->hasFocus(); }, 1000)) << n;
    }
    // A text dragged from another program and dropped into a field.
    void ziehen(const char* n, const QString& t) { kmktest::ablegen(feld(n), t); }
    bool enterGehtWeiter(const char* n)
    {
        QLineEdit* e = feld(n);
        e->setFocus();
        const QString vorher = e->text();
        if (!QTest::qWaitFor([e] { return e->hasFocus(); }, 1000)) {
            ADD_FAILURE() << n << " visible " << e->isVisible() << " enabled " << e->isEnabled();
            return false;
        }
        QTest::keyClick(e, Qt::Key_Return);
        return QTest::qWaitFor([e] { return !e->hasFocus(); }, 1000) && e->text() == vorher;
    }
    void maus(const char* n, Qt::MouseButton b = Qt::LeftButton)
    {
        QWidget* w = f->ctl(n);
        QTest::mouseClick(w, b, {}, w->rect().center());
    }
    // One click on a spin button's upper or lower arrow.
    void spin(const char* n, bool hoch)
    {
        auto* h = f->ctl<com::ControlHost>(n);
        ASSERT_TRUE(h) << n;
        QWidget* c = h->controlWidget();
        const QPoint p(c->width() / 2, hoch ? c->height() / 4 : c->height() * 3 / 4);
        QTest::mousePress(c, Qt::LeftButton, {}, p);
        QTest::mouseRelease(c, Qt::LeftButton, {}, p);
    }
    void taste(Qt::Key k)
    {
        QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : f;
        QTest::keyClick(w, k);
    }
    void kalender(qint32 tag)
    {
        auto* h = f->ctl<com::ControlHost>("QKC");
        h->setProperty("Date", tag);
        felder()->QKC_MouseUp(1);
    }
    // Times typed on the page: the first start leaves them switched off.
    void mitZeiten()
    {
        forms::setValue(f->Check8, 0);
        f->Check8_Click();
        ASSERT_FALSE(f->ctl("EinZeitAb")->isHidden());
    }
    QByteArray fahrten() const { return u.lies("Auto1_16.dat"); }
    qsizetype satzanzahl() const { return fahrten().size() / FahrtDatensatz::Laenge; }
    FahrtDatensatz satz(int n) const
    {
        return FahrtDatensatz::ausBytes(fahrten().mid((n - 1) * FahrtDatensatz::Laenge, FahrtDatensatz::Laenge));
    }

    // A business trip typed into a new entry and saved with the left button.
    void fahrt(const QString& datum, const char* km, const char* nach)
    {
        taste(Qt::Key_F9);
        ASSERT_TRUE(fahrten1().NeuerEintragOffen);
        ausfuellen(datum, km, nach);
        maus("EintragSpeichern");
    }
    void ausfuellen(const QString& datum, const char* km, const char* nach)
    {
        f->ctl<QRadioButton>("OptGesch")->click();
        for (const char* d : {"EinDatumAb", "EinDatumAn"}) {
            leeren(d);
            tippen(d, datum);
        }
        leeren("EinGefKm");
        tippen("EinGefKm", km);
        tippen("EinUber", "A3");
        tippen("EinNach", nach);
        tippen("EinGrund", "kundenbesuch");
        tippen("EinGesprach", "herr Meier");
        tippen("EinFahrer", "anna");
    }
    // Every field of a business trip filled, as a paste would fill it.
    void fuellen(const QString& datum, const QString& ab, const QString& an)
    {
        setzen("EinDatumAb", datum);
        setzen("EinDatumAn", datum);
        setzen("EinZeitAb", ab);
        setzen("EinZeitAn", an);
        setzen("EinGefKm", "10");
        setzen("EinVon", QString::fromUtf8("Köln"));
        setzen("EinUber", "A1");
        setzen("EinNach", "Bonn");
        setzen("EinGesprach", "Meier");
        setzen("EinGrund", "Kunde");
        f->ctl<QRadioButton>("OptGesch")->click();
    }
};


} // namespace kmktest
