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

QString FakeDialogs::nextFile(const QString& title, const QString& place)
{
    fileTitles << title;
    filePlaces << place;
    if (fileAnswers.empty())
        return {};
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString FakeDialogs::openFileName(const QString& title, const QString& folder, const QString&)
{
    return nextFile(title, folder);
}

QString FakeDialogs::saveFileName(const QString& title, const QString& path, const QString&, QString* selectedFilter)
{
    saveFilters << (selectedFilter ? *selectedFilter : QString());
    const QString a = nextFile(title, path);
    if (!a.isEmpty() && selectedFilter && !filterAnswers.empty()) {
        *selectedFilter = filterAnswers.front();
        filterAnswers.pop_front();
    }
    return a;
}

QString FakeDialogs::folderName(const QString& title, const QString& folder) { return nextFile(title, folder); }

ScopedFakes::ScopedFakes() : saved_(services())
{
    services() = {&dialogs, &clock, &sound, &help, &processes, &system};
}

ScopedFakes::~ScopedFakes()
{
    services() = saved_;
}

} // namespace forms
