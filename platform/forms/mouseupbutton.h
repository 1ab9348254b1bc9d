#pragma once
// A command button whose action runs on the mouse release, as the program's
// MouseUp handlers expect:
//  - it takes the keyboard focus when pressed, so the field being left runs
//    its leave checks before the button acts;
//  - mouseUp reports the released button as the runtime counted it
//    (1 left, 2 right, 4 middle), the shift state (1 Shift, 2 Ctrl, 4 Alt)
//    and the position in pixels;
//  - when the leave checks open a dialog during the press, the press is
//    void: the button is drawn released and neither mouseDown nor mouseUp
//    follows;
//  - Space and Enter do not trigger it (the runtime raised no MouseUp for them).

#include <QPushButton>

namespace forms {

int runtimeButton(Qt::MouseButton b);            // 1, 2, 4; 0 for others
int runtimeShift(Qt::KeyboardModifiers m);       // 1 Shift | 2 Ctrl | 4 Alt

class MouseUpButton : public QPushButton {
    Q_OBJECT
public:
    explicit MouseUpButton(QWidget* parent = nullptr);
    explicit MouseUpButton(const QString& caption, QWidget* parent = nullptr);

signals:
    void mouseDown(int button, int shift, QPoint pos);
    void mouseUp(int button, int shift, QPoint pos);
    void mouseMove(int button, int shift, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    bool pressVoid_ = false;
};

} // namespace forms
