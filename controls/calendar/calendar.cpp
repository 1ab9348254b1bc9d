#include "controls/calendar/calendar.h"

#include "controls/common/inidefaults.h"
#include "platform/vb/date.h"

#include <QDate>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

namespace qkcal {

namespace {
const QString kDefaultDayTitles = QStringLiteral("S M T W T F S");
const QString kDefaultMonthNames =
    QStringLiteral("January February March April May June July August September October November December");
const QString kDayNumbers = QStringLiteral(" 1 2 3 4 5 6 7 8 910111213141516171819202122232425262728293031");

void checkBool(qint16 v, const char* text)
{
    if (v != 0 && v != 1 && v != -1)
        com::throwInvalidValue(QString::fromLatin1(text));
}

quint32 rgbOf(const QColor& c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// SplitWords: runs of non-blank characters; missing words are empty.
template <size_t N>
void splitInto(const QString& text, std::array<QString, N>& words)
{
    size_t n = 0;
    int i = 0;
    while (n < N && i < text.size()) {
        while (i < text.size() && text.at(i) == QLatin1Char(' '))
            ++i;
        const int start = i;
        while (i < text.size() && text.at(i) != QLatin1Char(' '))
            ++i;
        if (i > start)
            words[n++] = text.mid(start, i - start);
    }
    for (; n < N; ++n)
        words[n].clear();
}
} // namespace

Calendar::Calendar()
{
    markColor_.fill(0xFFFFFF);
    marks_.fill(0);
    dayTitles_ = kDefaultDayTitles;
    monthNames_ = kDefaultMonthNames;
    setToolTipText(QStringLiteral("QKCal"));
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        QObject::connect(bar, &QScrollBar::actionTriggered, bar, [this](int a) { onScrollAction(a); });
        // The press on the thumb counts as its first track, so that a click
        // without a drag changes nothing and any drag does.
        QObject::connect(bar, &QScrollBar::sliderPressed, bar, [this] { thumbTrack_ = 1; });
        QObject::connect(bar, &QScrollBar::sliderReleased, bar, [this] { onScrollReleased(); });
    }
    resize(134, 154);
    date_ = clampDate(today());
    maxMonths_ = 9999 * 12 + 11;
    minMonths_ = 100 * 12;
    splitWords();
    refreshDateParts();
    computeLayout();
}

Calendar::~Calendar() = default;

qint32 Calendar::today() const
{
    const QDate d = QDate::currentDate();
    return vb::MDYToSerial(dateType_, d.month(), d.day(), d.year());
}

qint32 Calendar::clampDate(qint32 v) const
{
    return std::clamp(v, minDate_, std::max(minDate_, maxDate_));
}

QString Calendar::monthWord(int month) const
{
    return month >= 1 && month <= 12 ? monthWords_[size_t(month - 1)] : QString();
}

QString Calendar::dayTitleWord(int weekday0) const
{
    return dayWords_[size_t(((weekday0 % 7) + 7) % 7)];
}

QScrollBar* Calendar::scrollBarWidget() const
{
    return scrollBar_ == 1 ? hbar_ : scrollBar_ == 2 ? vbar_ : nullptr;
}

// ---------------------------------------------------------------- date commits

void Calendar::derive()
{
    int m = 0, d = 0, y = 0;
    vb::SerialToMDY(dateType_, date_, m, d, y);
    month_ = qint16(m);
    day_ = qint16(d);
    year_ = qint16(y);
    firstWeekday_ = vb::WeekdayOfSerial(dateType_, vb::MDYToSerial(dateType_, m, 1, y));
    weekday_ = qint16(vb::WeekdayOfSerial(dateType_, date_));
    daysInMonth_ = qint16(vb::DaysInMonth(y, m));
    yearDayNumber_ = qint16(date_ - vb::MDYToSerial(dateType_, 1, 1, y) + 1);
    yearDaysLeft_ = qint16(vb::MDYToSerial(dateType_, 12, 31, y) - date_);
}

void Calendar::refreshDateParts()
{
    derive();
    shownDay_ = day_;
    shownMonth_ = month_;
    shownYear_ = year_;
    updateScrollPosition();
}

void Calendar::applyDateParts()
{
    const int oldDay = shownDay_, oldMonth = shownMonth_, oldYear = shownYear_;
    date_ = clampDate(vb::MDYToSerial(dateType_, month_, day_, year_));
    refreshDateParts();
    QPointer<Calendar> self(this);
    if (month_ != oldMonth || year_ != oldYear) {
        std::fill(marks_.begin() + 1, marks_.end(), marks_[0]);
        fireEvent(id::Change);
        if (!self)
            return;
        update();
    } else if (day_ != oldDay) {
        fireEvent(id::Change);
        if (!self)
            return;
        repaintDay(oldDay);
        repaintDay(day_);
    } else {
        return;
    }
    notifyChanged(id::Date);
}

void Calendar::applySerialDate()
{
    date_ = clampDate(date_);
    derive();
    QPointer<Calendar> self(this);
    if (month_ != shownMonth_ || year_ != shownYear_) {
        std::fill(marks_.begin() + 1, marks_.end(), marks_[0]);
        shownMonth_ = month_;
        shownYear_ = year_;
        fireEvent(id::Change);
        if (!self)
            return;
        update();
    } else if (day_ != shownDay_) {
        fireEvent(id::Change);
        if (!self)
            return;
        if (dayFrame_) {
            repaintDay(shownDay_);
            repaintDay(day_);
        }
    } else {
        return;
    }
    shownDay_ = day_;
    updateScrollPosition();
    notifyChanged(id::Date);
}

void Calendar::repaintDay(int day)
{
    if (day < 1 || day > daysInMonth_)
        return;
    update(dayCellRect(day).adjusted(-3, -3, 3, 3));
}

// ---------------------------------------------------------------- setters

void Calendar::setDate(qint32 v)
{
    if (v < minDate_ || v > maxDate_)
        refuse("The Date property must be between MinDate and MaxDate inclusive.");
    date_ = v;
    setModified();
    refreshDateParts();
    QPointer<Calendar> self(this);
    fireEvent(id::Change);
    if (!self)
        return;
    update();
    notifyChanged(id::Date);
}

void Calendar::countMonths()
{
    int m = 0, d = 0, y = 0;
    vb::SerialToMDY(dateType_, maxDate_, m, d, y);
    maxMonths_ = y * 12 + m - 1;
    vb::SerialToMDY(dateType_, minDate_, m, d, y);
    minMonths_ = y * 12 + m - 1;
}

void Calendar::adoptBounds(qint32 mn, qint32 mx)
{
    mx = std::clamp(mx, vb::lowestSerial(dateType_), vb::highestSerial(dateType_));
    mn = std::clamp(mn, vb::lowestSerial(dateType_), vb::highestSerial(dateType_));
    if (mn > mx) {
        mn = vb::lowestSerial(dateType_);
        mx = vb::highestSerial(dateType_);
    }
    maxDate_ = mx;
    minDate_ = mn;
}

void Calendar::setBound(bool isMax, qint32 v)
{
    const qint32 lo = vb::lowestSerial(dateType_);
    const qint32 hi = vb::highestSerial(dateType_);
    const qint32 bound = std::clamp(v, lo, hi);
    (isMax ? maxDate_ : minDate_) = bound;
    countMonths();
    setModified();
    updateScrollRange();
    notifyChanged(isMax ? id::MaxDate : id::MinDate);
    if (isMax ? date_ >= bound : date_ <= bound) {
        date_ = bound;
        refreshDateParts();
        QPointer<Calendar> self(this);
        fireEvent(id::Change);
        if (!self)
            return;
        update();
        notifyChanged(id::Date);
    }
}

void Calendar::setMaxDate(qint32 v)
{
    if (v < minDate_)
        refuse("The MaxDate property must be greater than or equal to the MinDate property.");
    setBound(true, v);
}

void Calendar::setMinDate(qint32 v)
{
    if (v > maxDate_)
        refuse("The MinDate property must be less than or equal to the MaxDate property.");
    setBound(false, v);
}

void Calendar::setDateType(qint16 t)
{
    if (t != 0 && t != 1)
        refuse("DateType must be either 0 - Visual Basic Serial Date, or 1 - Marwelin Serial Date");
    // Work out the new bounds first: a refused bound leaves everything as it was.
    qint32 newMax = maxDate_, newMin = minDate_;
    if (t == 1) {
        newMax = newMax > vb::qkDateMax ? vb::qkDateMax : (newMax < vb::qkDateMin ? vb::qkDateMin : newMax);
        if (newMax < minDate_)
            refuse("The MaxDate property must be greater than or equal to the MinDate property.");
        newMin = newMin > vb::qkDateMax ? vb::qkDateMax : (newMin < vb::qkDateMin ? vb::qkDateMin : newMin);
        if (newMin > newMax)
            refuse("The MinDate property must be less than or equal to the MaxDate property.");
    } else {
        if (newMax == vb::qkDateMax)
            newMax = vb::kVbMaxSerial;
        if (newMin == vb::qkDateMin)
            newMin = vb::kVbMinSerial;
    }
    // The serials are re-read as the same calendar day in the new epoch, then
    // kept inside the new bounds; only a day that had to move raises Change.
    const int m = month_, d = day_, y = year_;
    dateType_ = t;
    maxDate_ = newMax;
    minDate_ = newMin;
    countMonths();
    date_ = clampDate(vb::MDYToSerial(t, m, d, y));
    setModified();
    updateScrollRange();
    refreshDateParts();
    update();
    notifyChanged(id::DateType);
    notifyChanged(id::MaxDate);
    notifyChanged(id::MinDate);
    if (month_ != m || day_ != d || year_ != y) {
        QPointer<Calendar> self(this);
        fireEvent(id::Change);
        if (!self)
            return;
    }
    notifyChanged(id::Date);
}

void Calendar::setDatePart(qint16& part, qint16 v, bool ok, const char* refusal)
{
    if (!ok)
        refuse(refusal);
    part = v;
    setModified();
    applyDateParts();
}

void Calendar::setDay(qint16 v)
{
    setDatePart(day_, v, v >= 1 && v <= daysInMonth_, "Day must be a number from 1 to the number of days in Month");
}

void Calendar::setMonth(qint16 v)
{
    setDatePart(month_, v, v >= 1 && v <= 12, "Month must be a number from 1 (January) to 12 (December)");
}

void Calendar::setYear(qint16 v)
{
    setDatePart(year_, v, v >= 100 && v <= 9999, "Year must be a number from 100 to 9999");
}

void Calendar::setScrollBar(qint16 v)
{
    if (v < 0 || v > 2)
        refuse("ScrollBar must be 0 - None, 1 - Horizontal, or 2 - Vertical");
    if (v == scrollBar_)
        return;
    if (QScrollBar* old = scrollBarWidget())
        old->hide();
    scrollBar_ = v;
    updateScrollRange();
    updateScrollPosition();
    if (QScrollBar* bar = scrollBarWidget())
        bar->show();
    computeLayout();
    update();
    changed(id::ScrollBar);
}

// A property that only changes the drawing.
void Calendar::setLook(qint16& member, qint16 v, bool ok, const char* refusal, com::DispId which)
{
    if (!ok)
        refuse(refusal);
    member = v;
    update();
    changed(which);
}

void Calendar::setFirstDay(qint16 v)
{
    setLook(firstDay_, v, v >= 1 && v <= 7, "FirstDay must be a number from 1 (Sunday) to 7 (Saturday)", id::FirstDay);
}

void Calendar::setDatePosition(qint16 v)
{
    setLook(datePosition_, v, v >= 0 && v <= 9, "The DatePosition property must be a number from 0 to 9 (see Help File for details)", id::DatePosition);
}

void Calendar::setBorderStyle(qint16 v)
{
    setLook(borderStyle_, v, v == 0 || v == 1, "BorderStyle must be either 0 - None, or 1 - Fixed Single", com::dispid::BorderStyle);
}

qint16 Calendar::boolProperty(com::DispId which) const
{
    switch (which) {
    case id::DayFrame: return dayFrame_;
    case id::ThreeD: return threeD_;
    case id::GetArrows: return getArrows_;
    default: return focusFrame_;
    }
}

void Calendar::setBoolProperty(com::DispId which, qint16 v)
{
    switch (which) {
    case id::DayFrame:
        checkBool(v, "DayFrame must be either True or False");
        dayFrame_ = v;
        repaintDay(day_);
        break;
    case id::ThreeD:
        checkBool(v, "ThreeD must be either True or False");
        threeD_ = v;
        setBackColorValue(rgbOf(ctl::oleColor(v ? 0x8000000F : 0x80000005)));
        update();
        break;
    case id::GetArrows:
        checkBool(v, "GetArrows must be either True or False");
        getArrows_ = v;
        break;
    default:
        checkBool(v, "FocusFrame must be either True or False");
        focusFrame_ = v;
        update();
        break;
    }
    changed(which);
}

void Calendar::setDayTitles(const QString& t)
{
    dayTitles_ = t;
    splitWords();
    update();
    changed(id::DayTitles);
}

void Calendar::setMonthNames(const QString& t)
{
    monthNames_ = t;
    splitWords();
    update();
    changed(id::MonthNames);
}

void Calendar::splitWords()
{
    splitInto(dayTitles_, dayWords_);
    splitInto(monthNames_, monthWords_);
}

qint16 Calendar::markType(qint16 index) const
{
    return index >= 0 && index <= daysInMonth_ ? marks_[size_t(index)] : qint16(0);
}

void Calendar::setMarkType(qint16 index, qint16 m)
{
    if (index == 0) {
        marks_.fill(m);
        update();
    } else {
        if (index < 1 || index > daysInMonth_)
            refuse("MarkDay must be a number from 0 (all days in month) to the number of days in Month");
        if (m > 8)
            refuse("MarkType must be a number from 0 (no mark) to 8");
        marks_[size_t(index)] = m;
        repaintDay(index);
    }
    changed(id::MarkType);
}

quint32 Calendar::colorProperty(com::DispId which) const
{
    switch (which) {
    case id::LightColor: return lightColor_;
    case id::ShadeColor: return shadeColor_;
    case id::BorderColor: return borderColor_;
    case id::DisabledColor: return disabledColor_;
    default: return markColor_[size_t(which - id::MarkColor1)];
    }
}

void Calendar::setColorProperty(com::DispId which, quint32 c)
{
    switch (which) {
    case id::LightColor: lightColor_ = c; break;
    case id::ShadeColor: shadeColor_ = c; break;
    case id::BorderColor: borderColor_ = c; break;
    case id::DisabledColor:
        disabledColor_ = c;
        if (isEnabled()) {
            changed(which);
            return;
        }
        break;
    default: markColor_[size_t(which - id::MarkColor1)] = c; break;
    }
    update();
    changed(which);
}

// ---------------------------------------------------------------- layout

void Calendar::computeLayout()
{
    int W = width(), H = height();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (scrollBar_ == 1) {
        H -= extent + 2;
        hbar_->setGeometry(0, height() - extent, width(), extent);
    } else if (scrollBar_ == 2) {
        W -= extent + 2;
        vbar_->setGeometry(width() - extent, 0, extent, height());
    }
    const int b = borderStyle_ ? 1 : 0;
    const int f = threeD_ ? 0 : 1;
    const int W2 = W + 2 * (2 * f - b - 5);
    const int H2 = H + 4 * f - 2 * b - 14;
    cellW_ = std::max(0, W2 / 7);
    cellH_ = std::max(0, H2 / 8);
    const int left = b + (W2 - 7 * cellW_) / 2 - 2 * f + 5;
    const int top = (H2 - 8 * cellH_) / 2 + b - 2 * f + 7;
    grid_ = QRect(QPoint(left, top), QPoint(left + 7 * cellW_, top + 8 * cellH_));
}

QRect Calendar::dayCellRect(int day) const
{
    const int c = firstWeekday_, F = firstDay_;
    const int k = c < F ? c + day - F + 6 : c + day - F - 1;
    const int row = k / 7 + 2, col = k % 7;
    const int l = grid_.left() + col * cellW_, t = grid_.top() + row * cellH_;
    return QRect(QPoint(l, t), QPoint(l + cellW_ - 1, t + cellH_ - 1));
}

int Calendar::hitTestDay(const QPoint& p) const
{
    if (cellW_ <= 0 || cellH_ <= 0)
        return 0;
    if (p.x() < grid_.left() || p.x() >= grid_.right() || p.y() < grid_.top() || p.y() >= grid_.bottom())
        return 0;
    const int row = (p.y() - grid_.top()) / cellH_;
    int day = firstDay_ + (p.x() - grid_.left()) / cellW_ + 7 * row - firstWeekday_ - 13;
    if (firstWeekday_ < firstDay_)
        day -= 7;
    return day < 0 || day > daysInMonth_ ? 0 : day;
}

void Calendar::updateScrollRange()
{
    const qint32 span = std::min(maxMonths_ - minMonths_, qint32(32767));
    QScrollBar* bar = scrollBarWidget();
    hbar_->setRange(0, 0);
    vbar_->setRange(0, 0);
    if (bar)
        bar->setRange(0, std::max(0, span));
    updateScrollPosition();
}

void Calendar::updateScrollPosition()
{
    QScrollBar* bar = scrollBarWidget();
    if (!bar)
        return;
    const qint64 full = qint64(maxMonths_) - minMonths_;
    qint64 pos = qint64(year_) * 12 + month_ - minMonths_ - 1;
    if (full >= 32768)
        pos = pos * 32768 / full;
    const QSignalBlocker block(bar);
    bar->setSliderPosition(int(std::clamp<qint64>(pos, bar->minimum(), bar->maximum())));
}

void Calendar::onScrollAction(int action)
{
    int m = month_, d = day_, y = year_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: vb::AddMonthsToParts(m, d, y, -1); break;
    case QAbstractSlider::SliderSingleStepAdd: vb::AddMonthsToParts(m, d, y, 1); break;
    case QAbstractSlider::SliderPageStepSub: vb::AddYearsToParts(m, d, y, -1); break;
    case QAbstractSlider::SliderPageStepAdd: vb::AddYearsToParts(m, d, y, 1); break;
    case QAbstractSlider::SliderMove:
        if (QScrollBar* bar = scrollBarWidget(); bar && bar->isSliderDown()) {
            ++thumbTrack_;
            return;
        }
        // The wheel and the bar's own menu move the thumb without a drag:
        // the month stays, so the thumb goes back to it.
        updateScrollPosition();
        return;
    default:
        updateScrollPosition();
        return;
    }
    month_ = qint16(m);
    day_ = qint16(d);
    year_ = qint16(y);
    applyDateParts();
    // The bar moved itself; put it where the shown month says.
    QTimer::singleShot(0, this, [this] { updateScrollPosition(); });
}

void Calendar::onScrollReleased()
{
    QScrollBar* bar = scrollBarWidget();
    if (!bar)
        return;
    if (thumbTrack_ != 1) {
        const qint64 p = bar->sliderPosition();
        const qint64 span = qint64(maxMonths_) - minMonths_;
        const qint64 months = span < 32768 ? p + minMonths_ : p * span / 32768 + minMonths_;
        year_ = qint16(months / 12);
        month_ = qint16(months % 12 + 1);
        const int len = vb::DaysInMonth(year_, month_);
        if (day_ > 28 && day_ >= len)
            day_ = qint16(len);
        applyDateParts();
    }
    thumbTrack_ = 0;
    updateScrollPosition();
}

// ---------------------------------------------------------------- drawing

void Calendar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    QRect r = rect();
    if (scrollBar_ == 1)
        r.setBottom(hbar_->geometry().top() - 1);
    else if (scrollBar_ == 2)
        r.setRight(vbar_->geometry().left() - 1);
    const QRect whole = r;
    const QColor light = ctl::oleColor(lightColor_);
    const QColor shade = ctl::oleColor(shadeColor_);
    if (threeD_) {
        if (borderStyle_ == 1)
            r.adjust(1, 1, -1, -1);
        p.fillRect(r, ctl::oleColor(backColorValue()));
        ctl::drawEdge(p, r, light, shade);
        r.adjust(1, 1, -1, -1);
        ctl::drawEdge(p, r, light, shade);
        r.adjust(1, 1, -1, -1);
    } else {
        p.fillRect(r, ctl::oleColor(backColorValue()));
    }
    if (isEnabled() && focusFrame_ && hasFocus()) {
        r.adjust(1, 1, -1, -1);
        QPen pen(ctl::oleColor(foreColorValue()));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    const QColor text = isEnabled() ? ctl::oleColor(foreColorValue()) : ctl::oleColor(disabledColor_);

    // Title: month and four-digit year.
    const QRect title(grid_.left(), grid_.top(), 7 * cellW_, cellH_);
    p.setPen(text);
    p.drawText(title, Qt::AlignCenter | Qt::TextSingleLine,
               QStringLiteral("%1 %2").arg(monthWord(month_)).arg(int(year_), 4, 10, QLatin1Char('0')));
    if (threeD_)
        ctl::drawEdge(p, title.adjusted(0, 0, -1, -1), shade, light);

    if (!threeD_) {
        p.setPen(QColor(128, 128, 128));
        for (int i = 2; i <= 8; ++i) {
            const int y = grid_.top() + i * cellH_ - 1;
            p.drawLine(grid_.left() - 1, y, grid_.left() - 1 + 7 * cellW_ - 1, y);
        }
        for (int i = 0; i <= 7; ++i) {
            const int x = grid_.left() + i * cellW_ - 1;
            const int y0 = grid_.top() + 2 * cellH_ - 1;
            p.drawLine(x, y0, x, y0 + 6 * cellH_);
        }
    }

    p.setPen(text);
    for (int i = 0; i < 7; ++i) {
        const QRect cell(grid_.left() + i * cellW_, grid_.top() + cellH_, cellW_, cellH_);
        p.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, dayTitleWord(firstDay_ + i - 1));
    }

    const QFontMetrics fm(font());
    const int numberWidth = fm.horizontalAdvance(QStringLiteral("30"));
    const int numberHeight = fm.height();
    for (int d = 1; d <= daysInMonth_; ++d) {
        const QRect full = dayCellRect(d);
        QRect cell = full;
        if (threeD_) {
            cell.adjust(1, 1, -1, -1);
            ctl::drawEdge(p, cell, shade, light);
            cell.adjust(1, 1, -1, -1);
        }
        const int mark = marks_[size_t(d)];
        if (mark >= 1 && mark <= 8)
            p.fillRect(cell, ctl::oleColor(markColor_[size_t(mark - 1)]));
        if (datePosition_ != 9) {
            QRect nr = cell;
            const int h = datePosition_ % 3;   // 0 left, 1 centre, 2 right
            const int v = datePosition_ / 3;   // 0 top, 1 middle, 2 bottom
            if (h != 1) {
                if (numberWidth + 4 < cellW_)
                    nr.adjust(1, 0, -2, 0);
                else
                    nr.adjust(-1, 0, 0, 0);
            }
            if (v != 1 && cellH_ < numberHeight + 4) {
                if (v == 0)
                    nr.adjust(0, -2, 0, 0);
                else
                    nr.adjust(0, 0, 0, 2);
            }
            const Qt::Alignment ah = h == 0 ? Qt::AlignLeft : h == 1 ? Qt::AlignHCenter : Qt::AlignRight;
            const Qt::Alignment av = v == 0 ? Qt::AlignTop : v == 1 ? Qt::AlignVCenter : Qt::AlignBottom;
            p.setPen(text);
            p.drawText(nr, ah | av | Qt::TextSingleLine, kDayNumbers.mid(2 * (d - 1), 2));
        }
        if (dayFrame_ && d == day_) {
            p.setPen(Qt::black);
            p.setBrush(Qt::NoBrush);
            if (threeD_) {
                p.drawRect(full.adjusted(-1, -1, 0, 0));
                p.drawRect(full.adjusted(-2, -2, 1, 1));
            } else {
                p.drawRect(full.adjusted(0, 0, -1, -1));
                p.drawRect(full.adjusted(-2, -2, 1, 1));
            }
        }
    }
    if (borderStyle_ == 1) {
        p.setPen(ctl::oleColor(borderColor_));
        p.setBrush(Qt::NoBrush);
        p.drawRect(whole.adjusted(0, 0, -1, -1));
    }
}

void Calendar::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    computeLayout();
}

void Calendar::onFontChanged()
{
    computeLayout();
    update();
}

void Calendar::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(e);
}

void Calendar::focusInEvent(QFocusEvent* e)
{
    if (focusFrame_)
        update();
    QWidget::focusInEvent(e);
}

void Calendar::focusOutEvent(QFocusEvent* e)
{
    if (focusFrame_)
        update();
    QWidget::focusOutEvent(e);
}

// ---------------------------------------------------------------- input

void Calendar::keyPressEvent(QKeyEvent* e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const int key = e->key();
    const bool arrow = isArrowKey(key);
    if (arrow && !getArrows_ && !ctrl) {
        e->ignore();   // the host's normal path
        return;
    }
    QPointer<Calendar> self(this);
    int m = month_, d = day_, y = year_;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int step = key == Qt::Key_PageUp ? -1 : 1;
        if (ctrl)
            y += step;
        else
            vb::AddMonthsToParts(m, d, y, step);
        month_ = qint16(m), day_ = qint16(d), year_ = qint16(y);
        applyDateParts();
        break;
    }
    case Qt::Key_End:
        day_ = daysInMonth_;
        applyDateParts();
        break;
    case Qt::Key_Home:
        if (ctrl) {
            vb::SerialToMDY(dateType_, today(), m, d, y);
            month_ = qint16(m), day_ = qint16(d), year_ = qint16(y);
        } else {
            day_ = 1;
        }
        applyDateParts();
        break;
    case Qt::Key_Left: date_ -= 1; applySerialDate(); break;
    case Qt::Key_Up: date_ -= 7; applySerialDate(); break;
    case Qt::Key_Right: date_ += 1; applySerialDate(); break;
    case Qt::Key_Down: date_ += 7; applySerialDate(); break;
    default:
        // Keys the calendar has no use for also go on to the host.
        e->ignore();
        break;
    }
    if (!self)
        return;
    const bool ours = e->isAccepted();
    fireKeyDown(e);
    if (self)
        fireKeyPress(e);
    e->setAccepted(ours);
}

void Calendar::keyReleaseEvent(QKeyEvent* e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const int key = e->key();
    const bool arrow = isArrowKey(key);
    if (arrow && !getArrows_ && !ctrl) {
        e->ignore();
        return;
    }
    const bool ours = arrow || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End
        || key == Qt::Key_Home;
    fireKeyUp(e);
    e->setAccepted(ours);
}

void Calendar::mousePressEvent(QMouseEvent* e)
{
    toolTipState().hide();
    QPointer<Calendar> self(this);
    if (e->button() == Qt::LeftButton) {
        const int hit = hitTestDay(e->position().toPoint());
        if (hit > 0) {
            const qint32 target = clampDate(date_ + (hit - shownDay_));
            const qint32 diff = target - date_;
            if (diff != 0) {
                const int oldDay = day_;
                date_ = target;
                day_ = qint16(day_ + diff);
                yearDayNumber_ = qint16(yearDayNumber_ + diff);
                yearDaysLeft_ = qint16(yearDaysLeft_ - diff);
                weekday_ = qint16(vb::WeekdayOfSerial(dateType_, date_));
                fireEvent(id::Change);
                if (!self)
                    return;
                if (dayFrame_) {
                    repaintDay(oldDay);
                    repaintDay(day_);
                }
                shownDay_ = day_;
                updateScrollPosition();
                notifyChanged(id::Date);
            }
        }
    }
    if (!self)
        return;
    if (isEnabled())
        setFocus(Qt::MouseFocusReason);
    fireMouseDown(e);
}

void Calendar::mouseReleaseEvent(QMouseEvent* e) { fireMouseUp(e); }

void Calendar::mouseDoubleClickEvent(QMouseEvent* e)
{
    QPointer<Calendar> self(this);
    fireMouseDown(e);
    if (self)
        fireDblClick();
}

void Calendar::mouseMoveEvent(QMouseEvent* e)
{
    toolTipState().mouseMoved(e->position().toPoint());
    fireMouseMove(e);
}

} // namespace qkcal
