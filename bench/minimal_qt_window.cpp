// The yardstick for the game's start-up: the least a Qt Widgets program
// does before a player sees it. A main window with a menu is shown, and the
// program quits as soon as the event loop has handled the showing.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu* game = window.menuBar()->addMenu("&Game");
    game->addAction("E&xit", &app, &QApplication::quit);
    window.resize(748, 563);
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
