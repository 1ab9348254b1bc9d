// Keyboard shortcuts, the title page's help and training buttons, and the
// floating help window's buttons of the main window.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/ftext.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/mw_glue.h"
#include "platform/forms/keys.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"

#include <QFileInfo>
#include <QMessageBox>

namespace kmk {

void Form1::connectCommands()
{
    tasten.Hilfe = [] { HTMLHelp_ShowTopic(mw::Programmpfad(), QStringLiteral("Inhaltsverzeichnis.htm")); };
    tasten.Pause = [this] { Pause_Taste(); };
    forms::setKeyPreview(this, {.keyDown = [this](int& k, int s) { Form_KeyDown(k, s); }, .keyPress = {}, .keyUp = {}});

    // The trash button repeats F2.
    if (auto* b = ctl<forms::MouseUpButton>("DateiLoschen"))
        connect(b, &forms::MouseUpButton::mouseUp, this, [this] { run(tasten.ALoeschen); });
    connect(Command16, &QPushButton::clicked, this, [this] { Command16_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    auto hilfefenster = [this] {
        if (!FText)
            FText = neuesHilfefenster(this);
        FText->show();
        FText->raise();
    };
    for (const char* b : {"CBTextfensterTitel", "CBTextfensterGr", "CBTextfensterEin", "CBTextfensterAus", "CBTextfensterDru"})
        if (auto* w = ctl<QAbstractButton>(QString::fromLatin1(b)))
            connect(w, &QAbstractButton::clicked, this, hilfefenster);
}

void Form1::Form_KeyDown(int& keyCode, int shift)
{
    kmk::Form_KeyDown(tasten, keyCode, shift, forms::currentKeyModifiers());
}

void Form1::Pause_Taste()
{
    mw::NeuberechnungStart() = false;
    mw::plainMessage(QStringLiteral("Die Reisekostenpauschale werden aktualisiert"));
    // A file left as it was keeps the run undone.
    if (services.aktualisieren && !services.aktualisieren())
        return;
    mw::VS().PauschalenAktualisiert = WAHR;
    mw::VorDatSpeichern();
}

void Form1::Command16_Click()
{
    HTMLHelp_ShowTopic(mw::Programmpfad(), QString());
    forms::postKeys(QStringLiteral("{F1}"));
}

void Form1::Command4_Click()
{
    // Installed when the program folder holds an executable of that name.
    QString prog;
    for (const char* name : {"Schulung.exe", "Schulung"}) {
        prog = io::findFileCaseInsensitive(mw::Programmpfad(), QString::fromLatin1(name));
        if (!prog.isEmpty() && QFileInfo(prog).isFile() && QFileInfo(prog).isExecutable())
            break;
        prog.clear();
    }
    if (prog.isEmpty() || !forms::services().processes->start(prog))
        mw::plainMessage(QStringLiteral("Das Schulungsprogramm ist nicht installiert."));
}

} // namespace kmk
