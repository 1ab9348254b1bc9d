#include "app/resize/clsresize.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLayout>
#include <QTabBar>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace kmk {

// ---------------------------------------------------------------- col_Controls

clsControl* col_Controls::neu(const QString& Name)
{
    if (m_byKey.contains(Name))
        return nullptr;
    auto rec = std::make_unique<clsControl>();
    rec->setTag(Count() + 1);
    rec->setName(Name);
    clsControl* p = rec.get();
    m_items.push_back(std::move(rec));
    m_byKey.insert(Name, p);
    return p;
}

clsControl* col_Controls::Add(long Top, long Left, long Width, long Height, const QString& Name, float Fontsize)
{
    clsControl* rec = neu(Name);
    if (!rec)
        return nullptr;
    rec->setTop(Top);
    rec->setLeft(Left);
    rec->setWidth(Width);
    rec->setHeight(Height);
    rec->setFontsize(Fontsize);
    return rec;
}

clsControl* col_Controls::AddLine(long X1, long X2, long Y1, long Y2, const QString& Name)
{
    clsControl* rec = neu(Name);
    if (!rec)
        return nullptr;
    rec->setX1(X1);
    rec->setX2(X2);
    rec->setY1(Y1);
    rec->setY2(Y2);
    rec->setLine(true);
    return rec;
}

clsControl* col_Controls::Item(const QString& Key) const
{
    return m_byKey.value(Key, nullptr);
}

void col_Controls::clear()
{
    m_byKey.clear();
    m_items.clear();
}

// ---------------------------------------------------------------- helpers

namespace {

long roundPx(double v)
{
    return long(std::lround(v));
}

bool isLineControl(const QWidget* w)
{
    return w->property("X1").isValid() && w->property("X2").isValid()
        && w->property("Y1").isValid() && w->property("Y2").isValid();
}

QList<QPair<QString, clsResize::FontAccess>>& fontAccessors()
{
    static QList<QPair<QString, clsResize::FontAccess>> list;
    return list;
}

const clsResize::FontAccess* fontAccessOf(const QWidget* w)
{
    for (const auto& [name, access] : fontAccessors()) {
        if (w->inherits(name.toLatin1().constData()))
            return &access;
    }
    return nullptr;
}

// Font size of a control: a hosted control keeps it in its container or in
// "Fontsize", every other widget in its font (point size, or pixel size for
// pixel fonts).
float readFontSize(const QWidget* w)
{
    if (const auto* access = fontAccessOf(w))
        return access->get(w);
    const QVariant v = w->property("Fontsize");
    if (v.isValid())
        return v.toFloat();
    const QFont f = w->font();
    if (f.pointSizeF() > 0)
        return float(f.pointSizeF());
    return float(f.pixelSize());
}

void writeFontSize(QWidget* w, double size)
{
    if (!(size > 0))
        return; // a font cannot shrink to nothing; keep what it has
    if (const auto* access = fontAccessOf(w)) {
        if (access->get(w) != float(size))
            access->set(w, float(size));
        return;
    }
    if (w->property("Fontsize").isValid()) {
        w->setProperty("Fontsize", float(size));
        return;
    }
    QFont f = w->font();
    if (f.pointSizeF() > 0) {
        if (f.pointSizeF() == size)
            return;
        f.setPointSizeF(size);
    } else {
        const int px = std::max(1, int(std::lround(size)));
        if (f.pixelSize() == px)
            return;
        f.setPixelSize(px);
    }
    w->setFont(f);
}

bool managedByLayout(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(w)) >= 0;
}

bool descendInto(const QWidget* w)
{
    if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QTabBar*>(w))
        return false;
    return !w->property("kmkResizeLeaf").toBool();
}

void collect(QWidget* parent, QList<QWidget*>& out)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !managedByLayout(w))
            out.append(w);
        if (descendInto(w))
            collect(w, out);
    }
}

} // namespace

// ---------------------------------------------------------------- clsResize

void clsResize::setFontAccess(const QString& className, FontAccess access)
{
    for (auto& entry : fontAccessors()) {
        if (entry.first == className) {
            entry.second = std::move(access);
            return;
        }
    }
    fontAccessors().append({className, std::move(access)});
}

QList<QWidget*> clsResize::controlsOf(QWidget* form)
{
    QList<QWidget*> out;
    if (form)
        collect(form, out);
    return out;
}

clsControl* clsResize::recordOf(QWidget* control) const
{
    const auto it = m_byWidget.constFind(control);
    if (it == m_byWidget.constEnd())
        return nullptr;
    // A widget created later at the address of a destroyed one is not ours.
    if (m_alive.value(control).data() != control)
        return nullptr;
    return it.value();
}

void clsResize::Initialize()
{
    m_controls.clear();
    m_byWidget.clear();
    m_alive.clear();
    QWidget* form = m_form.data();
    if (!form)
        return;

    m_formRecord.setHeight(form->height());
    m_formRecord.setWidth(form->width());
    m_formRecord.setTop(form->y());
    m_formRecord.setLeft(form->x());

    // Two controls may carry the same name; each still gets a record of its
    // own, so neither is later placed on the other's spot.
    QHash<QString, int> seen;
    for (QWidget* w : controlsOf(form)) {
        QString key = w->objectName();
        const int n = ++seen[key];
        if (n > 1)
            key += QLatin1Char('#') + QString::number(n);

        clsControl* rec = nullptr;
        if (isLineControl(w)) {
            rec = m_controls.AddLine(w->property("X1").toInt(), w->property("X2").toInt(),
                                     w->property("Y1").toInt(), w->property("Y2").toInt(), key);
        } else {
            const bool parked = w->x() < 0;
            const long left = w->x() + (parked ? HiddenOffset : 0);
            rec = m_controls.Add(w->y(), left, w->width(), w->height(), key, readFontSize(w));
            if (rec)
                rec->setParkedAtDesign(parked);
        }
        if (!rec)
            continue;
        m_byWidget.insert(w, rec);
        m_alive.insert(w, QPointer<QWidget>(w));
    }
}

void clsResize::place(QWidget* w, const clsControl& rec, double xr, double yr, double m, bool first)
{
    // A control whose font is not scaled still gets its own size written:
    // otherwise it would inherit the scaled font of its frame.
    writeFontSize(w, double(rec.Fontsize()) * ((first || rec.FontSizing()) ? m : 1.0));

    if (rec.isLine()) {
        w->setProperty("X1", int(roundPx(rec.X1() * xr)));
        w->setProperty("X2", int(roundPx(rec.X2() * xr)));
        w->setProperty("Y1", int(roundPx(rec.Y1() * yr)));
        w->setProperty("Y2", int(roundPx(rec.Y2() * yr)));
        return;
    }

    const int option = first ? 0 : rec.ResizeOption();
    const bool keepWidth = option == 1 || option == 3;
    const bool keepHeight = option == 2 || option == 3;

    long left = roundPx(rec.Left() * xr);
    // A control parked out of sight now keeps its distance to the window
    // scaled as well; it must not be scaled into view.
    if (rec.parkedAtDesign() && w->x() < 0)
        left = roundPx((rec.Left() - HiddenOffset) * xr) + HiddenOffset;
    const long top = roundPx(rec.Top() * yr);
    const long width = keepWidth ? rec.Width() : roundPx(rec.Width() * xr);
    const long height = keepHeight ? rec.Height() : roundPx(rec.Height() * yr);

    if (qobject_cast<QComboBox*>(w)) {
        // Combo boxes take their values one by one.
        w->move(w->x(), int(top));
        w->move(int(left), w->y());
        w->resize(int(std::max(0L, width)), w->height());
        w->resize(w->width(), int(std::max(0L, height)));
    } else {
        w->setGeometry(int(left), int(top), int(std::max(0L, width)), int(std::max(0L, height)));
    }
}

void clsResize::DoResize()
{
    QWidget* form = m_form.data();
    if (!form || form->isMinimized() || form->width() <= 0 || form->height() <= 0)
        return;
    if (m_formRecord.Width() <= 0 || m_formRecord.Height() <= 0)
        return; // never initialised

    const double xr = double(float(form->width()) / float(m_formRecord.Width()));
    const double yr = double(float(form->height()) / float(m_formRecord.Height()));
    const double m = std::min(xr, yr);

    const double lo = 1.0 - double(m_scaleMinMax) / 100.0;
    const double hi = 1.0 + double(m_scaleMinMax) / 100.0;
    const bool outside = xr < lo || xr > hi || yr < lo || yr > hi;
    if (!outside) {
        DoResize_First(false);
        return;
    }

    QList<QWidget*> noted;
    for (QWidget* w : controlsOf(form)) {
        clsControl* rec = recordOf(w);
        if (!rec)
            continue; // added after Initialize: stays where it is
        const bool hidden = !rec->isLine() && w->x() < 0;
        place(w, *rec, xr, yr, m, false);
        if (hidden)
            noted.append(w);
    }
    for (QWidget* w : noted)
        w->move(int(w->x() - HiddenOffset), w->y());
}

void clsResize::DoResize_First(bool RestoreForm)
{
    QWidget* form = m_form.data();
    if (!form)
        return;
    QList<QWidget*> noted;
    for (QWidget* w : controlsOf(form)) {
        clsControl* rec = recordOf(w);
        if (!rec)
            continue;
        const bool hidden = !rec->isLine() && w->x() < 0;
        place(w, *rec, 1.0, 1.0, 1.0, true);
        if (hidden)
            noted.append(w);
    }
    for (QWidget* w : noted)
        w->move(int(w->x() - HiddenOffset), w->y());

    if (RestoreForm && m_formRecord.Width() > 0 && m_formRecord.Height() > 0) {
        form->resize(form->width(), int(m_formRecord.Height()));
        form->resize(int(m_formRecord.Width()), form->height());
    }
}

void clsResize::ResizeOption(QWidget* control, int option, bool fontSizing)
{
    if (clsControl* rec = recordOf(control)) {
        rec->setResizeOption(option);
        rec->setFontSizing(fontSizing);
    }
}

} // namespace kmk
