#include "app/mainwindow/form1.h"

#include "platform/forms/dirlist.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "platform/forms/events.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kmk {

void placeTw(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(tw(left), tw(top), tw(width), tw(height));
}

void setBold(QWidget* w, bool bold)
{
    if (!w)
        return;
    QFont f = w->font();
    if (f.bold() != bold) {
        f.setBold(bold);
        w->setFont(f);
    }
}

void WrapCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    const QRect ind = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
    QStyleOptionButton io = opt;
    io.rect = QRect(ind.left(), 2, ind.width(), ind.height());
    p.drawPrimitive(QStyle::PE_IndicatorCheckBox, io);
    const QRect textRect = rect().adjusted(ind.right() + 6, 0, 0, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    if (hasFocus()) {
        QStyleOptionFocusRect fr;
        fr.initFrom(this);
        fr.rect = textRect;
        p.drawPrimitive(QStyle::PE_FrameFocusRect, fr);
    }
}

void GuardedOption::mousePressEvent(QMouseEvent* e)
{
    if (guard && !guard()) {
        e->accept();
        return;
    }
    QRadioButton::mousePressEvent(e);
}

void GuardedOption::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
        if (guard && !guard()) {
            e->accept();
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Arrow keys move the selection inside the group: the guard of the
        // target would not run, so the vehicle type changes by mouse only.
        e->ignore();
        return;
    default:
        break;
    }
    QRadioButton::keyPressEvent(e);
}

namespace {

template <class T> T* make(QWidget* parent, const QString& name, int l, int t, int w, int h)
{
    auto* c = new T(parent);
    c->setObjectName(name);
    placeTw(c, l, t, w, h);
    return c;
}

QRect rectTw(int l, int t, int w, int h) { return QRect(tw(l), tw(t), tw(w), tw(h)); }

// The pages' toolkit, placed in twips; captions here wrap.
QLabel* label(QWidget* parent, const QString& name, const QString& text, int l, int t, int w, int h)
{
    QLabel* c = pages::label(parent, name, text, rectTw(l, t, w, h));
    c->setWordWrap(true);
    return c;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, int l, int t, int w, int h)
{
    return pages::button(parent, name, text, rectTw(l, t, w, h));
}

QPlainTextEdit* helpBox(QWidget* parent, const QString& name, int l, int t, int w, int h)
{
    return pages::helpBox(parent, name, rectTw(l, t, w, h));
}

QCheckBox* check(QWidget* parent, const QString& name, const QString& text, int l, int t, int w, int h)
{
    auto* c = make<WrapCheckBox>(parent, name, l, t, w, h);
    c->setText(text);
    return c;
}

} // namespace

// Page area: the window is 11760 x 10805 twips; the pages start under the
// tab strip.
static constexpr int kPageW = 11600;

void Form1::buildTitelseite(QWidget* p)
{
    Image1 = make<QLabel>(p, "Image1", 240, 240, 3000, 3000);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);
    Image1->setText(QStringLiteral("Kilometrika"));
    Picture1 = make<QLabel>(p, "Picture1", 240, 3360, 3000, 1200);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setText(QStringLiteral("RNZ"));
    Picture1->hide();

    Label55 = label(p, "Label55", QStringLiteral("Brimo Kilometrika"), 3600, 240, 7600, 720);
    QFont big = Label55->font();
    big.setPointSize(20);
    big.setBold(true);
    Label55->setFont(big);
    Label122N = label(p, "Label122N", QStringLiteral("Brimo Software - Programme für Selbständige und Arbeitnehmer"), 3600, 1000, 7600, 360);
    Label95 = label(p, "Label95", QStringLiteral("Das Fahrtenbuch nach den Regeln des Einkommensteuerrechts"), 3600, 1400, 7600, 360);
    Label107 = label(p, "Label107", QString(), 3600, 1900, 3600, 360);
    Label106 = label(p, "Label106", QString(), 7400, 1900, 3600, 360);
    Label105 = label(p, "Label105", QString(), 3600, 2300, 7600, 600);
    Label126 = label(p, "Label126", QString(), 3600, 3000, 7600, 720);

    Command4 = button(p, "Command4", QStringLiteral("Schulungsvideo mit Themenauswahl   (65 Themen)"), 3600, 4000, 5400, 450);
    Command2 = button(p, "Command2", QStringLiteral("Aktualisierung downloaden"), 3600, 4600, 5400, 450);
    Command16 = button(p, "Command16", QStringLiteral("Handbuch bitte lesen !"), 3600, 5200, 5400, 450);
    Command17 = button(p, "Command17", QStringLiteral("Beenden"), 3600, 5800, 5400, 450);
    // Its action is wired by the allowance recalculation.
    button(p, "CommandNeuBerechnen", QStringLiteral("Reisekosten Pauschale aktualisieren"), 3600, 6400, 5400, 450);
    CBTextfensterTitel = button(p, "CBTextfensterTitel", QStringLiteral("Extra Hilfsfenster anzeigen"), 8600, 7400, 2800, 400);
    TTitelHilfe = helpBox(p, "TTitelHilfe", 240, 7900, 11160, 1300);
}

void Form1::buildGrundeinstellungen(QWidget* p)
{
    // Vehicle choice and option boxes of the current vehicle.
    Frame6 = make<QGroupBox>(p, "Frame6", 120, 60, 6560, 4660);
    Frame6->setTitle(QStringLiteral(" Voreinstellungen vom jeweils ausgewählten Fahrzeug 1 bis Fahrzeug 4  "));
    for (int k = 0; k < 4; ++k) {
        // Two rows of two: the caption carries the whole number plate, in bold.
        auto* b = make<QRadioButton>(Frame6, QStringLiteral("Aktu_Auto_%1").arg(k), 120 + (k % 2) * 3180,
                                     280 + (k / 2) * 280, 3100, 280);
        b->setText(QStringLiteral("Frei"));
        b->hide();
        Aktu_Auto[k] = b;
    }
    int y = 860;
    auto box = [&](const QString& name, const QString& text, int h) {
        QCheckBox* c = check(Frame6, name, text, 120, y, 6320, h);
        y += h;
        return c;
    };
    Check1 = box("Check1", QStringLiteral("Journalfunktion : Erfassungsdatum der Eintragungen wird mit gespeichert. "), 480);
    Check3 = box("Check3", QStringLiteral("Mit Sprachausgabe falls eine Soundkarte vorhanden."), 330);
    Check4 = box("Check4", QStringLiteral("Bei neuen Datensätzen die möglichen Zeiteinstellungen grundsätzlich vorgeben"), 480);
    Check5 = box("Check5", QStringLiteral("Geschäftsfahrten und Fahrten im Zshg. m. stfr. Umsätzen mit Verpflegungspauschale berechnen."), 480);
    Check8 = box("Check8", QStringLiteral("Sie möchten die Abfahrt- und Ankunftszeit grundsätzlich nicht eintragen."), 480);
    Check10 = box("Check10", QStringLiteral("Bei Privatfahrten werden nur Datum und Kilometerstand erfaßt."), 480);
    Check11 = box("Check11", QStringLiteral("Kalender in der Seite \"Eintragungen\" immer auf das aktuelle Datum einstellen."), 480);
    Check12 = box("Check12", QStringLiteral("Sicherheitsabfragen auf das Nötigste beschränken"), 330);

    // Backup frame.
    Frame9 = make<QGroupBox>(p, "Frame9", 6760, 60, 4760, 4660);
    Frame9->setTitle(QStringLiteral(" Sicherheitskopien / Backup "));
    Drive1 = make<forms::DriveListBox>(Frame9, "Drive1", 120, 300, 4520, 315);
    Dir1 = make<forms::DirListBox>(Frame9, "Dir1", 120, 700, 4520, 2500);
    LSPfad = label(Frame9, "LSPfad", QString(), 120, 3260, 4520, 500);
    LSPfad->setFrameShape(QFrame::StyledPanel);
    LSPfad->setFrameShadow(QFrame::Sunken);
    CSicherSpeicher = button(Frame9, "CSicherSpeicher", QStringLiteral("Backup - Verzeichnis speichern"), 120, 3840, 4520, 400);
    mnuMyPopUp = new QMenu(this);
    mnuMyPopUp->setObjectName("mnuMyPopUp");
    Verloeschen = mnuMyPopUp->addAction(QStringLiteral("Verzeichnis löschen"));
    Verloeschen->setObjectName("Verloeschen");
    VerErstellen = mnuMyPopUp->addAction(QStringLiteral("Verzeichnis erstellen"));
    VerErstellen->setObjectName("VerErstellen");
    SichErstellen = mnuMyPopUp->addAction(QStringLiteral("Sicherheitskopie erstellen"));
    SichErstellen->setObjectName("SichErstellen");

    // Four vehicle frames.
    static const char* kmTip[4] = {
        "Tragen Sie hier den Km Stand vom 31.12. des Vorjahres ein.",
        "Tragen Sie hier den Km Stand vom 31.12. de Vorjahres ein.",
        "Tragen Sie hier den Km Stand vom 31.12. de Vorjahres ein.",
        "Tragen Sie hier den Km Stand vom 31.12. de Vorjahres ein.",
    };
    for (int k = 0; k < 4; ++k) {
        const int left = 120 + k * 2860;
        auto* f = make<QGroupBox>(p, QStringLiteral("GrundAuto_%1").arg(k), left, 4800, 2800, 3100);
        f->setTitle(QStringLiteral(" Grundeinstellung Fahrzeug %1 ").arg(k + 1));
        GrundAuto[k] = f;
        const QString ix = QStringLiteral("_%1").arg(k);
        Label12[k] = label(f, "Label12" + ix, QStringLiteral("Kfz Kz."), 100, 300, 1000, 300);
        KfzEingabe[k] = make<QLineEdit>(f, "KfzEingabe" + ix, 1100, 280, 1600, 330);
        KfzEingabe[k]->setMaxLength(15);
        KfzEingabe[k]->setToolTip(QStringLiteral("Tragen Sie hier das Kfz Kennzeichen ein."));
        Label13[k] = label(f, "Label13" + ix, QStringLiteral("Km Stand"), 100, 700, 1000, 300);
        KmEingabe[k] = make<QLineEdit>(f, "KmEingabe" + ix, 1100, 680, 1600, 330);
        // At most nine digits keep every reading inside the record's 32-bit field.
        KmEingabe[k]->setMaxLength(9);
        KmEingabe[k]->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9 ]*"), KmEingabe[k]));
        KmEingabe[k]->setToolTip(QString::fromUtf8(kmTip[k]));
        Label14[k] = label(f, "Label14" + ix, QStringLiteral("Standort"), 100, 1100, 1000, 300);
        StandortEingabe[k] = make<QLineEdit>(f, "StandortEingabe" + ix, 1100, 1080, 1600, 330);
        StandortEingabe[k]->setMaxLength(30);
        StandortEingabe[k]->setToolTip(QStringLiteral("Tragen Sie hier den häufigsten Abfahrtsort ein."));
        Label15[k] = label(f, "Label15" + ix, QStringLiteral("Halter"), 100, 1500, 1000, 300);
        HalterEingabe[k] = make<QLineEdit>(f, "HalterEingabe" + ix, 1100, 1480, 1600, 330);
        HalterEingabe[k]->setMaxLength(30);
        HalterEingabe[k]->setToolTip(QStringLiteral("Tragen Sie hier den Namen des Fahrzeughalters ein."));
        FirmenPkw[k] = make<GuardedOption>(f, "FirmenPkw" + ix, 100, 1900, 2600, 300);
        FirmenPkw[k]->setText(QStringLiteral("Firmenfahrzeug"));
        PrivatPkw[k] = make<GuardedOption>(f, "PrivatPkw" + ix, 100, 2220, 2600, 300);
        PrivatPkw[k]->setText(QStringLiteral("Privatfahrzeug"));
        Command1[k] = button(f, "Command1" + ix, QStringLiteral("Speichern Fahrzeug %1").arg(k + 1), 100, 2600, 2600, 400);
    }

    CDateiSuchen = button(p, "CDateiSuchen", QStringLiteral("Fahrtenspeicher suchen"), 120, 7980, 4000, 400);
    CBTextfensterGr = button(p, "CBTextfensterGr", QStringLiteral("Extra Hilfsfenster anzeigen"), 8600, 7980, 2800, 400);
    TGrHilfe = helpBox(p, "TGrHilfe", 120, 8440, kPageW - 240, 800);
}

QWidget* Form1::ctl(const QString& name) const
{
    return forms::control(this, name);
}

QRadioButton* Form1::AutoOpt(int k) const
{
    return ctl<QRadioButton>(QStringLiteral("AutoOpt_%1").arg(k));
}

void Form1::showCtl(const QString& name, bool visible) const
{
    if (QWidget* w = ctl(name))
        w->setVisible(visible);
}

void Form1::setCtlText(const QString& name, const QString& text) const
{
    QWidget* w = ctl(name);
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        t->setPlainText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

} // namespace kmk
