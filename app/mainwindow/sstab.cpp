#include "app/mainwindow/sstab.h"

namespace kmk {

SSTab::SSTab(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("SSTab1");
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        const int before = m_previous;
        m_previous = index;
        if (before >= 0 && index >= 0)
            emit Click(before);
    });
}

} // namespace kmk
