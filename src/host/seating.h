#pragma once

#include "net/player_messages.h"

#include <QString>

struct HostState;
struct tplayer;
class HostOutbox;
class Referee;

// Closes connections; the close report then runs the departure clean-up.
class HostConnections {
public:
    virtual ~HostConnections() = default;
    virtual void disconnectsock(int slot) = 0;
};

// Connection slots and seats: who gets which slot, log-in and the
// announcements around it, chat, actions and chatter sounds, sitting out,
// removal and departure. The handlers take their parsed message; the
// dispatcher has already checked who sent it.
class Seating {
public:
    Seating(HostState& state, HostOutbox& outbox, Referee& referee, HostConnections& connections);

    // The lowest free slot (growing slotcount up to 9), or 0 when all nine
    // are taken. Changes nothing.
    int chooseSlot() const;
    // A connection has been accepted into the slot: marks it in use and asks
    // it to log in.
    void seat(int slot);
    // The connection in the slot has closed: tells the others and frees it.
    // A slot that is already free is left alone.
    void playerLeft(int slot);
    // The connection in slot from, which has not logged in, takes over the
    // held seat; slot from is free again without ever having been announced.
    void moveConnection(int from, int seat);

    void receivedlogininfo(const playermsg::LoginInfo& login);
    // Removes the player or spy in the slot.
    void kickhim(int slot);
    void chat(const playermsg::Chat& line);
    void action(const playermsg::Action& line);
    void playasound(const playermsg::PlayASound& sound);
    void justwatch(const playermsg::JustWatch& request);

private:
    // The host's form of a chat line or action: slot, sender's name, text.
    using RelayedForm = QString (*)(int slot, const QString& name, const QString& text);
    void relay(const playermsg::Relayed& line, RelayedForm form);
    void freeSlot(tplayer& player);
    void setWatching(int seat, bool watching);
    void putWatchersBackIfNobodyPlays();

    HostState& state_;
    HostOutbox& outbox_;
    Referee& referee_;
    HostConnections& connections_;
};
