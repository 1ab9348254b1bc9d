#include "app/mainwindow/mw_glue.h"

#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/hilfezeilen.h"
#include "app/mainwindow/meldungen.h"

namespace kmk::mw {

std::function<bool(int)>& meldungsanzeige()
{
    static std::function<bool(int)> f;
    return f;
}

std::function<void(Form1*)>& hilfezeilen()
{
    static std::function<void(Form1*)> f;
    return f;
}

bool MeldungAnzeigen(int n)
{
    if (auto& f = meldungsanzeige())
        return f(n);
    return kmk::MeldungAnzeigen(n);
}

void attachHelp(Form1* form)
{
    if (auto& f = hilfezeilen()) {
        f(form);
        return;
    }
    auto* hz = new Hilfezeilen(hilfstexte(), form);
    hz->attachTable(form, [] { fahrten1().FolgepruefungAus = true; });
}

} // namespace kmk::mw
