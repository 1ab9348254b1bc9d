#pragma once
// The splash window: after two seconds it loads and shows the main window.

#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace kmk {

class Form1;

class FStart : public QWidget {
    Q_OBJECT
public:
    explicit FStart(QWidget* parent = nullptr);
    ~FStart() override;
    static FStart* instance();

    QLabel* Picture1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QTimer* Timer1 = nullptr;

    // Loads and shows the main window, then closes the splash. A failed
    // start-up ends the event loop with status 1.
    void Timer1_Timer();
    Form1* form1() const { return m_form1; }

private:
    Form1* m_form1 = nullptr;
};

} // namespace kmk
