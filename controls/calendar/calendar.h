#pragma once
// The month calendar control of QKCAL32 (class QKCalendar).

#include "controls/common/controlbase.h"

#include <array>

class QScrollBar;

namespace qkcal {

// Dispatch ids of the calendar's interface.
namespace id {
enum : com::DispId {
    FontName = 1, FontBold = 2, FontItalic = 3, FontSize = 4, DateType = 5, Date = 6, MaxDate = 7,
    MinDate = 8, DayFrame = 9, ThreeD = 10, Day = 11, Month = 12, Year = 13, Weekday = 14,
    DaysInMonth = 15, YearDayNumber = 16, YearDaysLeft = 17, ScrollBar = 18, FirstDay = 19,
    GetArrows = 20, FocusFrame = 21, DayTitles = 22, MonthNames = 23, MarkColor1 = 24,
    FontUnderline = 32, FontStrikethru = 33, MouseIcon = 34, MousePointer = 35, HdnWidth = 36,
    HdnHeight = 37, LightColor = 38, ShadeColor = 39, BorderColor = 40, DisabledColor = 41,
    DatePosition = 42, ToolTip = 43, MDYtoDateTime = 44, DateTimeToMDY = 45, CalcDayOfWeek = 46,
    CalcDaysInMonth = 47, AddMonth = 48, AddYear = 49, MarkType = 50,
};
constexpr com::DispId Change = 1;   // event
} // namespace id

const com::ClassInfo& classInfo();

class Calendar : public ctl::ControlBase {
public:
    Calendar();
    ~Calendar() override;

    // IControl
    const com::ClassInfo& classInfo() const override { return qkcal::classInfo(); }
    com::HRESULT invoke(com::DispId id, com::InvokeKind kind, QVariantList& args, QVariant* result,
                        com::ExcepInfo* exc) override;
    void initNew() override;
    com::HRESULT load(const com::PropertyBag& bag) override;
    com::HRESULT save(com::PropertyBag& bag) override;
    void showPropertyPage() override;

    // Property setters; a refused value throws com::DispatchException and changes nothing.
    void setDate(qint32 v);
    void setMaxDate(qint32 v);
    void setMinDate(qint32 v);
    void setDateType(qint16 t);
    void setDay(qint16 v);
    void setMonth(qint16 v);
    void setYear(qint16 v);
    void setScrollBar(qint16 v);
    void setFirstDay(qint16 v);
    void setDatePosition(qint16 v);
    void setBorderStyle(qint16 v);
    void setBoolProperty(com::DispId which, qint16 v);
    void setDayTitles(const QString& t);
    void setMonthNames(const QString& t);
    void setMarkType(qint16 index, qint16 m);
    qint16 markType(qint16 index) const;
    void setColorProperty(com::DispId which, quint32 c);
    quint32 colorProperty(com::DispId which) const;

    qint32 date() const { return date_; }
    qint32 minDate() const { return minDate_; }
    qint32 maxDate() const { return maxDate_; }
    qint16 dateType() const { return dateType_; }
    qint16 month() const { return month_; }
    qint16 day() const { return day_; }
    qint16 year() const { return year_; }
    qint16 weekday() const { return weekday_; }
    qint16 daysInMonth() const { return daysInMonth_; }
    qint16 yearDayNumber() const { return yearDayNumber_; }
    qint16 yearDaysLeft() const { return yearDaysLeft_; }
    qint16 scrollBarValue() const { return scrollBar_; }
    qint16 firstDay() const { return firstDay_; }
    qint16 datePosition() const { return datePosition_; }
    qint16 borderStyle() const { return borderStyle_; }
    qint16 boolProperty(com::DispId which) const;
    const QString& dayTitles() const { return dayTitles_; }
    const QString& monthNames() const { return monthNames_; }
    QString monthWord(int month) const;
    QString dayTitleWord(int weekday0) const;

    // Layout (in pixels of the control).
    QRect gridRect() const { return grid_; }
    int cellWidth() const { return cellW_; }
    int cellHeight() const { return cellH_; }
    QRect dayCellRect(int day) const;
    int hitTestDay(const QPoint& p) const;
    QScrollBar* scrollBarWidget() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void onFontChanged() override;

private:
    void refreshDateParts();
    void applyDateParts();
    void applySerialDate();
    void derive();
    void computeLayout();
    void updateScrollRange();
    void updateScrollPosition();
    void onScrollAction(int action);
    void onScrollReleased();
    void setBound(bool max, qint32 v);
    // Bounds from a stored form or the defaults: kept inside the epoch, the full range when crossed.
    void adoptBounds(qint32 min, qint32 max);
    void countMonths();
    void setDatePart(qint16& part, qint16 v, bool ok, const char* refusal);
    void setLook(qint16& member, qint16 v, bool ok, const char* refusal, com::DispId which);
    void splitWords();
    void repaintDay(int day);
    qint32 today() const;
    qint32 clampDate(qint32 v) const;

    qint16 borderStyle_ = 1;
    qint16 dateType_ = 0;
    qint32 date_ = 0;
    qint32 maxDate_ = 2958465;
    qint32 minDate_ = -657434;
    qint16 dayFrame_ = -1;
    qint16 threeD_ = 0;
    qint16 getArrows_ = 0;
    qint16 focusFrame_ = -1;
    qint16 month_ = 12, day_ = 30, year_ = 1899, weekday_ = 7, daysInMonth_ = 31;
    qint16 yearDayNumber_ = 364, yearDaysLeft_ = 1;
    qint16 scrollBar_ = 0;
    qint16 firstDay_ = 1;
    qint16 datePosition_ = 4;
    QString dayTitles_;
    QString monthNames_;
    quint32 lightColor_ = 0x80000014;
    quint32 shadeColor_ = 0x80000010;
    quint32 borderColor_ = 0x80000006;
    quint32 disabledColor_ = 0x80000011;
    std::array<quint32, 8> markColor_{};
    std::array<qint16, 32> marks_{};
    qint32 maxMonths_ = 0;
    qint32 minMonths_ = 0;
    int firstWeekday_ = 1;
    int shownDay_ = 0, shownMonth_ = 0, shownYear_ = 0;
    std::array<QString, 7> dayWords_;
    std::array<QString, 12> monthWords_;
    QRect grid_;
    int cellW_ = 0;
    int cellH_ = 0;
    int thumbTrack_ = 0;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
};

} // namespace qkcal
