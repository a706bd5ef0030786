#pragma once

#include "net/commands.h"
#include "net/game_messages.h"
#include "net/game_type.h"

#include <QString>

// What a player's client asks of the host, one type each: its command word,
// the builder the client writes it with, and the parser with which the host
// cuts it whole before it acts. A field that is missing or out of range
// throws MalformedMessage. The slot in front names the sender and is written
// as the host writes slot numbers (no sign, no leading zero), so that the
// host can match it against the connection that delivered the message.
namespace playermsg {

struct LoginInfo {
    static constexpr const char* kWord = cmd::logininfo;
    int slot;
    QString version;
    QString name; // the rest of the message, as sent
    static LoginInfo parse(const QString& args);
    static QString build(int slot, const QString& version, const QString& name);
};
struct KickHim {
    static constexpr const char* kWord = cmd::kickhim;
    int sender; // who asks: the host checks that it is the host player
    int slot;   // whom to remove
    static KickHim parse(const QString& args);
    static QString build(int sender, int slot);
};
// A message the host passes on under the sender's slot.
struct Relayed {
    int slot;
    QString text; // everything after the slot, passed on unchanged
};
// text: the typed text, "|" and the sender's text colour.
struct Chat : Relayed {
    static constexpr const char* kWord = cmd::chat;
    static Chat parse(const QString& args);
    static QString build(int slot, const QString& text);
};
struct Action : Relayed {
    static constexpr const char* kWord = cmd::action;
    static Action parse(const QString& args);
    static QString build(int slot, const QString& text);
};
struct PlayASound : Relayed {
    static constexpr const char* kWord = cmd::playasound;
    static PlayASound parse(const QString& args);
    // chatterSound: the number of the chatter sound, 1..20.
    static QString build(int slot, int chatterSound);
};
// The host player starts a game; the host relays it under its own name.
struct StartGame {
    static constexpr const char* kWord = cmd::startgame;
    GameType type; // no rules would apply to any other
    bool botPlays;
    static StartGame parse(const QString& args);
    static QString build(const QString& starter, GameType type, bool botPlays) {
        return gamemsg::StartGame::build(starter, type, botPlays);
    }
};
struct JustWatch {
    static constexpr const char* kWord = cmd::justwatch;
    int seat; // any slot 1..9; who may name which is the host's business
    bool watch;
    static JustWatch parse(const QString& args);
    static QString build(int seat, bool watch);
};
struct MyWord {
    static constexpr const char* kWord = cmd::myword;
    int slot;
    QString guess; // as typed
    static MyWord parse(const QString& args);
    static QString build(int slot, const QString& word);
};

// The slot in front of a client's message, written as the host writes it.
int cutSenderSlot(QString& rest);

} // namespace playermsg
