#pragma once

#include <QString>

// What the client knows of its own place at the host. One instance, owned by
// the main window and shared by its parts (seats, chat, board, table).
struct ClientState {
    static constexpr int kSeats = 5;    // slots 1..5 sit at the table
    static constexpr int kLastSlot = 9; // slots 6..9 are spies

    int myseat = 0;         // own slot, from CMD_sendlogininfo; 0 until then
    bool connected = false; // logged in; never cleared (a lost connection closes the window)
    bool ishost = false;    // this process runs the game host
    QString loginname;
    int turnseat = 0;    // seat that may type a guess; 0 when nobody may
    int secondsleft = 0; // of the current turn

    static bool isSeat(int slot) { return slot >= 1 && slot <= kSeats; }
    static bool isSpySlot(int slot) { return slot > kSeats && slot <= kLastSlot; }
    static bool isSlot(int slot) { return slot >= 1 && slot <= kLastSlot; }

    bool seated() const { return connected && isSeat(myseat); }
    // The host obeys game starts and removals only from slot 1, so its holder
    // gets the host player's controls, whether or not this process hosts.
    bool holdsSlotOne() const { return connected && myseat == 1; }
};
