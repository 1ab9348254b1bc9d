#include "platform/forms/application.h"
#include "platform/forms/fakes.h"
#include "platform/forms/seams.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/vb/error.h"

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(HelpPages, TopicsAreFoundIgnoringCaseAndHtmlEnding)
{
    QTemporaryDir dir;
    write(dir.filePath("Inhaltsverzeichnis.html"), "<h1>Inhalt</h1>");
    write(dir.filePath("index.html"), "<h1>Start</h1>");
    const QString toc = dir.filePath("Inhaltsverzeichnis.html");
    EXPECT_EQ(forms::helpPagePath(dir.path(), "Inhaltsverzeichnis.htm"), toc);
    EXPECT_EQ(forms::helpPagePath(dir.path(), "INHALTSVERZEICHNIS.HTML"), toc);
    EXPECT_TRUE(forms::helpPagePath(dir.path(), "fehlt.htm").isEmpty());
    EXPECT_TRUE(forms::helpPagePath(dir.path(), "../etc/passwd").isEmpty());
    EXPECT_TRUE(forms::helpPagePath(dir.path(), "").isEmpty());
}

TEST(HelpPages, RealViewerOpensTopicAndReportsMissingPages)
{
    QTemporaryDir dir;
    write(dir.filePath("Inhaltsverzeichnis.html"), "<html><body><h1>Inhalt der Hilfe</h1></body></html>");
    write(dir.filePath("index.html"), "<html><body><h1>Willkommen</h1></body></html>");
    forms::HelpViewer* viewer = forms::realServices().help;
    auto browser = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "KilometrikaHilfe" && w->isVisible())
                return w->findChild<QTextBrowser*>();
        return static_cast<QTextBrowser*>(nullptr);
    };
    viewer->showTopic(dir.path(), "Inhaltsverzeichnis.htm");
    ASSERT_NE(browser(), nullptr);
    EXPECT_TRUE(browser()->toPlainText().contains("Inhalt der Hilfe"));
    viewer->showTopic(dir.path(), "");
    EXPECT_TRUE(browser()->toPlainText().contains("Willkommen"));
    viewer->showTopic(dir.path(), "gibtsnicht.htm");
    EXPECT_TRUE(browser()->toPlainText().contains("nicht gefunden"));
    browser()->window()->close();
}

TEST(Seams, FakesReplaceAndRestoreTheServices)
{
    forms::Services before = forms::services();
    {
        forms::ScopedFakes fakes;
        EXPECT_EQ(forms::services().dialogs, &fakes.dialogs);
        fakes.dialogs.msgBoxAnswers = {forms::vbNo};
        fakes.dialogs.defaultAnswer = forms::vbYes;
        EXPECT_EQ(forms::services().dialogs->msgBox("Frage?", forms::vbYesNo), forms::vbNo);
        EXPECT_EQ(forms::services().dialogs->msgBox("Noch eine?", forms::vbYesNo), forms::vbYes);
        ASSERT_EQ(fakes.dialogs.shown.size(), 2);
        EXPECT_EQ(fakes.dialogs.shown[0].prompt, "Frage?");
        bool ok = true;
        EXPECT_EQ(forms::services().dialogs->inputBox("Name?", {}, {}, &ok), "");
        EXPECT_FALSE(ok);
        fakes.clock.day = QDate(2016, 2, 29);
        EXPECT_EQ(forms::services().clock->today(), QDate(2016, 2, 29));
        forms::services().sound->play("/x/M1.wav");
        EXPECT_EQ(fakes.sound.played, QStringList{"/x/M1.wav"});
        fakes.system.online = false;
        EXPECT_FALSE(forms::services().system->isOnline());
        EXPECT_TRUE(forms::services().processes->start("Schulung.exe"));
        EXPECT_EQ(fakes.processes.calls.size(), 1);
    }
    EXPECT_EQ(forms::services().dialogs, before.dialogs);
    EXPECT_EQ(forms::services().clock, before.clock);
}

// An error thrown by an event handler reaches the event loop: it is told
// and the program goes on. A message about one file comes once.
TEST(Seams, AnUntrappedErrorIsToldAndAFilesMessageComesOnce)
{
    struct Werfer : QWidget {
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::User)
                throw vb::RuntimeError(vb::ErrOverflow);
            return QWidget::event(e);
        }
    } w;
    forms::ScopedFakes fakes;
    QEvent ev(QEvent::User);
    EXPECT_FALSE(forms::deliverTrapped([&] { return QApplication::sendEvent(&w, &ev); }));
    ASSERT_EQ(fakes.dialogs.shown.size(), 1);
    EXPECT_TRUE(fakes.dialogs.shown[0].prompt.contains(QStringLiteral("(Überlauf)")));
    EXPECT_FALSE(forms::deliverTrapped([]() -> bool { throw 1; }));
    EXPECT_EQ(fakes.dialogs.shown.size(), 2);

    EXPECT_TRUE(forms::messageOnce(QStringLiteral("/tmp/eins/Auto1_26.dat"), QStringLiteral("a")));
    EXPECT_FALSE(forms::messageOnce(QStringLiteral("/tmp/eins/Auto1_26.dat"), QStringLiteral("a")));
    EXPECT_TRUE(forms::messageOnce(QStringLiteral("/tmp/eins/Auto2_26.dat"), QStringLiteral("b")));
    EXPECT_EQ(fakes.dialogs.shown.size(), 4);
}

TEST(Seams, RealImplementationsNeverFailLoudly)
{
    forms::Services real = forms::realServices();
    // no file, maybe no sound output: silence and no crash
    real.sound->play("/nonexistent/M7.wav");
    real.sound->play("");
    EXPECT_FALSE(real.processes->start(""));
    EXPECT_FALSE(real.processes->start("/nonexistent/Schulung.exe"));
    const QDate today = real.clock->today();
    EXPECT_TRUE(today.isValid());
    EXPECT_EQ(real.clock->now().date().year(), today.year());
    (void)real.system->isOnline();   // either answer, never an exception
}

TEST(Seams, AdministratorIsRootOrAdminGroupMember)
{
    EXPECT_TRUE(forms::isAdministratorGroup("sudo"));
    EXPECT_TRUE(forms::isAdministratorGroup("wheel"));
    EXPECT_TRUE(forms::isAdministratorGroup("admin"));
    EXPECT_FALSE(forms::isAdministratorGroup("users"));
    EXPECT_FALSE(forms::isAdministratorGroup("Sudo"));
    if (geteuid() == 0)
        EXPECT_TRUE(forms::realServices().system->isAdministrator());
}

// A message dialog of 520 x 300 over a window of 784 x 690 whose fields lie
// at x 120-640, y 160-450: below them while the screen has room, else
// beside the window, else where it covers least of them; always wholly on
// the screen. Fields around a free place (x 400 on, y 200-559 on a 1024 x
// 768 screen; or just its size on a 920 wide one) leave none of those, yet
// the place between them is found: with the margin to each where it fits,
// nearest the window's middle.
TEST(DialogPlace, TheDialogLeavesTheFieldsInViewAndStaysOnTheScreen)
{
    const QSize dialog(520, 300);
    const QRect felder(QPoint(120, 160), QPoint(640, 450));
    const QRect links(0, 0, 400, 768);
    struct Fall { const char* was; QRect schirm; QPoint fenster; QList<QRect> frei; QPoint ort; };
    const Fall faelle[] = {
        {"room below", QRect(0, 0, 1600, 1000), {0, 0}, {felder}, {131, 459}},
        {"short screen: right", QRect(0, 0, 1600, 700), {0, 0}, {felder}, {792, 160}},
        {"window on the right: left", QRect(0, 0, 1600, 700), {816, 0}, {felder.translated(816, 0)}, {288, 160}},
        {"no room: least covered", QRect(0, 0, 1024, 700), {0, 0}, {felder}, {131, 400}},
        {"no area: centred", QRect(0, 0, 1600, 1000), {0, 0}, {}, {131, 194}},
        {"between the areas", QRect(0, 0, 1024, 768), {0, 0},
         {links, QRect(400, 0, 624, 200), QRect(400, 560, 624, 208)}, {408, 208}},
        {"between the areas, no margin", QRect(0, 0, 920, 768), {0, 0},
         {links, QRect(400, 0, 520, 200), QRect(400, 500, 520, 268)}, {400, 200}},
    };
    for (const Fall& f : faelle) {
        const QPoint p = forms::dialogPosition(dialog, QRect(f.fenster, QSize(784, 690)), f.frei, f.schirm);
        EXPECT_EQ(p, f.ort) << f.was;
        EXPECT_TRUE(f.schirm.contains(QRect(p, dialog))) << f.was;
    }
}

// The plain message and input boxes take the same place, over a window
// away from the screen's corner whose areas it tells in its own
// coordinates.
TEST(DialogPlace, ThePlainBoxesLeaveTheAreasOfAMovedWindowInView)
{
    QWidget fenster;
    fenster.resize(400, 300);
    fenster.move(100, 100);
    const QList<QRect> bereiche{QRect(0, 0, 400, 90), QRect(0, 90, 150, 60)};
    forms::setUncovered(&fenster, [&] { return bereiche; });
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    const std::function<void()> boxen[] = {
        [] { forms::realServices().dialogs->msgBox("Die Fahrt wird gespeichert."); },
        [] { forms::realServices().dialogs->inputBox("Kilometerstand am Jahresende:"); },
    };
    for (const auto& zeigen : boxen) {
        QRect ort, schirm;
        QObject test;   // a box not yet closed dies with the test
        QTimer::singleShot(0, &test, [&] {
            QDialog* box = nullptr;
            if (QTest::qWaitFor([&] { return (box = qobject_cast<QDialog*>(QApplication::activeModalWidget())); })) {
                ort = box->frameGeometry();
                schirm = box->screen()->availableGeometry();
                box->reject();
            }
        });
        zeigen();
        ASSERT_FALSE(ort.isEmpty());
        EXPECT_TRUE(schirm.contains(ort)) << ort.x() << "," << ort.y();
        for (const QRect& b : bereiche)
            EXPECT_FALSE(QRect(fenster.mapToGlobal(b.topLeft()), b.size()).intersects(ort))
                << ort.x() << "," << ort.y();
    }
}

TEST(Seams, ReplacingNeedsAWritableFileInAWritableFolder)
{
    QTemporaryDir dir;
    const QString programm = dir.filePath("Kilometrika");
    EXPECT_FALSE(forms::mayReplaceFile(programm));   // missing
    EXPECT_FALSE(forms::mayReplaceFile(""));
    QFile f(programm);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(forms::mayReplaceFile(programm));
    if (geteuid() == 0)
        return;   // root may write anything
    QFile::setPermissions(programm, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(forms::mayReplaceFile(programm));
    QFile::setPermissions(programm, QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(forms::mayReplaceFile(programm));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(Seams, AFiltersEndingIsItsFirstPlainPattern)
{
    const struct { const char* filter; const char* endung; } faelle[] = {
        {"PDF-Dokument (*.pdf)", "pdf"}, {"Excel-Arbeitsmappe (*.xlsx)", "xlsx"},
        {"Text, Tabulator getrennt (*.txt *.tsv)", "txt"}, {"*.dat", "dat"}, {"Alle Dateien (*)", ""},
        {"Alle (*.*)", ""}, {"Listen (*.l?)", ""}, {"Ohne Muster", ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(forms::filterSuffix(f.filter), f.endung) << f.filter;
}

TEST(Seams, TheRealSaveDialogGivesTheChosenFiltersEndingAndAsksNothing)
{
    // A user picks the second type, types a name without ending and
    // presses Return; that name with the ending exists, yet the dialog
    // asks nothing: the caller asks, once, about the file it writes.
    // Then a name in the type offered first.
    QTemporaryDir dir;
    write(dir.filePath("Bericht.pdf"), "%PDF-alt");
    write(dir.filePath("Bericht.xlsx"), "alt");
    int schritt = 0, runden = 0;
    QString frage, gezeigt;
    QTimer schauen;
    schauen.setInterval(10);
    QObject::connect(&schauen, &QTimer::timeout, [&] {
        QWidget* oben = QApplication::activeModalWidget();
        // A dialog the steps do not expect is closed, so the test fails, not hangs.
        if (++runden > 3000 && qobject_cast<QDialog*>(oben)) {
            QMetaObject::invokeMethod(oben, "reject", Qt::QueuedConnection);
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(oben)) {
            frage = box->text();
            // Posted: a timer does not fire again while its slot runs a dialog.
            QMetaObject::invokeMethod(box->button(QMessageBox::Yes), &QAbstractButton::click, Qt::QueuedConnection);
            return;
        }
        auto* d = qobject_cast<QFileDialog*>(oben);
        if (!d || !d->isVisible() || (schritt != 0 && schritt != 2 && schritt != 4))
            return;
        auto* name = d->findChild<QLineEdit*>("fileNameEdit");
        if (schritt == 4) {
            gezeigt = name->text();
            ++schritt;
            QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
            return;
        }
        // The user types into the name field: with the focus there, the
        // dialog does not put a file chosen in its list back into the field.
        if (!name->hasFocus()) {
            d->activateWindow();
            name->setFocus();
            return;
        }
        if (schritt == 0)
            QTest::keyClick(d->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
        name->setText(schritt == 0 ? "Bericht" : "Zweiter");
        ++schritt;
        QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
    });
    schauen.start();
    QString filter = "Excel-Arbeitsmappe (*.xlsx)";
    const QString name = forms::realServices().dialogs->saveFileName(
        "Speichern", dir.path(), "Excel-Arbeitsmappe (*.xlsx);;PDF-Dokument (*.pdf)", &filter);
    EXPECT_EQ(frage, "");
    EXPECT_EQ(name, dir.filePath("Bericht.pdf"));
    EXPECT_EQ(filter, "PDF-Dokument (*.pdf)");
    // The type offered first, kept: its ending.
    schritt = 2;
    filter = "Excel-Arbeitsmappe (*.xlsx)";
    EXPECT_EQ(forms::realServices().dialogs->saveFileName(
                  "Speichern", dir.path(), "Excel-Arbeitsmappe (*.xlsx);;PDF-Dokument (*.pdf)", &filter),
              dir.filePath("Zweiter.xlsx"));
    // Opened again with a name typed before: the name as typed, though
    // the chosen filter's ending is another than its last one.
    schritt = 4;
    EXPECT_EQ(forms::realServices().dialogs->saveFileName(
                  "Speichern", dir.filePath("Fahrten 1.12"), "Excel-Arbeitsmappe (*.xlsx);;PDF-Dokument (*.pdf)", &filter),
              "");
    EXPECT_EQ(gezeigt, "Fahrten 1.12");
    schauen.stop();
}

} // namespace
