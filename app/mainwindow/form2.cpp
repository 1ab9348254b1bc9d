#include "app/mainwindow/form2.h"

#include "platform/forms/events.h"
#include "platform/forms/keys.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace kmk {

namespace {

int g_wartezeit = 500;
int g_sichtbar = 0;

// Waits while window events go on being processed.
void warten(int ms)
{
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The assistant who winks when the user has answered.
QPixmap assistent()
{
    QPixmap pm(190, 250);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // body
    p.setPen(QPen(QColor(40, 40, 90), 3));
    p.setBrush(QColor(70, 110, 190));
    p.drawRoundedRect(QRectF(45, 150, 100, 95), 30, 30);
    // head
    p.setBrush(QColor(255, 215, 170));
    p.drawEllipse(QRectF(35, 20, 120, 130));
    // hair
    p.setBrush(QColor(120, 70, 30));
    QPainterPath hair;
    hair.moveTo(38, 70);
    hair.cubicTo(40, 5, 150, 5, 152, 70);
    hair.cubicTo(120, 40, 70, 40, 38, 70);
    p.drawPath(hair);
    // open eye
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(62, 72, 24, 26));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(70, 80, 10, 12));
    // winking eye
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(104, 78, 26, 16), 200 * 16, 140 * 16);
    // smile
    p.drawArc(QRectF(68, 96, 56, 34), 200 * 16, 140 * 16);
    // thumb up: a closed fist with four folded fingers and the thumb
    // standing straight up from its top, held beside the body
    const QColor haut(255, 215, 170);
    p.setPen(QPen(QColor(40, 40, 90), 2));
    p.setBrush(QColor(70, 110, 190));
    p.drawRoundedRect(QRectF(128, 205, 22, 30), 6, 6);       // sleeve
    p.setBrush(haut);
    p.drawRoundedRect(QRectF(122, 132, 20, 48), 10, 10);     // thumb
    p.drawRoundedRect(QRectF(118, 168, 50, 44), 10, 10);     // fist
    p.setPen(QPen(QColor(150, 100, 70), 1.5));
    for (int k = 1; k < 4; ++k)                              // folded fingers
        p.drawLine(QPointF(150, 168 + 11 * k), QPointF(168, 168 + 11 * k));
    return pm;
}

} // namespace

Form2::Form2(const QString& meldungstext, bool frage, QWidget* parent)
    : QDialog(parent), frage_(frage)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kilometrika"));
    setModal(true);

    bild_ = new QLabel(this);
    bild_->setObjectName(QStringLiteral("Picture2"));
    bild_->setPixmap(assistent());
    bild_->hide();

    mtext_ = new QLabel(this);
    mtext_->setObjectName(QStringLiteral("MText"));
    mtext_->setTextFormat(Qt::PlainText);   // ">Nein<" is text, not markup
    mtext_->setWordWrap(true);
    mtext_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = mtext_->font();
    f.setPointSizeF(f.pointSizeF() * 1.15);
    mtext_->setFont(f);
    mtext_->setText(anzeigetext(meldungstext));

    zuruck_ = new QPushButton(this);
    zuruck_->setObjectName(QStringLiteral("zuruck"));
    nein_ = new QPushButton(QStringLiteral("&Nein "), this);
    nein_->setObjectName(QStringLiteral("BNein"));
    zuruck_->setText(frage_ ? QStringLiteral("&Ja / OK") : QStringLiteral("OK"));
    nein_->setVisible(frage_);
    anordnen();
    zuruck_->setAutoDefault(true);
    zuruck_->setDefault(true);
    nein_->setAutoDefault(true);
    zuruck_->setFocus();

    connect(zuruck_, &QPushButton::clicked, this, [this] { beantworten(true); });
    connect(nein_, &QPushButton::clicked, this, [this] { beantworten(false); });
    // Enter on the confirm button confirms.
    forms::onKeyDown(zuruck_, [this](int& key, int) {
        if (key == 13) {
            key = 0;
            beantworten(true);
        }
    });
}

Form2::~Form2()
{
    if (gezaehlt_)
        --g_sichtbar;
}

void Form2::anordnen()
{
    // Laid out for a 9 pt desktop font; a larger one widens the text column
    // in proportion, and the dialog grows downward until the whole text shows.
    const double pt = QFontInfo(font()).pointSizeF();
    const double mass = std::max(1.0, pt / 9.0);
    const int textBreite = int(296 * mass);
    const int textHoehe = std::max(210, mtext_->heightForWidth(textBreite));
    mtext_->setGeometry(210, 14, textBreite, textHoehe);
    const int knopfBreite = std::max({130, zuruck_->sizeHint().width(), nein_->sizeHint().width()});
    const int knopfHoehe = std::max(34, zuruck_->sizeHint().height());
    const int knopfY = 14 + textHoehe + 16;
    const int breite = 210 + textBreite + 14;
    const int mitte = 210 + textBreite / 2;
    if (frage_) {
        zuruck_->setGeometry(mitte - knopfBreite - 7, knopfY, knopfBreite, knopfHoehe);
        nein_->setGeometry(mitte + 7, knopfY, knopfBreite, knopfHoehe);
    } else {
        zuruck_->setGeometry(mitte - knopfBreite / 2, knopfY, knopfBreite, knopfHoehe);
    }
    const int hoehe = std::max(290, knopfY + knopfHoehe + 16);
    bild_->setGeometry(10, (hoehe - 250) / 2, 190, 250);
    setFixedSize(breite, hoehe);
}

bool Form2::sichtbar() { return g_sichtbar > 0; }
void Form2::setWartezeit(int ms) { g_wartezeit = ms; }
int Form2::wartezeit() { return g_wartezeit; }

QString Form2::anzeigetext(const QString& t)
{
    return forms::labelText(t);
}

void Form2::beantworten(bool ja)
{
    // One answer only: a second click during the pauses runs nothing again.
    if (antwortet_)
        return;
    antwortet_ = true;
    QPointer<Form2> self(this);
    bild_->show();
    warten(g_wartezeit);
    if (!self)
        return;
    bild_->hide();
    warten(g_wartezeit);
    if (!self)
        return;
    antwort_ = ja;
    fertig_ = true;
    done(ja ? QDialog::Accepted : QDialog::Rejected);
}

void Form2::closeEvent(QCloseEvent* e)
{
    if (!fertig_) {
        if (antwortet_) {
            e->ignore();   // the answer is on its way
            return;
        }
        antwortet_ = true;
        fertig_ = true;
        antwort_ = !frage_;
    }
    QDialog::closeEvent(e);
}

void Form2::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();   // no cancel button: Esc does not close the message
        return;
    }
    QDialog::keyPressEvent(e);
}

void Form2::showEvent(QShowEvent* e)
{
    if (!gezaehlt_) {
        gezaehlt_ = true;
        ++g_sichtbar;
    }
    QDialog::showEvent(e);
}

void Form2::hideEvent(QHideEvent* e)
{
    if (gezaehlt_) {
        gezaehlt_ = false;
        --g_sichtbar;
    }
    QDialog::hideEvent(e);
}

} // namespace kmk
