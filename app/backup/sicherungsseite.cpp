#include "app/backup/sicherungsseite.h"

#include "platform/forms/dirlist.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

#include <QLabel>

namespace kmk {

namespace {

void melden(const Sicherungsseite& s, const QString& t)
{
    if (s.meldung)
        s.meldung(t);
}

bool frage(const Sicherungsseite& s, int n)
{
    return s.MeldungAnzeigen ? s.MeldungAnzeigen(n) : false;
}

void speichern(const Sicherungsseite& s)
{
    if (s.VorDatSpeichern)
        s.VorDatSpeichern();
}

QString TextOrdnerPasstNicht()
{
    return QStringLiteral("Dieser Ordner kann nicht als Sicherungsordner gespeichert werden: "
                          "sein Pfad ist zu lang oder enthält Zeichen, die nicht gespeichert werden können.");
}

} // namespace

bool Ordnername(const QString& name)
{
    const QString n = vb::Trim(name);
    return !n.isEmpty() && n != QLatin1String(".") && n != QLatin1String("..") && !n.contains(QLatin1Char('/'))
           && !n.contains(QLatin1Char('\\')) && !n.contains(QChar(0));
}

bool SchuetztOrdner(const QString& ordner, const QString& schutz)
{
    if (vb::Trim(schutz).isEmpty())
        return false;
    const QString o = io::realLocation(ordner);
    const QString g = io::realLocation(vb::Trim(schutz));
    return g == o || o == QLatin1String("/") || g.startsWith(o + QLatin1Char('/'));
}

void Dir1_Change(Sicherungsseite& s)
{
    const QString pfad = s.Dir1->Path();
    if (s.LSPfad)
        s.LSPfad->setText(pfad);
    if (VoreinstellungSatz::ordnerPasst(ordnerMitTrenner(pfad)))
        s.st.Voreinstellung.Sicherungsordner = ordnerMitTrenner(pfad);
    if (s.Drive1)
        s.Drive1->setDrive(pfad);
}

void Drive1_Change(Sicherungsseite& s)
{
    const QString bisher = s.Dir1->Path();
    try {
        s.Dir1->setPath(s.Drive1->Drive());
    } catch (const vb::RuntimeError&) {
        // Not ready: the list stays where it was, and so does the drive.
        s.Drive1->setDrive(bisher);
    }
}

void CSicherSpeicher_Click(Sicherungsseite& s)
{
    const QString ordner = ordnerMitTrenner(vb::Trim(s.LSPfad ? s.LSPfad->text() : s.Dir1->Path()));
    if (!VoreinstellungSatz::ordnerPasst(ordner)) {
        melden(s, TextOrdnerPasstNicht());
        return;
    }
    s.st.Sicherungspfad = ordner;
    s.st.Voreinstellung.Sicherungsordner = ordner;
    speichern(s);
}

void VerErstellen_Click(Sicherungsseite& s)
{
    const QString ordner = vb::Trim(s.Dir1->selectedFolder());
    bool ok = false;
    const QString antwort = forms::services().dialogs->inputBox(
        QStringLiteral("Bitte geben Sie den neuen Verzeichnisnamen ein!"), QStringLiteral("Verzeichnis erstellen"),
        QStringLiteral("0"), &ok);
    if (antwort.isEmpty())
        return;
    if (!Ordnername(antwort)) {
        melden(s, QStringLiteral("Bitte geben Sie nur einen Verzeichnisnamen ohne \"/\", \"\\\" und \"..\" ein."));
        return;
    }
    const QString neu = ordnerMitTrenner(ordner) + vb::Trim(antwort);
    if (!VoreinstellungSatz::ordnerPasst(ordnerMitTrenner(neu))) {
        melden(s, TextOrdnerPasstNicht());
        return;
    }
    io::createFolder(neu);
    if (!io::DirExists(neu))
        return;
    s.st.Sicherungspfad = ordnerMitTrenner(neu);
    s.st.Voreinstellung.Sicherungsordner = s.st.Sicherungspfad;
    speichern(s);
    s.Dir1->Refresh();
}

void Verloeschen_Click(Sicherungsseite& s)
{
    const QString ausgewaehlt = vb::Trim(s.Dir1->selectedFolder());
    const QString liste = vb::Trim(s.Dir1->Path());
    if (ausgewaehlt.isEmpty() || liste.isEmpty()) {
        s.Dir1->Refresh();
        return;
    }
    if (ausgewaehlt.size() <= liste.size()) {
        frage(s, 120);
        return;
    }
    const QString name = ausgewaehlt.mid(liste.endsWith('/') ? liste.size() : liste.size() + 1);
    const QString t = ausgewaehlt + QLatin1Char('/');
    if (SchuetztOrdner(ausgewaehlt, s.st.Programmpfad)) {
        melden(s, QStringLiteral("Sie können nicht das Kilometrikaverzeichnis löschen!"));
        s.Dir1->Refresh();
        return;
    }
    if (SchuetztOrdner(ausgewaehlt, s.st.Sicherungspfad)) {
        melden(s, QStringLiteral("Löschverzeichnis ist gleich Sicherheitsverzeichnis. "
                                 "Sie können nicht das ganze Sicherheitsverzeichnis löschen"));
        s.Dir1->Refresh();
        return;
    }
    if (!t.contains(QLatin1String("Sicherheit"))) {
        melden(s, QString());
        s.Dir1->Refresh();
        return;
    }
    s.st.Sicherungsname = name;
    bool ja = false;
    if (name.startsWith(QLatin1String("Au1-"))) {
        if (t.size() > vb::Trim(s.st.Sicherungspfad).size())
            ja = frage(s, 117);
    } else {
        ja = frage(s, 121);
    }
    if (ja) {
        // A link in the list goes as a link, never its target's contents.
        const bool geloescht = io::deleteTree(ausgewaehlt);
        frage(s, geloescht ? 118 : 119);
    }
    s.Dir1->Refresh();
}

} // namespace kmk
