#include "platform/com/controlhost.h"
#include "platform/com/dispatch.h"
#include "platform/com/formcontrols.h"
#include "platform/com/guid.h"
#include "platform/com/profile.h"
#include "platform/com/propertybag.h"
#include "platform/com/registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace com;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(Guid, ParsesAndPrintsRegistrySpelling)
{
    const auto g = Guid::parse(QStringLiteral("{d13d4737-89f3-101b-9306-0020af234c9d}"));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->data1, 0xD13D4737u);
    EXPECT_EQ(g->data2, 0x89F3);
    EXPECT_EQ(g->data3, 0x101B);
    EXPECT_EQ(g->data4[0], 0x93);
    EXPECT_EQ(g->data4[7], 0x9D);
    EXPECT_EQ(g->toString(), QStringLiteral("{D13D4737-89F3-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(Guid::parse(QStringLiteral("D13D4737-89F3-101B-9306-0020AF234C9D")), g);
    for (const char* bad : {"", "{D13D4737-89F3-101B-9306-0020AF234C9}", "{D13D4737X89F3-101B-9306-0020AF234C9D}",
                            "{G13D4737-89F3-101B-9306-0020AF234C9D}"})
        EXPECT_FALSE(Guid::parse(QString::fromLatin1(bad))) << bad;
}

TEST(ResultCodes, MapToRuntimeErrorNumbers)
{
    EXPECT_EQ(static_cast<quint32>(CTL_E_INVALIDPROPERTYVALUE), 0x800A017Cu);
    EXPECT_EQ(static_cast<quint32>(CTL_E_INVALIDPICTURE), 0x800A01E1u);
    EXPECT_EQ(errorNumberOf(CTL_E_INVALIDPROPERTYVALUE), 380);
    EXPECT_EQ(errorNumberOf(CTL_E_INVALIDPICTURE), 481);
    EXPECT_EQ(errorNumberOf(DISP_E_MEMBERNOTFOUND), 438);
    EXPECT_EQ(errorNumberOf(REGDB_E_CLASSNOTREG), 429);
    const ComError e(CTL_E_INVALIDPROPERTYVALUE, QStringLiteral("bad"));
    const vb::RuntimeError& base = e;
    EXPECT_EQ(base.number, 380);
    EXPECT_EQ(e.description, QStringLiteral("bad"));
}

TEST(PrivateProfile, ReadsLikeThePlatformProfileFunctions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RU4DUD.INI"));
    writeBytes(path, "; comment\r\n[QKCalendar Settings]\r\nDayTitles = S M D M D F S \r\nMaxDate=-2147483643\r\n"
                     "Quoted=\"  x  \"\r\nNumber=12abc\r\nk=\"\"\r\n\r\n[Other]\nKey=1\n");
    PrivateProfile p(path);
    EXPECT_EQ(p.readString(QStringLiteral("qkcalendar settings"), QStringLiteral("daytitles"), QString()),
              QStringLiteral("S M D M D F S"));
    EXPECT_EQ(p.readString(QStringLiteral("QKCalendar Settings"), QStringLiteral("Quoted"), QString()), QStringLiteral("  x  "));
    EXPECT_EQ(p.readString(QStringLiteral("QKCalendar Settings"), QStringLiteral("k"), QStringLiteral("d")), QString());
    EXPECT_EQ(p.readInt(QStringLiteral("QKCalendar Settings"), QStringLiteral("MaxDate"), 0), -2147483643);
    EXPECT_EQ(p.readInt(QStringLiteral("QKCalendar Settings"), QStringLiteral("Number"), 0), 12);
    EXPECT_EQ(p.readInt(QStringLiteral("QKCalendar Settings"), QStringLiteral("Missing"), 77), 77);
    EXPECT_EQ(p.readInt(QStringLiteral("Nowhere"), QStringLiteral("Key"), -5), -5);
    EXPECT_EQ(p.keys(QStringLiteral("Other")), QStringList{QStringLiteral("Key")});
    EXPECT_EQ(p.sections(), (QStringList{QStringLiteral("QKCalendar Settings"), QStringLiteral("Other")}));

    // Reading a missing file neither fails nor creates it.
    PrivateProfile missing(dir.filePath(QStringLiteral("none.ini")));
    EXPECT_EQ(missing.readString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(QFile::exists(missing.path()));
}

// The number is taken modulo 2^32 with its sign; the most negative one
// must come out without an overflow (the sanitizer build sees one).
TEST(PrivateProfile, ANumberIsTakenModulo2Pow32WithItsSign)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RU4DUD.INI"));
    const struct { const char* text; int wert; } faelle[] = {
        {"-2147483648", -2147483647 - 1}, {"2147483647", 2147483647}, {"2147483648", -2147483647 - 1},
        {"-2147483649", 2147483647}, {"4294967296", 0}, {"-4294967295", 1}, {"+7", 7}, {"-", 0},
    };
    for (const auto& f : faelle) {
        writeBytes(path, QByteArray("[S]\r\nWidth=") + f.text + "\r\n");
        EXPECT_EQ(PrivateProfile(path).readInt(QStringLiteral("S"), QStringLiteral("Width"), 5), f.wert) << f.text;
    }
}

// The controls read dozens of values at every start: the file is read once,
// again after the program wrote it or when it changed on disk.
TEST(PrivateProfile, ManyValuesCostOneReadingUntilTheFileChanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RU4DUD.INI"));
    QByteArray text = "[QKSpin Settings]\r\n";
    for (int i = 0; i < 300; ++i)
        text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
    writeBytes(path, text);
    const long vorher = PrivateProfile::fileReads();
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(PrivateProfile(path).readInt(QStringLiteral("qkspin settings"), QStringLiteral("KEY%1").arg(i), -1), i * 7);
    EXPECT_EQ(PrivateProfile::fileReads() - vorher, 1);

    ASSERT_TRUE(PrivateProfile(path).writeString(QStringLiteral("QKSpin Settings"), QStringLiteral("Key5"), QStringLiteral("9")));
    EXPECT_EQ(PrivateProfile(path).readInt(QStringLiteral("QKSpin Settings"), QStringLiteral("Key5"), -1), 9);
    EXPECT_EQ(PrivateProfile(path).readInt(QStringLiteral("QKSpin Settings"), QStringLiteral("Key6"), -1), 42);
    EXPECT_EQ(PrivateProfile::fileReads() - vorher, 2);

    writeBytes(path, "[QKSpin Settings]\r\nKey5=11\r\n");
    EXPECT_EQ(PrivateProfile(path).readInt(QStringLiteral("QKSpin Settings"), QStringLiteral("Key5"), -1), 11);
    EXPECT_EQ(PrivateProfile(path).readInt(QStringLiteral("QKSpin Settings"), QStringLiteral("Key6"), -1), -1);
    EXPECT_EQ(PrivateProfile::fileReads() - vorher, 3);
    QFile::remove(path);
    EXPECT_EQ(PrivateProfile(path).readInt(QStringLiteral("QKSpin Settings"), QStringLiteral("Key5"), -1), -1);
}

TEST(PrivateProfile, WritesKeepOtherLinesAndUseWindows1252)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    writeBytes(path, "; keep me\r\n[A]\r\nx=1\r\n; inner\r\ny=2\r\n[B]\r\nz=3\r\n");
    PrivateProfile p(path);
    ASSERT_TRUE(p.writeString(QStringLiteral("a"), QStringLiteral("Y"), QStringLiteral("20")));
    ASSERT_TRUE(p.writeString(QStringLiteral("A"), QStringLiteral("new"), QStringLiteral("M\u00e4rz \u20ac")));
    ASSERT_TRUE(p.writeString(QStringLiteral("C"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_EQ(fileBytes(path), QByteArray("; keep me\r\n[A]\r\nx=1\r\n; inner\r\nY=20\r\nnew=M\xe4rz \x80\r\n[B]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n"));
    EXPECT_EQ(p.readString(QStringLiteral("A"), QStringLiteral("new"), QString()), QStringLiteral("M\u00e4rz \u20ac"));

    ASSERT_TRUE(p.removeKey(QStringLiteral("A"), QStringLiteral("x")));
    ASSERT_TRUE(p.removeSection(QStringLiteral("b")));
    EXPECT_EQ(fileBytes(path).toHex(), QByteArray("; keep me\r\n[A]\r\n; inner\r\nY=20\r\nnew=M\xe4rz \x80\r\n[C]\r\nk=v\r\n").toHex());
    EXPECT_TRUE(p.removeSection(QStringLiteral("never there")));

    // A write-protected file is refused by every write, also for root, and keeps its mode.
    const QByteArray vorher = fileBytes(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(p.writeString(QStringLiteral("A"), QStringLiteral("Y"), QStringLiteral("21")));
    EXPECT_FALSE(p.removeKey(QStringLiteral("A"), QStringLiteral("Y")));
    EXPECT_FALSE(p.removeSection(QStringLiteral("C")));
    EXPECT_EQ(fileBytes(path), vorher);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::ReadGroup);   // owner, group, others
}

TEST(Coercion, FollowsTheAutomationRules)
{
    EXPECT_EQ(toI2(QVariant(2.5)), 2);    // half to even
    EXPECT_EQ(toI2(QVariant(3.5)), 4);
    EXPECT_EQ(toI2(QVariant(-2.5)), -2);
    EXPECT_EQ(toI2(QVariant(true)), -1);
    EXPECT_EQ(toI2(QVariant(QStringLiteral(" 12 "))), 12);
    EXPECT_EQ(toI2(QVariant(32767)), 32767);
    auto code = [](auto f) {
        try {
            f();
        } catch (const DispatchException& e) {
            return e.scode;
        }
        return S_OK;
    };
    EXPECT_EQ(code([] { toI2(QVariant(32768)); }), DISP_E_OVERFLOW);
    EXPECT_EQ(code([] { toI2(QVariant(-32769)); }), DISP_E_OVERFLOW);
    EXPECT_EQ(code([] { toI4(QVariant(QStringLiteral("abc"))); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(code([] { toI4(QVariant(3e10)); }), DISP_E_OVERFLOW);
    EXPECT_EQ(toColor(QVariant(-2147483643)), 0x80000005u);
    EXPECT_EQ(toColor(QVariant(0x80000005u)), 0x80000005u);
    EXPECT_EQ(code([] { coerce(QVariant(QStringLiteral("x")), VarType::Picture); }), DISP_E_TYPEMISMATCH);
}

namespace {
struct Thing {
    int value = 0;
};

DispatchTable<Thing> thingTable()
{
    DispatchTable<Thing> t;
    MemberInfo v;
    v.id = 1;
    v.name = QStringLiteral("Value");
    v.type = VarType::I2;
    t.add({v, [](Thing& x, const QVariantList&) { return QVariant(x.value); },
           [](Thing& x, const QVariantList&, const QVariant& val) {
               if (val.toInt() < 0)
                   throwInvalidValue(QStringLiteral("Value must not be negative"));
               x.value = val.toInt();
           }, {}});
    MemberInfo ro = v;
    ro.id = 2;
    ro.name = QStringLiteral("Twice");
    ro.readOnly = true;
    ro.runtimeOnly = true;
    t.add({ro, [](Thing& x, const QVariantList&) { return QVariant(2 * x.value); }, {}, {}});
    return t;
}
} // namespace

TEST(DispatchTable, InvokesAndRefusesByTheTable)
{
    const auto table = thingTable();
    Thing thing;
    QVariantList args{QVariant(7.5)};
    QVariant result;
    ExcepInfo exc;
    EXPECT_EQ(table.invoke(thing, 1, InvokeKind::Put, args, nullptr, &exc, true, {}), S_OK);
    EXPECT_EQ(thing.value, 8);

    args = {QVariant(-1)};
    EXPECT_EQ(table.invoke(thing, 1, InvokeKind::Put, args, nullptr, &exc, true, QStringLiteral("src")), DISP_E_EXCEPTION);
    EXPECT_EQ(exc.scode, CTL_E_INVALIDPROPERTYVALUE);
    EXPECT_EQ(exc.description, QStringLiteral("Value must not be negative"));
    EXPECT_EQ(thing.value, 8);

    args = {QVariant(1)};
    EXPECT_EQ(table.invoke(thing, 2, InvokeKind::Put, args, nullptr, &exc, true, {}), DISP_E_EXCEPTION);
    EXPECT_EQ(exc.scode, CTL_E_SETNOTSUPPORTED);
    args = {};
    EXPECT_EQ(table.invoke(thing, 2, InvokeKind::Get, args, &result, &exc, false, {}), DISP_E_EXCEPTION);
    EXPECT_EQ(exc.scode, CTL_E_GETNOTSUPPORTED);
    EXPECT_EQ(table.invoke(thing, 2, InvokeKind::Get, args, &result, &exc, true, {}), S_OK);
    EXPECT_EQ(result.toInt(), 16);
    EXPECT_EQ(table.invoke(thing, 99, InvokeKind::Get, args, &result, &exc, true, {}), DISP_E_MEMBERNOTFOUND);
    args = {QVariant(1), QVariant(2)};
    EXPECT_EQ(table.invoke(thing, 1, InvokeKind::Put, args, nullptr, &exc, true, {}), DISP_E_BADPARAMCOUNT);
    args = {QVariant(QStringLiteral("zz"))};
    EXPECT_EQ(table.invoke(thing, 1, InvokeKind::Put, args, nullptr, &exc, true, {}), DISP_E_EXCEPTION);
    EXPECT_EQ(exc.scode, DISP_E_TYPEMISMATCH);
}

TEST(PropertyBag, SurvivesAProfileRoundTrip)
{
    QTemporaryDir dir;
    PrivateProfile file(dir.filePath(QStringLiteral("form.ini")));
    Picture icon;
    icon.type = PicIcon;
    icon.image = QImage(4, 4, QImage::Format_ARGB32);
    icon.image.fill(Qt::red);
    icon.hotSpot = QPoint(1, 2);

    PropertyBag bag;
    bag.write(QStringLiteral("Date"), 44197);
    bag.write(QStringLiteral("ShadeColor"), 0x80000010u);
    bag.write(QStringLiteral("MonthNames"), QStringLiteral("Januar Februar M\u00e4rz"));
    bag.write(QStringLiteral("FontSize"), 8.25);
    bag.write(QStringLiteral("MouseIcon"), icon.toVariant());
    ASSERT_TRUE(bag.saveTo(file, QStringLiteral("QKC")));

    const PropertyBag back = PropertyBag::loadFrom(file, QStringLiteral("QKC"));
    EXPECT_EQ(back.readI4(QStringLiteral("date")), 44197);
    EXPECT_EQ(back.readColor(QStringLiteral("ShadeColor")), 0x80000010u);
    EXPECT_EQ(back.readString(QStringLiteral("MonthNames")), QStringLiteral("Januar Februar M\u00e4rz"));
    EXPECT_DOUBLE_EQ(*back.readR8(QStringLiteral("FontSize")), 8.25);
    const Picture p = back.readPicture(QStringLiteral("MouseIcon"));
    EXPECT_EQ(p.type, PicIcon);
    EXPECT_EQ(p.hotSpot, QPoint(1, 2));
    EXPECT_EQ(p.image.pixelColor(0, 0), QColor(Qt::red));

    PropertyBag damaged;
    damaged.write(QStringLiteral("MouseIcon"), QStringLiteral("00zz"));
    damaged.write(QStringLiteral("Date"), QStringLiteral("not a number"));
    EXPECT_TRUE(damaged.readPicture(QStringLiteral("MouseIcon")).isNone());
    EXPECT_FALSE(damaged.readI4(QStringLiteral("Date")));
}

TEST(Registry, RecordsAndForgetsClasses)
{
    QTemporaryDir dir;
    Registry reg(dir.filePath(QStringLiteral("registry.ini")));
    const Guid clsid = *Guid::parse(QStringLiteral("{EAF26C8F-9586-101B-9306-0020AF234C9D}"));
    const Guid lib = *Guid::parse(QStringLiteral("{EAF26C92-9586-101B-9306-0020AF234C9D}"));
    ASSERT_TRUE(reg.registerTypeLib(lib, QStringLiteral("QKSpinLib"), QStringLiteral("/x/libQKSPIN32.so"), QStringLiteral("/x/Help")));
    ASSERT_TRUE(reg.registerClass(clsid, QStringLiteral("QKSPIN.QKSpinCtrl.1"), QStringLiteral("Marwelin Spin Control"),
                                  QStringLiteral("/x/libQKSPIN32.so"), lib, true));
    EXPECT_EQ(reg.clsidFromProgId(QStringLiteral("qkspin.qkspinctrl.1")), clsid);
    EXPECT_EQ(reg.clsidFromProgId(clsid.toString()), clsid);
    EXPECT_EQ(reg.libraryOf(clsid), QStringLiteral("/x/libQKSPIN32.so"));
    EXPECT_EQ(reg.progIdFromClsid(clsid), QStringLiteral("QKSPIN.QKSpinCtrl.1"));
    EXPECT_EQ(reg.value(QStringLiteral("TypeLib\\") + lib.toString(), QStringLiteral("HelpDir")), QStringLiteral("/x/Help"));
    ASSERT_TRUE(reg.unregisterClass(clsid, QStringLiteral("QKSPIN.QKSpinCtrl.1")));
    EXPECT_FALSE(reg.clsidFromProgId(QStringLiteral("QKSPIN.QKSpinCtrl.1")));
    EXPECT_TRUE(reg.libraryOf(clsid).isEmpty());
}

TEST(ControlHost, ReportsWhatCannotBeCreated)
{
    QTemporaryDir dir;
    qputenv("KILOMETRIKA_REGISTRY", dir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    EXPECT_EQ(registryPath(), dir.filePath(QStringLiteral("registry.ini")));
    EXPECT_EQ(systemFolder(), dir.path());
    try {
        ControlHost host(QStringLiteral("QKCAL.QKCalCtrl.1"));
        FAIL() << "created an unregistered class";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.number, 429);
    }
    Registry reg;
    const Guid clsid = *Guid::parse(QStringLiteral("{D13D4737-89F3-101B-9306-0020AF234C9D}"));
    ASSERT_TRUE(reg.registerClass(clsid, QStringLiteral("QKCAL.QKCalCtrl.1"), QStringLiteral("x"),
                                  dir.filePath(QStringLiteral("missing.so")), Guid{}, true));
    IControl* control = nullptr;
    QString error;
    EXPECT_EQ(createControl(QStringLiteral("QKCAL.QKCalCtrl.1"), &control, &error), CO_E_DLLNOTFOUND);
    EXPECT_EQ(control, nullptr);
    EXPECT_FALSE(error.isEmpty());
    try {
        createFormControl(QStringLiteral("QKSpin9"));
        FAIL() << "unknown control name accepted";
    } catch (const ComError& e) {
        EXPECT_EQ(e.number, 5);
    }
    EXPECT_EQ(formControlValues(QStringLiteral("QKC")).readI4(QStringLiteral("MinDate")), 44197);
    EXPECT_EQ(formControlValues(QStringLiteral("QKSpin6")).readI2(QStringLiteral("SpinRate")), 10000);
    qunsetenv("KILOMETRIKA_REGISTRY");
}
