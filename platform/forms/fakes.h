#pragma once
// Test stand-ins for the seams: they answer from scripts and record what was
// asked, and never open a window.
//
//   forms::ScopedFakes fakes;                 // all services replaced
//   fakes.dialogs.msgBoxAnswers = {forms::vbYes};
//   fakes.clock.day = QDate(2016, 3, 1);

#include "platform/forms/seams.h"

#include <QList>
#include <deque>

namespace forms {

class FakeDialogs : public Dialogs {
public:
    struct Shown { QString prompt; int buttons; QString title; };
    QList<Shown> shown;                 // every msgBox, in order
    std::deque<int> msgBoxAnswers;      // taken in order; then defaultAnswer
    int defaultAnswer = vbOK;
    std::deque<QString> inputAnswers;   // then cancelled
    std::deque<QString> fileAnswers;    // for open/save/folder; then cancelled
    std::deque<QString> filterAnswers;  // the filter each save reports chosen; then the one offered
    QStringList inputPrompts;
    QStringList fileTitles;
    QStringList filePlaces;             // the folder or path each file dialog opened at
    QStringList saveFilters;            // the filter each save dialog opened with

    int msgBox(const QString& prompt, int buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& def, bool* ok) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& path, const QString& filter,
                         QString* selectedFilter = nullptr) override;
    QString folderName(const QString& title, const QString& folder) override;

private:
    QString nextFile(const QString& title, const QString& place);
};

class FakeClock : public Clock {
public:
    QDate day = QDate(2016, 6, 15);
    QTime time = QTime(12, 0);
    QDate today() override { return day; }
    QDateTime now() override { return QDateTime(day, time); }
};

class FakeSoundPlayer : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& path) override { played << path; }
};

class FakeHelpViewer : public HelpViewer {
public:
    struct Call { QString folder; QString topic; };
    QList<Call> calls;
    void showTopic(const QString& folder, const QString& topic) override { calls.append({folder, topic}); }
};

class FakeProcessStarter : public ProcessStarter {
public:
    struct Call { QString program; QStringList arguments; QString folder; };
    QList<Call> calls;
    bool result = true;
    bool start(const QString& program, const QStringList& arguments, const QString& folder) override
    {
        calls.append({program, arguments, folder});
        return result;
    }
};

class FakeSystemChecks : public SystemChecks {
public:
    bool administrator = true;
    bool online = true;
    bool isAdministrator() override { return administrator; }
    bool isOnline() override { return online; }
};

// Every service replaced by a fake for the lifetime of the object.
class ScopedFakes {
public:
    ScopedFakes();
    ~ScopedFakes();
    ScopedFakes(const ScopedFakes&) = delete;
    ScopedFakes& operator=(const ScopedFakes&) = delete;

    FakeDialogs dialogs;
    FakeClock clock;
    FakeSoundPlayer sound;
    FakeHelpViewer help;
    FakeProcessStarter processes;
    FakeSystemChecks system;

private:
    Services saved_;
};

} // namespace forms
