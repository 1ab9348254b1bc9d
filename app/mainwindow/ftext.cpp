#include "app/mainwindow/ftext.h"

#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/sstab.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

namespace kmk {

namespace {

constexpr int kRandLinksRechts = 10;   // pixels of space beside the text
// Below this the layout rules would give the controls a negative size.
constexpr int kMindestBreiteTw = 3000;
constexpr int kMindestHoeheTw = 2400;
// The rules size the text box only while it is wider than 400 and higher
// than 1250 twips; it never gets smaller, so enlarging restores it.
constexpr int kTextMindestBreite = 400 / 15 + 1;
constexpr int kTextMindestHoehe = 1250 / 15 + 1;

// The runtime's formatting rectangle: 10 pixels in from the left and the
// right, top and bottom as the box has them.
class Hilfetext : public QPlainTextEdit {
public:
    explicit Hilfetext(QWidget* parent) : QPlainTextEdit(parent)
    {
        // The margins show the box's own background, not the window's.
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
    }
    void randSetzen()
    {
        const int rand = kRandLinksRechts - int(document()->documentMargin());
        setViewportMargins(rand, 0, rand, 0);
    }
};

} // namespace

FTextFenster::FTextFenster(std::function<QString()> erstText,
                           std::function<std::optional<QString>()> quelle, QWidget* parent)
    : QWidget(parent, Qt::Window), m_quelle(std::move(quelle))
{
    setObjectName(QStringLiteral("FText"));
    setWindowTitle(QStringLiteral("Brimo Kilometrika Hilfstexte"));

    Text1 = new Hilfetext(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    placeTw(Text1, 100, 100, 6800, 4000);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setText(QStringLiteral("Dieses Fenster kann frei positioniert und in der Größe verändert werden. "
                                   "Die Texte aktualisieren sich automatisch."));
    placeTw(Label1, 100, 4300, 5000, 450);
    CBeenden = new QPushButton(QStringLiteral("Beenden"), this);
    CBeenden->setObjectName(QStringLiteral("CBeenden"));
    placeTw(CBeenden, 5400, 4400, 1500, 450);
    connect(CBeenden, &QPushButton::clicked, this, &QWidget::hide);

    setMinimumSize(tw(kMindestBreiteTw), tw(kMindestHoeheTw));
    resize(tw(7400), tw(5400));

    // Loading shows the settings page's help until the first tick.
    Text1->setPlainText(erstText ? erstText() : QString());
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &FTextFenster::Timer1_Timer);
    Timer1->start();
    hide();
}

void FTextFenster::Timer1_Timer()
{
    if (!m_quelle)
        return;
    if (const std::optional<QString> t = m_quelle())
        // An equal text is left alone so the reader keeps his scroll position.
        if (Text1->toPlainText() != *t)
            Text1->setPlainText(*t);
}

void FTextFenster::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FTextFenster::Form_Resize()
{
    // Outer size in twips, as the rules are given.
    const int W = frameGeometry().width() * 15;
    const int H = frameGeometry().height() * 15;
    QRect t = Text1->geometry();
    t.moveTopLeft(QPoint(tw(100), tw(100)));
    if (t.width() * 15 > 400)
        t.setWidth(std::max(tw(W - 400), kTextMindestBreite));
    if (t.height() * 15 > 1250)
        t.setHeight(std::max(tw(H - 1250), kTextMindestHoehe));
    Text1->setGeometry(t);

    QPoint b = CBeenden->pos();
    if (W > 2100)
        b.setX(tw(W - 2100));
    if (H > 1000)
        b.setY(tw(H - 1000));
    CBeenden->move(b);

    QRect l = Label1->geometry();
    l.moveLeft(tw(100));
    if (H > 1100)
        l.moveTop(tw(H - 1100));
    if (W > 2200)
        l.setWidth(tw(W - 2200));
    // 450 twips held the hint in two lines of the runtime's small font; ours
    // wraps it into more, and none of them may be cut.
    l.setHeight(std::max(tw(450), Label1->heightForWidth(l.width())));
    Label1->setGeometry(l);

    static_cast<Hilfetext*>(Text1)->randSetzen();
}

FTextFenster* neuesHilfefenster(Form1* form)
{
    auto text = [form](const char* name) {
        auto* box = form->ctl<QPlainTextEdit>(QString::fromLatin1(name));
        return box ? box->toPlainText() : QString();
    };
    auto quelle = [form, text]() -> std::optional<QString> {
        const QString c = form->SSTab1 ? form->SSTab1->Caption() : QString();
        if (c == QLatin1String("Grundeinstellungen"))
            return text("TGrHilfe");
        if (c == QLatin1String("Eintragungen"))
            return text("TEinHilfe");
        if (c == QLatin1String("Auswertung"))
            return text("TAusHilfe");
        if (c == QLatin1String("Ausdruck"))
            return text("TDruckHilfe");
        if (c == QStringLiteral("Kilometrika ") + mw::Jahr())
            return text("TTitelHilfe");
        return std::nullopt;
    };
    return new FTextFenster([text] { return text("TGrHilfe"); }, quelle, form);
}

} // namespace kmk
