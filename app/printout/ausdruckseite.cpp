#include "app/printout/ausdruckseite.h"

#include "app/records/dateien.h"
#include "platform/com/controlhost.h"
#include "platform/forms/events.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/seams.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

namespace kmk {

qint32 kalenderDatum(QWidget* kalender, qint32 sonst)
{
    QVariant d;
    if (auto* host = qobject_cast<com::ControlHost*>(kalender)) {
        try {
            d = host->property("Date");
        } catch (...) {
        }
    } else if (kalender) {
        d = kalender->QObject::property("Date");
    }
    return d.isValid() ? d.toInt() : sonst;
}

Ausdruckseite::Ausdruckseite(QWidget* fenster, sheet::Tabellenblatt& blatt, Fahrten1& st,
                             AusdruckUmgebung umgebung, QObject* eltern)
    : QObject(eltern), m_fenster(fenster), m_blatt(blatt), m_st(st), m_u(std::move(umgebung))
{
}

QWidget* Ausdruckseite::ctl(const char* name) const
{
    return forms::control(m_fenster, QString::fromLatin1(name));
}

void Ausdruckseite::setText(const char* name, const QString& text) const
{
    QWidget* w = ctl(name);
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        forms::setText(e, text);
    else if (w)
        w->setProperty("text", text);
}

void Ausdruckseite::verbinden()
{
    auto klick = [this](const char* name, void (Ausdruckseite::*h)()) {
        if (auto* b = qobject_cast<QAbstractButton*>(ctl(name)))
            connect(b, &QAbstractButton::clicked, this, [this, h] { (this->*h)(); });
    };
    klick("Command6", &Ausdruckseite::Command6_Click);
    klick("Command3", &Ausdruckseite::Command3_Click);
    klick("SSCKunden", &Ausdruckseite::SSCKunden_Click);
    klick("CBBetriebskosten", &Ausdruckseite::CBBetriebskosten_Click);
    klick("Command7", &Ausdruckseite::Command7_Click);
    klick("CommandEigenverbrauch", &Ausdruckseite::CommandEigenverbrauch_Click);
    klick("ExcelExport", &Ausdruckseite::ExcelExport_Click);
    klick("Command9", &Ausdruckseite::Command9_Click);
    klick("SSCDruckvor", &Ausdruckseite::SSCDruckvor_Click);
    if (auto* b = qobject_cast<forms::MouseUpButton*>(ctl("Command8")))
        connect(b, &forms::MouseUpButton::mouseUp, this, [this](int button, int, QPoint) { Command8_MouseUp(button); });
    if (auto* l = qobject_cast<QListWidget*>(ctl("List4")))
        forms::onClick(l, [this] { List4_Click(); });
    if (auto* l = qobject_cast<QListWidget*>(ctl("List5")))
        forms::onClick(l, [this] { List5_Click(); });
    auto kal = [this](const char* name, void (Ausdruckseite::*h)()) {
        if (auto* k = qobject_cast<com::ControlHost*>(ctl(name))) {
            // The start-up puts the year and the stored range into the
            // calendars before the window shows; those puts must not
            // replace the range just read from the settings.
            connect(k, &com::ControlHost::change, this, [this, h] {
                if (m_fenster && m_fenster->isVisible())
                    (this->*h)();
            });
            connect(k, &com::ControlHost::mouseDown, this, [this, h](int button, int, int, int) {
                if (button == 1)
                    (this->*h)();
            });
        }
    };
    kal("QKC2", &Ausdruckseite::QKC2_Change);
    kal("QKC3", &Ausdruckseite::QKC3_Change);
    // The help box follows the mouse over the two buttons.
    for (const char* name : {"SSCDruckvor", "SSCKunden"})
        if (QWidget* w = ctl(name)) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
}

bool Ausdruckseite::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseMove) {
        if (o->objectName() == QLatin1String("SSCDruckvor"))
            SSCDruckvor_MouseMove();
        else if (o->objectName() == QLatin1String("SSCKunden"))
            SSCKunden_MouseMove();
    }
    return QObject::eventFilter(o, e);
}

void Ausdruckseite::Fahrtentabelle(const std::function<void()>& bau)
{
    if (!bau)
        return;
    // Every build starts with a fresh sheet, which drops this mark; a
    // builder that returns early leaves the sheet, and its marks, as they were.
    m_blatt.Eigenschaft(kBauMarke, true);
    bau();
    if (!m_blatt.Eigenschaft(kBauMarke).isValid())
        m_blatt.Eigenschaft(kFahrtentabelle, true);
    else
        m_blatt.Eigenschaft(kBauMarke, QVariant());
}

void Ausdruckseite::Command6_Click()
{
    if (firma())
        Fahrtentabelle(m_st.Voreinstellung.ErweiterterAusdruck ? m_u.KfzTabelle4 : m_u.KFZTabelle);
    if (privat())
        Fahrtentabelle(m_u.KFZTabelle3);
    if (auto* l4 = qobject_cast<QListWidget*>(ctl("List4")); l4 && l4->currentItem())
        m_blatt.Bildschirmzoom(l4->currentItem()->text());
}

void Ausdruckseite::Command3_Click()
{
    rufe(m_u.Blankoformular);
}

void Ausdruckseite::SSCKunden_Click()
{
    rufe(m_u.KundenTabelle);
}

bool Ausdruckseite::fahrtenDa() const
{
    if (m_st.Pufferindex >= 2)
        return true;
    const QString pfad = m_st.fahrtdateiPfad();
    return !pfad.isEmpty() && Fahrtanzahl(pfad) >= 1;
}

void Ausdruckseite::CBBetriebskosten_Click()
{
    if (firma() && fahrtenDa())
        rufe(m_u.BetriebskostenTabelle);
    if (privat() && fahrtenDa())
        rufe(m_u.BetriebskostenTabelle);
}

void Ausdruckseite::Command7_Click()
{
    m_blatt.Querformat(true);
    if (firma()) {
        m_blatt.Papiergroesse(9);
        if (fahrtenDa() && m_u.ProzentTabelle)
            m_u.ProzentTabelle(1);
    }
    if (privat() && m_u.ProzentTabelle)
        m_u.ProzentTabelle(3);
}

void Ausdruckseite::CommandEigenverbrauch_Click()
{
    if (fahrtenDa() && m_u.ProzentTabelle)
        m_u.ProzentTabelle(2);
}

void Ausdruckseite::Command9_Click()
{
    m_blatt.Papiergroesse(9);
    m_blatt.Druckereinrichtung();
}

void Ausdruckseite::Command8_MouseUp(int button)
{
    if (button != 1)
        return;
    int16_t skala = int16_t(m_st.Druckskala);
    const bool an = m_st.Voreinstellung.Druckanpassung == 0;
    // The flag as the settings file keeps it: True = -1.
    m_st.Voreinstellung.Druckanpassung = an ? -1 : 0;
    // Fitting is one page wide and as many tall as the table needs: one
    // page tall would shrink a year onto a page, or with the breaks of the
    // block tables to a tenth of every page.
    m_blatt.Druckskalierung(skala, an, 1, an ? 0 : 1);
    setText("Command8", QString::fromLatin1(an ? kMitAnpassung : kOhneAnpassung));
    // Hidden and disabled together, so the list cannot be used while fitting.
    if (QWidget* l = ctl("Label76"))
        l->setVisible(!an);
    if (QWidget* l = ctl("List5")) {
        l->setVisible(!an);
        l->setEnabled(!an);
    }
}

void Ausdruckseite::Druckeinstellung()
{
    if (auto* l5 = qobject_cast<QListWidget*>(ctl("List5")); l5 && l5->currentItem())
        m_st.Druckskala = int(vb::Val(l5->currentItem()->text()));
    int16_t skala = int16_t(m_st.Druckskala);
    // With fitting on the pages keep fitting: one page wide, as many
    // pages tall as the table needs.
    if (m_st.Voreinstellung.Druckanpassung)
        m_blatt.Druckskalierung(skala, true, 1, 0);
    else
        m_blatt.Druckskalierung(skala, false, 0, 0);
    // Only the vehicle trip tables are turned to landscape; the blank form
    // and the evaluations keep the orientation they were built with.
    if (m_blatt.Eigenschaft(kFahrtentabelle).toBool())
        m_blatt.Querformat(!(firma() && m_st.Voreinstellung.ErweiterterAusdruck));
    m_blatt.Seitenrand(sheet::RandUnten, 0.7);
    m_blatt.Seitenrand(sheet::RandOben, 0.7);
    m_blatt.Randabstand(sheet::AbstandFuss, 0.3);
    m_blatt.Randabstand(sheet::AbstandKopf, 0.3);
}

void Ausdruckseite::SSCDruckvor_Click()
{
    Druckeinstellung();
    m_blatt.Druckvorschau();
}

void Ausdruckseite::List4_Click()
{
    auto* l4 = qobject_cast<QListWidget*>(ctl("List4"));
    if (!l4 || !l4->currentItem())
        return;
    m_blatt.Bildschirmzoom(l4->currentItem()->text());
    m_st.Voreinstellung.ZoomIndex = quint8(l4->currentRow());
}

void Ausdruckseite::List5_Click()
{
    auto* l5 = qobject_cast<QListWidget*>(ctl("List5"));
    if (!l5 || !l5->currentItem())
        return;
    m_st.Druckskala = int(vb::Val(l5->currentItem()->text()));
    int16_t skala = int16_t(m_st.Druckskala);
    m_blatt.Druckskalierung(skala, false, 0, 0);
    m_st.Voreinstellung.DruckskalaIndex = quint8(l5->currentRow());
}

void Ausdruckseite::kalender(const char* name, const char* label, const QString& text, qint32& ziel)
{
    // A calendar that cannot be read keeps the stored day.
    const qint32 d = kalenderDatum(ctl(name), ziel);
    setText(label, text + vb::DateText(d));
    ziel = d;
}

void Ausdruckseite::QKC2_Change()
{
    kalender("QKC2", "Label29", QStringLiteral("Ausdruck beginnt am: "), m_st.Voreinstellung.DruckAb);
}

void Ausdruckseite::QKC3_Change()
{
    kalender("QKC3", "Label47", QStringLiteral("Ausdruck endet am: "), m_st.Voreinstellung.DruckBis);
}

void Ausdruckseite::SSCDruckvor_MouseMove()
{
    if (m_u.hilfstext)
        setText("TDruckHilfe", m_u.hilfstext(96));
}

void Ausdruckseite::SSCKunden_MouseMove()
{
    if (m_u.hilfstext)
        setText("TDruckHilfe", m_u.hilfstext(92));
}

void Ausdruckseite::SaveAsFile()
{
    sheet::Dateiangabe angabe;
    angabe.Dateityp = sheet::TypArbeitsmappe;
    m_blatt.Dokumenttitel(m_u.fahrzeugBeschriftung ? m_u.fahrzeugBeschriftung() : QString());
    if (!m_blatt.SpeichernDialog(QStringLiteral("Speichern"), angabe) || angabe.Dateiname.isEmpty())
        return;
    // A saved PDF or workbook has the pages the printer would get.
    Druckeinstellung();
    QString fehler;
    if (!m_blatt.DateiSchreiben(angabe.Dateiname, angabe.Dateityp, &fehler)) {
        forms::services().dialogs->msgBox(QStringLiteral("Datei konnte nicht gespeichert werden : ") + angabe.Dateiname,
                                          forms::vbOKOnly);
        return;
    }
    m_blatt.Dokumenttitel(angabe.Dateiname);
    if (m_u.fensterTitel)
        m_u.fensterTitel(angabe.Dateiname);
    m_blatt.Ablagetext(QString::number(angabe.Dateityp));
}

void Ausdruckseite::Bildschirmzoom(const QString& prozent)
{
    m_blatt.Bildschirmzoom(prozent);
}

void Ausdruckseite::Druckskalierung(int prozent, bool anpassen, int breit, int hoch)
{
    int16_t p = int16_t(prozent);
    m_blatt.Druckskalierung(p, anpassen, breit, hoch);
}

} // namespace kmk
