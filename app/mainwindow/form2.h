#pragma once
// The modal message dialog of the catalogue.
//
// Controls (objectName): "MText" the message, its CR and LF breaking the
// lines; "zuruck" the confirm button ("&Ja / OK" for a question, "OK" for a
// notice); "BNein" ("&Nein ", questions only); "Picture2" the winking
// assistant, shown for a moment after the answer.
//
// The first answer counts: further clicks while the dialog is answering do
// nothing. Closing the window by other means answers "no" to a question and
// "OK" to a notice.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kmk {

class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(const QString& meldungstext, bool frage, QWidget* parent = nullptr);
    ~Form2() override;

    bool antwort() const { return antwort_; }

    QLabel* MText() const { return mtext_; }
    QPushButton* zuruck() const { return zuruck_; }
    QPushButton* BNein() const { return nein_; }
    QLabel* Picture2() const { return bild_; }

    // True while a message dialog is on the screen.
    static bool sichtbar();

    // Each of the two pauses of the answer, in ms (500; tests shorten it).
    static void setWartezeit(int ms);
    static int wartezeit();

    // The text as the label shows it: CR LF, LF CR, LF and CR each break a line.
    static QString anzeigetext(const QString& meldungstext);

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void beantworten(bool ja);
    void anordnen();

    QLabel* mtext_;
    QPushButton* zuruck_;
    QPushButton* nein_;
    QLabel* bild_;
    bool frage_;
    bool antwort_ = false;
    bool antwortet_ = false;
    bool fertig_ = false;
    bool gezaehlt_ = false;
};

} // namespace kmk
