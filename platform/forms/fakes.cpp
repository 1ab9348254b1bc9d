#include "platform/forms/fakes.h"

namespace forms {

int FakeDialogs::msgBox(const QString& prompt, int buttons, const QString& title)
{
    shown.append({prompt, buttons, title});
    if (msgBoxAnswers.empty())
        return defaultAnswer;
    const int a = msgBoxAnswers.front();
    msgBoxAnswers.pop_front();
    return a;
}

QString FakeDialogs::inputBox(const QString& prompt, const QString&, const QString&, bool* ok)
{
    inputPrompts << prompt;
    if (inputAnswers.empty()) {
        if (ok)
            *ok = false;
        return {};
    }
    QString a = inputAnswers.front();
    inputAnswers.pop_front();
    if (ok)
        *ok = true;
    return a;
}

QString FakeDialogs::nextFile(const QString& title)
{
    fileTitles << title;
    if (fileAnswers.empty())
        return {};
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString FakeDialogs::openFileName(const QString& title, const QString&, const QString&) { return nextFile(title); }
QString FakeDialogs::saveFileName(const QString& title, const QString&, const QString&) { return nextFile(title); }
QString FakeDialogs::folderName(const QString& title, const QString&) { return nextFile(title); }

ScopedFakes::ScopedFakes() : saved_(services())
{
    services() = {&dialogs, &clock, &sound, &help, &processes, &system};
}

ScopedFakes::~ScopedFakes()
{
    services() = saved_;
}

} // namespace forms
