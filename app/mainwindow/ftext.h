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
    // The hint whole in the place the rules give it, clear of the others.
    bool hinweisPasst(const QRect& text, const QRect& hinweis, const QRect& knopf) const;
    std::function<std::optional<QString>()> m_quelle;
    // The controls as the rules size them. The rules read the present
    // geometry, so it is kept apart from the one shown when the window is
    // too small for the hint beside "Beenden".
    QRect m_text, m_hinweis, m_knopf;
};

// The window for the main window, its text taken from the help box of the
// page that is current.
FTextFenster* neuesHilfefenster(Form1* form);

} // namespace kmk
