#include "app/mainwindow/tastentabelle.h"

#include "app/backup/wiederherstellen.h"

namespace kmk {

namespace {

void run(const std::function<void()>& f)
{
    if (f)
        f();
}

} // namespace

void Form_KeyDown(const Tastenbefehle& b, int& keyCode, int shift, Qt::KeyboardModifiers raw)
{
    if (const int k = Wiederherstellungstaste(keyCode, shift, raw); k && b.Wiederherstellen)
        b.Wiederherstellen(k);

    // F1..F12: the key is withheld from the field before the command runs,
    // so a command that moves the focus does not pass the key on.
    const auto fkey = [&](int code, const std::function<void()>& f) {
        if (keyCode != code)
            return;
        keyCode = 0;
        run(f);
    };
    fkey(112, b.Hilfe);
    fkey(113, b.ALoeschen);
    fkey(114, [&] { run(b.Kundeloschen); run(b.AListe); });
    fkey(115, b.Datensatzeins);
    fkey(116, b.Datensatzzurueck);
    fkey(117, b.Datensatzvor);
    fkey(118, b.LetzterDatensatz);
    fkey(119, b.ASpeichern);
    fkey(120, b.NeuEintrag);
    fkey(121, b.Kundeubergeben);
    fkey(122, [&] { if (b.KundeDat) b.KundeDat(true); run(b.AListe); });
    fkey(123, b.Rueckfahrt);
    if (keyCode == 19)
        run(b.Pause);
    if (keyCode == 35)
        run(b.Ende);
}

} // namespace kmk
