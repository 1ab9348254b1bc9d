#include "app/mainwindow/meldungen.h"

#include "app/mainwindow/form2.h"
#include "app/records/fahrten1.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"

#include <QApplication>
#include <algorithm>

namespace kmk {

namespace {

struct Eintrag {
    int nummer;
    bool frage;
    const char16_t* text;
};

// Pieces as the messages were always written: line breaks are CR LF in the
// early messages and LF CR from 70 on, typing errors included; keep them.
#define CR u"\r"
#define LF u"\n"
#define DQ u"\""
#define NAME u"\001"   // the backup name goes here

constexpr Eintrag kKatalog[] = {
    {1, false,
     LF CR LF CR u"Sie müssen" CR LF u"erst die" CR LF u"Grundeinstellung für" CR LF u"ein Kfz eingeben!"},
    {2, true,
     LF CR LF CR u"Wollen Sie" CR LF u"alle Daten dieses" CR LF u"Fahrzeugs löschen?" CR LF},
    {3, false,
     LF CR LF CR u"Es wird jetzt" CR LF u"eine Datei" CR LF u"für die Grundeinstellung" CR LF u"der Kfz erstellt!"},
    {4, false,
     LF CR LF CR u"Es wird jetzt" CR LF u"eine Datei" CR LF u"für Ihr Kilometrika" CR LF u"erstellt!"},
    {5, true,
     LF CR LF CR u"Es wird jetzt" CR LF u"ein neuer" CR LF u"Datensatz an das Ende" CR LF u"der Kilometrikadatei angehängt!" CR LF u"Sind alle Eintragungen richtig?"},
    {6, true,
     LF CR LF CR u"Der aktuelle" CR LF u"Datensatz wird" CR LF u"jetzt mit den neuen" CR LF u"Eintragungen überschrieben!" CR LF u"Sind alle Eintragungen richtig?"},
    {10, false,
     LF CR LF CR u"Leider haben" CR LF u"Sie vergessen, das" CR LF u"Kfz - Kennzeichen" CR LF u"einzugeben!" CR LF u"So kann ich das leider" CR LF u"nicht speichern"},
    {11, false,
     LF CR LF CR u"Ohne Angabe" CR LF u"des Kilometerstandes, " CR LF u"kann ich leider die" CR LF u"Eingabe des Kfz's nicht" CR LF u"speichern!"},
    {12, false,
     LF CR LF CR u"Den Standort" CR LF u"des Fahrzeugs müssen" CR LF u"Sie schon eintragen," CR LF u"sonst kann ich die Eingabe" CR LF u"nicht speichern!"},
    {13, false,
     CR LF u"Sie müssen" CR LF u"noch den Fahrzeughalter" CR LF u"eingeben!" CR LF},
    {14, false,
     CR LF u"Diese" CR LF u"Eintragung kann" CR LF u"leider nicht mehr" CR LF u"geändert werden!"},
    {20, false,
     CR LF u"Diese Zeiteintragung kann nicht stimmen, tragen Sie bitte eine korrekte Zeit ein!"},
    {21, false,
     CR LF u"Dieses Datum" CR LF u" ist kleiner als die letzte Eintragung, tragen Sie bitte ein korrektes Datum ein! "},
    {22, true,
     CR LF u"Die Zeit dieser Fahrt wird dem Tag der über- wiegenden Abwesenheit zugerechnet, wenn Sie nicht übernachtet haben. Haben Sie übernachtet , klicken Sie bitte auf die >Nein< Taste!"},
    {23, false,
     LF CR LF CR u"Die Abfahrtszeit kann nicht später sein, als die Ankunftszeit. Tragen Sie bitte eine korrekte Zeit ein!"},
    {24, false,
     LF CR LF CR u"Die Abfahrtszeit ist früher als die letzte Ankunftzeit an diesem Tag. Tragen Sie bitte eine korrekte Zeit ein!"},
    {25, false,
     LF CR LF CR u"Sie sind später losgefahren, als Sie angekommen sind, tragen Sie bitte eine korrekte Ankunftszeit ein!"},
    {30, true,
     LF CR LF CR u"Wollen Sie den Datensatz  wirklich löschen? "},
    {31, true,
     u" Es werden alle folgenden Datensätze bis zum Ende der Datei gelöscht. Wollen Sie den Datensatz wirklich überschreiben und den Rest löschen?"},
    {32, true,
     u" Wenn Sie jetzt auf den OK - Button klicken, werden die gesamten Eintragungen des aktuellen Fahrzeugs gelöscht. Wollen Sie das wirklich?"},
    {33, false,
     LF CR LF CR u"Sie haben keinen Abfahrtsort  eingetragen!  So kann der Datensatz nicht gespeichert werden."},
    {34, false,
     LF CR LF CR u" Sie haben vergessen, das Eingabefeld >Wegstrecke - über< auszufüllen! So kann der Datensatz nicht gespeichert werden."},
    {35, false,
     LF CR LF CR u"Sie haben das Eingabefeld >Nach< nicht ausgefüllt!   So kann der Datensatz nicht gespeichert werden."},
    {36, false,
     LF CR LF CR u"Sie haben keinen Grund für Ihre Fahrt angegeben! So kann der Datensatz nicht gespeichert werden."},
    {37, false,
     LF CR LF CR u"Sie haben keinen Gesprächspartner eingetragen! So kann der Datensatz nicht gespeichert werden."},
    {38, false,
     u"Der Km-Stand zwischen Abfahrt und Ankunft ist gleich, Sie haben vergessen die gefahrenen Kilometer einzutragen. So kann der Datensatz nicht gespeichert werden."},
    {39, false,
     LF CR LF CR u"Handelt es sich um ein Firmenfahrzeug oder ein Privatfahrzeug!"},
    {40, true,
     u"Wollen Sie wirklich die Sicherheitskopie wieder herstellen? Es wird die aktuell bestehende Datei, mit der Sicherheitskopie überschrieben."},
    {41, true,
     LF CR LF CR u"Wollen Sie wirklich die ausgewählten Sicherheitskopien löschen?"},
    {42, true,
     LF CR LF CR u"Möchten Sie eine Sicherheitskopie erstellen?"},
    {50, true,
     u"Wollen Sie den  " CR LF u" bestehenden Datensatz" CR LF u" wirklich überschreiben?" CR LF CR LF},
    {51, true,
     u"Der bestehende Datensatz wird als storniert gekennzeichnet und es wird ein neuer Datensatz mit den vorgenommenen Änderungen eingefügt."},
    {52, true,
     u"Die gefahrenen Kilometer wurden geändert! Die Kilometerstände der nächsten Datensätze sind somit nicht mehr korrekt. Wollen Sie wirklich den Datensatz überschreiben?"},
    {53, true,
     u"Die Zeitangaben wurden geändert! Die Korrektheit der nächsten Datensätze kann nicht überprüft werden. Wollen Sie wirklich den Datensatz überschreiben?"},
    {54, false,
     u"Sie haben vergessen die gefahrenen Kilometer einzutragen!"},
    {55, false,
     u"Es sind keine Fahrtenspeichereintragungen vorhanden, die geändert werden könnten!"},
    {56, false,
     u"Sie haben das Eingabefeld - Von / Abfahrtsort - vergessen auszufüllen!"},
    {57, false,
     u"Sie haben das Eingabefeld - Über / Wegstrecke - vergessen auszufüllen!"},
    {58, false,
     u"Sie haben das Eingabefeld - Nach / Ankunfsort - vergessen auszufüllen!"},
    {59, false,
     u"Sie haben das Eingabefeld - Gesprächspartner - vergessen auszufüllen!"},
    {60, false,
     u"Sie haben das Eingabefeld - Grund der Fahrt - vergessen auszufüllen!"},
    {61, false,
     u"Sie haben das Eingabefeld - Abfahrtsdatum - vergessen auszufüllen!"},
    {62, false,
     u"Sie haben das Eingabefeld - Ankunftsdatum - vergessen auszufüllen!"},
    {63, false,
     u"Sie haben im Auswahlfeld - Fahrtvoreinstellung - vergessen die Fahrtart auszuwählen!"},
    {64, false,
     u"Sie brauchen jetzt nur noch die Abfahrts- und Ankunftszeit aktualisieren!"},
    {65, false,
     u"Sie haben vergessen einen neuen Datensatz zu wählen!"},
    {66, false,
     u"Es wurde nichts an dem Datensatz geändert! Die Eintragungen sind alle unverändert."},
    {67, false,
     u"Die Abfahrtszeit der aktuellen Fahrt ist kleiner als die Ankunftszeit der zurückliegenden Fahrt am gleichen Kalendertag!"},
    {68, false,
     u"Die Abfahrtszeit der aktuellen Fahrt ist größer als die Ankunftszeit!"},
    {69, false,
     u"Das Eingabedatum kann nicht richtig sein. Sie können ein Fahrzeug nur für ein Jahr führen, fangen Sie ein neues Fahrzeug an."},
    {70, false,
     LF CR u"Das Eingabedatum kann nicht richtig sein!"},
    {71, true,
     u"Die letzte Fahrt liegt mehr als 5 Tage zurück. Keine Eintragung vergessen?Wollen Sie trotzdem speichern?"},
    {72, false,
     LF CR u"Die gefahrenen Kilometer sind zu hoch für diesen Zeitraum!"},
    {73, false,
     u"Sie können ein PKW nur für ein laufendes Jahr führen. Für ein weiteres Jahr muß ein neuer PKW angelegt werden."},
    {76, false,
     u"Die Eintragung wurde bereits geändert, eine erneute Änderung ist leider nicht möglich!"},
    {77, false,
     u"Ihnen stehen 12 € Reisekosten zu aber in den Grundeinstellungen sind die Reisekosten - Pauschalberechnungen ausgeschaltet."},
    {78, false,
     u"In dem ausgewählten Verzeichnis befindet sich keine Sicherheitskopie!"},
    {79, false,
     u"Sie müssen erst eine oder mehrere Dateien selektieren!"},
    {81, false,
     u"Sie haben mehr als eine Datei ausgewählt!Wählen Sie die gewünschte Sicherheitskopie aus und wiederholen Sie den Funktionsaufruf."},
    {84, false,
     u"Diese Funktion kann erst ab der zweiten Eintragung genutzt werden!"},
    {85, false,
     LF CR u"Sie müssen erst eine Sicherheitskopie auswählen!"},
    {86, false,
     LF CR u"Die Eintragung existiert bereits!"},
    {87, false,
     u"Sie müssen erst eine Fahrt eingetragen haben, damit sie in der Kundenliste aufgenommen werden kann."},
    {88, false,
     u"Sie müssen mindestens zwei Fahrten eingetragen haben, um einen Ausdruck zu erhalten!"},
    {89, false,
     LF CR u"Fehler beim Löschen! Verzeichnis muss leer sein."},
    {90, false,
     LF CR u"Die Jahreszahl kann nicht bearbeitet werden!"},
    {91, false,
     LF CR u"Sie müssen den aktuellen Km - Stand oben eintragen!"},
    {92, false,
     LF CR u"Sie müssen erst einige Eintragungen vornehmen!"},
    {93, false,
     LF CR u"Die Abfahrtszeit ist nicht korrekt! Verwenden Sie dieses Format    " DQ u"00:00" DQ u".  "},
    {94, false,
     LF CR u"Die Ankunftszeit ist nicht korrekt! Verwenden Sie dieses Format    " DQ u"00:00" DQ u". "},
    {95, false,
     u"Ein nachträglicher Wechsel des bereits bestehenden Kfz ist nur möglich, wenn alle bestehenden Eintragungen des Kfz gelöscht werden!"},
    {96, false,
     LF CR u"Der Km-Stand Ankunft darf nicht kleiner sein als bei der Abfahrt!"},
    {97, false,
     u"Das Eintragungsdatum der letzten Eintragung ist größer als das aktuelle Rechner- datum. Hier kann etwas nicht stimmen!. Ein Doppelklick rechts unten auf die Uhrzeit, zeigt Ihnen das aktuelle Rechnerdatum an. " LF CR u"Oder deaktivieren Sie die Journalfunktion in den Grundeinstellungen"},
    {98, false,
     u"Das aktuelle Rechnerdatum ist kleiner als die Fahrteintragung. Hier kann etwas nicht stimmen!. Ein Doppelklick rechts unten auf die Uhrzeit, zeigt Ihnen das aktuelle Rechnerdatum an. " LF CR u"(Zeitnahes Führen eines Kilometrikas)" LF CR u"Oder deaktivieren Sie die Journalfunktion in den Grundeinstellungen"},
    {99, false,
     LF CR u"Diese Funktion funktioniert nur bei neuen Datensätzen!"},
    {100, true,
     u"Das Datum liegt mehr als acht Tage zurück. Überprüfen Sie Ihr Rechnerdatum! (Zeitnahes Führen eines Kilometrikas) Entweder Sie haben handschriftl. Aufzeichnungen oder Sie deaktivieren die Journalfunktion in den Grundeinstellungen." LF CR u"Möchten Sie trotzdem speichern? "},
    {101, false,
     u"Das Datum liegt mehr als acht Tage zurück. Überprüfen Sie Ihr Rechnerdatum, vielleicht ist es falsch! (Zeitnahes Führen eines Kilometrikas)" LF CR u"Entweder Sie haben handschriftliche Aufzeichnungen oder Sie deaktivieren die Journalfunktion in den Grundeinstellungen."},
    {102, false,
     u"Das Abfahrtsdatum ist nicht korrekt eingetragen! Überprüfen Sie Ihre Eingabe ! " LF CR u"Mit einem Mausklick im Kalender, erhalten Sie eine korrekt formatierte Eingabe."},
    {103, false,
     u"Das Abfahrtsdatum ist nicht korrekt eingetragen! Überprüfen Sie Ihre Eingabe ! " LF CR u"Mit einem Mausklick im Kalender, erhalten Sie eine korrekt formatierte Eingabe."},
    {104, false,
     LF CR},
    {105, false,
     u"Die eingtragene Textlänge des Datums kann nicht stimmen!" LF CR u"Das Format des Datums muss so " DQ u"01.01.2018" DQ u"!!! aussehen!"},
    {106, false,
     u"Der Datumsseperator hinter dem Tag muss ein Punkt sein. " LF CR u"Das Format des Datums muss so " DQ u"01.01.2018" DQ u"!!! aussehen!"},
    {107, false,
     u"Der Datumsseperator hinter dem Monat muss ein Punkt sein." LF CR u"Das Format des Datums muss so " DQ u"01.01.2018" DQ u"!!! aussehen!"},
    {108, false,
     u"Die eingetragene Jahreszahl muss das Jahr dieses Kilometrikas sein!" LF CR u"Ein Kilometrika wird immer nur für ein Kalenderjahr geführt."},
    {109, false,
     u"Die eingetragene Tageszahl muss zwischen 01 und 31 liegen!" LF CR u"Das Format des Datums muss so " DQ u"01.01.2018" DQ u"!!! aussehen!"},
    {110, false,
     u"Der eingetragene Monatswert muss zwischen 01 und 12 liegen!" LF CR u"Das Format des Datums muss so " DQ u"01.01.2018" DQ u"!!! aussehen!"},
    {111, false,
     u"Die eingtragene Textlänge der Zeit kann nicht stimmen! " LF CR u"Das Format der Zeiteintragung muss so (12:00)!!! aussehen."},
    {112, false,
     u"Der Zeitseperator hinter den Stunden muss ein Doppelpunkt sein." LF CR u"Das Format der Zeiteintragung muss so (12:00)!!! aussehen."},
    {113, false,
     u"Die eingetragen Stundenzahl muss zwischen 00 und 24 liegen!" LF CR u"Das Format der Zeiteintragung muss so (12:00)!!! aussehen."},
    {114, false,
     u"Die eingetragene Minutenzahl muss zwischen 00 und 59 liegen!" LF CR u"Das Format der Zeiteintragung muss so (12:00)!!! aussehen."},
    {115, true,
     u"Damit die Aktualisierung wirksam wird, muss das Programm neu gestartet werden!" LF CR u"Wollen Sie das Programm jetzt neustarten?"},
    {116, false,
     u"Die neuen Funktion des Programms, werden erst beim nächsten Neustart des Programms zur Verfügung stehen!"},
    {117, true,
     u"Wollen Sie die ausgewählte  Sicherheitskopie " LF CR DQ NAME DQ LF CR u"wirklich löschen!"},
    {118, false,
     LF CR LF CR u"Die Sicherheitskopie" LF CR DQ NAME DQ LF CR u"wurde gelöscht!"},
    {119, false,
     u"Beim Löschen der Sicherheitskopie" LF CR DQ NAME DQ LF CR u"ist ein Fehler aufgetreten!"},
    {120, false,
     LF CR LF CR u"Sie haben kein gültiges " LF CR u"Sicherheitsverzeichnis" LF CR u"ausgewählt!"},
    {121, true,
     u"Vorsicht! Es werden auch alle Inhalte des Verzeichnisses gelöscht." LF CR u"Sie haben kein gültiges " LF CR u"Sicherheitsverzeichnis" LF CR u"ausgewählt, wollen Sie es" LF CR u"denoch löschen!"},
};

#undef CR
#undef LF
#undef DQ
#undef NAME

const Eintrag* finde(int n)
{
    const auto* it = std::lower_bound(std::begin(kKatalog), std::end(kKatalog), n,
                                      [](const Eintrag& e, int k) { return e.nummer < k; });
    return (it != std::end(kKatalog) && it->nummer == n) ? it : nullptr;
}

} // namespace

Katalogeintrag Meldungskatalog(int n, const QString& sicherungsname)
{
    Katalogeintrag e;
    e.nummer = n;
    if (const Eintrag* k = finde(n)) {
        e.frage = k->frage;
        e.text = QString::fromUtf16(k->text);
        e.text.replace(QChar(1), sicherungsname);
    }
    return e;
}

QList<int> Meldungsnummern()
{
    QList<int> n;
    for (const auto& e : kKatalog)
        n << e.nummer;
    return n;
}

QString Meldungsklang(int n)
{
    if (n < 1 || n > 96)
        return {};
    return QStringLiteral("M%1.wav").arg(n);
}

bool Form2Dialog::zeigen(const QString& meldungstext, bool frage)
{
    QWidget* eigner = forms::dialogOwner();
    Form2 dlg(meldungstext, frage, eigner);
    forms::placeDialog(&dlg, eigner);
    dlg.exec();
    return dlg.antwort();
}

bool FakeMeldungsdialog::zeigen(const QString& meldungstext, bool frage)
{
    gezeigt.append({meldungstext, frage});
    if (antworten.empty())
        return standard;
    const bool a = antworten.front();
    antworten.pop_front();
    return a;
}

Meldungsdialog*& meldungsdialog()
{
    static Form2Dialog real;
    static Meldungsdialog* current = &real;
    return current;
}

bool MeldungAnzeigen(int n, Meldungszustand& z)
{
    z.meldungstext.clear();
    z.frage = false;
    if (n < 0 || n > 255)
        return false;

    const Katalogeintrag e = Meldungskatalog(n, z.sicherungsname);
    z.meldungstext = e.text;
    z.frage = e.frage;

    // The sound depends on the number only: 1..96 may sound even without text.
    if (z.sprachausgabe) {
        const QString klang = Meldungsklang(n);
        if (!klang.isEmpty() && !z.programmpfad.isEmpty()) {
            const QString datei = io::findFileCaseInsensitive(z.programmpfad, klang);
            if (!datei.isEmpty() && io::FileExists(datei))
                forms::services().sound->play(datei);
        }
    }

    if (z.meldungstext.isEmpty())
        return false;
    const bool ja = meldungsdialog()->zeigen(z.meldungstext, z.frage);
    z.antwort = ja ? -1 : 0;
    return ja;
}

bool MeldungAnzeigen(int n, Fahrten1& f)
{
    Meldungszustand z;
    z.sprachausgabe = f.Voreinstellung.Sprachausgabe != 0;
    z.programmpfad = f.Programmpfad;
    z.sicherungsname = f.Sicherungsname;
    z.antwort = f.Antwort;
    const bool ja = MeldungAnzeigen(n, z);
    f.Meldungstext = z.meldungstext;
    f.Frage = z.frage;
    f.Antwort = z.antwort;
    return ja;
}

bool MeldungAnzeigen(int n)
{
    return MeldungAnzeigen(n, fahrten1());
}

} // namespace kmk
