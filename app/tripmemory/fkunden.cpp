#include "app/tripmemory/fkunden.h"

#include "app/records/hilfen.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/kundenliste.h"
#include "platform/forms/colors.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/keys.h"
#include "platform/forms/seams.h"
#include "platform/vb/error.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QStyle>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kmk {

namespace {

template <class W>
W* setzen(W* w, const char* name, int x, int y, int b, int h)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(x, y, b, h);
    return w;
}

const char* const kOptionText[] = {"Fahrt z. Wohn- und Arbeitsstätte", "Privatfahrt", "Geschäftsfahrt",
                                   "Fahrten i. Zshg. m. stfr. Umsätzen", "Familienheimfahrten"};

// Help lines: control, text. Shown when the mouse enters the control or a
// text field gets the focus.
struct Hilfe {
    const char* ctl;
    const char* text;
};
const Hilfe kHilfe[] = {
    {"CSchliessen", "Über diese Taste wird das Bearbeitungsfenster geschlossen und Sie sind wieder in den "
                    "Kilometrikaeintragungen."},
    {"CTVon|Label2", "Hier wird der Abfahrtsort eingetragen. Wenn Sie einen neuen Datensatz erstellen wird "
                     "automatisch der Ankunftsort der letzten Eintrag in dieses Feld übertragen. Sie können "
                     "natürlich den Eintrag überschreiben."},
    {"CTWeg|Label3", "Die Wegstrecke ist nicht generell erforderlich, aber bei Umwegen muss dies hier eingetragen "
                     "werden. Man sollte aber immer einen Eintrag vornehmen, es reicht schon eine "
                     "Straßenbezeichnung oder eine Autobahnnummer. Auch wenn es umständlich erscheint, aber so "
                     "sind Sie immer auf der sicheren Seite."},
    {"CTNach|Label4", "Hier tragen Sie Ihr Fahrziel ein. Wenn Sie in den Grundeinstellungen die Reisekosten "
                      "aktiviert haben, ist der Zielort natürlich das Ziel der Rückfahrt. Damit das Programm die "
                      "Reisekosten berechnen kann, werden die Hin - und Rückfahrt in einer Eintragung "
                      "zusammengefasst. So das die abwesende Zeit daraus ermittelt werden kann. In diesem Fall "
                      "wird das Fahrziel in der Wegstrecke über erfasst. Aus diesem Grund haben wir 250 "
                      "Buchstaben für die Wegstrecke eingerichtet und im erweiterten Ausdruck werden diese auch "
                      "komplett angezeigt. Allerdings haben Sie dann auch nur sieben Eintragungen pro Din A4 "
                      "Seite."},
    {"CTGPartner|Label5", "Hier tragen Sie den Gesprächspartner oder den Firmennamen ein, den Sie besucht haben "
                          "Ganz rechts können Sie mit einem Mausklick eine Liste aufklappen und einen bereits "
                          "bestehenden Eintrag auswählen. So sparen Sie viel Tipparbeit bei Wiederholungen."},
    {"CTGrund|Label6", "Es sollte hier eingetragen werden, warum Sie die Fahrt unternommen haben. (Geschäftlich, "
                       "Kundenbesuch, Akquisition, Bürobedarf usw.)"},
    {"Tgefkm|Label7", "Hier tragen Sie die gefahrenen Kilometer der Fahrt als ganze Zahl ein."},
    {"CWeiter", "Hier wird die Suchfunktion gestartet."},
    {"TSuch|Label8", "Hier können Sie nach Datensätzen suchen. Sie geben zum Beispiel den Namen oder Ort ein und "
                     "starten die Suche mit einem Mausklick auf der Lupe."},
    {"DatAnfang", "Es wird der erste Datensatz des Fahrtenspeichers angezeigt."},
    {"DatEnde", "Es wird der letzte Datensatz angezeigt."},
    {"DatVor", "Einen Datensatz vorblättern."},
    {"DatZuruck", "Es wird der vorherige Datensatz des Fahrtenspeichers angezeigt, also zurückgeblättert."},
    {"DatListe", "In dieser Liste werden die gespeicherten Fahrtenspeichereintragungen angezeigt."},
    {"DatLoeschen", "Mit dieser Taste wird der aktuell ausgewählte Eintrag aus dem Fahrtenspeicher entfernt. Sie "
                    "markieren den Eintrag im Fahrtenspeicher den Sie entfernen möchten und anschließend klicken "
                    "Sie auf diese Taste."},
    {"DatNeu", "Hier beginnt jede neue Eintrag. Die Schriftfarbe wechselt nach Rot, so erkennen Sie sofort das ein "
               "neuer Datensatz angelegt wurde. Wenn Sie jetzt den Datensatz wechseln, zum Beispiel durch vor - oder "
               "zurückblättern wird der Vorgang abgebrochen. Der neue Datensatz verschwindet und es wird auch nichts "
               "gespeichert. Sie müssen einen Neueintrag mit dem speichern abschließen."},
    {"DatSpeichern", "Hier wird ein Datensatz gespeichert oder korrigiert. Wenn Sie alle Eintragungen "
                     "ordnungsgemäß eingetragen haben, schließen Sie die Aktion mit dem Speichern des Datensatzes "
                     "ab."},
    {"TNr", "In diesem Feld wird die aktuelle Datensatznummer des Fahrtenspeichers angezeigt."},
    {"LKHilfe", "Hier werden Ihnen Informationen zu den Funktionen unterhalb des Mauszeigers angezeigt."},
    {"Option1", "Fahrten zwischen Wohnung und Betriebsstätte. Nutzt der Unternehmer sein Firmenfahrzeug, muss ein "
                "geldwerter Vorteil für die Fahrten zwischen Wohnung und Arbeitsstätte versteuert werden."},
    {"Option2", "Bei Privatfahrten müssen Sie diesen Punkt auswählen. Bei Privatfahrten brauchen Sie nur Datum "
                "und den Kilometerstand eintragen."},
    {"Option3", "Geschäftsfahrten sind Fahrten die als Betriebsausgabe gelten. Bei neuen Datensätzen wird immer "
                "Geschäftsfahrt als Standartauswahl automatisch gesetzt. Sie sollten also bei jedem neuen Datensatz "
                "erst überprüfen ob die Fahrtart Ihren Anforderungen entspricht."},
    {"Option4", "Fahrten im Zusammenhang mit steuerfreien Umsätzen ohne Vorsteuerabzug."},
    {"Option5", "Familienheimfahrten sind Fahrten zwischen dem Beschäftigungsort und dem Ort an dem der "
                "Beschäftigte seinen eigenen Hausstand führt. Im Rahmen einer doppelten Haushaltsführung können "
                "Familienheimfahrten als Werbungskosten bei den Einkünften aus nichtselbstständiger Arbeit "
                "berücksichtigt werden. Aufgrund des Urteils des Bundesverfassungsgerichts vom 4.12.2002, "
                "Aktenzeichen: 2 BvR 400/980, können Mehraufwendungen für eine doppelte Haushaltsführung zeitlich "
                "unbegrenzt geltend gemacht werden. Zuvor galt eine Begrenzung auf 2 Jahre. Damit werden nun "
                "Aufwendungen für Familienheimfahrten im Rahmen einer doppelten Haushaltsführung zeitlich "
                "unbegrenzt anerkannt."},
};

// Controls whose help line follows the focus (the others follow the mouse).
bool hilfeBeiFokus(const QString& name)
{
    return name == QLatin1String("TNr") || name == QLatin1String("TSuch") || name == QLatin1String("Tgefkm")
        || name.startsWith(QLatin1String("CT"));
}

} // namespace

FKunden::FKunden(Fahrtenspeicher& fs, QWidget* hauptfenster)
    : QWidget(hauptfenster, Qt::Window), m_fs(fs)
{
    setObjectName(QStringLiteral("FKunden"));
    setWindowTitle(QStringLiteral("Fahrtenspeicher bearbeiten"));
    aufbauen();
    // Load: the design geometry is recorded once.
    m_resize = std::make_unique<clsResize>();
    m_resize->setForm(this);
    m_resize->Initialize();
    hide();
}

FKunden::~FKunden() = default;

void FKunden::aufbauen()
{
    resize(780, 600);
    auto* frame = setzen(new QGroupBox(QStringLiteral("  Fahrtarten  "), this), "Frame1", 10, 8, 300, 142);
    Frame1 = frame;
    Fahrtarten = new forms::OptionGroup(this);
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = "Option" + QByteArray::number(i + 1);
        Option[i] = setzen(new QRadioButton(QString::fromUtf8(kOptionText[i]), frame), name.constData(), 12,
                           22 + 23 * i, 280, 22);
        Fahrtarten->add(Option[i], i);
    }

    setzen(new QLabel(QStringLiteral("gef. Kilometer"), this), "Label7", 326, 12, 110, 20);
    Tgefkm = setzen(new QLineEdit(this), "Tgefkm", 326, 34, 110, 24);
    TNr = setzen(new QLineEdit(this), "TNr", 450, 34, 60, 24);
    TNr->setReadOnly(true);

    struct Knopf { QPushButton** ziel; const char* name; QStyle::StandardPixmap bild; const char* tipp; };
    const Knopf knoepfe[] = {
        {&DatAnfang, "DatAnfang", QStyle::SP_MediaSkipBackward, "ersten Datensatz anzeigen"},
        {&DatZuruck, "DatZuruck", QStyle::SP_MediaSeekBackward, " einen Datensatz zurück"},
        {&DatVor, "DatVor", QStyle::SP_MediaSeekForward, "einen Datensatz vor"},
        {&DatEnde, "DatEnde", QStyle::SP_MediaSkipForward, "letzten Datensatz anzeigen"},
        {&DatNeu, "DatNeu", QStyle::SP_FileIcon, " neuer Datensatz"},
        {&DatSpeichern, "DatSpeichern", QStyle::SP_DialogSaveButton, " Datensatz speichern / überschreiben"},
        {&DatLoeschen, "DatLoeschen", QStyle::SP_TrashIcon, "aktuellen Datensatz löschen"},
    };
    int x = 326;
    for (const Knopf& k : knoepfe) {
        *k.ziel = setzen(new QPushButton(this), k.name, x, 100, 44, 40);
        (*k.ziel)->setIcon(style()->standardIcon(k.bild));
        (*k.ziel)->setIconSize(QSize(24, 24));
        (*k.ziel)->setToolTip(QString::fromUtf8(k.tipp));
        x += k.ziel == &DatEnde ? 70 : 48;
    }

    auto box = [this](const char* name, const char* labelName, const char* caption, int bx, int by, int b, int breite) {
        setzen(new QLabel(QString::fromUtf8(caption), this), labelName, bx, by, b, 20);
        auto* c = setzen(new forms::ComboBox(this, true), name, bx, by + 20, b, 24);
        c->lineEdit()->setMaxLength(breite + 255);   // pasting more is cut by Change
        c->setToolTip(QString::fromUtf8("Aufgeklappt werden die Eintragungen aus dem Fahrtenspeicher angezeigt."));
        c->setProperty("kmkBreite", breite);
        return c;
    };
    CTVon = box("CTVon", "Label2", "Von / Abfahrtort", 10, 156, 375, 50);
    CTNach = box("CTNach", "Label4", "Nach / Ankunftsort", 395, 156, 375, 50);
    CTWeg = box("CTWeg", "Label3", "Über / Wegstrecke", 10, 204, 760, 255);
    CTGPartner = box("CTGPartner", "Label5", "Gesprächspartner", 10, 252, 375, 50);
    CTGrund = box("CTGrund", "Label6", "Grund der Fahrt", 395, 252, 375, 50);

    setzen(new QLabel(QStringLiteral("Suchen"), this), "Label8", 10, 310, 60, 24);
    TSuch = setzen(new QLineEdit(this), "TSuch", 70, 310, 240, 24);
    CWeiter = setzen(new QPushButton(this), "CWeiter", 316, 308, 34, 28);
    CWeiter->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    CWeiter->setToolTip(QStringLiteral("Suche starten"));

    DatListe = setzen(new QListWidget(this), "DatListe", 10, 342, 760, 196);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setFixedPitch(true);
    if (!QFontDatabase::hasFamily(mono.family()))
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(8);
    DatListe->setFont(mono);

    LKHilfe = setzen(new QLabel(QStringLiteral("Hilfe"), this), "LKHilfe", 10, 544, 600, 50);
    LKHilfe->setWordWrap(true);
    LKHilfe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LKHilfe->setFrameShape(QFrame::StyledPanel);
    CSchliessen = setzen(new QPushButton(QStringLiteral("Fenster schliessen"), this), "CSchliessen", 620, 552, 150, 32);

    // ---- handlers ----
    connect(DatAnfang, &QPushButton::clicked, this, [this] { DatAnfang_Click(); });
    connect(DatZuruck, &QPushButton::clicked, this, [this] { DatZuruck_Click(); });
    connect(DatVor, &QPushButton::clicked, this, [this] { DatVor_Click(); });
    connect(DatEnde, &QPushButton::clicked, this, [this] { DatEnde_Click(); });
    connect(DatNeu, &QPushButton::clicked, this, [this] { DatNeu_Click(); });
    connect(DatSpeichern, &QPushButton::clicked, this, [this] { DatSpeichern_Click(); });
    connect(DatLoeschen, &QPushButton::clicked, this, [this] { DatLoeschen_Click(); });
    connect(CSchliessen, &QPushButton::clicked, this, [this] { CSchliessen_Click(); });
    connect(CWeiter, &QPushButton::clicked, this, [this] { CWeiter_Click(); });
    forms::onChange(TSuch, [this] { Suchposition = 2; });
    forms::onClick(DatListe, [this] { DatListe_Click(); });
    connect(DatListe, &QListWidget::itemClicked, this, [this] { DatListe_Click(); });

    for (forms::ComboBox* c : boxen()) {
        const int breite = c->property("kmkBreite").toInt();
        connect(c, &forms::ComboBox::change, this, [c, breite] {
            const QString t = c->text();
            if (t.size() == 1 && t != t.toUpper()) {
                c->setText(t.toUpper());
                c->lineEdit()->setCursorPosition(1);
            } else if (t.size() > breite) {
                c->setText(t.left(breite));
                c->lineEdit()->setCursorPosition(breite);
            }
        });
        connect(c, &forms::ComboBox::click, this, [c] {
            const QString t = c->text();
            if (t.size() == 1 && t != t.toUpper()) {
                c->setText(t.toUpper());
                c->lineEdit()->setCursorPosition(1);
            }
        });
        forms::onKeyPress(c, [](int& k) {
            if (k == 13) {
                k = 0;
                forms::postKeys(QStringLiteral("{TAB}"));
            }
        });
    }

    for (const Hilfe& h : kHilfe) {
        const QString text = QString::fromUtf8(h.text);
        for (const QString& name : QString::fromLatin1(h.ctl).split(QLatin1Char('|'))) {
            QWidget* w = findChild<QWidget*>(name);
            if (!w)
                continue;
            if (hilfeBeiFokus(name)) {
                forms::onGotFocus(w, [this, text] { LKHilfe->setText(text); });
            } else {
                m_hilfe.insert(w, text);
                w->installEventFilter(this);
            }
        }
    }
}

bool FKunden::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        auto it = m_hilfe.constFind(o);
        if (it != m_hilfe.constEnd())
            LKHilfe->setText(*it);
    }
    return QWidget::eventFilter(o, e);
}

void FKunden::plain(const QString& text) const
{
    forms::services().dialogs->msgBox(text);
}

bool FKunden::meldung(int n) const
{
    return m_fs.dienste.meldung ? m_fs.dienste.meldung(n) : true;
}

void FKunden::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Once per opening: a message box closing over the window activates it
    // again, and that must not reload the mask in the middle of an edit.
    if (!e->spontaneous())
        Form_Activate();
}

void FKunden::closeEvent(QCloseEvent* e)
{
    schliessen();
    QWidget::closeEvent(e);
}

void FKunden::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (m_resize && (!skalierenErlaubt || skalierenErlaubt()))
        m_resize->DoResize();
}

void FKunden::Form_Activate()
{
    if (!Kunden_oeffnen())
        plain(QString::fromUtf8("Die Kundendatei konnte nicht geöffnet werden!"));
    NeuerSatz = false;
    maskeFarbe(0);
    Suchposition = 2;
    Liste_aufbauen();
}

void FKunden::maskeLeeren()
{
    forms::setText(Tgefkm, QString());
    for (forms::ComboBox* c : boxen())
        c->setText(QString());
}

void FKunden::maskeFarbe(qint64 bgr)
{
    const QColor farbe = bgr == 0 ? palette().color(QPalette::Text) : forms::bgr(bgr);
    QList<QWidget*> felder{Tgefkm};
    for (forms::ComboBox* c : boxen())
        felder << c->lineEdit();
    for (QWidget* w : felder) {
        QPalette p = w->palette();
        p.setColor(QPalette::Text, farbe);
        w->setPalette(p);
    }
}

void FKunden::zeigeNummer(int n)
{
    forms::setText(TNr, vb::Str(n));
}

void FKunden::markiereZeile(int zeile)
{
    if (zeile >= 0 && zeile < DatListe->count())
        forms::setListIndex(DatListe, zeile);
}

bool FKunden::Kunden_oeffnen()
{
    const Kundendatei d = m_fs.datei();
    if (!d.vorhanden()) {
        LetzterSatz = SpeicherAnzahl = AktuellerSatz = 0;
        plain(QString::fromUtf8("Kundenspeicher konnte nicht gefunden werden!"));
        return false;
    }
    LetzterSatz = d.anzahl();
    if (LetzterSatz < 1) {
        maskeLeeren();
        forms::setText(TNr, QString());
        AktuellerSatz = SpeicherAnzahl = 0;
        plain(QString::fromUtf8("Es sind keine Eintragungen vorhanden!"));
        return true;
    }
    SpeicherAnzahl = AktuellerSatz = LetzterSatz;
    m_fs.Fahrtenspeicherpuffer = d.satz(LetzterSatz);
    Daten_Eingabe();
    zeigeNummer(LetzterSatz);
    return true;
}

bool FKunden::Datensatz_zeigen(int Nr)
{
    const Kundendatei d = m_fs.datei();
    if (!d.vorhanden() || Nr < 1 || Nr > LetzterSatz)
        return false;
    AktuellerSatz = Nr;
    m_fs.Fahrtenspeicherpuffer = d.satz(Nr);
    zeigeNummer(Nr);
    Daten_Eingabe();
    return true;
}

void FKunden::Daten_Eingabe()
{
    Fahrtenspeichersatz& s = m_fs.Fahrtenspeicherpuffer;
    // A record without a trip type still shows its own texts and km, with no
    // type chosen: the mask never keeps another record's data.
    if (s.Fahrtart >= 1 && s.Fahrtart <= 5)
        Fahrtarten->setValue(s.Fahrtart - 1);
    else
        Fahrtarten->setValue(-1);
    forms::setText(Tgefkm, QString::number(s.GefahreneKm));
    s.Von = vb::Trim(s.Von);
    s.Ueber = vb::Trim(s.Ueber);
    s.Nach = vb::Trim(s.Nach);
    s.Gespraechspartner = vb::Trim(s.Gespraechspartner);
    s.Grund = vb::Trim(s.Grund);
    CTVon->setText(s.Von);
    CTWeg->setText(s.Ueber);
    CTNach->setText(s.Nach);
    CTGPartner->setText(s.Gespraechspartner);
    CTGrund->setText(s.Grund);
}

bool FKunden::Eingabe_Daten()
{
    forms::setText(Tgefkm, vb::Trim(Tgefkm->text()));
    for (forms::ComboBox* c : boxen())
        c->setText(vb::Trim(c->text()));
    const std::pair<QString, int> pflicht[] = {
        {Tgefkm->text(), 54}, {CTVon->text(), 56}, {CTWeg->text(), 57},
        {CTNach->text(), 58}, {CTGPartner->text(), 59}, {CTGrund->text(), 60},
    };
    for (const auto& [text, nr] : pflicht)
        if (text.isEmpty()) {
            meldung(nr);
            return false;
        }
    if (Fahrtarten->value() < 0) {
        meldung(63);
        return false;
    }
    bool ok = false;
    const QString km = Tgefkm->text();
    const qint32 wert = km.toInt(&ok);
    // Digits only: no sign, no decimals, within 32 bits.
    if (!ok || wert < 0 || km.contains(QLatin1Char('+'))) {
        plain(QString::fromUtf8("Bitte tragen Sie die gefahrenen Kilometer als ganze Zahl ein!"));
        return false;
    }
    Fahrtenspeichersatz& s = m_fs.Fahrtenspeicherpuffer;
    s.Fahrtart = quint8(Fahrtarten->value() + 1);
    s.GefahreneKm = wert;
    s.Von = CTVon->text();
    s.Ueber = CTWeg->text();
    s.Nach = CTNach->text();
    s.Gespraechspartner = CTGPartner->text();
    s.Grund = CTGrund->text();
    return true;
}

bool FKunden::Kunde_speichern()
{
    if (AktuellerSatz == 0)
        NeuerSatz = true;
    Kundendatei d = m_fs.datei();
    if (!d.vorhanden()) {
        Liste_aufbauen();
        return false;
    }
    if (!Eingabe_Daten()) {
        // The list is left as it is, so the mask keeps what was typed.
        plain(QString::fromUtf8("Bei der Datenübertragung ist ein Fehler aufgetreten!"));
        return false;
    }
    QString fehler;
    if (!NeuerSatz) {
        if (!d.ersetzen(AktuellerSatz, m_fs.Fahrtenspeicherpuffer, &fehler)) {
            plain(fehler);   // the mask keeps what was typed
            return false;
        }
    } else {
        if (!d.anhaengen(m_fs.Fahrtenspeicherpuffer, &fehler)) {
            plain(fehler);
            return false;
        }
        SpeicherAnzahl = AktuellerSatz = LetzterSatz = d.anzahl();
        maskeFarbe(0);
        zeigeNummer(AktuellerSatz);
        NeuerSatz = false;
    }
    Liste_aufbauen();
    return true;
}

void FKunden::Liste_aufbauen()
{
    const int gemerkt = AktuellerSatz;
    DatListe->clear();
    for (forms::ComboBox* c : boxen())
        c->clearItems();
    const QList<Fahrtenspeichersatz> alle = m_fs.datei().alle();
    QStringList zeilen{editorKopfzeile(), editorTrennzeile()};
    for (int n = 1; n <= LetzterSatz && n <= alle.size(); ++n)
        zeilen << editorZeile(alle[n - 1]);
    DatListe->addItems(zeilen);
    const auto auswahl = editorAuswahl(alle.mid(0, LetzterSatz));
    const std::array<forms::ComboBox*, Editorfelder> ziel{CTVon, CTWeg, CTNach, CTGrund, CTGPartner};
    for (int f = 0; f < Editorfelder; ++f)
        ziel[f]->setItems(auswahl[f]);
    if (gemerkt > 0 && gemerkt <= alle.size())
        m_fs.Fahrtenspeicherpuffer = alle[gemerkt - 1];
    AktuellerSatz = gemerkt;
    // Nothing to select in a list of headings only.
    if (DatListe->count() > 2)
        markiereZeile(gemerkt + 1);
}

void FKunden::DatListe_Click()
{
    const int zeile = DatListe->currentRow();
    if (zeile < 0)
        return;
    if (zeile < 2) {
        if (DatListe->count() > 2) {
            markiereZeile(2);
            Datensatz_zeigen(1);
        }
        return;
    }
    Datensatz_zeigen(zeile - 1);
}

void FKunden::DatAnfang_Click()
{
    if (m_fs.datei().vorhanden() && AktuellerSatz > 1 && Datensatz_zeigen(1))
        markiereZeile(AktuellerSatz + 1);
}

void FKunden::DatZuruck_Click()
{
    if (m_fs.datei().vorhanden() && AktuellerSatz > 1 && Datensatz_zeigen(AktuellerSatz - 1))
        markiereZeile(AktuellerSatz + 1);
}

void FKunden::DatVor_Click()
{
    if (m_fs.datei().vorhanden() && AktuellerSatz < SpeicherAnzahl && Datensatz_zeigen(AktuellerSatz + 1))
        markiereZeile(AktuellerSatz + 1);
}

void FKunden::DatEnde_Click()
{
    if (m_fs.datei().vorhanden() && AktuellerSatz < LetzterSatz && Datensatz_zeigen(SpeicherAnzahl))
        markiereZeile(AktuellerSatz + 1);
}

void FKunden::DatNeu_Click()
{
    if (!m_fs.datei().vorhanden())
        return;
    NeuerSatz = true;
    Fahrtarten->setValue(-1);
    maskeFarbe(192);
    maskeLeeren();
}

void FKunden::DatSpeichern_Click()
{
    if (!Eingabe_Daten())
        return;
    if (Kunde_speichern()) {
        nachAenderung();
        plain(QStringLiteral("Datensatz wurde gespeichert"));
    } else {
        plain(QString::fromUtf8("Beim Speichern ist ein Fehler aufgetreten!"));
    }
}

void FKunden::DatLoeschen_Click()
{
    Kundendatei d = m_fs.datei();
    if (d.anzahl() < 2) {
        plain(QString::fromUtf8("Man kann den letzten Datensatz nicht löschen!\n"
                                "Löschen Sie den Datensatz später wenn wieder\n"
                                "meherer Datensätze vorhanden sind!"));
        return;
    }
    if (!meldung(30))
        return;
    if (AktuellerSatz < 1 || AktuellerSatz > d.anzahl())
        return;
    QString fehler;
    if (!d.entfernen(AktuellerSatz, &fehler)) {
        plain(fehler);
        return;
    }
    nachAenderung();
    Kunden_oeffnen();
    Liste_aufbauen();
}

void FKunden::nachAenderung()
{
    if (hauptfensterNeu)
        hauptfensterNeu();
}

void FKunden::schliessen()
{
    nachAenderung();
}

void FKunden::CSchliessen_Click()
{
    schliessen();
    hide();
}

void FKunden::CWeiter_Click()
{
    if (!m_fs.datei().vorhanden() || AktuellerSatz < 1)
        return;
    const int letzte = DatListe->count() - 1;
    if (letzte < 2)
        return;
    if (Suchposition < 2 || Suchposition > letzte)
        Suchposition = 2;
    const QString gesucht = TSuch->text().toUpper();
    // One round over every record row, from the search position on.
    const int zeilen = letzte - 1;
    for (int k = 0; k < zeilen; ++k) {
        const int i = 2 + (Suchposition - 2 + k) % zeilen;
        const QString zeile = DatListe->item(i)->text();
        if (zeile.isEmpty())
            continue;
        if (zeile.toUpper().contains(gesucht)) {
            markiereZeile(i);
            Suchposition = i + 1;
            return;
        }
    }
    Suchposition = 2;
}

bool FKunden::IsFileOpen(const QString& Path)
{
    // Reading only: a test must not create the file.
    const int fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    if (errno == EACCES || errno == EPERM)
        return true;
    throw vb::RuntimeError(errno == ENOENT ? vb::ErrFileNotFound : 75);   // 75: path/file access error
}

void FKunden::Delay(qint64 Seconds)
{
    Warten(Seconds);
}

} // namespace kmk
