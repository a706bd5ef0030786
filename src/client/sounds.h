#pragma once

#include <QObject>
#include <QString>

// Every sound of the game: effects by name, and chatter sounds sent and
// received. Filled by the sounds work; for now it plays nothing.
class Sounds : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void playsounds(const QString& name);
    void playasound(const QString& args); // CMD_playasound
};
