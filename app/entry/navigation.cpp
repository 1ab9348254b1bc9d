#include "app/entry/navigation.h"

#include "app/entry/anzeige.h"
#include "app/entry/laden.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"

#include <QApplication>

namespace kmk {

namespace {

bool dateiDa(const Eintragsseite& s)
{
    const QString pfad = s.st.fahrtdateiPfad();
    return !pfad.isEmpty() && io::FileExists(pfad);
}

void grenze(const QString& text)
{
    QApplication::beep();
    forms::services().dialogs->msgBox(text, forms::vbOKOnly | forms::vbExclamation);
}

void laden(Eintragsseite& s, qint32 nummer, bool sperrtestVorher)
{
    s.st.Satznummer = nummer;
    s.st.Pufferindex = 3;
    s.st.NeuerEintragOffen = false;
    if (sperrtestVorher)
        SperrTest(s);
    FLaden(s);
}

} // namespace

void Datensatzeins(Eintragsseite& s)
{
    if (!dateiDa(s)) {
        s.st.Satznummer = 0;
        return;
    }
    laden(s, 1, true);
}

void Datensatzzurueck(Eintragsseite& s)
{
    if (!dateiDa(s)) {
        s.st.Satznummer = 0;
        return;
    }
    if (s.st.Satznummer <= 1) {
        grenze(QStringLiteral("Dateianfang !"));
        return;
    }
    laden(s, s.st.Satznummer - 1, false);
}

void Datensatzvor(Eintragsseite& s)
{
    if (!dateiDa(s)) {
        s.st.Satznummer = 0;
        return;
    }
    if (s.st.Satznummer >= s.st.Satzanzahl) {
        grenze(QStringLiteral("Dateiende !"));
        return;
    }
    laden(s, s.st.Satznummer + 1, true);
}

void LetzterDatensatz(Eintragsseite& s)
{
    if (!dateiDa(s)) {
        s.st.Satznummer = 0;
        return;
    }
    laden(s, s.st.Satzanzahl, true);
}

} // namespace kmk
