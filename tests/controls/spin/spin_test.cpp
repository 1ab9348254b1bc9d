#include "tests/controls/common/fixture.h"
#include "tests/support/zeiger.h"

#include "controls/common/controlbase.h"
#include "controls/common/inidefaults.h"
#include "platform/com/formcontrols.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>
#include <QFile>
#include <QImage>
#include <QLibrary>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

using com::ControlHost;

namespace {

enum : int {
    Value = 5, Max = 6, Min = 7, Increment = 8, SpinRate = 9, Style = 10, ValueDisplay = 11, ButtonWidth = 13,
    MousePointer = 19, GetArrows = 25,
};

struct Spin {
    std::unique_ptr<ControlHost> host;
    QStringList events;

    explicit Spin(QSize size = QSize(20, 40))
        : host(std::make_unique<ControlHost>(QStringLiteral("QKSPIN.QKSpinCtrl.1")))
    {
        host->resize(size);
        host->show();
        QObject::connect(host.get(), &ControlHost::controlEvent,
                         [this](int, const QString& name, const QVariantList&) { events << name; });
    }
    QWidget* w() const { return host->controlWidget(); }
    QTimer* timer() const { return w()->findChild<QTimer*>(QStringLiteral("repeat")); }
    QPoint up() const { return QPoint(w()->width() / 2, w()->height() / 4); }
    QPoint down() const { return QPoint(w()->width() / 2, w()->height() * 3 / 4); }
    void click(QPoint p) { QTest::mouseClick(w(), Qt::LeftButton, {}, p); }
    QStringList spins() const { return events.filter(QRegularExpression(QStringLiteral("^Spin"))); }
};

// Processes events until `done` holds or the time is up.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

using testenv::refusal;

} // namespace

TEST(SpinHost, StepsAndRaisesItsEventsInOrder)
{
    Spin s;
    EXPECT_EQ(s.host->property(Max).toInt(), 100);
    EXPECT_EQ(s.host->property(SpinRate).toInt(), 10);
    EXPECT_EQ(s.host->property(Style).toInt(), 2);
    s.click(s.up());
    EXPECT_EQ(s.host->property(Value).toInt(), 1);
    EXPECT_EQ(s.events, (QStringList{QStringLiteral("Change"), QStringLiteral("ChangeSpin"), QStringLiteral("SpinUp")}));
    s.events.clear();
    s.click(s.down());
    s.click(s.down());   // at Min: only SpinDown
    EXPECT_EQ(s.host->property(Value).toInt(), 0);
    EXPECT_EQ(s.events, (QStringList{QStringLiteral("Change"), QStringLiteral("ChangeSpin"), QStringLiteral("SpinDown"),
                                     QStringLiteral("SpinDown")}));

    // 99 with Max 100 and Increment 2: SpinUp only.
    s.host->setProperty(Increment, 2);
    s.host->setProperty(Value, 99);
    s.events.clear();
    s.click(s.up());
    EXPECT_EQ(s.events, QStringList{QStringLiteral("SpinUp")});
    EXPECT_EQ(s.host->property(Value).toInt(), 99);

    // Increment 0: every press counts as a step.
    s.host->setProperty(Increment, 0);
    s.events.clear();
    s.click(s.up());
    EXPECT_EQ(s.events, (QStringList{QStringLiteral("Change"), QStringLiteral("ChangeSpin"), QStringLiteral("SpinUp")}));
}

TEST(SpinHost, PropertyChecks)
{
    Spin s;
    QSignalSpy change(s.host.get(), &ControlHost::change);
    s.host->setProperty(Value, 50);
    s.host->setProperty(Value, 50);
    EXPECT_EQ(change.count(), 2);   // also for an unchanged value
    EXPECT_EQ(refusal([&] { s.host->setProperty(Value, 101); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(Max, -1); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(Min, 101); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(Increment, -1); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(SpinRate, 0); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(Style, 4); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(ValueDisplay, 3); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(ButtonWidth, 0); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(MousePointer, 100); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(GetArrows, 5); }), 380);
    EXPECT_EQ(refusal([&] { s.host->setProperty(Value, 40000); }), 6);
    s.host->setProperty(MousePointer, 15);
    EXPECT_EQ(s.host->property(Value).toInt(), 50);
    EXPECT_EQ(change.count(), 2);

    s.host->setProperty(Max, 40);   // below Value: Value follows with Change
    EXPECT_EQ(s.host->property(Value).toInt(), 40);
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(refusal([&] { s.host->setProperty(Min, 46); }), 380);
    s.host->setProperty(Max, 60);
    s.host->setProperty(Min, 45);   // above Value: Value follows with Change
    EXPECT_EQ(s.host->property(Value).toInt(), 45);
    EXPECT_EQ(change.count(), 4);
}

TEST(SpinHost, ReversedRangeFromStorage)
{
    Spin s;
    com::PropertyBag bag;
    bag.write(QStringLiteral("Min"), 10);
    bag.write(QStringLiteral("Max"), 0);
    bag.write(QStringLiteral("Value"), 5);
    bag.write(QStringLiteral("Increment"), 1);
    s.host->load(bag);
    s.click(s.up());
    EXPECT_EQ(s.host->property(Value).toInt(), 4);
    s.click(s.down());
    s.click(s.down());
    EXPECT_EQ(s.host->property(Value).toInt(), 6);
}

TEST(SpinRepeat, FirstDelayThenRateAndStopsOnRelease)
{
    Spin s;
    QTimer* t = s.timer();
    ASSERT_NE(t, nullptr);
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_TRUE(t->isActive());
    EXPECT_EQ(t->interval(), 200);
    EXPECT_EQ(s.spins().size(), 1);
    ASSERT_TRUE(waitFor([&] { return s.spins().size() >= 2; }));
    EXPECT_EQ(t->interval(), 100);
    ASSERT_TRUE(waitFor([&] { return s.spins().size() >= 4; }));
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_FALSE(t->isActive());
    const int n = s.spins().size();
    QTest::qWait(150);
    EXPECT_EQ(s.spins().size(), n);
    EXPECT_EQ(s.host->property(Value).toInt(), n);   // each step changed the value

    s.host->setProperty(SpinRate, 2);
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.down());
    EXPECT_EQ(t->interval(), 500);
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.down());
}

TEST(SpinRepeat, KeepsStepsComingAtTheLimitAndNeverFasterThanTenMs)
{
    Spin s;
    s.host->setProperty(Value, 0);
    s.host->setProperty(Max, 1);   // the first step reaches the limit
    s.host->setProperty(SpinRate, 10000);
    s.events.clear();
    QTimer* t = s.timer();
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_EQ(t->interval(), 200);
    ASSERT_TRUE(waitFor([&] { return s.spins().size() >= 2; }));
    EXPECT_EQ(t->interval(), 10);
    ASSERT_TRUE(waitFor([&] { return s.spins().size() >= 5; }));
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_EQ(s.events.count(QStringLiteral("Change")), 1);
    EXPECT_EQ(s.spins().count(QStringLiteral("SpinUp")), s.spins().size());

    // A press that begins at the limit fires its one SpinUp and starts no repeat.
    const int before = s.spins().size();
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_EQ(s.spins().size(), before + 1);
    EXPECT_FALSE(t->isActive());
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());

    s.host->setProperty(Max, 100);
    s.host->setProperty(SpinRate, 1000);   // 1 ms would be too fast
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_TRUE(waitFor([&] { return t->interval() == 10; }));
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());
}

TEST(SpinRepeat, StopsWhenHiddenDisabledOrAModalWindowTakesTheInput)
{
    Spin s;
    QTimer* t = s.timer();
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    ASSERT_TRUE(t->isActive());
    s.host->hide();
    EXPECT_FALSE(t->isActive());
    s.host->show();

    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    ASSERT_TRUE(t->isActive());
    s.host->setProperty(QStringLiteral("Enabled"), 0);
    EXPECT_FALSE(t->isActive());
    s.host->setProperty(QStringLiteral("Enabled"), -1);

    // A message shown from a SpinUp handler must not leave the button repeating.
    std::unique_ptr<QDialog> message;
    QObject::connect(s.host.get(), &ControlHost::spinUp, [&] {
        if (message)
            return;
        message = std::make_unique<QDialog>();
        message->setModal(true);
        message->show();
    });
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_FALSE(t->isActive());
    message->close();
    const int n = s.spins().size();
    QTest::qWait(300);
    EXPECT_EQ(s.spins().size(), n);
}

TEST(SpinInput, ArrowKeysAndPointerLeavingTheButton)
{
    Spin s;
    QTest::keyClick(s.w(), Qt::Key_Up);
    EXPECT_TRUE(s.spins().isEmpty());
    QTest::keyPress(s.w(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(s.spins(), QStringList{QStringLiteral("SpinUp")});
    EXPECT_TRUE(s.timer()->isActive());
    QTest::keyRelease(s.w(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_FALSE(s.timer()->isActive());
    s.host->setProperty(GetArrows, -1);
    QTest::keyClick(s.w(), Qt::Key_Left);
    EXPECT_EQ(s.spins().last(), QStringLiteral("SpinDown"));

    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    QTest::mouseMove(s.w(), s.down());
    EXPECT_FALSE(s.timer()->isActive());
    QTest::mouseMove(s.w(), s.up());
    EXPECT_TRUE(s.timer()->isActive());
    EXPECT_EQ(s.timer()->interval(), 100);
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());
}

TEST(SpinView, PressedButtonAndValueArea)
{
    Spin s(QSize(20, 40));
    const QImage released = s.w()->grab().toImage();
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    const QImage pressed = s.w()->grab().toImage();
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_NE(released.copy(0, 0, 20, 19), pressed.copy(0, 0, 20, 19));   // the up button looks pressed
    EXPECT_EQ(released.copy(0, 21, 20, 19), pressed.copy(0, 21, 20, 19)); // the down button does not
    EXPECT_EQ(pressed.pixelColor(0, 0), ctl::oleColor(0x80000006));        // border

    // An auto-sized value area left of the buttons shows the value.
    Spin v(QSize(60, 20));
    v.host->setProperty(ValueDisplay, 1);
    const int expected = int(std::lround(12 * 2540.0 / v.w()->logicalDpiX()));   // 70 % of 18 pixels
    EXPECT_EQ(v.host->property(ButtonWidth).toInt(), expected);
    v.host->setProperty(QStringLiteral("ForeColor"), 0x000000);
    v.host->setProperty(QStringLiteral("BackColor"), 0xFFFFFF);
    v.host->setProperty(Value, 88);
    const QImage img = v.w()->grab().toImage();
    int dark = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 40; ++x)
            dark += img.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 5);
    QTest::mouseClick(v.w(), Qt::LeftButton, {}, QPoint(55, 5));
    EXPECT_EQ(v.host->property(Value).toInt(), 89);
}

TEST(SpinStorage, RoundTripRepairAndDefaultsFile)
{
    Spin s;
    s.host->setProperty(Max, 1440);
    s.host->setProperty(SpinRate, 1000);
    s.host->setProperty(QStringLiteral("ArrowColor"), 0x00FF00);
    const com::PropertyBag bag = s.host->save();
    Spin copy;
    copy.host->load(bag);
    for (const char* name : {"Max", "SpinRate", "ArrowColor", "Style", "ToolTip", "HdnWidth"})
        EXPECT_EQ(copy.host->property(QString::fromLatin1(name)), s.host->property(QString::fromLatin1(name))) << name;

    com::PropertyBag damaged;
    damaged.write(QStringLiteral("SpinRate"), 0);
    damaged.write(QStringLiteral("Style"), 9);
    copy.host->load(damaged);
    EXPECT_EQ(copy.host->property(SpinRate).toInt(), 10);
    EXPECT_EQ(copy.host->property(Style).toInt(), 2);
    copy.click(copy.up());   // still works

    const QString ini = testenv::env->folder() + QStringLiteral("/RU4DUD.INI");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[QKSpin Settings]\r\nMaximum=50\r\nValue=7\r\nSpinRate=0\r\nFillColor=-2147483633\r\nWidth=30\r\nHeight=0\r\n");
    }
    Spin fromIni;
    EXPECT_EQ(fromIni.host->property(Max).toInt(), 50);
    EXPECT_EQ(fromIni.host->property(Value).toInt(), 7);
    EXPECT_EQ(fromIni.host->property(SpinRate).toInt(), 10);
    EXPECT_EQ(fromIni.host->property(QStringLiteral("FillColor")).toUInt(), 0x8000000Fu);
    EXPECT_EQ(fromIni.host->property(QStringLiteral("ToolTip")).toString(), QStringLiteral("QKSpin"));
    QFile::remove(ini);

    ctl::IniDefaults defaults(QStringLiteral("RU4DUD.INI"), QStringLiteral("QKSpin Settings"));
    ASSERT_TRUE(defaults.writeLong(QStringLiteral("ArrowColor"), qint32(0x80000012u)));
    EXPECT_EQ(quint32(defaults.readLong(QStringLiteral("ArrowColor"), 0)), 0x80000012u);
    ASSERT_TRUE(defaults.writeFloat(QStringLiteral("FontSize"), 8.25));
    EXPECT_DOUBLE_EQ(defaults.readFloat(QStringLiteral("FontSize"), 0), 8.25);
    QString name = QStringLiteral("kept");
    EXPECT_FALSE(defaults.readString(QStringLiteral("FontName"), name));
    EXPECT_EQ(name, QStringLiteral("kept"));
    ASSERT_TRUE(defaults.deleteSection());
    EXPECT_EQ(defaults.readInt(QStringLiteral("FontSize"), -3), -3);
    QFile::remove(ini);
}

TEST(SpinStorage, SaveAsDefaultWritesEveryKeyInItsOrderAndResetRemovesThem)
{
    const QString ini = testenv::env->folder() + QStringLiteral("/RU4DUD.INI");
    QFile::remove(ini);
    Spin s;
    s.host->setProperty(Max, 250);
    s.host->setProperty(QStringLiteral("FontStrikethru"), true);
    s.host->setProperty(QStringLiteral("BackColor"), 0x00FF00u);
    s.host->setProperty(MousePointer, 2);
    EXPECT_TRUE(testenv::withPropertyPage([&] { s.host->showPropertyPage(); }, [&](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("SaveAsDefault"))->click();
        EXPECT_EQ(testenv::sectionKeys(ini, QStringLiteral("QKSpin Settings")),
                  QStringList({"Value", "Maximum", "Minimum", "Increment", "SpinRate", "Style", "ValueDisplay",
                               "Alignment", "ButtonWidth", "FillColor", "LightColor", "ShadeColor", "ArrowColor",
                               "BorderColor", "BackColor", "ForeColor", "MousePointer", "FontName", "FontSize",
                               "FontBold", "FontItalic", "FontUnderline", "FontStrikethru", "Height", "Width",
                               "GetArrows"}));
        const QByteArray text = testenv::fileText(ini);
        for (const char* line : {"Maximum=250", "FillColor=-2147483633", "FontName=MS Sans Serif", "FontSize=8",
                                 "FontStrikethru=-1", "FontBold=0"})
            EXPECT_TRUE(text.contains(line)) << line << "\n" << text.constData();
        d->findChild<QPushButton*>(QStringLiteral("ResetDefault"))->click();
        EXPECT_TRUE(testenv::sectionKeys(ini, QStringLiteral("QKSpin Settings")).isEmpty());
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();
    }));
    // Reset and Apply give the control its built-in values, the stock ones included.
    EXPECT_EQ(s.host->property(Max).toInt(), 100);
    EXPECT_EQ(s.host->property(QStringLiteral("BackColor")).toUInt(), 0x80000005u);
    EXPECT_EQ(s.host->property(QStringLiteral("FillColor")).toUInt(), 0x8000000Fu);
    EXPECT_EQ(s.host->property(MousePointer).toInt(), 0);
    EXPECT_EQ(s.host->property(QStringLiteral("FontStrikethru")).toInt(), -1);   // fonts are not reset
    QFile::remove(ini);
}

TEST(SpinStorage, MousePointerOutOfRangeInTheDefaultsFileGivesTheDefault)
{
    const QString ini = testenv::env->folder() + QStringLiteral("/RU4DUD.INI");
    for (const char* stored : {"-3", "16", "200"}) {
        {
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("[QKSpin Settings]\r\nMousePointer=") + stored + "\r\n");
        }
        Spin s;
        EXPECT_EQ(s.host->property(MousePointer).toInt(), 0) << stored;
        s.click(s.up());   // the pointer shape is applied without harm
    }
    QFile::remove(ini);
}

TEST(SpinLibrary, ClassDescription)
{
    Spin s;
    const com::ClassInfo& info = s.host->classInfo();
    EXPECT_EQ(info.clsid.toString().toUpper(), QStringLiteral("{EAF26C8F-9586-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(info.propPage.toString().toUpper(), QStringLiteral("{EAF26C93-9586-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(info.typeLibName, QStringLiteral("QKSpinLib"));
    EXPECT_EQ(info.pageProgId, QStringLiteral("QKSPIN.QKSpinPropPage.1"));
    EXPECT_EQ(testenv::namesOf(info.members),
              QStringList({"BackColor", "ForeColor", "Font", "Enabled", "hWnd", "FontName", "FontBold", "FontItalic", "FontSize",
                           "Value", "Max", "Min", "Increment", "SpinRate", "Style", "ValueDisplay", "Alignment",
                           "ButtonWidth", "FillColor", "LightColor", "ShadeColor", "ArrowColor", "BorderColor",
                           "MousePointer", "MouseIcon", "FontStrikethru", "FontUnderline", "HdnHeight", "HdnWidth",
                           "GetArrows", "ToolTip", "AboutBox", "_Default"}));
    EXPECT_EQ(info.members.back().id, com::dispid::Value);
    EXPECT_EQ(info.members.back().type, com::VarType::I2);
    EXPECT_EQ(info.member(QStringLiteral("FontStrikethru"))->id, 21);
    EXPECT_EQ(info.member(QStringLiteral("Style"))->enumName, QStringLiteral("enumStyle"));
    EXPECT_EQ(testenv::namesOf(info.events),
              QStringList({"Change", "ChangeSpin", "SpinUp", "SpinDown", "KeyDown", "KeyPress", "KeyUp"}));
    EXPECT_TRUE(info.events[4].params[0].byRef);
    testenv::expectMousePointerEnum(info);
    EXPECT_EQ(s.host->property(0).toInt(), s.host->property(Value).toInt());
    EXPECT_EQ(refusal([&] { s.host->setProperty(QStringLiteral("MouseIcon"), QImage(2, 2, QImage::Format_RGB32)); }), 481);
}

TEST(SpinLibrary, ProgramSpinsContainerAndUnloading)
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    std::unique_ptr<ControlHost> spin6(com::createFormControl(QStringLiteral("QKSpin6"), &page));
    std::unique_ptr<ControlHost> spin2(com::createFormControl(QStringLiteral("QKSpin2"), &page));
    layout->addWidget(spin6.get());
    layout->addWidget(spin2.get());
    page.show();
    EXPECT_EQ(spin6->property(Max).toInt(), 10000);
    EXPECT_EQ(spin6->property(SpinRate).toInt(), 10000);
    EXPECT_EQ(spin2->property(Max).toInt(), 23);
    EXPECT_EQ(spin2->property(Style).toInt(), 2);

    // Container: focus, visibility, font size.
    QSignalSpy got(spin6.get(), &ControlHost::gotFocus);
    QSignalSpy lost(spin6.get(), &ControlHost::lostFocus);
    // On a real display the window is active only once the server says so.
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    spin6->setFocus();
    QApplication::processEvents();
    spin2->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.count() >= 1 && lost.count() >= 1; }))
        << got.count() << " " << lost.count();
    spin6->hide();
    EXPECT_FALSE(spin6->controlWidget()->isVisible());
    spin6->setFontSize(12);
    EXPECT_DOUBLE_EQ(spin6->fontSize(), 12.0);

    const QString path = testenv::library("QKSPIN32");
    EXPECT_EQ(com::canUnloadNow(path), com::S_FALSE);
    spin6.reset();
    spin2.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(com::canUnloadNow(path), com::S_OK);
    ASSERT_EQ(testenv::callEntry(path, "DllUnregisterServer"), com::S_OK);
    EXPECT_EQ(refusal([] { ControlHost c(QStringLiteral("QKSPIN.QKSpinCtrl.1")); }), 429);
    ASSERT_EQ(testenv::callEntry(path, "DllRegisterServer"), com::S_OK);
}

TEST(ToolTip, StaysInsideTheScreen)
{
    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(ctl::ToolTip::placement(QPoint(100, 100), QSize(80, 20), screen), QRect(110, 118, 80, 20));
    const QRect corner = ctl::ToolTip::placement(QPoint(795, 595), QSize(80, 20), screen);
    EXPECT_EQ(corner.right(), 799 - 10);
    EXPECT_EQ(corner.bottom(), 599 - 18);
    EXPECT_TRUE(screen.contains(corner));
}

TEST(SpinLibrary, RegistrationReportsItsFailureCodes)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray saved = qgetenv("KILOMETRIKA_REGISTRY");
    // A registry below a plain file cannot be written.
    qputenv("KILOMETRIKA_REGISTRY", dir.filePath(QStringLiteral("file/registry.ini")).toLocal8Bit());
    EXPECT_EQ(testenv::callEntry(testenv::library("QKSPIN32"), "DllRegisterServer"), com::SELFREG_E_TYPELIB);
    qputenv("KILOMETRIKA_REGISTRY", saved);
    EXPECT_EQ(testenv::callEntry(testenv::library("QKSPIN32"), "DllRegisterServer"), com::S_OK);

    // The entry points refuse what they do not serve.
    QLibrary lib(testenv::library("QKSPIN32"));
    ASSERT_TRUE(lib.load());
    auto get = reinterpret_cast<com::DllGetClassObjectFn>(lib.resolve("DllGetClassObject"));
    ASSERT_NE(get, nullptr);
    void* object = nullptr;
    const com::Guid calendar = *com::Guid::parse(QStringLiteral("{D13D4737-89F3-101B-9306-0020AF234C9D}"));
    const com::Guid spin = *com::Guid::parse(QStringLiteral("{EAF26C8F-9586-101B-9306-0020AF234C9D}"));
    EXPECT_EQ(get(&calendar, &com::IID_IClassFactory, &object), com::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(get(&spin, &com::IID_IControl, &object), com::E_NOINTERFACE);
    ASSERT_EQ(get(&spin, &com::IID_IClassFactory, &object), com::S_OK);
    auto* factory = static_cast<com::IClassFactory*>(object);
    void* wrong = nullptr;
    EXPECT_EQ(factory->createInstance(com::IID_IPropertyPage, &wrong), com::E_NOINTERFACE);
    factory->lockServer(true);
    auto canUnload = reinterpret_cast<com::DllCanUnloadNowFn>(lib.resolve("DllCanUnloadNow"));
    EXPECT_EQ(canUnload(), com::S_FALSE);
    factory->lockServer(false);
    factory->release();
    EXPECT_EQ(canUnload(), com::S_OK);
}

TEST(ToolTip, WaitsASecondButOnlyAQuarterAfterLeavingAnotherControl)
{
    Spin a(QSize(20, 40));
    Spin b(QSize(20, 40));
    a.host->move(100, 100);
    b.host->move(300, 100);
    QTimer* delayA = a.w()->findChild<QTimer*>(QStringLiteral("toolTipDelay"));
    QTimer* delayB = b.w()->findChild<QTimer*>(QStringLiteral("toolTipDelay"));
    ASSERT_TRUE(delayA && delayB);
    // The pointer rests beside the controls: leaving one of them counts.
    QWidget beiseite;
    beiseite.setGeometry(500, 100, 50, 50);
    beiseite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&beiseite));
    ASSERT_TRUE(kmktest::zeigerBeiseite(&beiseite));
    QTest::qWait(1100);   // long after any earlier pointer movement
    ASSERT_TRUE(kmktest::zeigerAuf(a.w(), QPoint(5, 5)));
    EXPECT_TRUE(delayA->isActive());
    EXPECT_EQ(delayA->interval(), 1000);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(a.w(), &leave);
    EXPECT_FALSE(delayA->isActive());
    ASSERT_TRUE(kmktest::zeigerAuf(b.w(), QPoint(5, 5)));
    EXPECT_TRUE(delayB->isActive());
    EXPECT_EQ(delayB->interval(), 250);
    // A press hides a pending tip.
    QTest::mousePress(b.w(), Qt::LeftButton, {}, b.up());
    EXPECT_FALSE(delayB->isActive());
    QTest::mouseRelease(b.w(), Qt::LeftButton, {}, b.up());
    // Three tenths of a second after leaving a control still count as just now.
    ASSERT_TRUE(kmktest::zeigerAuf(&beiseite, QPoint(5, 5)));
    QEvent weg(QEvent::Leave);
    QCoreApplication::sendEvent(b.w(), &weg);
    QElapsedTimer seit;
    seit.start();
    ASSERT_TRUE(QTest::qWaitFor([&seit] { return seit.elapsed() >= 300; }, 2000));
    ASSERT_TRUE(kmktest::zeigerAuf(a.w(), QPoint(5, 5)));
    EXPECT_TRUE(delayA->isActive());
    if (seit.elapsed() < 1000)   // a display that slow leaves no quarter second to tell
        EXPECT_EQ(delayA->interval(), 250);
}

TEST(SpinView, BothArrowsOfAVerticalStyleAreEquallyWide)
{
    // the widest row of each arrow, in pixels of the arrow colour
    auto breiten = [](Spin& s) {
        s.host->setProperty(QStringLiteral("ArrowColor"), 0x0000FF);   // red
        const QImage img = s.w()->grab().toImage();
        int up = 0, down = 0;
        for (int y = 0; y < img.height(); ++y) {
            int n = 0;
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == QColor(255, 0, 0);
            (y < img.height() / 2 ? up : down) = std::max(y < img.height() / 2 ? up : down, n);
        }
        return std::make_pair(up, down);
    };
    for (int style : {0, 2})
        for (QSize size : {QSize(17, 25), QSize(20, 40), QSize(16, 33)}) {
            Spin s(size);
            s.host->setProperty(Style, style);
            const auto [up, down] = breiten(s);
            SCOPED_TRACE(QString("Style %1, %2 x %3").arg(style).arg(size.width()).arg(size.height()).toStdString());
            EXPECT_GT(up, 2);
            EXPECT_EQ(up, down);
        }
}

TEST(SpinRepeat, IntervalsKeepTheRate)
{
    Spin s;
    s.host->setProperty(SpinRate, 10);   // a step every 100 ms after the first 200
    QElapsedTimer uhr;
    std::vector<qint64> zeiten;
    QObject::connect(s.host.get(), &ControlHost::spinUp, [&] { zeiten.push_back(uhr.elapsed()); });
    uhr.start();
    QTest::mousePress(s.w(), Qt::LeftButton, {}, s.up());
    ASSERT_TRUE(waitFor([&] { return zeiten.size() >= 9; }, 3000));
    QTest::mouseRelease(s.w(), Qt::LeftButton, {}, s.up());
    EXPECT_EQ(s.timer()->timerType(), Qt::PreciseTimer);
    const qint64 erste = zeiten[1] - zeiten[0];
    EXPECT_GE(erste, 199);
    // A late tick lets the next come sooner; over eight steps the mean holds.
    const double mittel = double(zeiten.back() - zeiten[1]) / double(zeiten.size() - 2);
    EXPECT_GE(mittel, 99.0);
    EXPECT_LE(mittel, 106.0);
}

TEST(SpinHost, PaintsItselfIntoThePictureAHostAsksFor)
{
    Spin s(QSize(40, 30));
    s.host->setProperty("ValueDisplay", 1);
    s.host->setProperty("Value", 42);
    testenv::checkPicture(*s.host);
}

TEST(SpinHost, StockFontByDispatchId)
{
    Spin s;
    testenv::checkStockFont(*s.host);
}
