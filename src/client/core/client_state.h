#pragma once

#include "net/game_shape.h"

#include <QString>

// What the client knows of its own place at the host. One instance, owned by
// the main window and shared by its parts (seats, chat, board, table).
struct ClientState {
    int myseat = 0;         // own slot, from CMD_sendlogininfo; 0 until then
    bool connected = false; // logged in on the current connection
    bool ishost = false;    // this process runs the game host
    QString loginname;
    int turnseat = 0;    // seat that may type a guess; 0 when nobody may
    int secondsleft = 0; // of the current turn

    static bool isSeat(int slot) { return slot >= 1 && slot <= game::kSeats; }
    static bool isSpySlot(int slot) { return slot > game::kSeats && slot <= game::kSlots; }
    static bool isSlot(int slot) { return slot >= 1 && slot <= game::kSlots; }

    bool seated() const { return connected && isSeat(myseat); }
};
