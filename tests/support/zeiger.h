#pragma once
// Moving the pointer in a GUI test. Offscreen the move is handled before
// QTest::mouseMove returns; on a real X display the server sends it back
// as an event some time later, so a check right after the move would see
// the state before it. zeigerAuf() waits until the move has been handled.
//
//   ASSERT_TRUE(kmktest::zeigerAuf(Label1, {5, 5}));
//   EXPECT_EQ(TEinHilfe->toPlainText(), "Text 44");
//
// A move to where the pointer already is gives no event: start with
// zeigerBeiseite(window).

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace kmktest {

// Moves the pointer to 'pos' of 'w' and waits until the program has handled
// the move there (every widget's MouseMove handlers have run); false when it
// did not arrive within 'ms'.
[[nodiscard]] inline bool zeigerAuf(QWidget* w, QPoint pos, int ms = 5000)
{
    struct Ankunft : QObject {
        QPoint ziel;
        bool da = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            // The application's filters see every move, tracked or not.
            if (e->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(e)->globalPosition().toPoint() == ziel)
                da = true;
            return false;
        }
    } ankunft;
    ankunft.ziel = w->mapToGlobal(pos);
    qApp->installEventFilter(&ankunft);
    QTest::mouseMove(w, pos);
    // Checked once the event loop has returned, so the move's handling is whole.
    const bool da = QTest::qWaitFor([&] { return ankunft.da; }, ms);
    qApp->removeEventFilter(&ankunft);
    return da;
}

// Puts the pointer near the bottom right corner of 'fenster' and waits for
// it there, so that the test's next move is one wherever the pointer was.
[[nodiscard]] inline bool zeigerBeiseite(QWidget* fenster)
{
    const QPoint ecke(fenster->width() - 2, fenster->height() - 2);
    QTest::mouseMove(fenster, ecke - QPoint(1, 0));   // no move when it is there already
    return zeigerAuf(fenster, ecke);
}

// Drops 't' on the middle of 'w' as a drag from another program would:
// entering, then the drop, with no pointer move of its own.
inline void ablegen(QWidget* w, const QString& t)
{
    QMimeData m;
    m.setText(t);
    const QPoint mitte = w->rect().center();
    QDragEnterEvent hin(mitte, Qt::CopyAction, &m, Qt::LeftButton, {});
    QApplication::sendEvent(w, &hin);
    QDropEvent d(QPointF(mitte), Qt::CopyAction, &m, Qt::LeftButton, {});
    QApplication::sendEvent(w, &d);
}

} // namespace kmktest
