#pragma once

#include <QString>
#include <QStringList>

// How this copy plays, chosen from the command line.
enum class PlayMode {
    Solo,       // no arguments: host on the loopback address as "You"
    Host,       // NAME ADDRESS true
    Join,       // NAME ADDRESS anything-else
    Incomplete, // one or two arguments: the Play with Others window, filled in with them
    Link,       // an invite link alone: asks, then joins
};

struct PlayChoice {
    PlayMode mode = PlayMode::Solo;
    QString playername;
    QString hostaddress; // for Link: the link as given
};

// Arguments after the program name. Only the first three count; "true" must
// match exactly. A "+" in the name becomes "-", since "+" separates fields in
// every message that carries the name.
PlayChoice choosePlayMode(const QStringList& arguments);
