#include "platform/forms/seams.h"

#include <QSet>

#include "platform/io/folders.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMediaDevices>
#include <QMessageBox>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSoundEffect>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <grp.h>
#include <unistd.h>
#include <optional>
#include <vector>

namespace forms {

namespace {

QString titleOr(const QString& title)
{
    if (!title.isEmpty())
        return title;
    return QApplication::applicationName().isEmpty() ? QStringLiteral("Kilometrika")
                                                      : QApplication::applicationName();
}

class RealDialogs : public Dialogs {
public:
    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        QMessageBox box(dialogOwner());
        box.setWindowTitle(titleOr(title));
        box.setTextFormat(Qt::PlainText);
        box.setText(prompt);
        switch (buttons & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        struct B { const char* text; int result; QMessageBox::ButtonRole role; };
        std::vector<B> list;
        switch (buttons & 7) {
        case vbOKCancel: list = {{"OK", vbOK, QMessageBox::AcceptRole}, {"Abbrechen", vbCancel, QMessageBox::RejectRole}}; break;
        case vbAbortRetryIgnore: list = {{"&Abbrechen", vbAbort, QMessageBox::RejectRole}, {"&Wiederholen", vbRetry, QMessageBox::AcceptRole}, {"&Ignorieren", vbIgnore, QMessageBox::AcceptRole}}; break;
        case vbYesNoCancel: list = {{"&Ja", vbYes, QMessageBox::YesRole}, {"&Nein", vbNo, QMessageBox::NoRole}, {"Abbrechen", vbCancel, QMessageBox::RejectRole}}; break;
        case vbYesNo: list = {{"&Ja", vbYes, QMessageBox::YesRole}, {"&Nein", vbNo, QMessageBox::NoRole}}; break;
        case vbRetryCancel: list = {{"&Wiederholen", vbRetry, QMessageBox::AcceptRole}, {"Abbrechen", vbCancel, QMessageBox::RejectRole}}; break;
        default: list = {{"OK", vbOK, QMessageBox::AcceptRole}}; break;
        }
        std::vector<std::pair<QAbstractButton*, int>> made;
        for (const auto& b : list)
            made.emplace_back(box.addButton(QString::fromUtf8(b.text), b.role), b.result);
        // 256 / 512 make the second / third button the default one.
        const size_t preset = (buttons & 0x300) == 0x200 ? 2 : (buttons & 0x300) == 0x100 ? 1 : 0;
        box.setDefaultButton(static_cast<QPushButton*>(made[preset < made.size() ? preset : 0].first));
        // Laid out by its first showing; then it goes to its place.
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        placeDialog(&box, box.parentWidget());
        box.exec();
        for (const auto& [button, result] : made)
            if (box.clickedButton() == button)
                return result;
        // Closed by the window frame or Esc: the cancelling answer where there is one.
        const int style = buttons & 7;
        if (style == vbYesNo)
            return vbNo;
        if (style == vbOKOnly)
            return vbOK;
        return style == vbAbortRetryIgnore ? vbAbort : vbCancel;
    }

    QString inputBox(const QString& prompt, const QString& title, const QString& def, bool* ok) override
    {
        QInputDialog box(dialogOwner());
        box.setWindowTitle(titleOr(title));
        box.setLabelText(prompt);
        box.setTextValue(def);
        box.setWindowModality(Qt::ApplicationModal);
        // Placed as the message box is.
        box.show();
        placeDialog(&box, box.parentWidget());
        const bool accepted = box.exec() == QDialog::Accepted;
        if (ok)
            *ok = accepted;
        return accepted ? box.textValue() : QString();
    }

    QString openFileName(const QString& title, const QString& folder, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
    }

    QString saveFileName(const QString& title, const QString& path, const QString& filter,
                         QString* selectedFilter) override
    {
        QFileDialog dialog(QApplication::activeWindow(), title, path, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The caller asks about replacing, once, about the file it really
        // writes: a name like "Fahrten 1.12" gets its ending only there.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        // The ending follows the chosen type, so a name typed without one
        // comes back with the type's.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& f) { dialog.setDefaultSuffix(filterSuffix(f)); });
        if (selectedFilter && !selectedFilter->isEmpty())
            dialog.selectNameFilter(*selectedFilter);
        // Choosing the filter puts its ending in place of the name's last
        // one ("Fahrten 1.12" would show as "Fahrten 1.xlsx"): a name given
        // comes back to the field as it was typed.
        if (const QFileInfo gegeben(path); !path.isEmpty() && !gegeben.isDir())
            dialog.selectFile(gegeben.fileName());
        dialog.setDefaultSuffix(filterSuffix(dialog.selectedNameFilter()));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        if (selectedFilter)
            *selectedFilter = dialog.selectedNameFilter();
        return dialog.selectedFiles().constFirst();
    }

    QString folderName(const QString& title, const QString& folder) override
    {
        return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, folder);
    }
};

class RealClock : public Clock {
public:
    QDate today() override { return QDate::currentDate(); }
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

class RealSoundPlayer : public SoundPlayer {
public:
    void play(const QString& path) override
    {
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return;
        if (QMediaDevices::audioOutputs().isEmpty())
            return;   // no sound output: silence, the program goes on
        if (!effect_)
            effect_ = new QSoundEffect(qApp);
        effect_->stop();
        effect_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        effect_->play();
    }

private:
    QPointer<QSoundEffect> effect_;
};

class HelpWindow : public QWidget {
public:
    HelpWindow()
    {
        setWindowTitle(QStringLiteral("Kilometrika Hilfe"));
        setObjectName(QStringLiteral("KilometrikaHilfe"));
        setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        browser = new QTextBrowser(this);
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        resize(760, 600);
    }
    QTextBrowser* browser;
};

class RealHelpViewer : public HelpViewer {
public:
    void showTopic(const QString& helpFolder, const QString& topic) override
    {
        if (!window_)
            window_ = new HelpWindow;   // no owner, as the platform's help window
        QTextBrowser* b = window_->browser;
        b->setSearchPaths({helpFolder});
        const QString page = helpPagePath(helpFolder, topic.isEmpty() ? QString(kHelpStartPage) : topic);
        if (page.isEmpty()) {
            b->setHtml(QStringLiteral("<h2>Seite nicht gefunden</h2><p>Die Hilfeseite &bdquo;%1&ldquo; "
                                      "ist nicht vorhanden (Ordner: %2).</p>")
                           .arg((topic.isEmpty() ? QString(kHelpStartPage) : topic).toHtmlEscaped(),
                                QDir::toNativeSeparators(helpFolder).toHtmlEscaped()));
        } else {
            b->setSource(QUrl::fromLocalFile(page));
        }
        window_->show();
        window_->raise();
        window_->activateWindow();
    }

private:
    QPointer<HelpWindow> window_;
};

class RealProcessStarter : public ProcessStarter {
public:
    bool start(const QString& program, const QStringList& arguments, const QString& folder) override
    {
        if (program.isEmpty())
            return false;
        return QProcess::startDetached(program, arguments, folder);
    }
};

class RealSystemChecks : public SystemChecks {
public:
    bool isAdministrator() override
    {
        // What the update needs to know: whether this user can put a new
        // program file in place of the running one.
        return geteuid() == 0 || mayReplaceFile(QCoreApplication::applicationFilePath());
    }

    bool isOnline() override
    {
        if (QNetworkInformation::loadDefaultBackend()) {
            if (auto* info = QNetworkInformation::instance()) {
                switch (info->reachability()) {
                case QNetworkInformation::Reachability::Online: return true;
                case QNetworkInformation::Reachability::Disconnected: return false;
                default: break;   // unknown, local or site only: ask the interfaces
                }
            }
        }
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface& i : interfaces) {
            const auto f = i.flags();
            if ((f & QNetworkInterface::IsUp) && (f & QNetworkInterface::IsRunning)
                && !(f & QNetworkInterface::IsLoopBack) && !i.addressEntries().isEmpty())
                return true;
        }
        return false;
    }
};

} // namespace

bool mayReplaceFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::access(file.constData(), F_OK) == 0 && ::access(file.constData(), W_OK) == 0
           && ::access(folder.constData(), W_OK | X_OK) == 0;
}

QString filterSuffix(const QString& filter)
{
    // "Name (*.a *.b)", or the patterns alone.
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const QString patterns = (open >= 0 ? filter.mid(open + 1) : filter).section(QLatin1Char(')'), 0, 0);
    const QString first = patterns.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (!first.startsWith(QLatin1String("*.")))
        return {};
    const QString suffix = first.mid(2);
    // "*.*" or "*.x?" names no one ending.
    for (QChar c : suffix)
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            return {};
    return suffix;
}

bool isAdministratorGroup(const QString& name)
{
    return name == QLatin1String("sudo") || name == QLatin1String("wheel") || name == QLatin1String("admin");
}

QString helpPagePath(const QString& helpFolder, const QString& topic)
{
    if (topic.isEmpty() || topic.contains('/') || topic.contains('\\') || topic.startsWith('.'))
        return {};
    QString found = io::findFileCaseInsensitive(helpFolder, topic);
    if (found.isEmpty() && topic.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
        found = io::findFileCaseInsensitive(helpFolder, topic + QLatin1Char('l'));
    if (found.isEmpty() || !QFileInfo(found).isFile())
        return {};
    return found;
}

Services realServices()
{
    static RealDialogs dialogs;
    static RealClock clock;
    static RealSoundPlayer sound;
    static RealHelpViewer help;
    static RealProcessStarter processes;
    static RealSystemChecks system;
    return {&dialogs, &clock, &sound, &help, &processes, &system};
}

bool messageOnce(const QString& key, const QString& text)
{
    static QSet<QString> shown;
    if (shown.contains(key))
        return false;
    shown.insert(key);
    services().dialogs->msgBox(text, vbOKOnly);
    return true;
}

Services& services()
{
    static Services s = realServices();
    return s;
}

// ---------------------------------------------------------------- dialog place

QPoint dialogPosition(QSize frame, QRect owner, const QList<QRect>& uncovered, QRect screen)
{
    const int abstand = 8;
    // Wholly on the screen (its top left corner first when it is larger).
    auto aufDenSchirm = [&](QPoint p) {
        p.setX(std::max(screen.left(), std::min(p.x(), screen.right() + 1 - frame.width())));
        p.setY(std::max(screen.top(), std::min(p.y(), screen.bottom() + 1 - frame.height())));
        return p;
    };
    // How much of the areas the dialog covers, with 'rand' around it.
    auto verdeckt = [&](QPoint p, int rand = 0) {
        qint64 flaeche = 0;
        for (const QRect& a : uncovered)
            if (const QRect s = QRect(p, frame).adjusted(-rand, -rand, rand, rand).intersected(a); !s.isEmpty())
                flaeche += qint64(s.width()) * s.height();
        return flaeche;
    };
    const int mitteX = owner.center().x() - frame.width() / 2;
    QRect alle;
    for (const QRect& a : uncovered)
        alle |= a;
    if (alle.isEmpty())
        return aufDenSchirm(QPoint(mitteX, owner.center().y() - frame.height() / 2));
    const QPoint benannt[] = {
        aufDenSchirm({mitteX, alle.bottom() + 1 + abstand}),
        aufDenSchirm({owner.right() + 1 + abstand, alle.top()}),
        aufDenSchirm({owner.left() - abstand - frame.width(), alle.top()}),
        aufDenSchirm({mitteX, alle.top() - abstand - frame.height()}),
    };
    for (const QPoint p : benannt)
        if (verdeckt(p) == 0)
            return p;
    // A free place between the areas: pushed left and up as far as it goes,
    // any free place stops at a screen edge or at an area's edge, so those
    // edges (with or without the margin) are where to look. One that keeps
    // the margin to every area goes first.
    QList<int> xs{screen.left(), screen.right() + 1 - frame.width(), mitteX};
    QList<int> ys{screen.top(), screen.bottom() + 1 - frame.height(), owner.center().y() - frame.height() / 2};
    for (const QRect& a : uncovered) {
        xs << a.right() + 1 << a.right() + 1 + abstand << a.left() - frame.width() << a.left() - abstand - frame.width();
        ys << a.bottom() + 1 << a.bottom() + 1 + abstand << a.top() - frame.height()
           << a.top() - abstand - frame.height();
    }
    for (const int rand : {abstand, 0}) {
        std::optional<QPoint> frei;
        qint64 naeheste = 0;
        for (const int x : xs)
            for (const int y : ys) {
                const QPoint p = aufDenSchirm({x, y});
                if (verdeckt(p, rand) != 0)
                    continue;
                const QPoint d = QRect(p, frame).center() - owner.center();
                const qint64 weite = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
                if (!frei || weite < naeheste) {
                    frei = p;
                    naeheste = weite;
                }
            }
        if (frei)
            return *frei;
    }
    QPoint best = benannt[0];
    for (const QPoint p : benannt)
        if (verdeckt(p) < verdeckt(best))
            best = p;
    return best;
}

namespace {

struct Unbedeckt {
    QPointer<QWidget> window;
    std::function<QList<QRect>()> areas;
};

std::vector<Unbedeckt>& unbedeckt()
{
    static std::vector<Unbedeckt> u;
    std::erase_if(u, [](const Unbedeckt& x) { return !x.window; });
    return u;
}

} // namespace

void setUncovered(QWidget* window, std::function<QList<QRect>()> areas)
{
    auto& u = unbedeckt();
    std::erase_if(u, [window](const Unbedeckt& x) { return x.window == window; });
    u.push_back({window, std::move(areas)});
}

QList<QRect> uncoveredAreas(const QWidget* window)
{
    QList<QRect> global;
    for (const Unbedeckt& x : unbedeckt())
        if (x.window == window && x.areas)
            for (const QRect& a : x.areas())
                if (!a.isEmpty())
                    global << QRect(window->mapToGlobal(a.topLeft()), a.size());
    return global;
}

QWidget* dialogOwner()
{
    if (QWidget* w = QApplication::activeWindow())
        return w;
    for (const Unbedeckt& x : unbedeckt())
        if (x.window->isVisible())
            return x.window;
    return nullptr;
}

void placeDialog(QWidget* dialog, QWidget* owner)
{
    if (!dialog || !owner)
        return;
    owner = owner->window();
    QScreen* screen = owner->screen();
    if (!screen)
        return;
    // Before its first showing a dialog has no frame yet: its owner's
    // stands in for it.
    const QRect rahmen = dialog->isVisible() ? dialog->frameGeometry() : QRect();
    const QSize zusatz = owner->frameGeometry().size() - owner->size();
    const QSize groesse = rahmen.isValid() ? rahmen.size() : dialog->size() + zusatz;
    const QPoint p = dialogPosition(groesse, owner->frameGeometry(), uncoveredAreas(owner), screen->availableGeometry());
    // move() places the frame's top left corner, as the rule gives it.
    dialog->move(p);
}

} // namespace forms
