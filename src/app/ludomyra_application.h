#pragma once

#include <QApplication>

// The application object. An exception that leaves an event handler (a
// socket component refusing an operation, say) is shown to the player in a
// message box, and the event loop goes on.
class LudomyraApplication : public QApplication {
public:
    LudomyraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
