#pragma once
// Everything that waits for a person or touches the world outside the
// program goes through these interfaces, so tests never hang on a modal
// window. forms::services() holds the implementations in use: the real ones
// by default; tests put fakes in (see fakes.h, ScopedFakes).

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace forms {

// Plain message, input and file dialogs.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The runtime's message box. buttons: 0 OK, 1 OK/Cancel, 2 Abort/Retry/
    // Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel, plus an icon
    // (16 critical, 32 question, 48 exclamation, 64 information) and the
    // default button (0 first, 256 second, 512 third).
    // Result: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
    virtual int msgBox(const QString& prompt, int buttons = 0, const QString& title = {}) = 0;
    // The empty text when cancelled (*ok false).
    virtual QString inputBox(const QString& prompt, const QString& title = {},
                             const QString& defaultText = {}, bool* ok = nullptr) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const QString& title, const QString& folder, const QString& filter) = 0;
    // 'selectedFilter', when given, is the filter offered first and comes
    // back as the one chosen. A name typed without an ending gets the chosen
    // filter's. The dialog asks nothing about replacing a file: the caller
    // knows the name it really writes and asks about that one.
    virtual QString saveFileName(const QString& title, const QString& path, const QString& filter,
                                 QString* selectedFilter = nullptr) = 0;
    virtual QString folderName(const QString& title, const QString& folder) = 0;
};

enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };
enum MsgBoxStyle {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton2 = 256, vbDefaultButton3 = 512,
};

// "Today" and "now" of the computer.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
    virtual QDateTime now() = 0;
};

// Plays a sound file asynchronously; silent when the file or an audio
// output is missing. A new sound replaces the one playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path) = 0;
};

// The program's help pages, opened at a topic (a page file name such as
// "Inhaltsverzeichnis.htm"); the empty topic opens the start page. A
// missing page is reported inside the help window.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showTopic(const QString& helpFolder, const QString& topic) = 0;
};

// Starts another program without waiting for it; false when it cannot start.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool start(const QString& program, const QStringList& arguments = {},
                       const QString& workingFolder = {}) = 0;
};

// Questions about the computer. Any error answers false.
class SystemChecks {
public:
    virtual ~SystemChecks() = default;
    // May this user replace the program: root, or the program file and its
    // folder are writable for this user.
    virtual bool isAdministrator() = 0;
    // Some network connection beyond this computer is up.
    virtual bool isOnline() = 0;
};

struct Services {
    Dialogs* dialogs;
    Clock* clock;
    SoundPlayer* sound;
    HelpViewer* help;
    ProcessStarter* processes;
    SystemChecks* system;
};

// The implementations in use (real ones unless a test replaced them).
Services& services();
// The real implementations.
Services realServices();

// Puts other implementations in place for its lifetime.
class ScopedServices {
public:
    explicit ScopedServices(const Services& s) : saved_(services()) { services() = s; }
    ~ScopedServices() { services() = saved_; }
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services saved_;
};

// A message about one thing (a damaged file, named by `key`) is shown once
// per run; the same key again shows nothing. True when it was shown now.
bool messageOnce(const QString& key, const QString& text);

// Where a message dialog stands. It is wholly on the screen, and covers none
// of the areas of its owner window that it must leave in view (the fields
// its question is about) wherever the screen has such a place: below them
// all, over the lower part of the owner; else beside the owner, right,
// then left; else above them all; else the free place nearest the owner's
// middle, between the areas themselves (keeping a margin to each where
// there is room for one). Where no place is free, the first of
// the named four that covers least of them. Without areas, centred over the
// owner. Screen coordinates; 'frame' is the dialog's size with its window
// frame.
QPoint dialogPosition(QSize frame, QRect owner, const QList<QRect>& uncovered, QRect screen);
// The areas of a window that its dialogs leave uncovered, in the window's
// own coordinates, asked each time a dialog opens (none: an empty list).
void setUncovered(QWidget* window, std::function<QList<QRect>()> areas);
// Those areas now, in screen coordinates (none for a window that told none).
QList<QRect> uncoveredAreas(const QWidget* window);
// The window a dialog belongs to: the active one, else the shown window
// that told its areas (a leave check may ask while the user is in another
// program).
QWidget* dialogOwner();
// Puts a dialog of its final size at its place by the rule above.
void placeDialog(QWidget* dialog, QWidget* owner);

// Helpers for the real implementations, testable on their own.
// The file of a help topic in the help folder, found ignoring case; a topic
// "x.htm" is also found as "x.html". Empty when there is none.
QString helpPagePath(const QString& helpFolder, const QString& topic);
// The start page opened for the empty topic.
inline constexpr const char* kHelpStartPage = "index.html";
// The ending a file dialog's filter gives a name: "pdf" for
// "PDF-Dokument (*.pdf)", the first pattern's; empty when it has none.
QString filterSuffix(const QString& filter);
// Group names that make a user an administrator.
bool isAdministratorGroup(const QString& groupName);
// The file exists and both it and its folder are writable for this user.
bool mayReplaceFile(const QString& path);

} // namespace forms
