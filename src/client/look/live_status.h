#pragma once

#include <QString>
#include <QWidget>

// What just happened at the table (a judged row, a found word, whose turn
// it is), told to a screen reader without taking the focus from the guess
// or the chat box. The widget shows nothing: it is a live status object,
// whose name is the newest news.
class LiveStatus : public QWidget {
    Q_OBJECT
public:
    explicit LiveStatus(QWidget* parent);

    void announce(const QString& news);
    QString latest() const { return accessibleName(); }
};
