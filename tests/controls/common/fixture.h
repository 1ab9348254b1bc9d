#pragma once
// Registers the built control libraries into a private registry for the
// whole test binary, and lets modal dialogs run without blocking. Shared by
// the tests of both control libraries.

#include "platform/com/controlhost.h"
#include "platform/com/registry.h"
#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFont>
#include <QLibrary>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace testenv {

inline QString binDir()
{
    const QString dir = qEnvironmentVariable("KMK_BIN_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../bin") : dir;
}

inline QString library(const char* name) { return binDir() + QStringLiteral("/lib%1.so").arg(QLatin1String(name)); }

inline com::HRESULT callEntry(const QString& path, const char* entry)
{
    QLibrary lib(path);
    if (!lib.load())
        return com::CO_E_DLLNOTFOUND;
    auto fn = reinterpret_cast<com::DllRegisterServerFn>(lib.resolve(entry));
    return fn ? fn() : com::CO_E_ERRORINDLL;
}

// Every dialog a control shows lands here instead of blocking.
inline std::function<int(QDialog*)>& dialogHandler()
{
    static std::function<int(QDialog*)> handler;
    return handler;
}

class Environment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("KILOMETRIKA_REGISTRY", dir_.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
        ASSERT_EQ(callEntry(library("QKCAL32"), "DllRegisterServer"), com::S_OK);
        ASSERT_EQ(callEntry(library("QKSPIN32"), "DllRegisterServer"), com::S_OK);
        com::ControlHost::setDialogRunner([](QDialog* d) { return dialogHandler() ? dialogHandler()(d) : 0; });
    }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// The run-time error number a call raised, 0 when it went through.
inline int refusal(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::RuntimeError& e) {
        return e.number;
    }
    return 0;
}

// The stock Font (dispatch id -512) carries name, size and the four styles
// of the font the control's own font properties show, both ways.
inline void checkStockFont(com::ControlHost& c)
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSizeF(13.5);
    f.setBold(true);
    f.setUnderline(true);
    c.setProperty(com::dispid::Font, QVariant::fromValue(f));
    EXPECT_EQ(c.property("FontName").toString(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(c.property("FontSize").toDouble(), 13.5);
    EXPECT_EQ(c.property("FontBold").toInt(), -1);
    EXPECT_EQ(c.property("FontItalic").toInt(), 0);
    EXPECT_EQ(c.property("FontUnderline").toInt(), -1);
    EXPECT_EQ(c.property("FontStrikethru").toInt(), 0);
    EXPECT_EQ(c.controlWidget()->font().family(), QStringLiteral("Courier New"));

    c.setProperty("FontName", QStringLiteral("Arial"));
    c.setProperty("FontItalic", -1);
    c.setProperty("FontBold", 0);
    const QFont back = c.property(com::dispid::Font).value<QFont>();
    EXPECT_EQ(back.family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(back.pointSizeF(), 13.5);
    EXPECT_TRUE(back.italic());
    EXPECT_FALSE(back.bold());
    EXPECT_TRUE(back.underline());
    EXPECT_NE(refusal([&] { c.setProperty(com::dispid::Font, QStringLiteral("Arial")); }), 0);
    EXPECT_EQ(c.property("FontName").toString(), QStringLiteral("Arial"));
}

// The picture a host asks of a control: at the control's own size exactly
// what its window shows; at any other size the size asked for, and drawn.
inline void checkPicture(com::ControlHost& c)
{
    QWidget* w = c.controlWidget();
    const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(c.picture(w->size()).image.convertToFormat(QImage::Format_RGB32), shown);
    for (const QSize target : {w->size() * 2, QSize(w->width() * 3, w->height() / 2)}) {
        const com::Picture p = c.picture(target);
        EXPECT_EQ(p.type, com::PicMetafile);
        EXPECT_EQ(p.image.size(), target);
        QSet<QRgb> colours;
        for (int y = 0; y < p.image.height(); ++y)
            for (int x = 0; x < p.image.width(); ++x)
                colours.insert(p.image.pixel(x, y));
        EXPECT_GE(colours.size(), 3) << target.width() << "x" << target.height();
    }
    EXPECT_NE(refusal([&] { c.picture(QSize(0, 10)); }), 0);
}

// Shows a control's property page through `show` and runs `onPage` on it
// (other dialogs are dismissed); false when no page came up.
inline bool withPropertyPage(const std::function<void()>& show, const std::function<void(QDialog*)>& onPage)
{
    bool seen = false;
    dialogHandler() = [&](QDialog* d) {
        if (d->objectName() == QLatin1String("PropertyPage")) {
            seen = true;
            onPage(d);
        }
        return int(QDialog::Rejected);
    };
    show();
    dialogHandler() = nullptr;
    return seen;
}

inline QByteArray fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The keys of one section of a profile file, in file order.
inline QStringList sectionKeys(const QString& path, const QString& section)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList keys;
    bool inside = false;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inside = line.compare(QLatin1Char('[') + section + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
        else if (inside && line.contains(QLatin1Char('=')))
            keys << line.section(QLatin1Char('='), 0, 0);
    }
    return keys;
}

// The names of a class's members or events, in table order.
template <class Rows>
QStringList namesOf(const Rows& rows)
{
    QStringList out;
    for (const auto& r : rows)
        out << r.name;
    return out;
}

// The mouse pointer enumeration both libraries describe: 0..14 and 99, then
// the hidden twins 0..15.
inline void expectMousePointerEnum(const com::ClassInfo& info)
{
    const com::EnumInfo* mp = info.enumeration(QStringLiteral("enumMP"));
    ASSERT_NE(mp, nullptr);
    ASSERT_EQ(mp->constants.size(), 32u);
    EXPECT_EQ(mp->constants[3].name, QStringLiteral("QK_IBEAM"));
    EXPECT_EQ(mp->constants[3].doc, QStringLiteral("I-Beam"));
    EXPECT_EQ(mp->constants[15].name, QStringLiteral("QK_CUSTOM"));
    EXPECT_EQ(mp->constants[15].value, 99);
    EXPECT_FALSE(mp->constants[15].hidden);
    EXPECT_EQ(mp->constants[30].name, QStringLiteral("_MP_SIZEALL"));
    EXPECT_EQ(mp->constants[30].value, 14);
    EXPECT_TRUE(mp->constants[30].hidden);
    EXPECT_EQ(mp->constants[31].name, QStringLiteral("_MP_CUSTOM"));
    EXPECT_EQ(mp->constants[31].value, 15);
}

inline Environment* const env =
    static_cast<Environment*>(::testing::AddGlobalTestEnvironment(new Environment));

} // namespace testenv
