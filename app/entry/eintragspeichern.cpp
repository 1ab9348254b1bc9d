// The buttons of the entry page: new entry, navigation, return trip and
// the save button with every check of a typed trip.

#include "app/backup/sicherung.h"
#include "app/entry/eingabefelder.h"

#include "app/entry/pruefungen.h"
#include "platform/vb/text.h"

namespace kmk {

void Eintragsfelder::Listenumschaltung()
{
    seite_.zeigen("FahrtListe", true);
    seite_.zeigen("TEinHilfe", false);
    seite_.zeigen("CBTextfensterEin", false);
}

void Eintragsfelder::Navigation_MouseUp(int button, const std::function<void()>& prozedur)
{
    if (button != 1)
        return;
    Eintragung::run(prozedur);
    Listenumschaltung();
}

void Eintragsfelder::Command5_Click()
{
    Eintragung::run(dienste_.Rueckfahrt);
}

namespace {

bool leer(const Eingabeseite& s, const char* feld)
{
    return vb::Trim(s.text(QString::fromLatin1(feld))).isEmpty();
}

} // namespace

void Eintragsfelder::EintragSpeichern_MouseUp(int button)
{
    Fahrten1& st = e_.st;
    auto speichern = [&] {
        Eintragung::run(dienste_.ASpeichern);
        if (st.Satznummer % Sicherungsintervall(st.Voreinstellung) == 0)
            Eintragung::run(dienste_.Sicherheitscopy);
    };

    if (button == 1) {
        // The driver trimmed; a stored one, shown trimmed, keeps its blanks.
        if (const QString fahrer = seite_.text("EinFahrer"); fahrer != vb::Trim(e_.puffer().Fahrer))
            e_.puffer().Fahrer = vb::Trim(fahrer);
        int befund = 0;
        if (e_.firma() && seite_.fahrtart() == 0)
            befund = 63;
        // A record claiming both kinds is a company car: its trip type stays.
        if (e_.privat() && !e_.firma())
            seite_.setFahrtart(3);
        if (leer(seite_, "EinDatumAb"))
            befund = 61;
        if (leer(seite_, "EinDatumAn"))
            befund = 62;
        if (leer(seite_, "EinGefKm"))
            befund = 38;
        const int typ = seite_.fahrtart();
        if (typ != 2) {
            if (leer(seite_, "EinVon"))
                befund = 33;
            if (typ != 1 && leer(seite_, "EinUber"))
                befund = 34;
            if (leer(seite_, "EinNach"))
                befund = 35;
        }
        if (befund == 0 && typ == 3) {
            if (leer(seite_, "EinGesprach"))
                befund = 37;
            if (leer(seite_, "EinGrund"))
                befund = 36;
        }
        if (befund == 0)
            e_.pauschaleAnzeigen();
        if (st.Voreinstellung.Journalfunktion && st.NeuerEintragOffen)
            e_.puffer().Eintragungsdatum = e_.heute();
        if (befund == 0) {
            befund = FahrtfolgeTest(e_);
            // "No" to the gap question stops here; no other question follows.
            if (befund == 6)
                return;
            if (befund == 0)
                befund = JournalTest(e_);
            if (befund == 0) {
                if (DatumZeitTest(e_) != 0)
                    return;
                speichern();
                return;
            }
        }
        const bool ja = e_.meldung(befund);
        if (befund == 100 && ja && DatumZeitTest(e_) == 0)
            speichern();
        return;
    }

    if (button != 2)
        return;
    if (e_.firma()) {
        if (st.Satzgesperrt) {
            // A cancelled or changed trip can no longer be changed.
            e_.meldung(st.Pufferindex == 1 ? 84 : 14);
            return;
        }
        {
            const bool privatfahrt = e_.puffer().Fahrtart == 2;
            const int folge = privatfahrt ? 0 : FahrtfolgeTest(e_);
            if (folge != 6 && st.Pufferindex == 3) {
                e_.puffer().Reserve512 = 0;
                e_.pauschaleAnzeigen();
                if (!PflichtfeldTest(e_) || DatumZeitTest(e_) != 0 || !e_.meldung(6))
                    return;
                e_.puffer().Sonderfahrt = 0;
                // The overwrite and the cut are one rewrite; a write
                // message is the end and the page stays as typed.
                if (!Eintragung::gelingt(dienste_.UberschreibenKuerzen))
                    return;
                Eintragung::run(dienste_.FLaden);
                Eintragung::run(dienste_.DatensatzAnzeigen);
                Eintragung::run(dienste_.ErsteLaden);
                seite_.fokus(st.Voreinstellung.PrivatNurKm ? QStringLiteral("EinGefKm") : QStringLiteral("EinGesprach"));
            }
        }
        if (st.Pufferindex == 1)
            e_.meldung(84);
        return;
    }
    if (e_.privat()) {
        // Only a stored trip on show can be overwritten, never an open new entry.
        if (st.NeuerEintragOffen || st.Satznummer < 1 || st.Satznummer > st.Satzanzahl)
            return;
        if (DatumZeitTest(e_) != 0 || !e_.meldung(6))
            return;
        e_.pauschaleAnzeigen();
        // A trip that could not be written stays on the page as typed.
        if (!Eintragung::gelingt(dienste_.Datensatzspeichern))
            return;
        Eintragung::run(dienste_.FLaden);
        Eintragung::run(dienste_.DatensatzAnzeigen);
    }
}

} // namespace kmk
