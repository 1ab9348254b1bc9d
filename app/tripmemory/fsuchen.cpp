#include "app/tripmemory/fsuchen.h"

#include "app/backup/wiederherstellen.h"
#include "app/tripmemory/verzeichnissuche.h"
#include "platform/forms/combobox.h"
#include "platform/forms/seams.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QPointer>
#include <QStorageInfo>

namespace kmk {

namespace {

template <class W>
W* setzen(W* w, const char* name, int x, int y, int b, int h)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(x, y, b, h);
    return w;
}

// The folders offered to search: the home folder, the root and every
// mounted volume that holds real files.
QStringList laufwerke()
{
    QStringList l{QDir::homePath(), QStringLiteral("/")};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady() || pseudoDateisystem(v.fileSystemType()))
            continue;
        if (!l.contains(v.rootPath()))
            l << v.rootPath();
    }
    return l;
}

} // namespace

FSuchen::FSuchen(Fahrten1& st, QWidget* hauptfenster) : QWidget(hauptfenster, Qt::Window), m_st(st)
{
    setObjectName(QStringLiteral("FSuchen"));
    setWindowTitle(QStringLiteral("Fahrtenspeicherdatei Kund20XX.dat  suchen"));
    resize(620, 440);

    auto* hinweis = setzen(new QLabel(this), "Label1_0", 10, 10, 600, 92);
    hinweis->setWordWrap(true);
    hinweis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hinweis->setText(QString::fromUtf8(
        "1. Wählen Sie das zu durchsuchende Laufwerk aus.\n"
        "2. Klicken Sie auf \"Suche starten\".\n"
        "3. Wählen Sie die gefundene Datei in der Liste aus.\n"
        "4. Klicken Sie auf \"Ausgewählte Datei kopieren.....\"."));
    Drive1 = setzen(new forms::ComboBox(this, true), "Drive1", 10, 106, 360, 26);
    Drive1->setItems(laufwerke());
    Drive1->setText(QDir::homePath());
    Command1 = setzen(new QPushButton(QStringLiteral("Suchen starten"), this), "Command1", 376, 104, 112, 30);
    Command4 = setzen(new QPushButton(QStringLiteral("Suche abbrechen"), this), "Command4", 492, 104, 118, 30);
    auto* warten = setzen(new QLabel(QStringLiteral("Bitte warten ...."), this), "Label1_1", 10, 138, 200, 20);
    warten->hide();
    setzen(new QLabel(QString::fromUtf8("Es kann je nach größe der Festplatte einige Minuten dauern. "), this),
           "Label2", 10, 138, 600, 20);
    List1 = setzen(new QListWidget(this), "List1", 10, 162, 600, 178);
    Anzeige = setzen(new QLabel(QStringLiteral("Verzeichnisanzeige"), this), "Anzeige", 10, 344, 600, 22);
    Anzeige->setFrameShape(QFrame::StyledPanel);
    Command2 = setzen(new QPushButton(QString::fromUtf8("Ausgewählte Datei in aktuelles Verzeichniss kopieren"), this),
                      "Command2", 10, 376, 380, 32);
    Command3 = setzen(new QPushButton(QStringLiteral("Zurück zum Kilometrika"), this), "Command3", 400, 376, 210, 32);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // Load.
    Programmordner = ordnerMitTrenner(m_st.Programmpfad);
    Suchdatei = QStringLiteral("*.*");
    m_resize = std::make_unique<clsResize>();
    m_resize->setForm(this);
    m_resize->Initialize();
    hide();
}

void FSuchen::plain(const QString& text) const
{
    forms::services().dialogs->msgBox(text);
}

void FSuchen::Command1_Click()
{
    if (m_sucht)
        return;
    m_sucht = true;
    Command1->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Suchabbruch = false;
    Trefferanzahl = 0;
    List1->clear();
    Programmordner = ordnerMitTrenner(m_st.Programmpfad);
    Suchdatei = QStringLiteral("Kund") + QString::number(m_st.Jahr.toInt() - 1) + QStringLiteral(".dat");

    List1->hide();
    // The window may go while the walk lets events through.
    QPointer<FSuchen> selbst(this);
    Verzeichnissuche suche;
    suche.anzeige = [this](const QString& t) { Anzeige->setText(t); };
    suche.treffer = [this](const QString& pfad) {
        ++Trefferanzahl;
        List1->addItem(pfad);
    };
    suche.abbrechen = [this, selbst] {
        if (!Suchabbruch)
            QCoreApplication::processEvents();
        return !selbst || Suchabbruch;
    };
    suche.suchen(vb::Trim(Drive1->text()), Suchdatei);
    if (!selbst) {
        QApplication::restoreOverrideCursor();
        return;
    }
    Anzeige->setText(vb::Str(Trefferanzahl) + QStringLiteral(" Dateien gefunden"));
    List1->show();

    QApplication::restoreOverrideCursor();
    Command1->setEnabled(true);
    m_sucht = false;
}

void FSuchen::Command4_Click()
{
    Suchabbruch = true;
}

void FSuchen::Command3_Click()
{
    hide();
}

void FSuchen::closeEvent(QCloseEvent* e)
{
    Suchabbruch = true;
    QWidget::closeEvent(e);
}

void FSuchen::hideEvent(QHideEvent* e)
{
    Suchabbruch = true;
    QWidget::hideEvent(e);
}

void FSuchen::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (m_resize && (!skalierenErlaubt || skalierenErlaubt()))
        m_resize->DoResize();
}

QString FSuchen::sicherungsordner() const
{
    const QString ordner = vb::Trim(m_st.Sicherungspfad);
    return ordner.isEmpty() ? Programmordner + Sicherungsunterordner : ordner;
}

QString FSuchen::sicherungsziel() const
{
    const QString ordner = sicherungsordner();
    // A fresh name each time: a later import keeps the earlier copy.
    return Sicherheitskopiename(ordner, StammVorImport(m_st.Jahr));
}

void FSuchen::Command2_Click()
{
    QListWidgetItem* item = List1->currentItem();
    const QString quelle = item ? vb::Trim(item->text()) : QString();
    if (quelle.isEmpty()) {
        plain(QString::fromUtf8("Es wurde keine Datei Ausgewählt!"));
        return;
    }
    if (!io::FileExists(quelle)) {
        plain(QStringLiteral("Datei nicht gefunden   ! :"));
        return;
    }
    Programmordner = ordnerMitTrenner(m_st.Programmpfad);
    const QString name = QStringLiteral("Kund") + m_st.Jahr + QStringLiteral(".dat");
    const QString ziel = Programmordner + name;
    const bool vorhanden = io::FileExists(ziel);
    // This year's file is replaced only after a yes.
    QString frage = quelle;
    if (vorhanden)
        frage += QString::fromUtf8("\n\nDer Fahrtenspeicher %1 wird durch diese Datei ersetzt. "
                                   "Der bisherige wird vorher im Sicherungsordner gesichert.\n\nFortfahren?")
                     .arg(name);
    else
        frage += QString::fromUtf8("\n\nDiese Datei als Fahrtenspeicher %1 übernehmen?").arg(name);
    if (forms::services().dialogs->msgBox(frage, forms::vbYesNo | forms::vbQuestion) != forms::vbYes)
        return;

    QString fehler;
    if (vorhanden) {
        io::createFolder(sicherungsordner());
        const QString sicherung = sicherungsziel();
        if (!io::copyIntoFolder(ziel, sicherung, -1, &fehler)) {
            plain(QString::fromUtf8("Der bisherige Fahrtenspeicher konnte nicht gesichert werden; "
                                    "es wurde nichts kopiert.\n") + fehler);
            return;
        }
    }
    if (!io::importFileAtomic(quelle, ziel, &fehler)) {
        plain(QString::fromUtf8("Die Datei konnte nicht kopiert werden; der bisherige Fahrtenspeicher "
                                "bleibt erhalten.\n") + fehler);
        return;
    }
    plain(quelle + QStringLiteral("    wurde nach    ") + Programmordner + QStringLiteral("Kund") + m_st.Jahr
          + QStringLiteral(".dat    kopiert"));
    if (nachImport)
        nachImport();
    plain(QString::fromUtf8("Nach dem nächsten Neustart des Programms wird der Fahrtenspeicher aktualisiert."));
}

} // namespace kmk
