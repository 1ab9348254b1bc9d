#include "app/mainwindow/ftext.h"

#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/sstab.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>

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
    m_text = Text1->geometry();
    m_hinweis = Label1->geometry();
    m_knopf = CBeenden->geometry();

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
    QRect& t = m_text;
    t.moveTopLeft(QPoint(tw(100), tw(100)));
    if (t.width() * 15 > 400)
        t.setWidth(std::max(tw(W - 400), kTextMindestBreite));
    if (t.height() * 15 > 1250)
        t.setHeight(std::max(tw(H - 1250), kTextMindestHoehe));

    QRect& b = m_knopf;
    if (W > 2100)
        b.moveLeft(tw(W - 2100));
    if (H > 1000)
        b.moveTop(tw(H - 1000));

    QRect& l = m_hinweis;
    l.moveLeft(tw(100));
    if (H > 1100)
        l.moveTop(tw(H - 1100));
    if (W > 2200)
        l.setWidth(tw(W - 2200));
    // 450 twips held the hint in two lines of the runtime's small font; ours
    // wraps it into more, and none of them may be cut.
    l.setHeight(std::max(tw(450), Label1->heightForWidth(l.width())));

    if (hinweisPasst(t, l, b)) {
        Text1->setGeometry(t);
        Label1->setGeometry(l);
        CBeenden->setGeometry(b);
    } else {
        // Too small for the hint beside "Beenden" (at the least size it
        // would get a column narrower than its words): the hint wraps over
        // the window's width above the button, which moves to the foot, and
        // the text box, which scrolls, gives up the room.
        const int rand = tw(100), abstand = tw(50);
        QRect k = b;
        k.moveTo(std::clamp(b.x(), rand, std::max(rand, width() - rand - b.width())), height() - rand - b.height());
        QRect h(rand, 0, std::max(1, width() - 2 * rand), 0);
        h.setHeight(Label1->heightForWidth(h.width()));
        h.moveTop(k.y() - abstand - h.height());
        QRect g = t;
        g.setHeight(std::clamp(h.y() - abstand - t.y(), 0, t.height()));
        Text1->setGeometry(g);
        Label1->setGeometry(h);
        CBeenden->setGeometry(k);
    }

    static_cast<Hilfetext*>(Text1)->randSetzen();
}

bool FTextFenster::hinweisPasst(const QRect& text, const QRect& hinweis, const QRect& knopf) const
{
    if (!rect().contains(hinweis) || hinweis.intersects(text) || hinweis.intersects(knopf))
        return false;
    const QMargins m = Label1->contentsMargins();
    const int breite = hinweis.width() - m.left() - m.right() - 2 * Label1->margin();
    const QFontMetrics fm(Label1->font());
    for (const QString& wort : Label1->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(wort) > breite)
            return false;
    return true;
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
