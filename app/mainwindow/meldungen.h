#pragma once
// The numbered message catalogue and its display.
//
// A caller names a message by its number and calls MeldungAnzeigen(n): the
// catalogue builds the text and its kind (question or notice), plays
// "M<n>.wav" from the program folder when voice output is on (numbers 1..96
// only), shows the text in the modal dialog Form2 and answers true for
// "&Ja / OK" or "OK", false for "&Nein " and for a number without text.
//
// The dialog is reached through a seam so that tests never block:
//   kmk::FakeMeldungsdialog fake;  kmk::ScopedMeldungsdialog use(&fake);
//   fake.antworten = {false};      // the next question is answered "Nein"

#include <QList>
#include <QString>
#include <deque>

namespace kmk {

struct Fahrten1;

struct Katalogeintrag {
    int nummer = 0;
    bool frage = false;   // question ("&Ja / OK", "&Nein ") or notice ("OK")
    QString text;         // empty for numbers without a message
};

// The entry of message n (0..255) with the backup name put in where the
// message shows it (117 to 119).
Katalogeintrag Meldungskatalog(int n, const QString& sicherungsname = {});

// Numbers that have a text, in ascending order.
QList<int> Meldungsnummern();

// "M7.wav" for 1..96, the empty text for every other number.
QString Meldungsklang(int n);

// ---------------------------------------------------------------- the dialog seam

class Meldungsdialog {
public:
    virtual ~Meldungsdialog() = default;
    // Shows the text modally; true when confirmed.
    virtual bool zeigen(const QString& meldungstext, bool frage) = 0;
};

// The real dialog: Form2, modal.
class Form2Dialog : public Meldungsdialog {
public:
    bool zeigen(const QString& meldungstext, bool frage) override;
};

// Answers from a script (then 'standard') and records what was shown.
class FakeMeldungsdialog : public Meldungsdialog {
public:
    struct Gezeigt { QString text; bool frage; };
    QList<Gezeigt> gezeigt;
    std::deque<bool> antworten;
    bool standard = true;
    bool zeigen(const QString& meldungstext, bool frage) override;
};

// The dialog in use (Form2 unless a test set another).
Meldungsdialog*& meldungsdialog();

class ScopedMeldungsdialog {
public:
    explicit ScopedMeldungsdialog(Meldungsdialog* d) : saved_(meldungsdialog()) { meldungsdialog() = d; }
    ~ScopedMeldungsdialog() { meldungsdialog() = saved_; }
    ScopedMeldungsdialog(const ScopedMeldungsdialog&) = delete;
    ScopedMeldungsdialog& operator=(const ScopedMeldungsdialog&) = delete;

private:
    Meldungsdialog* saved_;
};

// ---------------------------------------------------------------- display

// What the display needs of the program state, and what it leaves there.
struct Meldungszustand {
    bool sprachausgabe = false;   // voice output setting
    QString programmpfad;         // folder of the sound files
    QString sicherungsname;       // backup name of messages 117 to 119
    QString meldungstext;         // out: text of the message shown
    bool frage = false;           // out: its kind
    int antwort = 0;              // out: -1 confirmed, 0 not (kept when nothing was shown)
};

bool MeldungAnzeigen(int n, Meldungszustand& z);

// The same on the program's global state block.
bool MeldungAnzeigen(int n, Fahrten1& f);
bool MeldungAnzeigen(int n);

} // namespace kmk
