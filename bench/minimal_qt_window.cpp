// The yardstick for the game's start-up: the least a Qt Widgets program
// does before a player sees it. A main window with a menu is shown; once its
// first paint is done, the program prints that moment on the monotonic clock
// ("shown SECONDS") and quits.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

void printShown() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("shown %lld.%06ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
    std::fflush(stdout);
}

// The first timer after the window's first paint runs once that paint has
// been flushed: a window is seen only when painted.
class MainWindow : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* event) override {
        QMainWindow::paintEvent(event);
        if (painted_)
            return;
        painted_ = true;
        QTimer::singleShot(0, qApp, [] {
            printShown();
            QApplication::quit();
        });
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindow window;
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("E&xit", &app, &QApplication::quit);
    window.resize(748, 563);
    window.show();
    return app.exec();
}
