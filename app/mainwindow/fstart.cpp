#include "app/mainwindow/fstart.h"

#include "app/mainwindow/form1.h"

#include <QCoreApplication>

namespace kmk {

namespace {
FStart* g_instance = nullptr;
}

FStart::FStart(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    g_instance = this;
    setObjectName("FStart");
    setWindowTitle(QStringLiteral("Brimo Kilometrika"));
    setFixedSize(tw(7200), tw(3600));
    setStyleSheet("FStart { background: white; border: 1px solid #404040; }");
    setAttribute(Qt::WA_StyledBackground);

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    placeTw(Picture1, 240, 240, 1800, 1800);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setText(QStringLiteral("km"));
    QFont pf(QStringLiteral("Arial"), 28, QFont::Bold);
    Picture1->setFont(pf);
    Picture1->setStyleSheet("color: #C00000; border: 2px solid #C00000;");

    Label4 = new QLabel(QStringLiteral("Brimo Kilometrika"), this);
    Label4->setObjectName("Label4");
    placeTw(Label4, 2280, 360, 4700, 600);
    Label4->setFont(QFont(QStringLiteral("Arial"), 18, QFont::Bold));

    Label2 = new QLabel(QStringLiteral("Das Brimo Kilometrika rechtlich ordnungsgemäß im Sinne des Gesetzes"), this);
    Label2->setObjectName("Label2");
    placeTw(Label2, 2280, 1100, 4700, 700);
    Label2->setWordWrap(true);
    Label2->setFont(QFont(QStringLiteral("Arial"), 10));

    Label3 = new QLabel(QStringLiteral("Brimo Software · Fahrtenbuch für Selbständige und Arbeitnehmer"), this);
    Label3->setObjectName("Label3");
    placeTw(Label3, 240, 2700, 6700, 400);
    Label3->setWordWrap(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(2000);
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, &FStart::Timer1_Timer);
    Timer1->start();
}

FStart::~FStart()
{
    if (g_instance == this)
        g_instance = nullptr;
}

FStart* FStart::instance()
{
    return g_instance;
}

void FStart::Timer1_Timer()
{
    Timer1->stop();
    if (m_form1)
        return;
    m_form1 = new Form1();
    m_form1->setAttribute(Qt::WA_DeleteOnClose);
    if (!m_form1->Form_Load()) {
        m_form1->hide();
        m_form1->deleteLater();
        m_form1 = nullptr;
        close();
        QCoreApplication::exit(1);
        return;
    }
    m_form1->show();
    close();
}

} // namespace kmk
