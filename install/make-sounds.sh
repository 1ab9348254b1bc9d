#!/bin/sh
# Speaks the messages 1 to 96 into "M<n>.wav" with espeak-ng, in the folder
# given (default: the folder of this script). Run once at installation; the
# program shows its messages silently where a file is missing.
set -eu
ziel=${1:-$(dirname "$0")}
if ! command -v espeak-ng >/dev/null 2>&1; then
    echo "espeak-ng fehlt: keine Sprachdateien erzeugt." >&2
    exit 0
fi
while IFS='|' read -r nummer text; do
    [ -n "$nummer" ] || continue
    espeak-ng -v de -s 150 -w "$ziel/M$nummer.wav" "$text" || echo "M$nummer.wav nicht erzeugt" >&2
done <<'ENDE'
1|Sie müssen erst die Grundeinstellung für ein Kfz eingeben!
2|Wollen Sie alle Daten dieses Fahrzeugs löschen?
3|Es wird jetzt eine Datei für die Grundeinstellung der Kfz erstellt!
4|Es wird jetzt eine Datei für Ihr Kilometrika erstellt!
5|Es wird jetzt ein neuer Datensatz an das Ende der Kilometrikadatei angehängt! Sind alle Eintragungen richtig?
6|Der aktuelle Datensatz wird jetzt mit den neuen Eintragungen überschrieben! Sind alle Eintragungen richtig?
10|Leider haben Sie vergessen, das Kfz - Kennzeichen einzugeben! So kann ich das leider nicht speichern
11|Ohne Angabe des Kilometerstandes, kann ich leider die Eingabe des Kfz's nicht speichern!
12|Den Standort des Fahrzeugs müssen Sie schon eintragen, sonst kann ich die Eingabe nicht speichern!
13|Sie müssen noch den Fahrzeughalter eingeben!
14|Diese Eintragung kann leider nicht mehr geändert werden!
20|Diese Zeiteintragung kann nicht stimmen, tragen Sie bitte eine korrekte Zeit ein!
21|Dieses Datum ist kleiner als die letzte Eintragung, tragen Sie bitte ein korrektes Datum ein!
22|Die Zeit dieser Fahrt wird dem Tag der über- wiegenden Abwesenheit zugerechnet, wenn Sie nicht übernachtet haben. Haben Sie übernachtet , klicken Sie bitte auf die >Nein< Taste!
23|Die Abfahrtszeit kann nicht später sein, als die Ankunftszeit. Tragen Sie bitte eine korrekte Zeit ein!
24|Die Abfahrtszeit ist früher als die letzte Ankunftzeit an diesem Tag. Tragen Sie bitte eine korrekte Zeit ein!
25|Sie sind später losgefahren, als Sie angekommen sind, tragen Sie bitte eine korrekte Ankunftszeit ein!
30|Wollen Sie den Datensatz wirklich löschen?
31|Es werden alle folgenden Datensätze bis zum Ende der Datei gelöscht. Wollen Sie den Datensatz wirklich überschreiben und den Rest löschen?
32|Wenn Sie jetzt auf den OK - Button klicken, werden die gesamten Eintragungen des aktuellen Fahrzeugs gelöscht. Wollen Sie das wirklich?
33|Sie haben keinen Abfahrtsort eingetragen! So kann der Datensatz nicht gespeichert werden.
34|Sie haben vergessen, das Eingabefeld >Wegstrecke - über< auszufüllen! So kann der Datensatz nicht gespeichert werden.
35|Sie haben das Eingabefeld >Nach< nicht ausgefüllt! So kann der Datensatz nicht gespeichert werden.
36|Sie haben keinen Grund für Ihre Fahrt angegeben! So kann der Datensatz nicht gespeichert werden.
37|Sie haben keinen Gesprächspartner eingetragen! So kann der Datensatz nicht gespeichert werden.
38|Der Km-Stand zwischen Abfahrt und Ankunft ist gleich, Sie haben vergessen die gefahrenen Kilometer einzutragen. So kann der Datensatz nicht gespeichert werden.
39|Handelt es sich um ein Firmenfahrzeug oder ein Privatfahrzeug!
40|Wollen Sie wirklich die Sicherheitskopie wieder herstellen? Es wird die aktuell bestehende Datei, mit der Sicherheitskopie überschrieben.
41|Wollen Sie wirklich die ausgewählten Sicherheitskopien löschen?
42|Möchten Sie eine Sicherheitskopie erstellen?
50|Wollen Sie den bestehenden Datensatz wirklich überschreiben?
51|Der bestehende Datensatz wird als storniert gekennzeichnet und es wird ein neuer Datensatz mit den vorgenommenen Änderungen eingefügt.
52|Die gefahrenen Kilometer wurden geändert! Die Kilometerstände der nächsten Datensätze sind somit nicht mehr korrekt. Wollen Sie wirklich den Datensatz überschreiben?
53|Die Zeitangaben wurden geändert! Die Korrektheit der nächsten Datensätze kann nicht überprüft werden. Wollen Sie wirklich den Datensatz überschreiben?
54|Sie haben vergessen die gefahrenen Kilometer einzutragen!
55|Es sind keine Fahrtenspeichereintragungen vorhanden, die geändert werden könnten!
56|Sie haben das Eingabefeld - Von / Abfahrtsort - vergessen auszufüllen!
57|Sie haben das Eingabefeld - Über / Wegstrecke - vergessen auszufüllen!
58|Sie haben das Eingabefeld - Nach / Ankunfsort - vergessen auszufüllen!
59|Sie haben das Eingabefeld - Gesprächspartner - vergessen auszufüllen!
60|Sie haben das Eingabefeld - Grund der Fahrt - vergessen auszufüllen!
61|Sie haben das Eingabefeld - Abfahrtsdatum - vergessen auszufüllen!
62|Sie haben das Eingabefeld - Ankunftsdatum - vergessen auszufüllen!
63|Sie haben im Auswahlfeld - Fahrtvoreinstellung - vergessen die Fahrtart auszuwählen!
64|Sie brauchen jetzt nur noch die Abfahrts- und Ankunftszeit aktualisieren!
65|Sie haben vergessen einen neuen Datensatz zu wählen!
66|Es wurde nichts an dem Datensatz geändert! Die Eintragungen sind alle unverändert.
67|Die Abfahrtszeit der aktuellen Fahrt ist kleiner als die Ankunftszeit der zurückliegenden Fahrt am gleichen Kalendertag!
68|Die Abfahrtszeit der aktuellen Fahrt ist größer als die Ankunftszeit!
69|Das Eingabedatum kann nicht richtig sein. Sie können ein Fahrzeug nur für ein Jahr führen, fangen Sie ein neues Fahrzeug an.
70|Das Eingabedatum kann nicht richtig sein!
71|Die letzte Fahrt liegt mehr als 5 Tage zurück. Keine Eintragung vergessen?Wollen Sie trotzdem speichern?
72|Die gefahrenen Kilometer sind zu hoch für diesen Zeitraum!
73|Sie können ein PKW nur für ein laufendes Jahr führen. Für ein weiteres Jahr muß ein neuer PKW angelegt werden.
76|Die Eintragung wurde bereits geändert, eine erneute Änderung ist leider nicht möglich!
77|Ihnen stehen 12 € Reisekosten zu aber in den Grundeinstellungen sind die Reisekosten - Pauschalberechnungen ausgeschaltet.
78|In dem ausgewählten Verzeichnis befindet sich keine Sicherheitskopie!
79|Sie müssen erst eine oder mehrere Dateien selektieren!
81|Sie haben mehr als eine Datei ausgewählt!Wählen Sie die gewünschte Sicherheitskopie aus und wiederholen Sie den Funktionsaufruf.
84|Diese Funktion kann erst ab der zweiten Eintragung genutzt werden!
85|Sie müssen erst eine Sicherheitskopie auswählen!
86|Die Eintragung existiert bereits!
87|Sie müssen erst eine Fahrt eingetragen haben, damit sie in der Kundenliste aufgenommen werden kann.
88|Sie müssen mindestens zwei Fahrten eingetragen haben, um einen Ausdruck zu erhalten!
89|Fehler beim Löschen! Verzeichnis muss leer sein.
90|Die Jahreszahl kann nicht bearbeitet werden!
91|Sie müssen den aktuellen Km - Stand oben eintragen!
92|Sie müssen erst einige Eintragungen vornehmen!
93|Die Abfahrtszeit ist nicht korrekt! Verwenden Sie dieses Format "00:00".
94|Die Ankunftszeit ist nicht korrekt! Verwenden Sie dieses Format "00:00".
95|Ein nachträglicher Wechsel des bereits bestehenden Kfz ist nur möglich, wenn alle bestehenden Eintragungen des Kfz gelöscht werden!
96|Der Km-Stand Ankunft darf nicht kleiner sein als bei der Abfahrt!
ENDE
