#include "app/entry/tasten.h"

#include "platform/forms/keys.h"
#include "platform/vb/text.h"

#include <QRegularExpression>

#include <algorithm>

namespace kmk {

void SendKeysEx(const QString& keys)
{
    forms::postKeys(keys);
}

int PruefeZeichen(int zeichen, const QString& text)
{
    if (zeichen == 8)
        return zeichen;
    QString erlaubt = QStringLiteral("0123456789");
    if (!text.isEmpty())
        erlaubt = QStringLiteral(",0123456789");
    if (text.contains(QLatin1Char(',')))
        erlaubt = QStringLiteral("0123456789");
    if (zeichen <= 0 || zeichen > 255)
        return 0;
    return erlaubt.contains(QChar(zeichen)) ? zeichen : 0;
}

bool BetragLesen(const QString& text, double& wert)
{
    QString t = vb::Trim(text);
    if (t.endsWith(QStringLiteral("€")))
        t = vb::Trim(t.chopped(1));
    t.replace(QLatin1Char('.'), QString());
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression zahl(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!zahl.match(t).hasMatch())
        return false;
    wert = vb::Val(t);
    return true;
}

QString CheckCurrency(const QString& text, const QString& einheit)
{
    double wert = 0;
    if (vb::Trim(text).isEmpty() || !BetragLesen(text, wert))
        return text;
    QString zahl;
    try {
        zahl = vb::Currency::fromDouble(wert).toGerman(true);
    } catch (const std::exception&) {
        return text;   // beyond the currency range: no amount
    }
    if (einheit == QLatin1String("System"))
        return zahl + QStringLiteral(" €");
    return zahl + QLatin1Char(' ') + vb::RTrim(einheit);
}

void nurErlaubt(int& zeichen, std::initializer_list<int> erlaubt)
{
    if (std::find(erlaubt.begin(), erlaubt.end(), zeichen) == erlaubt.end())
        zeichen = 0;
}

void nurZiffernUnd(int& zeichen, std::initializer_list<int> auch)
{
    if (zeichen >= 48 && zeichen <= 57)
        return;
    nurErlaubt(zeichen, auch);
}

void enterWeiter(int& zeichen)
{
    if (zeichen == 13) {
        zeichen = 0;
        SendKeysEx(QStringLiteral("{TAB}"));
    }
}

} // namespace kmk
