#pragma once
// The floating help window "FText": repeats the help box of the main
// window's current page in a large window the user moves and sizes freely.
// It never changes the main window; closing it with "Beenden" only hides it
// and its timer keeps copying.

#include <QPlainTextEdit>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTimer;

namespace kmk {

class Form1;

class FTextFenster : public QWidget {
    Q_OBJECT
public:
    // erstText: the text shown on loading; quelle: the current page's help
    // text, or nothing when no page matches (the window keeps its text).
    FTextFenster(std::function<QString()> erstText, std::function<std::optional<QString>()> quelle,
                 QWidget* parent = nullptr);

    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* CBeenden = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1_Timer();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void Form_Resize();
    std::function<std::optional<QString>()> m_quelle;
};

// The window for the main window, its text taken from the help box of the
// page that is current.
FTextFenster* neuesHilfefenster(Form1* form);

} // namespace kmk
