#include "app/mainwindow/nebenfenster.h"

#include "app/mainwindow/form1.h"

namespace kmk {

Nebenfenster::Nebenfenster(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);
    hide();
}

FDownloadFenster::FDownloadFenster(int markenvariante, QWidget* parent)
    : Nebenfenster(QStringLiteral("FDownload"), QStringLiteral("Brimo Kilometrika Download"), parent),
      m_variante(markenvariante)
{
    txtSource = new QLineEdit(this);
    txtSource->setObjectName("txtSource");
    placeTw(txtSource, 240, 600, 6000, 330);
    resize(tw(6600), tw(3600));
}

} // namespace kmk
