#pragma once
// The tab control that carries the five pages of the main window. Only the
// page captions, the current page and a click on a page change are used.

#include <QTabWidget>

namespace kmk {

class SSTab : public QTabWidget {
    Q_OBJECT
public:
    explicit SSTab(QWidget* parent = nullptr);

    int Tab() const { return currentIndex(); }
    void setTab(int index) { setCurrentIndex(index); }
    QString Caption() const { return tabText(currentIndex()); }
    QString TabCaption(int index) const { return tabText(index); }
    void setTabCaption(int index, const QString& caption) { setTabText(index, caption); }

signals:
    // Another page became current; the argument is the page shown before.
    void Click(int previousTab);

private:
    int m_previous = -1;
};

} // namespace kmk
