#pragma once

#include <QObject>
#include <QString>

// The pool table, the racks and the scores: game start and end, shots, late
// joiners' catch-up. Filled by the table work; for now its handlers do nothing.
class PoolTable : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void startthegame(const QString& args);
    void winner(const QString& args);
    void tiegame(const QString& args);
    void impossible(const QString& args);
    void gamestats(const QString& args);
    void playerscores(const QString& args);
    void ballowners(const QString& args);
    void theyown(const QString& args);
    void moveballs(); // one animation call per Timer1 tick
};
