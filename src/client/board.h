#pragma once

#include <QObject>
#include <QString>

// The guess board and the turn: rounds, rows, marks, the clock, the word
// list. Filled by the board work; for now its handlers do nothing.
class Board : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void loadball(const QString& args);
    void getnextplayer(const QString& args);
    void submitted(const QString& args);
    void yourletters(const QString& args);
    void notvalid(const QString& args);
    void timeup(const QString& args);
    void nooneguessed(const QString& args);
    void heguessed(const QString& args);
    void wordlist(const QString& args);
};
