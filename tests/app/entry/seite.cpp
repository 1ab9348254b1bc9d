#include "seite.h"

#include "app/entry/felder.h"

QString kmktest::Seite::text(const QString& name) const
{
    return kmk::felder::lesen(s, name);
}
