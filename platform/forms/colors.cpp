#include "platform/forms/colors.h"

#include <QApplication>
#include <QPalette>

namespace forms {

namespace {

QColor systemColour(int index)
{
    const QPalette pal = QApplication::palette();
    switch (index) {
    case 1: return pal.color(QPalette::Window);           // desktop
    case 2:                                               // active title
    case 13: return pal.color(QPalette::Highlight);       // highlight
    case 5: return pal.color(QPalette::Base);             // window background
    case 6: return pal.color(QPalette::Shadow);           // window frame
    case 8: return pal.color(QPalette::Text);             // window text
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);          // button face
    case 16: return pal.color(QPalette::Dark);            // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 20: return pal.color(QPalette::Light);           // button highlight
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

QColor bgr(qint64 value)
{
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u)
        return systemColour(static_cast<int>(v & 0xFFu));
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint64 toBgr(const QColor& c)
{
    return qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16);
}

} // namespace forms
