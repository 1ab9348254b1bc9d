#include "app/tripmemory/fahrtenspeicher.h"

#include "app/tripmemory/kundenliste.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/keys.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/seams.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kmk {

namespace {

const char* const kFahrtartOption[] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};

// The placeholder of a private trip recorded with date and km only names
// no place nor purpose: it counts as no text, going in or coming out.
QString ohnePlatzhalter(quint8 fahrtart, const QString& text)
{
    return IstPrivatplatzhalter(fahrtart, text) ? QString() : text;
}
// Order of the drop-down lists (Eintragsfeld).
const char* const kEintragsfeld[] = {"EinGesprach", "EinVon", "EinUber", "EinNach", "EinGrund", "EinFahrer"};
const char* const kSatznummer = "kmkSatznummer";
const char* const kSatzbytes = "kmkSatzbytes";
// The bytes of a line's record: a twin line (same contact and destination)
// that moves up into a deleted record's number is not that record.
constexpr int SatzbytesRolle = SatznummerRolle + 1;

void listeFuellen(QListWidget* l, const QStringList& zeilen, const QList<int>& nummern,
                  const QList<QByteArray>& bytes = {})
{
    if (!l)
        return;
    l->clear();
    for (int i = 0; i < zeilen.size(); ++i) {
        auto* item = new QListWidgetItem(zeilen[i]);
        item->setData(SatznummerRolle, nummern[i]);
        if (i < bytes.size())
            item->setData(SatzbytesRolle, bytes[i]);
        l->addItem(item);
    }
}

} // namespace

void setzeAuswahl(QLabel* label56, const QString& zeile, int satz, const QByteArray& bytes)
{
    if (!label56)
        return;
    label56->setProperty(kSatznummer, satz);
    label56->setProperty(kSatzbytes, bytes);
    label56->setText(zeile);
}

int auswahlSatz(const QLabel* label56)
{
    return label56 ? label56->property(kSatznummer).toInt() : 0;
}

Fahrtenspeicher::Fahrtenspeicher(QWidget* fenster, Fahrten1& st)
    : QObject(fenster), m_fenster(fenster), m_st(st)
{
    setObjectName(QStringLiteral("kmkFahrtenspeicher"));
}

QString Fahrtenspeicher::dateipfad() const
{
    return m_st.pfad(m_st.Kundendatei);
}

QWidget* Fahrtenspeicher::ctl(const char* name) const
{
    return m_fenster ? m_fenster->findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
}

void Fahrtenspeicher::hinweis(const QString& text) const
{
    if (dienste.hinweis)
        dienste.hinweis(text);
    else
        forms::services().dialogs->msgBox(text, forms::vbExclamation);
}

int Fahrtenspeicher::gewaehlterSatz() const
{
    return auswahlSatz(qobject_cast<QLabel*>(ctl("Label56")));
}

void Fahrtenspeicher::KundeDat(bool anfuegen)
{
    const quint8 fahrtart = m_st.AktuelleFahrtart;
    const QString von = ohnePlatzhalter(fahrtart, forms::text(ctl("EinVon")));
    const QString nach = ohnePlatzhalter(fahrtart, forms::text(ctl("EinNach")));
    const QString grund = ohnePlatzhalter(fahrtart, forms::text(ctl("EinGrund")));
    auto* optWA = qobject_cast<QRadioButton*>(ctl("OptWA"));
    // Untrimmed on purpose: a start of blanks counts as given.
    if (von.isEmpty() || nach.isEmpty() || (grund.isEmpty() && !(optWA && optWA->isChecked()))) {
        meldung(87);
        return;
    }
    Kundendatei d = datei();
    QString fehler;
    if (!anfuegen) {
        if (!d.anlegen(&fehler))
            hinweis(fehler);
        KListe();
        return;
    }

    Fahrtenspeichersatz neu;
    neu.Fahrtart = m_st.AktuelleFahrtart;
    neu.GefahreneKm = m_st.EingabeKm;
    neu.Von = vb::Trim(von);
    neu.Ueber = vb::Trim(ohnePlatzhalter(fahrtart, forms::text(ctl("EinUber"))));
    neu.Nach = vb::Trim(nach);
    neu.Grund = vb::Trim(grund);
    neu.Gespraechspartner = vb::Trim(ohnePlatzhalter(fahrtart, forms::text(ctl("EinGesprach"))));
    // Compared as it would be stored (cut to width, in the file's code page),
    // so a long text does not slip past as a new record every time.
    const Fahrtenspeichersatz gespeichert = Fahrtenspeichersatz::ausBytes(neu.zuBytes());

    const QList<Fahrtenspeichersatz> alle = d.alle();
    Kundenanzahl = qint16(alle.size() + 1);
    for (const auto& s : alle) {
        Fahrtenspeicherpuffer = s;
        if (vb::Trim(s.Von) == vb::Trim(gespeichert.Von) && vb::Trim(s.Ueber) == vb::Trim(gespeichert.Ueber)
            && vb::Trim(s.Nach) == vb::Trim(gespeichert.Nach) && vb::Trim(s.Grund) == vb::Trim(gespeichert.Grund)
            && vb::Trim(s.Gespraechspartner) == vb::Trim(gespeichert.Gespraechspartner)
            && s.GefahreneKm == neu.GefahreneKm && s.Fahrtart == neu.Fahrtart) {
            meldung(86);
            KListe();
            return;
        }
    }
    Fahrtenspeicherpuffer = neu;
    if (!d.anhaengen(neu, &fehler))
        hinweis(fehler);
    KListe();
}

void Fahrtenspeicher::Kundeloschen()
{
    const int n = gewaehlterSatz();
    if (n < 1)
        return;   // no line chosen
    if (!meldung(30))
        return;
    Kundendatei d = datei();
    if (!d.vorhanden())
        return;
    const int anzahl = d.anzahl();
    // The last remaining record stays; a number without a record is refused.
    if (anzahl == 1 || n > anzahl)
        return;
    QString fehler;
    if (!d.entfernen(n, &fehler)) {
        hinweis(fehler);
        return;
    }
    setzeAuswahl(qobject_cast<QLabel*>(ctl("Label56")), QString(), 0);
    KListe();
}

void Fahrtenspeicher::KListe()
{
    auto* list8 = qobject_cast<QListWidget*>(ctl("List8"));
    auto* list1 = qobject_cast<QListWidget*>(ctl("List1"));
    auto* label56 = qobject_cast<QLabel*>(ctl("Label56"));
    if (list8)
        list8->clear();
    if (list1)
        list1->clear();
    QStringList zeilen;
    QList<int> nummern;
    QList<QByteArray> bytes;
    const Kundendatei d = datei();
    if (d.vorhanden()) {
        const QList<Fahrtenspeichersatz> alle = d.alle();
        Kundenanzahl = qint16(alle.size());
        zeilen.reserve(alle.size());
        for (int i = 0; i < alle.size(); ++i) {
            Fahrtenspeicherpuffer = alle[i];
            Fahrtenspeicherpuffer.Gespraechspartner = vb::Trim(Fahrtenspeicherpuffer.Gespraechspartner);
            Fahrtenspeicherpuffer.Nach = vb::Trim(Fahrtenspeicherpuffer.Nach);
            zeilen << pickZeile(alle[i], i + 1);
            nummern << i + 1;
            bytes << alle[i].zuBytes();
        }
        listeFuellen(list1, zeilen, nummern, bytes);
        listeFuellen(list8, zeilen, nummern, bytes);
    }
    // A chosen line whose record is gone, or now stands elsewhere, is let go:
    // it must not name another record.
    const int n = auswahlSatz(label56);
    if (!label56 || n < 1)
        return;
    const QByteArray gewaehlt = label56->property(kSatzbytes).toByteArray();
    if (n > zeilen.size() || label56->text().left(50) != zeilen[n - 1].left(50)
        || (!gewaehlt.isEmpty() && gewaehlt != bytes[n - 1]))
        setzeAuswahl(label56, QString(), 0);
}

void Fahrtenspeicher::AListe()
{
    const Kundendatei d = datei();
    if (!d.vorhanden())
        return;
    std::array<QString, Eintragsfelder> getippt;
    std::array<forms::ComboBox*, Eintragsfelder> boxen{};
    for (int f = 0; f < Eintragsfelder; ++f) {
        boxen[f] = qobject_cast<forms::ComboBox*>(ctl(kEintragsfeld[f]));
        getippt[f] = boxen[f] ? boxen[f]->text() : QString();
    }
    const QList<Fahrtenspeichersatz> alle = d.alle();

    QStringList zeilen{filterKopfzeile()};
    QList<int> nummern{0};
    for (int i = 0; i < alle.size(); ++i) {
        zeilen << filterZeile(alle[i], i + 1);
        nummern << i + 1;
    }
    listeFuellen(qobject_cast<QListWidget*>(ctl("List2")), zeilen, nummern);
    if (!alle.isEmpty()) {
        Fahrtenspeicherpuffer = alle.last();
        Fahrtenspeicherpuffer.Gespraechspartner = vb::Trim(Fahrtenspeicherpuffer.Gespraechspartner);
        Fahrtenspeicherpuffer.Nach = vb::Trim(Fahrtenspeicherpuffer.Nach);
    }

    const Auswahllisten a = auswahllisten(alle, getippt);
    for (int f = 0; f < Eintragsfelder; ++f)
        if (boxen[f]) {
            boxen[f]->setItems(a[f]);
            boxen[f]->setText(getippt[f]);
        }
}

void Fahrtenspeicher::Kundeubergeben()
{
    const int n = gewaehlterSatz();
    const Kundendatei d = datei();
    // Only a record the chosen line names; never a stand-in.
    if (n < 1 || !d.vorhanden() || n > d.anzahl())
        return;
    const Fahrtenspeichersatz s = d.satz(n);
    Fahrtenspeicherpuffer = s;
    m_st.AktuelleFahrtart = s.Fahrtart;
    // An entry filed from a private trip's placeholder fills nothing.
    forms::setText(ctl("EinVon"), vb::Trim(ohnePlatzhalter(s.Fahrtart, s.Von)));
    forms::setText(ctl("EinUber"), vb::Trim(ohnePlatzhalter(s.Fahrtart, s.Ueber)));
    forms::setText(ctl("EinNach"), vb::Trim(ohnePlatzhalter(s.Fahrtart, s.Nach)));
    forms::setText(ctl("EinGrund"), vb::Trim(ohnePlatzhalter(s.Fahrtart, s.Grund)));
    forms::setText(ctl("EinGesprach"), vb::Trim(ohnePlatzhalter(s.Fahrtart, s.Gespraechspartner)));

    const double ab = vb::Val(forms::text(ctl("AnzKmAb")));
    forms::setText(ctl("EinkmAn"), vb::Trim(vb::Str(ab + double(s.GefahreneKm))));
    m_st.Satzpuffer[0].GefahreneKm = s.GefahreneKm;
    const bool privat = m_st.Kfz.Privatfahrzeug != 0;
    if (privat)
        forms::setText(ctl("EinGefKm"), vb::Str(s.GefahreneKm));

    std::array<QRadioButton*, 5> opt{};
    for (int i = 0; i < 5; ++i)
        opt[i] = qobject_cast<QRadioButton*>(ctl(kFahrtartOption[i]));
    // Every option cleared first: a group that can show "none selected".
    for (QRadioButton* o : opt)
        forms::setOptionValue(o, false);
    if (s.Fahrtart >= 1 && s.Fahrtart <= 5 && opt[s.Fahrtart - 1])
        opt[s.Fahrtart - 1]->setChecked(true);
    if (privat) {
        m_st.AktuelleFahrtart = 3;
        if (opt[2])
            opt[2]->setChecked(true);
    }
    // The type set here counts as clicked: the page shows the fields of
    // that type, also when it came from a private trip that hid them.
    if (dienste.PauschaleAnzeigen)
        dienste.PauschaleAnzeigen();
    const bool privatfahrt = opt[1] && opt[1]->isChecked();
    if (m_st.Voreinstellung.WenigAbfragen == 0 && !privatfahrt && m_st.Kfz.Firmenfahrzeug != 0
        && m_st.Voreinstellung.MitVerpflegungspauschale != 0)
        meldung(64);
}

void Fahrtenspeicher::KundeEintragen_MouseUp(int button)
{
    if (button == 1 && m_st.NeuerEintragOffen)
        Kundeubergeben();
    else
        meldung(99);
}

void Fahrtenspeicher::KundenNeu_MouseUp(int button)
{
    if (button == 1)
        TasteF11();
}

void Fahrtenspeicher::Kundeuberschreiben_MouseUp(int button)
{
    if (button == 1)
        TasteF3();
}

void Fahrtenspeicher::List8_Click()
{
    auto* list8 = qobject_cast<QListWidget*>(ctl("List8"));
    if (!list8)
        return;
    QListWidgetItem* item = list8->currentItem();
    if (!item)
        return;
    // A line the letter filter copied over by its text finds its number on
    // its twin in List1, which holds every line once.
    const QListWidgetItem* quelle = item;
    if (!item->data(SatznummerRolle).isValid())
        if (auto* list1 = qobject_cast<QListWidget*>(ctl("List1")))
            for (int i = 0; i < list1->count(); ++i)
                if (list1->item(i)->text() == item->text()) {
                    quelle = list1->item(i);
                    break;
                }
    setzeAuswahl(qobject_cast<QLabel*>(ctl("Label56")), item->text(), quelle->data(SatznummerRolle).toInt(),
                 quelle->data(SatzbytesRolle).toByteArray());
}

void Fahrtenspeicher::List8_DblClick()
{
    if (!m_st.NeuerEintragOffen) {
        meldung(65);
        return;
    }
    List8_Click();
    Kundeubergeben();
    if (dienste.Roteeingabe)
        dienste.Roteeingabe();
    if (dienste.PauschaleAnzeigen)
        dienste.PauschaleAnzeigen();
}

void Fahrtenspeicher::KundenBearbeiten_Click()
{
    if (!datei().vorhanden()) {
        meldung(55);
        return;
    }
    if (dienste.editorZeigen)
        dienste.editorZeigen();
}

void Fahrtenspeicher::verbinden()
{
    auto mouseUp = [this](const char* name, void (Fahrtenspeicher::*h)(int)) {
        if (auto* b = qobject_cast<forms::MouseUpButton*>(ctl(name)))
            connect(b, &forms::MouseUpButton::mouseUp, this, [this, h](int button, int, QPoint) { (this->*h)(button); });
    };
    mouseUp("KundeEintragen", &Fahrtenspeicher::KundeEintragen_MouseUp);
    mouseUp("KundenNeu", &Fahrtenspeicher::KundenNeu_MouseUp);
    mouseUp("Kundeuberschreiben", &Fahrtenspeicher::Kundeuberschreiben_MouseUp);
    if (auto* b = qobject_cast<QPushButton*>(ctl("KundenBearbeiten")))
        connect(b, &QPushButton::clicked, this, [this] { KundenBearbeiten_Click(); });
    if (auto* list8 = qobject_cast<QListWidget*>(ctl("List8"))) {
        forms::onClick(list8, [this] { List8_Click(); });
        // A click on the line already chosen raises no change of row.
        connect(list8, &QListWidget::itemClicked, this, [this] { List8_Click(); });
        connect(list8, &QListWidget::itemDoubleClicked, this, [this] { List8_DblClick(); });
        forms::onKeyPress(list8, [this](int& k) {
            if (k != 13)
                return;
            if (m_st.NeuerEintragOffen)
                List8_Enter();
            forms::postKeys(QStringLiteral("{TAB}"));
        });
    }
}

} // namespace kmk
