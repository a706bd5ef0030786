#pragma once

#include "net/game_messages.h"

#include <QString>

// What a player's client asks of the host. The client writes the messages
// with the builders below; the host cuts each whole before it acts, and a
// field that is missing or out of range throws MalformedMessage.
namespace playermsg {

struct LoginInfo {
    int slot;
    QString version;
    QString name; // the rest of the message, as sent
};
struct KickHim {
    int sender; // who asks: the host checks that it is the host player
    int slot;   // whom to remove
};
struct Relayed { // CMD_chat, CMD_action, CMD_playasound
    int slot;
    QString text; // everything after the slot, passed on unchanged
};
struct JustWatch {
    int seat; // any slot 1..9; who may name which is the host's business
    bool watch;
};
struct MyWord {
    int slot;
    QString guess; // as typed
};

LoginInfo logininfo(const QString& args);
KickHim kickhim(const QString& args);
Relayed relayed(const QString& args);
JustWatch justwatch(const QString& args);
MyWord myword(const QString& args);

// The text of each message without its terminator, as the client sends it.
namespace build {
QString logininfo(int slot, const QString& version, const QString& name);
QString kickhim(int sender, int slot);
// text: the typed text, "|" and the sender's text colour.
QString chat(int slot, const QString& text);
QString action(int slot, const QString& text);
// The host relays it with the same three fields.
using gamemsg::build::startgame;
QString justwatch(int seat, bool watch);
QString myword(int slot, const QString& word);
// chatterSound: the number of the chatter sound, 1..20.
QString playasound(int slot, int chatterSound);
} // namespace build

} // namespace playermsg
