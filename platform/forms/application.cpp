#include "platform/forms/application.h"

#include "platform/forms/seams.h"
#include "platform/vb/error.h"

namespace forms {

namespace {

QString fehlertext(const QString& was)
{
    return QStringLiteral("Bei diesem Schritt ist ein Fehler aufgetreten (%1). Der Schritt wurde abgebrochen, "
                          "das Programm läuft weiter.").arg(was);
}

QString untrappedErrorText(const std::exception& e)
{
    QString was = QStringLiteral("interner Fehler");
    if (const auto* r = dynamic_cast<const vb::RuntimeError*>(&e))
        was = r->number == vb::ErrOverflow ? QStringLiteral("Überlauf") : QStringLiteral("Laufzeitfehler %1").arg(r->number);
    return fehlertext(was);
}

} // namespace

bool deliverTrapped(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const std::exception& e) {
        services().dialogs->msgBox(untrappedErrorText(e), vbOKOnly);
    } catch (...) {
        services().dialogs->msgBox(fehlertext(QStringLiteral("interner Fehler")), vbOKOnly);
    }
    return false;
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    return deliverTrapped([&] { return QApplication::notify(receiver, event); });
}

} // namespace forms
