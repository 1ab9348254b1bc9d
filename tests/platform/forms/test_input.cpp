#include "platform/forms/events.h"
#include "platform/forms/keys.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/textinput.h"
#include "tests/support/zeiger.h"

#include <QApplication>
#include <QClipboard>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QDropEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

// Readable texts in the failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

struct Window : ::testing::Test {
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    QLineEdit* other = new QLineEdit(&window);
    void SetUp() override
    {
        field->setObjectName("field");
        other->setObjectName("other");
        field->setGeometry(0, 0, 100, 25);
        other->setGeometry(0, 30, 100, 25);
        window.resize(300, 200);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
    }
};

using MouseUp = Window;

TEST_F(MouseUp, TakesFocusOnPressSoTheLeaveCheckRunsFirst)
{
    auto* button = new forms::MouseUpButton("Speichern", &window);
    button->setGeometry(120, 0, 100, 25);
    button->show();
    std::vector<QString> order;
    forms::onLostFocus(field, [&] { order.push_back("leave"); });
    QObject::connect(button, &forms::MouseUpButton::mouseUp,
                     [&](int b, int, QPoint) { order.push_back(QString("up%1").arg(b)); });
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_EQ(order, std::vector<QString>{"leave"});
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(order, (std::vector<QString>{"leave", "up1"}));
}

TEST_F(MouseUp, ReportsReleasedButtonAndShiftAndIgnoresSpace)
{
    auto* button = new forms::MouseUpButton("Hilfe ", &window);
    button->setGeometry(120, 0, 100, 25);
    button->show();
    std::vector<std::pair<int, int>> ups;
    QObject::connect(button, &forms::MouseUpButton::mouseUp,
                     [&](int b, int s, QPoint) { ups.emplace_back(b, s); });
    QTest::mouseClick(button, Qt::RightButton);
    QTest::mouseClick(button, Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::mouseClick(button, Qt::LeftButton, Qt::AltModifier);
    ASSERT_EQ(ups.size(), 3u);
    EXPECT_EQ(ups[0], std::make_pair(2, 0));
    EXPECT_EQ(ups[1], std::make_pair(4, 3));
    EXPECT_EQ(ups[2], std::make_pair(1, 4));
    int clicked = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicked; });
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(ups.size(), 3u);
    EXPECT_EQ(clicked, 0);
}

TEST_F(MouseUp, ADialogOfTheLeaveCheckLeavesTheButtonReleasedAndRunsNothing)
{
    auto* button = new forms::MouseUpButton("Speichern", &window);
    button->setGeometry(120, 0, 100, 25);
    button->show();
    int downs = 0, ups = 0, dialogs = 0;
    QObject::connect(button, &forms::MouseUpButton::mouseDown, [&] { ++downs; });
    QObject::connect(button, &forms::MouseUpButton::mouseUp, [&] { ++ups; });
    forms::onLostFocus(field, [&] {
        QDialog frage(&window);
        QTimer::singleShot(0, &frage, &QDialog::accept);
        frage.exec();
        ++dialogs;
    });
    QTest::mousePress(button, Qt::LeftButton);
    ASSERT_EQ(dialogs, 1);
    EXPECT_FALSE(button->isDown());
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(ups, 0);
    // the next press, with no dialog, acts as usual
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);

    // Also when the field was left for another program and the button is
    // the first thing clicked on coming back, before the window is active.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    QWidget programm;
    programm.setGeometry(window.geometry().translated(window.width() + 20, 0));
    programm.show();
    programm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&programm));
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(dialogs, 2);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST(KeyCodes, RuntimeCodesOfQtKeys)
{
    auto code = [](int key, Qt::KeyboardModifiers m = {}, const QString& t = {}) {
        QKeyEvent e(QEvent::KeyPress, key, m, t);
        return std::make_pair(forms::keyCode(&e), forms::keyAscii(&e));
    };
    EXPECT_EQ(code(Qt::Key_F1), std::make_pair(112, 0));
    EXPECT_EQ(code(Qt::Key_F12), std::make_pair(123, 0));
    EXPECT_EQ(code(Qt::Key_Return, {}, "\r"), std::make_pair(13, 13));
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier, "\r"), std::make_pair(13, 13));
    EXPECT_EQ(code(Qt::Key_Backspace, {}, "\b"), std::make_pair(8, 8));
    EXPECT_EQ(code(Qt::Key_A, {}, "a"), std::make_pair(65, 97));
    EXPECT_EQ(code(Qt::Key_A, Qt::ShiftModifier, "A"), std::make_pair(65, 65));
    EXPECT_EQ(code(Qt::Key_5, Qt::KeypadModifier, "5"), std::make_pair(101, 53));
    EXPECT_EQ(code(Qt::Key_Pause), std::make_pair(19, 0));
    EXPECT_EQ(code(Qt::Key_End), std::make_pair(35, 0));
    EXPECT_EQ(code(Qt::Key_E, Qt::AltModifier | Qt::ControlModifier, QString::fromUtf8("€")).second, 128);
    EXPECT_EQ(code(Qt::Key_Space, {}, " "), std::make_pair(32, 32));
    EXPECT_EQ(code(Qt::Key_unknown, {}, QString::fromUtf8("Ω")).second, int('?'));
}

using KeyPress = Window;

TEST_F(KeyPress, SettingZeroSwallowsAndOtherCodeReplaces)
{
    forms::onKeyPress(field, [](int& a) {
        if (a == '1')
            a = 0;
        else if (a >= 'a' && a <= 'z')
            a -= 32;
    });
    QTest::keyClicks(field, "a1b");
    EXPECT_EQ(field->text(), "AB");
}

TEST_F(KeyPress, HandlersOfAHostServeItsInnerWidget)
{
    auto* host = new QWidget(&window);
    auto* inner = new QLineEdit(host);
    host->setFocusProxy(inner);
    host->setGeometry(150, 0, 100, 30);
    host->show();
    host->setFocus();
    ASSERT_TRUE(inner->hasFocus());
    std::vector<int> seen;
    forms::onKeyPress(host, [&](int& a) { seen.push_back(a); if (a == '-') a = 0; });
    QTest::keyClicks(inner, "7-");
    EXPECT_EQ(seen, (std::vector<int>{'7', '-'}));
    EXPECT_EQ(inner->text(), "7");
}

using Preview = Window;

TEST_F(Preview, WindowSeesKeysFirstInRuntimeOrder)
{
    std::vector<QString> order;
    forms::setKeyPreview(&window, {
        [&](int& k, int) { order.push_back(QString("form-down %1").arg(k)); },
        [&](int& a) { order.push_back(QString("form-press %1").arg(a)); },
        {}});
    forms::onKeyDown(field, [&](int& k, int) { order.push_back(QString("field-down %1").arg(k)); });
    forms::onKeyPress(field, [&](int& a) { order.push_back(QString("field-press %1").arg(a)); });
    QTest::keyClick(field, Qt::Key_X, Qt::NoModifier);
    EXPECT_EQ(order, (std::vector<QString>{"form-down 88", "field-down 88", "form-press 120", "field-press 120"}));
    forms::clearKeyPreview(&window);
}

TEST_F(Preview, ClearedKeyCodeNeverReachesTheControl)
{
    int f1 = 0, fieldSaw = 0;
    forms::setKeyPreview(&window, {[&](int& k, int) {
                                       if (k == 112) {
                                           k = 0;
                                           ++f1;
                                       }
                                   },
                                   {}, {}});
    forms::onKeyDown(field, [&](int&, int) { ++fieldSaw; });
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(f1, 1);
    EXPECT_EQ(fieldSaw, 0);
    QTest::keyClick(field, Qt::Key_Q);
    EXPECT_EQ(fieldSaw, 1);
    EXPECT_EQ(field->text(), "q");
    forms::clearKeyPreview(&window);
}

TEST_F(Preview, PropagatedKeyIsSeenOnce)
{
    // A plain widget ignores keys: Qt hands them on to its parents.
    auto* holder = new QWidget(&window);
    auto* plain = new QWidget(holder);
    plain->setFocusPolicy(Qt::StrongFocus);
    plain->setGeometry(0, 0, 50, 50);
    holder->setGeometry(150, 0, 60, 60);
    holder->show();
    plain->setFocus();
    int seen = 0;
    forms::setKeyPreview(&window, {[&](int&, int) { ++seen; }, {}, {}});
    QTest::keyClick(plain, Qt::Key_F5);
    EXPECT_EQ(seen, 1);

    // Also when the handler's modal box takes keys of its own before the
    // key goes on to the parents.
    seen = 0;
    forms::setKeyPreview(&window, {[&](int&, int) {
                                       if (++seen > 1)
                                           return;
                                       QDialog box(&window);
                                       QTimer::singleShot(0, &box, [&box] {
                                           QTest::keyClick(&box, Qt::Key_A);
                                           box.accept();
                                       });
                                       box.exec();
                                   },
                                   {}, {}});
    QTest::keyClick(plain, Qt::Key_Pause);
    EXPECT_EQ(seen, 1);
    forms::clearKeyPreview(&window);
}

TEST_F(Preview, ACharacterOutsideTheCodePageIsTypedAsTheQuestionMarkItIsStoredAs)
{
    std::vector<int> seen;
    forms::setKeyPreview(&window, {{}, [&](int& a) { seen.push_back(a); }, {}});
    field->clear();
    QTest::keyClick(field, Qt::Key_L, {}, 0);
    // One key each: an emoji is one character in two UTF-16 units; a
    // compose key can bring two characters at once.
    // A letter and its accent in two characters are the one letter.
    for (const char* t : {"Ł", "€", "😀", "漢", "a😀", "e\u0301"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(t));
        QApplication::sendEvent(field, &press);
    }
    EXPECT_EQ(field->text(), QString::fromUtf8("l?€??a?é"));
    EXPECT_EQ(seen, (std::vector<int>{'l', '?', 128, '?', '?', 'a', '?', 0xE9}));
    // Composing keeps the letters the code page has as they are.
    field->clear();
    seen.clear();
    QApplication::clipboard()->setText(QString::fromUtf8("m² µ"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QString::fromUtf8("m² µ"));
    EXPECT_EQ(seen, (std::vector<int>{'m', 0xB2, ' ', 0xB5}));
    field->setText(QString::fromUtf8("l?€??a?é"));
    // A locked field takes no key of several characters either.
    forms::setLocked(field, [] { return true; });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("a😀"));
    QApplication::sendEvent(field, &press);
    EXPECT_EQ(field->text(), QString::fromUtf8("l?€??a?é"));
    forms::clearKeyPreview(&window);
}

TEST_F(Preview, AnOpenDropDownListKeepsTheWindowsShortcuts)
{
    auto* combo = new QComboBox(&window);
    combo->addItems({"eins", "zwei"});
    combo->setGeometry(0, 60, 100, 25);
    combo->show();
    combo->setFocus();
    combo->showPopup();
    QWidget* popup = combo->view()->window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }));
    int seen = 0;
    forms::setKeyPreview(&window, {[&](int& k, int) { if (k == 120) ++seen; }, {}, {}});
    QTest::keyClick(combo->view(), Qt::Key_F9);
    EXPECT_EQ(seen, 1);
    combo->hidePopup();
    forms::clearKeyPreview(&window);
}

TEST_F(Preview, ALockedComboTakesNeitherKeysNorItsListAndTypesAgainOnceUnlocked)
{
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->addItems({"eins", "zwei"});
    combo->setGeometry(0, 60, 100, 25);
    combo->show();
    bool locked = true;
    forms::setLocked(combo, [&] { return locked; });
    combo->setFocus();
    QTest::keyClicks(combo, "x");
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Backspace);
    QWheelEvent wheel(QPointF(50, 12), combo->mapToGlobal(QPointF(50, 12)), {}, QPoint(0, -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    EXPECT_EQ(combo->currentText(), "eins");
    locked = false;
    QTest::keyClicks(combo, "x");
    EXPECT_EQ(combo->currentText(), "einsx");
}

using Focus = Window;

TEST_F(Focus, LeaveRunsForMovesInsideTheWindowOnly)
{
    int leaves = 0, gots = 0;
    forms::onLostFocus(field, [&] { ++leaves; });
    forms::onGotFocus(field, [&] { ++gots; });
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(leaves, 1);
    field->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(gots, 1);

    // another window becomes active: no leave check
    QWidget second;
    auto* secondField = new QLineEdit(&second);
    second.show();
    second.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
    secondField->setFocus();
    EXPECT_EQ(leaves, 1);
    // and coming back runs no GotFocus either
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(gots, 1);

    // a popup taking the focus runs no leave check, nor its closing a GotFocus
    QMenu menu;
    menu.addAction("Eintrag");
    menu.popup(window.mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    QWidget* popupFocus = QApplication::focusWidget();
    menu.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(gots, 1);
    (void)popupFocus;
}

// Another program stands in as a window of its own. The field left for it
// runs its leave checks when another control of the window takes the focus:
// by the activation, by a click while the window is not active yet (the
// window system activates it later), or by a drop; back to the same control
// runs none.
TEST_F(Focus, ThroughAnotherProgramTheControlLeftIsLeftWhenAnotherTakesTheFocus)
{
    auto* third = new QLineEdit(&window);
    third->setGeometry(0, 60, 100, 25);
    third->show();
    std::vector<QString> order;
    for (auto [w, name] : {std::pair{field, "field"}, std::pair{other, "other"}, std::pair{third, "third"}}) {
        const QString n = QString::fromLatin1(name);
        forms::onValidate(w, [&order, n] { order.push_back("validate " + n); });
        forms::onLostFocus(w, [&order, n] { order.push_back("lost " + n); });
        forms::onGotFocus(w, [&order, n] { order.push_back("got " + n); });
    }
    QWidget programm;
    auto* fremd = new QLineEdit(&programm);
    programm.setGeometry(window.geometry().translated(window.width() + 20, 0));
    auto zurueck = [&] {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    };
    enum Weg { Aktivierung, Klick, Ziehen, Dieselbe };
    const std::vector<QString> wechsel{"validate field", "lost field", "got other"};
    struct Fall { Weg weg; std::vector<QString> erwartet; };
    for (const Fall& f : {Fall{Aktivierung, wechsel}, Fall{Klick, wechsel}, Fall{Dieselbe, {}},
                          Fall{Ziehen, wechsel}}) {
        SCOPED_TRACE(testing::Message() << "Weg " << f.weg);
        ASSERT_TRUE(zurueck());
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        programm.show();
        programm.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&programm));
        fremd->setFocus();
        order.clear();
        switch (f.weg) {
        case Aktivierung:
            // The click has reached the window before its activation.
            other->setFocus(Qt::MouseFocusReason);
            ASSERT_TRUE(zurueck());
            break;
        case Klick:
            QTest::mouseClick(other, Qt::LeftButton, {}, other->rect().center());
            EXPECT_EQ(order, f.erwartet) << "before the window is active";
            ASSERT_TRUE(zurueck());
            break;
        case Ziehen:
            other->clear();
            kmktest::ablegen(other, "45,5");
            EXPECT_EQ(other->text(), "45,5");
            EXPECT_EQ(order, f.erwartet) << "before the window is active";
            ASSERT_TRUE(zurueck());
            break;
        case Dieselbe:
            ASSERT_TRUE(zurueck());
            break;
        }
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        EXPECT_EQ(order, f.erwartet);
    }

    // The field dropped into runs its leave checks when the user moves on,
    // also through the other program again.
    order.clear();
    programm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&programm));
    third->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(zurueck());
    EXPECT_EQ(order, (std::vector<QString>{"validate other", "lost other", "got third"}));
    // and a drop inside the active window moves the focus as a click would
    order.clear();
    kmktest::ablegen(field, "12");
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(order, (std::vector<QString>{"validate third", "lost third", "got field"}));
}

// The leave check's own message takes the focus and gives it back to the
// window: that is the same leave, not a second one. By a click into a field
// or on a button, by the window's activation and by a drop.
TEST_F(Focus, ALeaveCheckThatAsksRunsOnceWhenTheFieldWasLeftThroughAnotherProgram)
{
    auto* button = new forms::MouseUpButton("Speichern", &window);
    button->setGeometry(120, 0, 100, 25);
    button->show();
    QWidget programm;
    programm.setGeometry(window.geometry().translated(window.width() + 20, 0));
    int meldungen = 0, ups = 0;
    QObject::connect(button, &forms::MouseUpButton::mouseUp, [&] { ++ups; });
    forms::onValidate(field, [&] {
        ++meldungen;
        QDialog frage(&window);
        auto* ok = new QPushButton("OK", &frage);
        QObject::connect(ok, &QPushButton::clicked, &frage, &QDialog::accept);
        QTimer::singleShot(0, &frage, [&] {
            (void)QTest::qWaitForWindowActive(&frage);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        frage.exec();
        // The window system gives the focus back to the dialog's owner.
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    });
    enum Weg { Feld, Knopf, Aktivierung, Ziehen };
    for (Weg weg : {Feld, Knopf, Aktivierung, Ziehen}) {
        SCOPED_TRACE(testing::Message() << "Weg " << weg);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        programm.show();
        programm.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&programm));
        meldungen = 0;
        switch (weg) {
        case Feld: QTest::mouseClick(other, Qt::LeftButton, {}, other->rect().center()); break;
        case Knopf: QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); break;
        case Aktivierung: other->setFocus(Qt::MouseFocusReason); break;
        case Ziehen: kmktest::ablegen(other, "45"); break;
        }
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        EXPECT_EQ(meldungen, 1);
        EXPECT_EQ(ups, 0) << "the message took the press";
        EXPECT_FALSE(field->hasFocus());
    }
}

// A control entered is left when its GotFocus sends the focus on, also
// while the window is not active yet (Qt reports no move then).
TEST_F(Focus, AGotFocusMovingOnWhileArrivingFromAnotherProgramLeavesTheControlItEntered)
{
    auto* third = new QLineEdit(&window);
    third->setGeometry(0, 60, 100, 25);
    third->show();
    std::vector<QString> order;
    forms::onLostFocus(field, [&] { order.push_back("lost field"); });
    forms::onGotFocus(other, [&] { order.push_back("got other"); third->setFocus(); });
    forms::onValidate(other, [&] { order.push_back("validate other"); });
    forms::onLostFocus(other, [&] { order.push_back("lost other"); });
    forms::onGotFocus(third, [&] { order.push_back("got third"); });
    QWidget programm;
    programm.setGeometry(window.geometry().translated(window.width() + 20, 0));
    programm.show();
    programm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&programm));
    QTest::mouseClick(other, Qt::LeftButton, {}, other->rect().center());
    const std::vector<QString> erwartet{"lost field", "got other", "validate other", "lost other", "got third"};
    EXPECT_EQ(order, erwartet) << "before the window is active";
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(third->hasFocus());
    EXPECT_EQ(order, erwartet);
}

TEST_F(Focus, CompositeControlCountsAsOne)
{
    // a control made of parts, like a hosted calendar
    auto* host = new QWidget(&window);
    host->setObjectName("QKC");
    host->setGeometry(120, 60, 150, 60);
    auto* partA = new QLineEdit(host);
    auto* partB = new QLineEdit(host);
    partB->move(0, 30);
    host->show();
    int leaves = 0, gots = 0;
    forms::onLostFocus(host, [&] { ++leaves; });
    forms::onGotFocus(host, [&] { ++gots; });
    partA->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(gots, 1);
    partB->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(gots, 1);
    EXPECT_EQ(leaves, 0);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(leaves, 1);
}

TEST_F(Focus, OldControlIsLeftBeforeTheNewOneIsEnteredWhateverTheRegistrationOrder)
{
    std::vector<QString> order;
    // registered in the reverse of the order they must run in
    forms::onGotFocus(other, [&] { order.push_back("got other"); });
    forms::onLostFocus(field, [&] { order.push_back("lost field"); });
    forms::onValidate(field, [&] { order.push_back("validate field"); });
    forms::onGotFocus(field, [&] { order.push_back("got field"); });
    forms::onLostFocus(other, [&] { order.push_back("lost other"); });
    forms::onValidate(other, [&] { order.push_back("validate other"); });
    QTest::keyClick(field, Qt::Key_Tab);   // by the user
    ASSERT_TRUE(other->hasFocus());
    field->setFocus(Qt::OtherFocusReason);   // by code
    EXPECT_EQ(order, (std::vector<QString>{"validate field", "lost field", "got other",
                                           "validate other", "lost other", "got field"}));
}

TEST_F(Focus, LeaveHandlerMovingTheFocusOnSkipsTheFieldInBetween)
{
    auto* third = new QLineEdit(&window);
    third->setGeometry(0, 60, 100, 25);
    third->show();
    std::vector<QString> order;
    forms::onLostFocus(field, [&] { order.push_back("lost field"); third->setFocus(); });
    forms::onGotFocus(other, [&] { order.push_back("got other"); });
    forms::onLostFocus(other, [&] { order.push_back("lost other"); });
    forms::onGotFocus(third, [&] { order.push_back("got third"); });
    other->setFocus();
    EXPECT_TRUE(third->hasFocus());
    EXPECT_EQ(order, (std::vector<QString>{"lost field", "got third"}));
}

using PostedKeys = Window;

TEST_F(PostedKeys, TabIsPostedToTheFocusedWidgetLater)
{
    forms::postKeys("{TAB}");
    EXPECT_TRUE(field->hasFocus());   // nothing before the event loop runs
    QCoreApplication::processEvents();
    EXPECT_TRUE(other->hasFocus());

    // the target is the widget focused at delivery, not at posting
    forms::postKeys("x");
    field->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(field->text(), "x");
    EXPECT_EQ(other->text(), "");
}

TEST_F(PostedKeys, FunctionKeyReachesTheWindowsPreview)
{
    std::vector<std::pair<int, int>> seen;
    forms::setKeyPreview(&window, {[&](int& k, int s) { seen.emplace_back(k, s); }, {}, {}});
    forms::postKeys("{F1}+{F5}^{END}");
    EXPECT_TRUE(seen.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{112, 0}, {116, 1}, {35, 2}}));
    forms::clearKeyPreview(&window);
}

TEST_F(PostedKeys, PostedKeysPassThroughKeyHandlers)
{
    int enters = 0;
    forms::onKeyPress(field, [&](int& a) {
        if (a == 13) {
            ++enters;
            a = 0;
            forms::postKeys("{TAB}");
        }
    });
    forms::postKeys("ab{ENTER}");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(field->text(), "ab");
    EXPECT_EQ(enters, 1);
    EXPECT_TRUE(other->hasFocus());
}

} // namespace
