// Start-up of the main window, the page change, resize and close.
#include "app/mainwindow/startup.h"

#include "app/backup/sicherung.h"
#include "app/backup/wiederherstellen.h"
#include "app/mainwindow/anbindung_ausdruck.h"
#include "app/mainwindow/anbindung_eingabe.h"
#include "app/mainwindow/anbindung_eintrag.h"
#include "app/mainwindow/anbindung_fahrtenspeicher.h"
#include "app/mainwindow/anbindung_pauschalen.h"
#include "app/mainwindow/anbindung_tabellen.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/fstart.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/nebenfenster.h"
#include "app/mainwindow/page_ausdruck.h"
#include "app/mainwindow/page_auswertung.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "app/records/hilfen.h"
#include "app/records/jahr.h"
#include "app/resize/clsresize.h"
#include "app/tripmemory/fahrtenspeichersatz.h"
#include "platform/com/profile.h"
#include "platform/com/registry.h"
#include "platform/forms/dirlist.h"
#include "platform/forms/events.h"
#include "platform/forms/seams.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/io/recordfile.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMouseEvent>
#include <memory>

namespace kmk {

namespace {

QString beschaedigtSichern(const QString& pfad, qint64 hoechstens = -1)
{
    return BeschaedigtSichern(mw::G(), pfad, hoechstens);
}

// Keeps a record file that ends in part of a record aside and gives the
// start's message on it. One larger than its format can hold is not copied
// whole: its copy keeps one record more than the format holds.
struct Dateiart {
    QString name;
    int laenge;
    qint32 hoechstens;   // records
    QString art;         // "eine Fahrtdatei"
};

QString unvollstaendigSichern(const Dateiart& d, const QFileInfo& fi)
{
    const qint64 grenze = (qint64(d.hoechstens) + 1) * d.laenge;
    if (fi.size() <= grenze) {
        const QString kopie = beschaedigtSichern(fi.filePath());
        return QStringLiteral("Die Datei \"%1\" endet mit einem unvollständigen Datensatz. "
                              "Er wird beim nächsten Speichern überschrieben.").arg(d.name)
               + (kopie.isEmpty() ? QString()
                                  : QStringLiteral(" Die Datei wurde vorher unter \"%1\" gesichert.").arg(kopie));
    }
    const QString kopie = beschaedigtSichern(fi.filePath(), grenze);
    return QStringLiteral("Die Datei \"%1\" ist größer, als %2 sein kann, und endet mit einem unvollständigen "
                          "Datensatz.").arg(d.name, d.art)
           + (kopie.isEmpty() ? QString()
                              : QStringLiteral(" Ihre ersten %1 Datensätze wurden unter \"%2\" gesichert.")
                                    .arg(qint64(d.hoechstens) + 1).arg(kopie));
}

QString& vorgabe()
{
    static QString v;
    return v;
}

// A backup on closing: a failure is told, and closing goes on.
void sichern(const std::function<void()>& sicherung)
{
    try {
        if (sicherung)
            sicherung();
    } catch (const std::exception&) {
        mw::plainMessage(QStringLiteral("Die Datensicherung ist fehlgeschlagen."));
    }
}

// From the error trap on, a failing statement is skipped and the sequence
// goes on; nothing is reported.
template <class F> void trap(F&& f)
{
    try {
        f();
    } catch (const std::exception&) {
    }
}

// The year set-up's view of a hosted calendar.
class KalenderAdapter : public KalenderGrenzen {
public:
    explicit KalenderAdapter(QWidget* w) : w_(w) {}
    qint32 minDate() const override { return mw::calGet(w_, "MinDate"); }
    qint32 maxDate() const override { return mw::calGet(w_, "MaxDate"); }
    void setYear(int jahr) override { mw::calPut(w_, "Year", jahr); }
    void setMinDate(qint32 tag) override { mw::calPut(w_, "MinDate", tag); }
    void setMaxDate(qint32 tag) override { mw::calPut(w_, "MaxDate", tag); }
    void setDate(qint32 tag) override { mw::calPut(w_, "Date", tag); }

private:
    QWidget* w_;
};


// Last year's trip memory. An installation lives in a folder "Kilo<year>";
// last year's installation is its neighbour "Kilo<year-1>" in the same
// parent folder. Its trip memory is taken over only when that folder also
// holds a program (so a stray data file is not mistaken for an installation)
// and only while this year has no trip memory of its own.
void VorjahrFahrtenspeicherUebernehmen(const QString& programmpfad, const QString& jahr)
{
    bool ok = false;
    const int j = jahr.toInt(&ok);
    if (!ok)
        return;
    const QString ziel = programmpfad + QStringLiteral("Kund") + jahr + QStringLiteral(".dat");
    if (!io::findFileCaseInsensitive(programmpfad, QStringLiteral("Kund") + jahr + QStringLiteral(".dat")).isEmpty())
        return;
    QDir ordner(programmpfad);
    if (ordner.dirName() != QStringLiteral("Kilo") + jahr || !ordner.cdUp())
        return;
    const QString p = QString::number(j - 1);
    const QString vorjahr = ordner.absoluteFilePath(QStringLiteral("Kilo") + p);
    const QString quelle = io::findFileCaseInsensitive(vorjahr, QStringLiteral("Kund") + p + QStringLiteral(".dat"));
    const bool programm = !io::findFileCaseInsensitive(vorjahr, QStringLiteral("Kilometrika")).isEmpty() ||
                          !io::findFileCaseInsensitive(vorjahr, QStringLiteral("Kilo") + p).isEmpty();
    if (!quelle.isEmpty() && programm)
        io::importFileAtomic(quelle, ziel);
}

// A scale list: percentages from 'ab' to 165 in steps of 5, without 135; a
// stored choice beyond 'hoechstens' falls back to 'standard'.
void skalaFuellen(QListWidget* liste, int ab, quint8& index, int hoechstens, int standard)
{
    liste->clear();
    for (int p = ab; p <= 165; p += 5)
        if (p != 135)
            liste->addItem(QString::number(p));
    if (index > hoechstens) {
        forms::setListIndex(liste, standard);
        index = quint8(standard);
    } else {
        forms::setListIndex(liste, index);
    }
}

} // namespace

void setProgrammPfadVorgabe(const QString& ordner)
{
    vorgabe() = ordner;
}

QString ProgrammPfadErmitteln()
{
    QString ordner = vorgabe();
    if (ordner.isEmpty())
        ordner = qEnvironmentVariable("KILOMETRIKA_PROGRAMMPFAD");
    if (ordner.isEmpty()) {
        // Without an application object Qt knows no program path; the
        // kernel's name of the running file is where Qt takes it from.
        ordner = QCoreApplication::instance()
                     ? QCoreApplication::applicationDirPath()
                     : QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    }
    ordner = QDir(ordner).absolutePath();
    return ordnerMitTrenner(ordner);
}

QString Programmversion(const QString& hauptversion, int buildnummer)
{
    return hauptversion + QStringLiteral(".0.") + vb::Trim(vb::Str(qint64(buildnummer)));
}

QString Versionszeile()
{
    auto st = std::make_unique<Fahrten1>();
    st->Programmpfad = ProgrammPfadErmitteln();
    QString hauptversion;
    if (JahrgangLaden(*st) != JahrgangLesen::Fehlt && Jahr_ini(*st))
        hauptversion = st->Dateien.Hauptversion;
    return QStringLiteral("Kilometrika ") + vb::Trim(Programmversion(hauptversion, kBuildnummer));
}

struct Form1::Private {
    std::unique_ptr<clsResize> resize;
};

Form1::Form1(QWidget* parent) : QWidget(parent), d(new Private)
{
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Brimo Kilometrika"));
    resize(tw(11760), tw(10805) - 30);

    SSTab1 = new SSTab(this);
    SSTab1->setGeometry(0, 0, width(), height());
    static const char* captions[5] = {"Kilometrika", "Grundeinstellungen", "Eintragungen", "Auswertung", "Ausdruck"};
    for (int i = 0; i < 5; ++i) {
        m_pages[i] = new QWidget();
        m_pages[i]->setObjectName(QStringLiteral("Seite%1").arg(i));
        SSTab1->addTab(m_pages[i], QString::fromUtf8(captions[i]));
    }
    buildTitelseite(m_pages[0]);
    buildGrundeinstellungen(m_pages[1]);
    buildEintragungenPage(m_pages[2]);
    buildAuswertungPage(m_pages[3]);
    buildAusdruckPage(m_pages[4]);
    Check6 = ctl<QCheckBox>("Check6");
    connectSettingsPage();
    connectOtherPages();
    connectCommands();
    EintragAnbinden(*this);
    anbindungPauschalen(*this);
    EingabeAnbinden(*this);
    AusdruckAnbinden(*this);
    aktualisierungAnbinden(*this);
    mw::attachHelp(this);
    fahrtenspeicherAnbinden(this);
    tabellenAnbinden(this);
    AusdruckTabellenAnbinden(*this);
}

Form1::~Form1() = default;

void Form1::connectSettingsPage()
{
    auto* aktuAuto = new forms::OptionGroup(this);
    for (int k = 0; k < 4; ++k)
        aktuAuto->add(Aktu_Auto[k], k);
    connect(aktuAuto, &forms::OptionGroup::click, this, [this](int i) { Aktu_Auto_Click(i); });

    forms::onClick(Check1, [this] { Check1_Click(); });
    forms::onClick(Check3, [this] { Check3_Click(); });
    forms::onClick(Check4, [this] { Check4_Click(); });
    forms::onClick(Check5, [this] { Check5_Click(); });
    forms::onClick(Check8, [this] { Check8_Click(); });
    forms::onClick(Check10, [this] { Check10_Click(); });
    forms::onClick(Check11, [this] { Check11_Click(); });
    forms::onClick(Check12, [this] { Check12_Click(); });
    if (Check6)
        forms::onClick(Check6, [this] { Check6_Click(); });

    for (int k = 0; k < 4; ++k) {
        auto* typ = new forms::OptionGroup(this);
        typ->add(FirmenPkw[k], 0);
        typ->add(PrivatPkw[k], 1);
        FirmenPkw[k]->guard = [this, k] { return FirmenPkw_MouseDown(k); };
        PrivatPkw[k]->guard = [this, k] { return PrivatPkw_MouseDown(k); };

        // First letter in capitals; holder and location lose leading blanks.
        auto capital = [](QLineEdit* e, bool ohneFuehrendeBlanks) {
            forms::onChange(e, [e, ohneFuehrendeBlanks] {
                QString t = e->text();
                if (t.size() == 1 && t != t.toUpper()) {
                    forms::setText(e, t.toUpper());
                    e->setCursorPosition(1);
                }
                if (ohneFuehrendeBlanks) {
                    const QString l = vb::LTrim(e->text());
                    if (l != e->text())
                        forms::setText(e, l);
                }
            });
        };
        capital(KfzEingabe[k], false);
        capital(HalterEingabe[k], true);
        capital(StandortEingabe[k], true);
        connect(Command1[k], &QPushButton::clicked, this, [this, k] { Command1_Click(k); });
        GrundAuto[k]->setMouseTracking(true);
        GrundAuto[k]->installEventFilter(this);
    }

    connect(Dir1, &forms::DirListBox::Change, this, [this] { Dir1_Change(); });
    connect(Dir1, &forms::DirListBox::MouseDown, this, [this](int button, int, int x, int y) {
        if (button == 2)
            mnuMyPopUp->popup(Dir1->mapToGlobal(QPoint(x, y)));
    });
    connect(Drive1, &forms::DriveListBox::Change, this, [this] { Drive1_Change(); });
    connect(VerErstellen, &QAction::triggered, this, [this] { VerErstellen_Click(); });
    connect(Verloeschen, &QAction::triggered, this, [this] { Verloeschen_Click(); });
    connect(SichErstellen, &QAction::triggered, this, [this] { SichErstellen_Click(); });
    connect(CSicherSpeicher, &QPushButton::clicked, this, [this] { CSicherSpeicher_Click(); });
    connect(SSTab1, &SSTab::Click, this, [this](int prev) { SSTab1_Click(prev); });
    connect(Command17, &QPushButton::clicked, this, [this] {
        Command17_Click();
        QCoreApplication::exit(0);
    });
    connect(CDateiSuchen, &QPushButton::clicked, this, [this] {
        if (!FSuchen)
            FSuchen = neuesFSuchen(this);
        FSuchen->setWindowModality(Qt::ApplicationModal);
        FSuchen->show();
    });
}

void Form1::connectOtherPages()
{
    auto* autoOpt = new forms::OptionGroup(this);
    for (int k = 0; k < 4; ++k)
        if (QRadioButton* o = AutoOpt(k)) {
            o->hide();
            autoOpt->add(o, k);
        }
    connect(autoOpt, &forms::OptionGroup::click, this, [this](int i) { AutoOpt_Click(i); });

    // One trip type at a time, the chosen one in bold.
    auto* fahrtart = new forms::OptionGroup(this);
    int typ = 0;
    for (const char* name : {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"}) {
        QRadioButton* o = ctl<QRadioButton>(QString::fromLatin1(name));
        if (!o)
            continue;
        fahrtart->add(o, typ++);
        // The state, not the signal's value: a click on the chosen button
        // unticks and reticks it within one signal.
        connect(o, &QAbstractButton::toggled, this, [o] { setBold(o, o->isChecked()); });
        setBold(o, o->isChecked());
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseMove) {
        for (int k = 0; k < 4; ++k)
            if (watched == GrundAuto[k]) {
                // A movement over a control of the frame, passed on because
                // the control ignored it, keeps that control's help line.
                const QPoint pos = static_cast<QMouseEvent*>(e)->position().toPoint();
                if (!GrundAuto[k]->childAt(pos))
                    forms::setText(TGrHilfe, Hilfstext(k == 0 ? 18 : (k == 1 ? 19 : 20)));
                break;
            }
    }
    return QWidget::eventFilter(watched, e);
}

bool Form1::JahrEinstellung()
{
    if (Jahrestest(mw::Jahr()) != Jahrespruefung::Gueltig)
        return false;
    const QString jahr = mw::Jahr();
    const auto& J = mw::JD();
    setWindowTitle(QStringLiteral("Brimo Kilometrika ") + jahr);
    Label105->setText(QStringLiteral("Ausgabe November") + J.VorjahrText
                      + QStringLiteral(" - nach dem Stand der Lohnsteuer-Richtlinien"));
    Label106->setText(QStringLiteral("V ") + Programmversion(J.Hauptversion, Buildnummer));
    Label107->setText(QStringLiteral("Version ") + jahr);
    SSTab1->setTabCaption(0, QStringLiteral("Kilometrika ") + jahr);
    Label126->setText(QStringLiteral("Stand: November ") + J.VorjahrText + QStringLiteral(" - Kilometrika ") + jahr
                      + QStringLiteral("\r\nMit und ohne Einzelnachweis (LStR 38) ermittelt Verpflegungsmehraufwendungen (LStR 39)"));
    const int y = int(vb::Val(jahr));
    struct K { const char* name; qint32 datum; };
    const K kal[3] = {{"QKC", J.anfang()}, {"QKC2", J.anfang()}, {"QKC3", J.ende()}};
    for (const K& k : kal) {
        QWidget* w = ctl(QString::fromLatin1(k.name));
        if (!w)
            continue;
        KalenderAdapter a(w);
        if (!KalenderAufJahrSetzen(a, y, J.anfang(), J.ende(), k.datum))
            return false;
    }
    return true;
}

bool Form1::Form_Load()
{
    // 1
    resize(tw(11760), tw(10805) - 30);
    // 2
    mw::G().setzeProgrammpfad(ProgrammPfadErmitteln());
    // 3
    Jahrgangsdaten jg;
    if (JahrgangDatLesen(mw::Programmpfad(), jg) == JahrgangLesen::Fehlt) {
        mw::plainMessage(QStringLiteral("Es fehlt eine wichtige Sytemdatei. Das Programm wird beendet!"));
        return false;
    }
    mw::JG() = jg;
    // 4
    Buildnummer = kBuildnummer;
    // 5: the year set-up runs only on a usable year, so message 90 is shown once.
    mw::Jahr() = vb::Trim(mw::JG().Jahr);
    bool ok = Jahr_ini(mw::G(), [](int n) { mw::MeldungAnzeigen(n); });
    if (ok)
        ok = JahrEinstellung();
    if (!ok) {
        mw::plainMessage(QStringLiteral("Bei der Jahreseinstellung ist ein fehler aufgetreten!"));
        return false;
    }
    // 6
    Personenzahl = 1;
    // 7
    MarkeErsterDurchgang();
    // 8
    mw::G().setzeProgrammpfad(ProgrammPfadErmitteln());
    // 9..: every step below is trapped.
    trap([&] {   // 10
        io::createFolder(mw::Programmpfad() + QStringLiteral("Sicherheit"));
        mw::Sicherungspfad() = ProgrammPfadErmitteln() + Sicherungsunterordner;
    });
    // Leftovers of an interrupted rewrite go; a FIFO or device under a data
    // file's name is reported and then treated as missing.
    trap([&] { ZwischendateienEntfernen(mw::G()); });
    // The registry the controls are found through, before they are.
    trap([&] { com::PrivateProfile(com::registryPath()).removeLeftovers(); });
    trap([&] {
        for (const QString& text : KeineGewoehnlichenDateien(mw::G()))
            mw::plainMessage(text);
        // A data file ending in part of a record (a write cut off) would have
        // that rest overwritten by the next save: it is kept aside first.
        std::vector<Dateiart> dateien;
        for (int k = 1; k <= 4; ++k)
            dateien.push_back({mw::G().fahrtdateiName(k), FahrtDatensatz::Laenge, MaxFahrten,
                               QStringLiteral("eine Fahrtdatei")});
        dateien.push_back({vb::Trim(mw::G().Kundendatei), Fahrtenspeichersatz::Laenge, MaxFahrtenspeichersaetze,
                           QStringLiteral("ein Fahrtenspeicher")});
        for (const Dateiart& d : dateien) {
            const QFileInfo fi(mw::pfad(d.name));
            if (d.name.isEmpty() || !fi.isFile() || fi.size() % d.laenge == 0)
                continue;
            mw::plainMessage(unvollstaendigSichern(d, fi));
        }
    });
    trap([&] {   // 11
        Hilfsdateipfad = mw::Programmpfad() + QStringLiteral("Hilfs.txt");
        txt_ReadTexte(Hilfsdateipfad);   // finds the file in any case of its name
        setCtlText("TEinHilfe", Hilfstext(72));
    });
    trap([&] { MarkeZweiterDurchgang(); });   // 12
    trap([&] { VorjahrFahrtenspeicherUebernehmen(mw::Programmpfad(), mw::Jahr()); });   // 13
    trap([&] {   // 14
        // An empty file holds no settings record: it is a first start too.
        // One cut short of a record would read as zeros and switch the
        // journal off unseen: it is kept aside and started afresh.
        const QString einstellungen = mw::pfad(mw::JD().Einstellungsdatei);
        const qint64 groesse = QFileInfo(einstellungen).size();
        if (QFileInfo(einstellungen).isFile() && groesse > 0 && groesse < VoreinstellungSatz::Laenge) {
            const QString kopie = beschaedigtSichern(einstellungen);
            mw::plainMessage(kopie.isEmpty()
                                 ? QStringLiteral("Die Einstellungsdatei \"%1\" war beschädigt und wird mit den "
                                                  "Grundeinstellungen neu angelegt.").arg(mw::JD().Einstellungsdatei)
                                 : QStringLiteral("Die Einstellungsdatei \"%1\" war beschädigt und wird mit den "
                                                  "Grundeinstellungen neu angelegt. Der Rest der alten Datei liegt unter \"%2\".")
                                       .arg(mw::JD().Einstellungsdatei, kopie));
            firstStartDefaults();
        } else if (!DateiVorhanden(einstellungen) || groesse == 0) {
            firstStartDefaults();
        }
        mw::VorDat(false);
    });
    // The backup folder is known now: what a crash left there goes.
    trap([&] { SicherungsresteEntfernen(mw::G()); });
    QWidget* qkc = ctl("QKC");
    QWidget* qkc2 = ctl("QKC2");
    QWidget* qkc3 = ctl("QKC3");
    // 15
    trap([&] { mw::calPut(qkc2, "Date", mw::VS().DruckAb); });
    trap([&] { mw::calPut(qkc3, "Date", mw::VS().DruckBis); });
    trap([&] {
        // A record cut short or cleared names no folder (blanks or zero
        // bytes): the backups then stay in the program folder's own.
        const QString ordner = vb::Trim(mw::VS().Sicherungsordner.section(QChar(0), 0, 0));
        if (!ordner.isEmpty())
            mw::Sicherungspfad() = ordner;
        Dir1->setPath(vb::Trim(mw::Sicherungspfad()));
    });
    // 16
    trap([&] {
        const qint32 h = mw::heute();
        if (mw::VS().KalenderHeute && qkc && h >= mw::calGet(qkc, "MinDate") && h <= mw::calGet(qkc, "MaxDate"))
            mw::calPut(qkc, "Date", h);
    });
    // 17
    trap([&] { mw::calPut(qkc2, "Date", mw::VS().DruckAb); });
    trap([&] { mw::calPut(qkc3, "Date", mw::VS().DruckBis); });
    trap([&] { setCtlText("Label29", QStringLiteral("Druck beginnt mit: ") + vb::DateText(mw::calGet(qkc2, "Date"))); });
    trap([&] { setCtlText("Label47", QStringLiteral("Druck endet mit: ") + vb::DateText(mw::calGet(qkc3, "Date"))); });
    // 18
    trap([&] { vehiclePresets(); });
    // 19
    trap([&] {
        if (mw::Jahr() < QLatin1String("2015")) {
            mw::NeuberechnungStart() = true;
            if (!mw::VS().PauschalenAktualisiert) {
                mw::plainMessage(QStringLiteral("Die Reisekostenpauschale werden aktualisiert"));
                // Marked done only when every file was written.
                if (!services.aktualisieren || services.aktualisieren()) {
                    mw::VS().PauschalenAktualisiert = WAHR;
                    mw::VorDatSpeichern();
                }
            }
        }
    });
    // 20: a shown stored trip keeps its own dates.
    trap([&] {
        const bool gespeicherteFahrt = mw::Satznummer() >= 1 && mw::Satznummer() <= mw::Satzanzahl();
        if (DateiVorhanden(mw::pfad(mw::Fahrtdatei())) && !mw::Fahrtdatei().isEmpty() && !gespeicherteFahrt && qkc) {
            const QString t = vb::DateText(mw::calGet(qkc, "Date"));
            setCtlText("EinDatumAb", t);
            setCtlText("EinDatumAn", t);
        }
    });
    // 21
    trap([&] { run(services.KListe); });
    trap([&] { run(services.AKliste); });
    // 22
    trap([&] { listPresets(); });
    // 23
    trap([&] {
        if (SSTab1->Tab() == 2)
            SSTab1_Click(2);
        SSTab1->setTab(2);
    });
    // 24
    trap([&] { setCtlText("LEinDatum", QStringLiteral("Eintragungsdatum ") + vb::DateText(mw::heute())); });
    // 25
    trap([&] { run(services.Ges_Verbrauch); });
    trap([&] {
        const VoreinstellungSatz vorher = mw::VS();
        mw::VorDat(false);
        OptionenNachNeuemLesen(vorher);
    });
    // 26
    trap([&] {
        hide();
        d->resize = std::make_unique<clsResize>();
        d->resize->setForm(this);
        d->resize->Initialize();
        show();
    });
    // 27
    setWindowTitle(QStringLiteral("Brimo Kilometrika ") + mw::Jahr() + QStringLiteral(" --- Version ")
                   + Programmversion(mw::JD().Hauptversion, Buildnummer));
    // 28
    CDateiSuchen->setText(QStringLiteral("Fahrtenspeicher aus ") + mw::JD().VorjahrText + QStringLiteral(" suchen"));
    return true;
}

// The settings read again at the end of the start must not part the options
// in force from the boxes that show them: a loaded vehicle's options stay (as
// on every load); without a vehicle the boxes take the stored options.
void Form1::OptionenNachNeuemLesen(const VoreinstellungSatz& vorher)
{
    auto& V = mw::VS();
    const int k = mw::AktuellesFahrzeug();
    if (k >= 1 && k <= 4) {
        V.Warnhinweise = vorher.Warnhinweise;
        V.Warnhinweise2 = vorher.Warnhinweise2;
        V.Sprachausgabe = vorher.Sprachausgabe;
        V.ZeitenVorgeben = vorher.ZeitenVorgeben;
        V.MitVerpflegungspauschale = vorher.MitVerpflegungspauschale;
        V.OhneZeiten = vorher.OhneZeiten;
        V.ErweiterterAusdruck = vorher.ErweiterterAusdruck;
        V.MitZeiten = vorher.MitZeiten;
        V.KalenderHeute = vorher.KalenderHeute;
        V.PrivatNurKm = vorher.PrivatNurKm;
        V.WenigAbfragen = vorher.WenigAbfragen;
        V.Journalfunktion = vorher.Journalfunktion;
    } else {
        const VoreinstellungSatz gelesen = V;
        auto wert = [](qint16 f) { return f != 0 ? 1 : 0; };
        forms::setValue(Check1, wert(gelesen.Journalfunktion));
        forms::setValue(Check3, wert(gelesen.Sprachausgabe));
        forms::setValue(Check10, wert(gelesen.PrivatNurKm));
        forms::setValue(Check12, wert(gelesen.WenigAbfragen));
        // Outside the logbook year the box may be ticked with the flag off.
        if (gelesen.KalenderHeute)
            forms::setValue(Check11, 1);
        // The allowance box switches the preset on with it: preset after it.
        forms::setValue(Check5, wert(gelesen.MitVerpflegungspauschale));
        forms::setValue(Check4, wert(gelesen.ZeitenVorgeben));
        forms::setValue(Check8, wert(gelesen.OhneZeiten));
        V = gelesen;
    }
    if (Check6)
        forms::setValue(Check6, V.ErweiterterAusdruck != 0 ? 1 : 0);
}

void Form1::firstStartDefaults()
{
    auto& V = mw::VS();
    V.DruckskalaIndex = 6;
    V.ZoomIndex = 15;
    V.PauschalenAktualisiert = FALSCH;
    V.Sicherungsintervall = 20;
    V.Journalfunktion = WAHR;
    V.LetztesFahrzeug = 0;
    V.Sicherungsordner = mw::Sicherungspfad();
    // Each box stores its flag through its click handler.
    forms::setValue(Check1, 1);
    forms::setValue(Check3, 0);
    forms::setValue(Check4, 0);
    forms::setValue(Check5, 0);
    if (Check6)
        forms::setValue(Check6, 0);
    forms::setValue(Check8, 1);
    forms::setValue(Check10, 1);
    forms::setValue(Check12, 0);
    forms::setValue(Check11, 1);
    // The handlers ran only where a box changed; the flags follow the boxes.
    Check1_Click();
    Check3_Click();
    Check4_Click();
    Check5_Click();
    Check6_Click();
    Check10_Click();
    Check12_Click();
    mw::VorDat(true);
}

void Form1::vehiclePresets()
{
    auto& V = mw::VS();
    mw::AktuellesFahrzeug() = V.LetztesFahrzeug > 0 ? quint8(V.LetztesFahrzeug) : 0;
    io::RecordFile datei(mw::pfad(mw::JD().Kfzdatei), KfzGrundeinstellung::Laenge);
    const qint32 anzahl = datei.count();
    if (anzahl == 0) {
        // A file that holds less than one vehicle is damaged, not new: what
        // is left of it is kept before the empty vehicles are written.
        const QString kfzPfad = mw::pfad(mw::JD().Kfzdatei);
        if (QFileInfo(kfzPfad).size() > 0) {
            const QString kopie = beschaedigtSichern(kfzPfad);
            if (kopie.isEmpty()) {
                mw::plainMessage(QStringLiteral("Die Fahrzeugdatei \"%1\" ist beschädigt und konnte nicht gesichert werden. "
                                                "Sie wird nicht überschrieben.").arg(mw::JD().Kfzdatei));
                return;
            }
            mw::plainMessage(QStringLiteral("Die Fahrzeugdatei \"%1\" war beschädigt und wird neu angelegt. "
                                            "Der Rest der alten Datei liegt unter \"%2\".")
                                 .arg(mw::JD().Kfzdatei, kopie));
        }
        KfzGrundeinstellung& K = mw::KFZ();
        K.Kennzeichen.clear();
        K.Halter.clear();
        K.Standort.clear();
        K.Anfangskm = 0;
        K.Firmenfahrzeug = WAHR;
        K.Privatfahrzeug = FALSCH;
        OptionenInKfz(K);
        V.LetztesFahrzeug = 0;
        for (int n = 1; n <= 4; ++n)
            mw::KfzSchreiben(n, false);
        // Four empty company cars on the page.
        for (int i = 0; i < 4; ++i) {
            forms::setOptionValue(FirmenPkw[i], true);
            forms::setOptionValue(PrivatPkw[i], false);
        }
    } else {
        for (int i = 0; i < 4; ++i) {
            if (i + 1 > anzahl) {
                // A short file: the rows beyond its end stay empty.
                for (QLineEdit* e : {KfzEingabe[i], StandortEingabe[i], KmEingabe[i], HalterEingabe[i]})
                    forms::setText(e, QString());
                forms::setOptionValue(FirmenPkw[i], true);
                forms::setOptionValue(PrivatPkw[i], false);
                continue;
            }
            const KfzGrundeinstellung r = KfzGrundeinstellung::ausBytes(datei.read(i + 1));
            mw::KFZ() = r;
            // Zero bytes (a record cleared by damage) end a text: a cleared
            // slot stays empty instead of offering an unreadable vehicle.
            auto text = [](const QString& t) { return vb::Trim(t.section(QChar(0), 0, 0)); };
            forms::setText(KfzEingabe[i], text(r.Kennzeichen));
            forms::setText(StandortEingabe[i], text(r.Standort));
            // An unused slot shows an empty reading, as on the first start,
            // so a reading typed into it does not start with a stray "0".
            const bool unbenutzt = text(r.Kennzeichen).isEmpty() && r.Anfangskm == 0;
            forms::setText(KmEingabe[i], unbenutzt ? QString() : QString::number(r.Anfangskm));
            forms::setText(HalterEingabe[i], text(r.Halter));
            forms::setOptionValue(FirmenPkw[i], r.Firmenfahrzeug != 0);
            forms::setOptionValue(PrivatPkw[i], r.Privatfahrzeug != 0);
        }
    }
    if (V.LetztesFahrzeug > 0 && V.LetztesFahrzeug <= 4)
        AutoDat(V.LetztesFahrzeug, false);
    GrundTest();
    DateiTest();
    AutoTest();
    const int k = V.LetztesFahrzeug;
    if (k >= 1 && k <= 4 && mw::KfzBelegt(k)) {
        mw::AktuellesFahrzeug() = quint8(k);
        if (QRadioButton* o = AutoOpt(k - 1))
            forms::setOptionValue(o, true);
        forms::setOptionValue(Aktu_Auto[k - 1], true);
        Aktu_Auto_Click(k - 1);
    } else {
        mw::AktuellesFahrzeug() = 0;
        V.LetztesFahrzeug = 0;
    }
}

void Form1::listPresets()
{
    auto& V = mw::VS();
    if (auto* l4 = ctl<QListWidget>("List4")) {
        skalaFuellen(l4, 10, V.ZoomIndex, 30, 15);
        if (services.Bildschirmzoom && l4->currentItem())
            services.Bildschirmzoom(l4->currentItem()->text());
    }
    auto* l5 = ctl<QListWidget>("List5");
    if (l5) {
        skalaFuellen(l5, 50, V.DruckskalaIndex, 22, 6);
        if (l5->currentItem())
            mw::Druckskala() = int(vb::Val(l5->currentItem()->text()));
    }
    mw::NeuerEintragOffen() = false;
    setCtlText("Label73", mw::KFZ().Kennzeichen.leftJustified(KfzGrundeinstellung::BreiteKennzeichen, ' ', true));
    const bool anpassung = V.Druckanpassung != 0;
    if (services.Druckskalierung)
        services.Druckskalierung(mw::Druckskala(), anpassung, 1, anpassung ? 0 : 1);
    setCtlText("Command8", anpassung ? QStringLiteral("Mit autom. Druckanpassung") : QStringLiteral("Ohne autom. Druckanpassung"));
    showCtl("Label76", !anpassung);
    if (l5) {
        l5->setVisible(!anpassung);
        l5->setEnabled(!anpassung);
    }
    if (mw::KFZ().Privatfahrzeug)
        showCtl("Frame8", true);
    if (mw::KFZ().Firmenfahrzeug)
        showCtl("Frame8", false);
}

void Form1::SSTab1_Click(int)
{
    const QString c = SSTab1->Caption();
    if (c == QLatin1String("Eintragungen")) {
        showCtl("TEinHilfe", true);
        showCtl("CBTextfensterEin", true);
        FrBenzinOffen = false;
        showCtl("FrBenzin", false);
        showCtl("FahrtListe", false);
    }
    if (c == QStringLiteral("Kilometrika ") + mw::Jahr())
        forms::setText(TTitelHilfe, Hilfstext(7));
    if (c == QLatin1String("Grundeinstellungen"))
        forms::setText(TGrHilfe, Hilfstext(9));
    if (c == QLatin1String("Auswertung"))
        setCtlText("TAusHilfe", Hilfstext(78));
    if (c == QLatin1String("Ausdruck")) {
        setCtlText("TDruckHilfe", Hilfstext(7));
        // Rebuilt on every opening, also when nothing changed.
        if (mw::KFZ().Firmenfahrzeug)
            run(mw::VS().ErweiterterAusdruck ? services.KfzTabelle4 : services.KFZTabelle);
        if (mw::KFZ().Privatfahrzeug)
            run(services.KFZTabelle3);
    }
    if (auto* l4 = ctl<QListWidget>("List4"))
        if (services.Bildschirmzoom && l4->currentItem())
            services.Bildschirmzoom(l4->currentItem()->text());
}

void Form1::Form_QueryUnload()
{
    downloadBeenden();
    if (m_beendet)
        return;
    m_beendet = true;
    // The settings are written whatever became of the backup.
    sichern(services.SicherheitscopyNeu);
    mw::VS().LetztesFahrzeug = qint16(mw::AktuellesFahrzeug());
    mw::VorDatSpeichern();
}

void Form1::Command17_Click()
{
    downloadBeenden();
    if (m_beendet)
        return;
    m_beendet = true;
    sichern(services.Sicherheitscopy);
    mw::VorDatSpeichern();
}

void Form1::downloadBeenden()
{
    // The window lives on after the end, so its destructor would come too late.
    if (auto* dl = qobject_cast<upd::FDownload*>(FDownload))
        dl->programmEndet();
}

void Form1::closeEvent(QCloseEvent* e)
{
    Form_QueryUnload();
    e->accept();
    QCoreApplication::exit(0);
}

void Form1::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (SSTab1 && !d->resize)
        SSTab1->setGeometry(0, 0, width(), height());
    if (!Form2::sichtbar() && d->resize && !(windowState() & Qt::WindowMinimized))
        d->resize->DoResize();
    if (SSTab1 && SSTab1->currentIndex() == 4 && services.Zeilenhoehe)
        services.Zeilenhoehe(260);
}

} // namespace kmk
