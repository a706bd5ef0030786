// The yardstick for the game's start-up: the least a Qt Widgets program
// does before a player sees it. A main window with a menu is shown; once the
// event loop runs, the program prints that moment on the monotonic clock
// ("shown SECONDS") and quits.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("E&xit", &app, &QApplication::quit);
    window.resize(748, 563);
    window.show();
    QTimer::singleShot(0, &app, [&app] {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("shown %lld.%06ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}
