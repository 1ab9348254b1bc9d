#include "controls/common/members.h"

namespace ctl {

com::MemberInfo property(com::DispId id, const char* name, com::VarType type, const char* pageName)
{
    com::MemberInfo m;
    m.id = id;
    m.name = QString::fromLatin1(name);
    m.type = type;
    if (*pageName)
        m.pageName = QString::fromLatin1(pageName);
    return m;
}

void checkMousePointer(qint16 v)
{
    if (!isMousePointer(v))
        com::throwInvalidValue(QStringLiteral("MousePointer must be from 0 to 14, or 99."));
}

std::vector<com::EnumConstant> mousePointerConstants()
{
    const char* names[] = {"QK_DEFAULT", "QK_ARROW", "QK_CROSS", "QK_IBEAM", "QK_ICON", "QK_SIZE",
                           "QK_SIZENESW", "QK_SIZENS", "QK_SIZENWSE", "QK_SIZEEW", "QK_UPARROW",
                           "QK_HOURGLASS", "QK_NODROP", "QK_APPSTARTING", "QK_SIZEALL"};
    const char* docs[] = {"Default", "Arrow", "Cross", "I-Beam", "Icon", "Size", "Size NE SW", "Size N S",
                          "Size NW SE", "Size W E", "Up Arrow", "Hourglass", "No Drop", "Arrow and Hourglass",
                          "Size All"};
    std::vector<com::EnumConstant> out;
    for (int i = 0; i < 15; ++i)
        out.push_back({QString::fromLatin1(names[i]), i, QString::fromLatin1(docs[i]), false});
    out.push_back({QStringLiteral("QK_CUSTOM"), 99, QStringLiteral("Custom"), false});
    for (int i = 0; i < 15; ++i)
        out.push_back({QStringLiteral("_MP_") + QString::fromLatin1(names[i]).mid(3), i, QString::fromLatin1(docs[i]), true});
    out.push_back({QStringLiteral("_MP_CUSTOM"), 15, QStringLiteral("Custom"), true});
    return out;
}

} // namespace ctl
