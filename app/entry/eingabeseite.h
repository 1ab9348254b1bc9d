#pragma once
// The entry page as the checks and field handlers see it, and the services
// of the neighbouring subsystems they call. The checks work on any
// Eingabeseite, so tests run them on a page of plain texts; the program
// uses WidgetEingabeseite over the real controls.
//
//   WidgetEingabeseite seite(page);
//   Eintragung e{fahrten1(), seite, dienste};
//   KmBerechnen(e, true);

#include "app/records/fahrten1.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>

class QWidget;

namespace kmk {

class Eingabeseite {
public:
    virtual ~Eingabeseite() = default;
    // Text of a text or combo box, caption of a label ("" when absent).
    virtual QString text(const QString& name) const = 0;
    // Writes a text; the field's Change runs when it differs.
    virtual void setText(const QString& name, const QString& text) = 0;
    // The chosen trip-type option: 1 commute .. 5 family home trip, 0 none.
    virtual int fahrtart() const = 0;
    // Selects option 1..5 (its Click runs when the choice changes).
    virtual void setFahrtart(int typ) = 0;
    virtual void zeigen(const QString& name, bool sichtbar) = 0;
    virtual bool sichtbar(const QString& name) const = 0;
    virtual void fokus(const QString& name) = 0;
    // Puts the caret of a text field at pos (-1: at the end).
    virtual void setCaret(const QString& name, int pos) { (void)name; (void)pos; }
};

// The page of the main window: controls found by objectName under root.
class WidgetEingabeseite : public Eingabeseite {
public:
    explicit WidgetEingabeseite(QWidget* root) : root_(root) {}
    QString text(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    int fahrtart() const override;
    void setFahrtart(int typ) override;
    void zeigen(const QString& name, bool sichtbar) override;
    bool sichtbar(const QString& name) const override;
    void fokus(const QString& name) override;
    void setCaret(const QString& name, int pos) override;

    // The control of that name in root's window, or nullptr.
    QWidget* control(const QString& name) const;
    QWidget* root() const { return root_; }

private:
    QWidget* root_;
    mutable QHash<QString, QWidget*> cache_;
};

// A page of plain texts for tests and headless runs; setText records every
// write that changed a text.
class TextEingabeseite : public Eingabeseite {
public:
    QHash<QString, QString> texte;
    QSet<QString> versteckt;
    int typ = 0;
    QString fokussiert;
    QStringList geschrieben;
    QString text(const QString& name) const override { return texte.value(name); }
    void setText(const QString& name, const QString& text) override;
    int fahrtart() const override { return typ; }
    void setFahrtart(int t) override { typ = t; }
    void zeigen(const QString& name, bool s) override { s ? (void)versteckt.remove(name) : (void)versteckt.insert(name); }
    bool sichtbar(const QString& name) const override { return !versteckt.contains(name); }
    void fokus(const QString& name) override { fokussiert = name; }
};

// What the entry needs of other subsystems. Each may be empty; an empty
// message answers "no", an empty procedure does nothing.
struct Eingabedienste {
    std::function<bool(int)> meldung;             // catalogue message, true for yes/OK
    std::function<void()> beep;
    std::function<void()> PauschaleAnzeigen;      // page into the edit buffer, allowance shown
    std::function<void(int)> hilfetext;           // help line n into the page's help box
    std::function<void(const QString&)> hilfeThema;  // help file at a topic
    // The stored-trips road.
    std::function<void()> ASpeichern;
    std::function<bool()> Datensatzspeichern;     // false: nothing written, the message shown
    std::function<void()> FLaden;
    std::function<void()> DatensatzAnzeigen;
    std::function<bool()> Datensatzloschen;       // false: the cut failed, the message shown
    std::function<bool()> UberschreibenKuerzen;   // false: nothing written, the message shown
    std::function<void()> ErsteLaden;
    std::function<void()> Sicherheitscopy;
    std::function<void()> NeuEintrag;
    std::function<void()> Rueckfahrt;
    std::function<void()> Uberschreiben_Benzin;
    std::function<void()> Ges_Verbrauch;
    // Working fields of the allowance display cleared with the page.
    std::function<void()> PauschaleZuruecksetzen;
};

// One entry page at work: the state, the page and the services.
struct Eintragung {
    Fahrten1& st;
    Eingabeseite& seite;
    Eingabedienste& dienste;

    FahrtDatensatz& puffer() { return st.Satzpuffer[0]; }
    // The record the entry is measured against; nullptr without one.
    const FahrtDatensatz* vergleich() const
    {
        return st.Pufferindex >= 2 && st.Pufferindex < st.Satzpuffer.size() ? &st.Satzpuffer[st.Pufferindex]
                                                                           : nullptr;
    }
    bool firma() const { return st.Kfz.Firmenfahrzeug != 0; }
    bool privat() const { return st.Kfz.Privatfahrzeug != 0; }
    bool warnungen() const { return st.Voreinstellung.Warnhinweise != 0; }

    bool meldung(int n) { return dienste.meldung ? dienste.meldung(n) : false; }
    void beep() { if (dienste.beep) dienste.beep(); }
    void pauschaleAnzeigen() { if (dienste.PauschaleAnzeigen) dienste.PauschaleAnzeigen(); }
    static void run(const std::function<void()>& f) { if (f) f(); }
    // A step of a chain that may fail: false stops the chain there.
    static bool gelingt(const std::function<bool()>& f) { return !f || f(); }

    // Today's day number and the present moment as a day number with the
    // time of day as its fraction (the clock seam).
    qint32 heute() const;
    double jetzt() const;
};

// A number as the entry fields read it: the leading number ('.' decimal
// point), rounded half to even and kept inside the 32-bit range.
qint32 zahlLang(const QString& text);
// The same kept inside -32768..32767.
qint16 zahlKurz(const QString& text);

} // namespace kmk
