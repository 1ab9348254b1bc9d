#pragma once
// Help lines: the help box of a page explains the control under the mouse
// or the field that has just received the focus.
//
// Attaching, for the main window:
//   kmk::Hilfezeilen hz(kmk::hilfstexte());
//   hz.attachTable(form1, [&]{ fahrten1().FolgepruefungAus = true; });
// finds every control of the program's help-line table below 'form1' by
// objectName (a control array as "Name_0", "Name_1", ...; every element
// shows the same text) and the help boxes by their names. Single controls:
//   hz.attachHelp(control, 44, helpBox);          // on mouse movement
//   hz.attachHelpOnFocus(field, 47, helpBox);     // on receiving the focus
//
// A movement is credited to the innermost control under the pointer: a label
// inside a frame shows the label's text, not the frame's. Parts of composite
// widgets (the edit part of a combo box, the inside of a hosted control)
// count as their control; the frames and pages around it do not see that
// movement any more, so their own handlers cannot overwrite its help line.
// Focus handlers run only for focus moves inside the window, never for
// window activation.

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace kmk {

class Hilfstexte;

class Hilfezeilen : public QObject {
    Q_OBJECT
public:
    enum class Ereignis { Maus, Fokus };
    struct Zeile {
        const char* box;       // help box written
        int text;              // help-text number
        const char* control;   // control (or control array) name
        Ereignis ereignis;
        bool fokus;            // the box receives the keyboard focus afterwards
        bool folgepruefung;    // the field suspends the trip-order check first
    };
    // The 124 rows of the main window.
    static const std::vector<Zeile>& tabelle();

    explicit Hilfezeilen(const Hilfstexte& texte, QObject* parent = nullptr);
    ~Hilfezeilen() override;

    void attachHelp(QWidget* control, int number, QWidget* helpBox, bool focusBox = false);
    void attachHelpOnFocus(QWidget* control, int number, QWidget* helpBox,
                           std::function<void()> before = {});

    // Attaches every row of the table under 'form'; 'folgepruefungAus' runs
    // before the four date and time fields show their text. Returns the
    // number of controls attached; names not found are in missing().
    int attachTable(QWidget* form, std::function<void()> folgepruefungAus = {});
    QStringList missing() const { return missing_; }

    // Writes help text 'number' into the box (replacing its text).
    void zeigen(int number, QWidget* helpBox) const;

    // Sets the text of a help box (plain or multi-line text box, or label).
    static void setBoxText(QWidget* box, const QString& text);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    struct Eintrag {
        int nummer = 0;
        QPointer<QWidget> box;
        bool fokus = false;
        std::function<void()> vorher;
    };
    void merke(QHash<QWidget*, Eintrag>& map, QWidget* control, Eintrag e);
    QWidget* steuerelementUnter(QWidget* w) const;
    void ausfuehren(const Eintrag& e) const;

    const Hilfstexte& texte_;
    QHash<QWidget*, Eintrag> maus_;
    QHash<QWidget*, Eintrag> fokus_;
    QStringList missing_;
    struct Bewegung {
        quint64 zeit = 0;
        QPointF ort;
        bool gueltig = false;
        QPointer<QWidget> ziel;   // the control the movement was credited to
    };
    Bewegung letzte_;
};

} // namespace kmk
