#pragma once
// A test double of the spreadsheet control: records every operation with
// its arguments, in order, and also carries them out on a sheet model, so a
// test can compare the calls and look at the resulting cells. Nothing opens
// a window; the dialogs answer what the test scripted.
//
//   sheet::RecordingSheet t;
//   baueTabelle(t);
//   EXPECT_EQ(t.protokoll().at(0), "Zuruecksetzen()");
//   EXPECT_EQ(t.blatt().anzeigetext(5, 2), "01.01.2016");
//
// Lines read Name(arg, arg): texts in double quotes, Booleans True/False,
// numbers as written ("0.7", "42370"). Getters are not recorded, except
// reading Querformat, which some tables decide on ("Querformat?").

#include "platform/sheet/blattsteuerung.h"

#include <QStringList>
#include <QVariantList>

namespace sheet {

class RecordingSheet : public Tabellenblatt {
public:
    struct Aufruf {
        QString name;
        QVariantList argumente;
        QString text() const;
    };

    const std::vector<Aufruf>& aufrufe() const { return m_aufrufe; }
    QStringList protokoll() const;
    // Calls of one operation only, as lines.
    QStringList protokoll(const QString& name) const;
    int anzahl(const QString& name) const;
    void leeren() { m_aufrufe.clear(); }

    Blatt& blatt() { return m_modell.blatt(); }
    const Blatt& blatt() const { return m_modell.blatt(); }
    BlattSteuerung& modell() { return m_modell; }

    // Scripted answers.
    bool dialogErgebnis = false;          // SpeichernDialog: false = cancelled
    Dateiangabe dialogAngabe;             // the name and type "chosen" on true
    bool schreibenErgebnis = true;        // DateiSchreiben
    QString schreibenFehler;

    void Spalte(int32_t spalte) override;
    void Zeile(int32_t zeile) override;
    int32_t Spalte() const override { return m_modell.Spalte(); }
    int32_t Zeile() const override { return m_modell.Zeile(); }
    void Zellauswahl(int32_t zeile, int32_t spalte) override;
    void Zelltext(const QString& text) override;
    void Zellwert(double wert) override;
    void Zellformel(const QString& formel) override;
    void Zahlenformat(const QString& format) override;
    void Fettschrift(bool fett) override;
    void Schriftgroesse(int punkte) override;
    void Ausrichtung(int art) override;
    void Zellrahmen(int umriss, int links, int rechts, int oben, int unten, int schatten,
                    int32_t farbeUmriss, int32_t farbeLinks, int32_t farbeRechts,
                    int32_t farbeOben, int32_t farbeUnten) override;
    void Spaltenbreite(int32_t spalte, int breite) override;
    void Zeilenhoehe(int32_t zeile, int hoehe) override;
    void Standardzeilenhoehe(int hoehe) override;
    void Blattname(int blatt, const QString& name) override;
    void DrucktitelErsteZeile(int32_t zeile) override;
    void DrucktitelLetzteZeile(int32_t zeile) override;
    void Seitenumbruch(int32_t zeile) override;
    void Querformat(bool quer) override;
    bool Querformat() const override;
    void Kopfzeile(const QString& text) override;
    void Fusszeile(const QString& text) override;
    void Seitenrand(Rand welcher, double zoll) override;
    void Randabstand(Abstand welcher, double zoll) override;
    void Druckskalierung(int16_t& prozent, bool anpassen, int seitenBreit, int seitenHoch) override;
    void Papiergroesse(int code) override;
    void Bildschirmzoom(int prozent) override;
    void Bildschirmzoom(const QString& prozent) override;
    int Bildschirmzoom() const override { return m_modell.Bildschirmzoom(); }
    void Zuruecksetzen() override;
    void Eigenschaft(int32_t nummer, const QVariant& wert) override;
    QVariant Eigenschaft(int32_t nummer) const override { return m_modell.Eigenschaft(nummer); }
    void Sichtbar(bool sichtbar) override;
    void Ablagetext(const QString& text) override;
    void Dokumenttitel(const QString& titel) override;
    QString Dokumenttitel() const override { return m_modell.Dokumenttitel(); }
    void Druckvorschau() override;
    void Druckereinrichtung() override;
    bool SpeichernDialog(const QString& titel, Dateiangabe& angabe) override;
    bool DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler = nullptr) override;

private:
    void rec(const char* name, QVariantList args = {}) const;

    mutable std::vector<Aufruf> m_aufrufe;
    BlattSteuerung m_modell;
};

} // namespace sheet
