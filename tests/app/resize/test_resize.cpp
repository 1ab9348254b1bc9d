#include "app/resize/clsresize.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

using kmk::clsResize;
using kmk::col_Controls;

namespace {

// A line control as the resizer sees one: end points, no box of its own.
class LineWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int X1 MEMBER x1)
    Q_PROPERTY(int X2 MEMBER x2)
    Q_PROPERTY(int Y1 MEMBER y1)
    Q_PROPERTY(int Y2 MEMBER y2)
public:
    using QWidget::QWidget;
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

struct Snapshot {
    QRect geometry;
    qreal font;
};

// A window with plain controls, a frame, a tab control with controls on its
// pages, a combo box and a list (whose inner parts must be left alone).
struct Window {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    QLabel* label;
    QLineEdit* edit;
    QComboBox* combo;
    QListWidget* list;
    QGroupBox* frame;
    QPushButton* inFrame;
    QTabWidget* tabs;
    QLineEdit* onPage;
    QLabel* onPage2;

    Window()
    {
        QFont f = form->font();
        f.setPointSizeF(10);
        form->setFont(f);
        form->resize(400, 300);
        auto make = [](QWidget* w, const char* name, QRect r) {
            w->setObjectName(name);
            w->setGeometry(r);
        };
        label = new QLabel("Abfahrt", form.get());
        make(label, "Label1", QRect(10, 10, 80, 20));
        edit = new QLineEdit(form.get());
        make(edit, "EinDatumAb", QRect(95, 10, 77, 21));
        combo = new QComboBox(form.get());
        combo->setEditable(true);
        make(combo, "EinVon", QRect(10, 40, 151, 23));
        list = new QListWidget(form.get());
        make(list, "FahrtListe", QRect(10, 70, 133, 57));
        frame = new QGroupBox("Fahrtenspeicher", form.get());
        make(frame, "Frame4", QRect(200, 10, 181, 111));
        inFrame = new QPushButton("X", frame);
        make(inFrame, "KundenNeu", QRect(7, 21, 33, 17));
        tabs = new QTabWidget(form.get());
        make(tabs, "SSTab1", QRect(10, 140, 371, 151));
        auto* page = new QWidget;
        page->setObjectName("Seite0");
        tabs->addTab(page, "Eintragungen");
        onPage = new QLineEdit(page);
        make(onPage, "EinGefKm", QRect(13, 11, 55, 19));
        onPage2 = new QLabel("x", page);
        make(onPage2, "Label102", QRect(71, 11, 37, 19));
        form->show();
    }

    QList<QWidget*> all() const { return {label, edit, combo, list, frame, inFrame, tabs, onPage, onPage2}; }

    std::map<QWidget*, Snapshot> snapshot() const
    {
        std::map<QWidget*, Snapshot> s;
        for (QWidget* w : all())
            s[w] = {w->geometry(), w->font().pointSizeF()};
        return s;
    }
};

long r(double v) { return std::lround(v); }

} // namespace

TEST(ColControls, TagsKeysAndDuplicates)
{
    col_Controls c;
    EXPECT_EQ(c.Count(), 0);
    auto* a = c.Add(1, 2, 3, 4, "Label1", 8.25f);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Tag(), 1);
    EXPECT_EQ(a->Top(), 1);
    EXPECT_EQ(a->Left(), 2);
    EXPECT_EQ(a->Width(), 3);
    EXPECT_EQ(a->Height(), 4);
    EXPECT_FLOAT_EQ(a->Fontsize(), 8.25f);
    EXPECT_TRUE(a->FontSizing());
    EXPECT_EQ(a->ResizeOption(), 0);
    auto* l = c.AddLine(5, 6, 7, 8, "Line1");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Tag(), 2);
    EXPECT_EQ(l->X1(), 5);
    EXPECT_EQ(l->X2(), 6);
    EXPECT_EQ(l->Y1(), 7);
    EXPECT_EQ(l->Y2(), 8);
    // A taken key is refused and the first record stays.
    EXPECT_EQ(c.Add(9, 9, 9, 9, "Label1", 1.0f), nullptr);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Item("Label1"), a);
    EXPECT_EQ(c.Item("Label1")->Top(), 1);
    EXPECT_EQ(c.Item("nicht da"), nullptr);
}

TEST(Resize, RecordsNamedControlsButNotInnerParts)
{
    Window w;
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    EXPECT_EQ(rs.form().Width(), 400);
    EXPECT_EQ(rs.form().Height(), 300);
    for (QWidget* c : w.all())
        EXPECT_NE(rs.recordOf(c), nullptr) << c->objectName().toStdString();
    // The page of the tab control is placed by the tab control, the inner
    // parts of list, combo and tab control by their owners.
    EXPECT_EQ(rs.controls().Item("Seite0"), nullptr);
    EXPECT_EQ(rs.controls().Item("qt_scrollarea_viewport"), nullptr);
    EXPECT_EQ(rs.controls().Count(), w.all().size());
    EXPECT_EQ(rs.controls().Item("Label1")->Tag(), 1);
}

TEST(Resize, DoubleSizeDoublesEveryControlAndFontAndBackRestores)
{
    Window w;
    const auto before = w.snapshot();
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();

    w.form->resize(800, 600);
    rs.DoResize();
    for (QWidget* c : w.all()) {
        const Snapshot& s = before.at(c);
        EXPECT_EQ(c->geometry(), QRect(s.geometry.x() * 2, s.geometry.y() * 2, s.geometry.width() * 2,
                                       s.geometry.height() * 2))
            << c->objectName().toStdString();
        EXPECT_DOUBLE_EQ(c->font().pointSizeF(), s.font * 2) << c->objectName().toStdString();
    }

    w.form->resize(400, 300);
    rs.DoResize();
    for (QWidget* c : w.all()) {
        EXPECT_EQ(c->geometry(), before.at(c).geometry) << c->objectName().toStdString();
        EXPECT_DOUBLE_EQ(c->font().pointSizeF(), before.at(c).font);
    }
}

TEST(Resize, WiderAndHigherScaleEachAxisAndFontBySmallerRatio)
{
    Window w;
    const auto before = w.snapshot();
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();

    w.form->resize(480, 330); // +20 % wide, +10 % high
    rs.DoResize();
    for (QWidget* c : w.all()) {
        const QRect g = before.at(c).geometry;
        EXPECT_EQ(c->x(), r(g.x() * 1.2)) << c->objectName().toStdString();
        EXPECT_EQ(c->width(), r(g.width() * 1.2)) << c->objectName().toStdString();
        EXPECT_EQ(c->y(), r(g.y() * 1.1)) << c->objectName().toStdString();
        EXPECT_EQ(c->height(), r(g.height() * 1.1)) << c->objectName().toStdString();
        EXPECT_NEAR(c->font().pointSizeF(), before.at(c).font * 1.1, 1e-4);
    }
}

TEST(Resize, OddFractionsDoNotDrift)
{
    Window w;
    const auto before = w.snapshot();
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();

    // Direct to an odd size ...
    w.form->resize(523, 347);
    rs.DoResize();
    const auto direct = w.snapshot();
    // ... and the same size after many odd steps give the same geometry.
    const QSize steps[] = {{411, 299}, {613, 457}, {333, 201}, {401, 303}, {777, 555}, {402, 298}};
    for (int round = 0; round < 5; ++round) {
        for (QSize s : steps) {
            w.form->resize(s);
            rs.DoResize();
        }
    }
    w.form->resize(523, 347);
    rs.DoResize();
    for (QWidget* c : w.all()) {
        EXPECT_EQ(c->geometry(), direct.at(c).geometry) << c->objectName().toStdString();
        EXPECT_DOUBLE_EQ(c->font().pointSizeF(), direct.at(c).font);
    }
    w.form->resize(400, 300);
    rs.DoResize();
    for (QWidget* c : w.all()) {
        EXPECT_EQ(c->geometry(), before.at(c).geometry) << c->objectName().toStdString();
        EXPECT_DOUBLE_EQ(c->font().pointSizeF(), before.at(c).font);
    }
}

TEST(Resize, MinimisedOrEmptyWindowChangesNothing)
{
    Window w;
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    w.form->resize(600, 450);
    rs.DoResize();
    const auto scaled = w.snapshot();

    w.form->setWindowState(Qt::WindowMinimized);
    w.form->resize(160, 30);
    rs.DoResize();
    for (QWidget* c : w.all()) {
        EXPECT_EQ(c->geometry(), scaled.at(c).geometry);
        EXPECT_DOUBLE_EQ(c->font().pointSizeF(), scaled.at(c).font);
    }

    w.form->setWindowState(Qt::WindowNoState);
    w.form->resize(0, 0);
    rs.DoResize();
    for (QWidget* c : w.all())
        EXPECT_EQ(c->geometry(), scaled.at(c).geometry);
}

TEST(Resize, NothingHappensWithoutInitializeOrWindow)
{
    Window w;
    const auto before = w.snapshot();
    clsResize rs;
    rs.DoResize();          // no window
    rs.DoResize_First(true);
    rs.setForm(w.form.get());
    w.form->resize(800, 600);
    rs.DoResize();          // never initialised
    for (QWidget* c : w.all())
        EXPECT_EQ(c->geometry(), before.at(c).geometry);

    rs.Initialize();
    w.form.reset();         // the window goes away first
    rs.DoResize();
    rs.DoResize_First(false);
    EXPECT_EQ(rs.oForm(), nullptr);
}

TEST(Resize, ParkedControlsStayOutOfSight)
{
    Window w;
    auto* parked = new QLabel("versteckt", w.form.get());
    parked->setObjectName("Parked");
    parked->setGeometry(-700, 20, 60, 20);
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    // Recorded with the offset, as the window's design had it.
    EXPECT_EQ(rs.recordOf(parked)->Left(), -700 + clsResize::HiddenOffset);
    EXPECT_EQ(parked->x(), -700);

    w.form->resize(480, 300); // 20 % wider
    rs.DoResize();
    EXPECT_LT(parked->x() + parked->width(), 0);
    EXPECT_EQ(parked->x(), -840);

    // A control the program parks at run time stays parked as well.
    w.label->move(-w.label->x() - 5000, w.label->y());
    w.form->resize(600, 300);
    rs.DoResize();
    EXPECT_LT(w.label->x() + w.label->width(), 0);

    w.form->resize(400, 300);
    rs.DoResize();
    EXPECT_EQ(parked->x(), -700);
}

TEST(Resize, LateControlsStayAndSameNamesKeepTheirOwnPlace)
{
    Window w;
    auto* twin = new QLabel("zwei", w.form.get());
    twin->setObjectName("Label1"); // same name as w.label
    twin->setGeometry(300, 200, 40, 20);
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    auto* late = new QLabel("spät", w.form.get());
    late->setObjectName("Spaet");
    late->setGeometry(33, 44, 55, 22);

    w.form->resize(800, 600);
    rs.DoResize();
    EXPECT_EQ(late->geometry(), QRect(33, 44, 55, 22));
    EXPECT_EQ(twin->geometry(), QRect(600, 400, 80, 40));
    EXPECT_EQ(w.label->geometry(), QRect(20, 20, 160, 40));

    // A control destroyed after Initialize is simply gone.
    delete w.edit;
    w.edit = nullptr;
    w.form->resize(400, 300);
    rs.DoResize();
    EXPECT_EQ(twin->geometry(), QRect(300, 200, 40, 20));
}

TEST(Resize, LinesFontsizePropertyAndOptions)
{
    Window w;
    auto* line = new LineWidget(w.form.get());
    line->setObjectName("Line1");
    line->x1 = 10;
    line->x2 = 110;
    line->y1 = 5;
    line->y2 = 55;
    auto* hostedCtl = new QWidget(w.form.get());
    hostedCtl->setObjectName("QKSpin1");
    hostedCtl->setGeometry(50, 50, 16, 22);
    hostedCtl->setProperty("Fontsize", 8.0f);

    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    ASSERT_NE(rs.recordOf(line), nullptr);
    EXPECT_TRUE(rs.recordOf(line)->isLine());
    EXPECT_FLOAT_EQ(rs.recordOf(hostedCtl)->Fontsize(), 8.0f);

    rs.ResizeOption(w.edit, 1, true);    // width kept
    rs.ResizeOption(w.combo, 2, true);   // height kept
    rs.ResizeOption(w.inFrame, 3, false); // both kept, font kept

    w.form->resize(800, 450); // x 2, y 1.5
    rs.DoResize();
    EXPECT_EQ(line->x1, 20);
    EXPECT_EQ(line->x2, 220);
    EXPECT_EQ(line->y1, 8); // 7.5 rounds away from zero
    EXPECT_EQ(line->y2, 83);
    EXPECT_FLOAT_EQ(hostedCtl->property("Fontsize").toFloat(), 12.0f);
    EXPECT_EQ(w.edit->geometry(), QRect(190, 15, 77, 32));
    EXPECT_EQ(w.combo->geometry(), QRect(20, 60, 302, 23));
    EXPECT_EQ(w.inFrame->geometry(), QRect(14, 32, 33, 17));
    EXPECT_DOUBLE_EQ(w.inFrame->font().pointSizeF(), 10.0);
    EXPECT_DOUBLE_EQ(w.edit->font().pointSizeF(), 15.0);

    // Back to the design: everything, options ignored.
    rs.DoResize_First(false);
    EXPECT_EQ(line->x2, 110);
    EXPECT_EQ(w.edit->geometry(), QRect(95, 10, 77, 21));
    EXPECT_DOUBLE_EQ(w.edit->font().pointSizeF(), 10.0);
    EXPECT_EQ(w.form->size(), QSize(800, 450));
    rs.DoResize_First(true);
    EXPECT_EQ(w.form->size(), QSize(400, 300));
}

// A control that keeps its font size in its container, as hosted controls do.
class HostLike : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    float size = 9.0f;
};

TEST(Resize, FontSizeThroughTheContainerOfAClass)
{
    clsResize::setFontAccess("HostLike", {[](const QWidget* w) { return static_cast<const HostLike*>(w)->size; },
                                          [](QWidget* w, float s) { static_cast<HostLike*>(w)->size = s; }});
    Window w;
    auto* host = new HostLike(w.form.get());
    host->setObjectName("QKC");
    host->setGeometry(20, 20, 100, 80);
    auto* inner = new QWidget(host);
    inner->setObjectName("Kalender");
    inner->setGeometry(0, 0, 100, 80);
    host->setProperty("kmkResizeLeaf", true);

    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    EXPECT_FLOAT_EQ(rs.recordOf(host)->Fontsize(), 9.0f);
    EXPECT_EQ(rs.recordOf(inner), nullptr); // the host places what it holds

    w.form->resize(800, 900); // m = 2
    rs.DoResize();
    EXPECT_FLOAT_EQ(host->size, 18.0f);
    EXPECT_EQ(host->geometry(), QRect(40, 60, 200, 240));
    EXPECT_EQ(inner->geometry(), QRect(0, 0, 100, 80));
    EXPECT_DOUBLE_EQ(host->font().pointSizeF(), 10.0); // its widget font is not the one
    rs.DoResize_First(false);
    EXPECT_FLOAT_EQ(host->size, 9.0f);
}

TEST(Resize, ChangesInsideTheBandRestoreTheDesign)
{
    Window w;
    const auto before = w.snapshot();
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    rs.setScaleMinMax(10);
    EXPECT_FLOAT_EQ(rs.ScaleMinMax(), 10.0f);

    w.form->resize(430, 320); // within 10 %
    rs.DoResize();
    for (QWidget* c : w.all())
        EXPECT_EQ(c->geometry(), before.at(c).geometry);

    w.form->resize(480, 300); // 20 % wider: outside the band
    rs.DoResize();
    EXPECT_EQ(w.label->geometry(), QRect(12, 10, 96, 20));
}

TEST(Resize, InitializeAgainRecordsAfresh)
{
    Window w;
    clsResize rs;
    rs.setForm(w.form.get());
    rs.Initialize();
    w.label->setGeometry(20, 20, 50, 20);
    rs.Initialize();
    EXPECT_EQ(rs.controls().Count(), w.all().size());
    w.form->resize(800, 600);
    rs.DoResize();
    EXPECT_EQ(w.label->geometry(), QRect(40, 40, 100, 40));
}

#include "test_resize.moc"
