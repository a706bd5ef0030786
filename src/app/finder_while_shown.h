#pragma once

#include "net/table_finder.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

// Asks for tables on this network only while a window that lists them is
// shown: nobody else needs the queries, and the list is fresh at each opening.
class FinderWhileShown : public QObject {
public:
    FinderWhileShown(TableFinder& finder, QWidget& window) : QObject(&window), finder_(finder) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && !finder_.running())
            finder_.start();
        else if (event->type() == QEvent::Hide)
            finder_.stop();
        return false;
    }

private:
    TableFinder& finder_;
};
