// The backup frame of the settings page: its handlers, its popup menu.
#include "app/mainwindow/form1.h"

#include "app/backup/sicherung.h"
#include "app/backup/sicherungsseite.h"
#include "app/mainwindow/mw_glue.h"
#include "platform/forms/dirlist.h"

namespace kmk {

namespace {

Sicherungsseite seite(Form1& f)
{
    return Sicherungsseite{mw::G(), f.Dir1, f.Drive1, f.LSPfad,
                           [](int n) { return mw::MeldungAnzeigen(n); },
                           [](const QString& t) { mw::plainMessage(t); },
                           [] { return mw::VorDatSpeichern(); }};
}

} // namespace

void Form1::Dir1_Change()
{
    Sicherungsseite s = seite(*this);
    kmk::Dir1_Change(s);
}

void Form1::CSicherSpeicher_Click()
{
    Sicherungsseite s = seite(*this);
    kmk::CSicherSpeicher_Click(s);
}

void Form1::VerErstellen_Click()
{
    Sicherungsseite s = seite(*this);
    kmk::VerErstellen_Click(s);
}

void Form1::Verloeschen_Click()
{
    Sicherungsseite s = seite(*this);
    kmk::Verloeschen_Click(s);
}

void Form1::SichErstellen_Click()
{
    run(services.SicherheitscopyNeu);
    Dir1->Refresh();
}

void Form1::Drive1_Change()
{
    Sicherungsseite s = seite(*this);
    kmk::Drive1_Change(s);
}

} // namespace kmk
