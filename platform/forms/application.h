#pragma once
// The program's application object. The original runtime ended the program
// on an untrapped error; here an error that reaches the event loop is told
// in a message and the program goes on: the handler it came from stopped
// before its next step, so no file is half written by it.
//
//   forms::Application app(argc, argv);
//   return app.exec();

#include <QApplication>

#include <functional>

namespace forms {

class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// Delivers through `deliver`; an error it throws is told in a message and
// the delivery counts as not handled (false).
bool deliverTrapped(const std::function<bool()>& deliver);

} // namespace forms
