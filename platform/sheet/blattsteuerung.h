#pragma once
// The control's operations on a sheet model: what the table builders put
// lands in a Blatt. Preview, printer dialog, save dialog and file writing
// are hooks, so the widget (steuerelement.h) plugs in the real ones and a
// test plugs in its own, and nothing here ever opens a window.
//
//   sheet::BlattSteuerung t;
//   t.Zeile(3); t.Spalte(1); t.Zelltext("Datum");
//   t.blatt().anzeigetext(3, 1);   // "Datum"

#include "platform/sheet/blatt.h"
#include "platform/sheet/tabellenblatt.h"

#include <functional>

namespace sheet {

class BlattSteuerung : public Tabellenblatt {
public:
    BlattSteuerung() = default;

    Blatt& blatt() { return m_blatt; }
    const Blatt& blatt() const { return m_blatt; }

    // ---- hooks (empty: the operation does nothing, the dialog cancels) ----
    std::function<void()> vorschau;
    std::function<void()> einrichtung;
    std::function<bool(const QString& titel, Dateiangabe& angabe)> speichernDialog;
    // Default: the writers of schreiber.h.
    std::function<bool(const Blatt& b, const QString& name, int typ, QString* fehler)> schreiben;
    // Runs after every change that the screen must show.
    std::function<void()> geaendert;

    void Spalte(int32_t spalte) override;
    void Zeile(int32_t zeile) override;
    int32_t Spalte() const override { return m_spalte; }
    int32_t Zeile() const override { return m_zeile; }
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
    bool Querformat() const override { return m_blatt.seite.quer; }
    void Kopfzeile(const QString& text) override;
    void Fusszeile(const QString& text) override;
    void Seitenrand(Rand welcher, double zoll) override;
    void Randabstand(Abstand welcher, double zoll) override;
    void Druckskalierung(int16_t& prozent, bool anpassen, int seitenBreit, int seitenHoch) override;
    void Papiergroesse(int code) override;
    void Bildschirmzoom(int prozent) override;
    void Bildschirmzoom(const QString& prozent) override;
    int Bildschirmzoom() const override { return m_blatt.zoom; }
    void Zuruecksetzen() override;
    void Eigenschaft(int32_t nummer, const QVariant& wert) override;
    QVariant Eigenschaft(int32_t nummer) const override;
    void Sichtbar(bool sichtbar) override;
    bool sichtbar() const { return m_sichtbar; }
    void Ablagetext(const QString& text) override { m_ablagetext = text; }
    QString ablagetext() const { return m_ablagetext; }
    void Dokumenttitel(const QString& titel) override { m_blatt.dokumenttitel = titel; }
    QString Dokumenttitel() const override { return m_blatt.dokumenttitel; }
    void Druckvorschau() override;
    void Druckereinrichtung() override;
    bool SpeichernDialog(const QString& titel, Dateiangabe& angabe) override;
    bool DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler = nullptr) override;

private:
    Zelle& aktuell() { return m_blatt.zelle(m_zeile, m_spalte); }
    void melde() { if (geaendert) geaendert(); }

    Blatt m_blatt;
    int32_t m_zeile = 1;
    int32_t m_spalte = 1;
    bool m_sichtbar = true;
    QString m_ablagetext;
};

// Zoom percentages the control accepts; others are brought into range.
inline constexpr int kZoomMin = 10;
inline constexpr int kZoomMax = 400;

} // namespace sheet
