#pragma once

#include "host/letter_marks.h"
#include "net/game_shape.h"
#include "net/game_type.h"
#include "net/marks.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

class TSock;

// One connection slot of the host. Slots 1..5 are seats, 6..9 spies.
struct tplayer {
    QString name;
    bool inuse = false;
    bool loggedin = false; // its CMD_logininfo has arrived
    // When it first logged in, counted from 1 (0: not yet): at a dedicated
    // host the seated player with the lowest number holds the rights.
    quint64 loginorder = 0;
    TSock* sock = nullptr;
    qint32 score = 0;
    bool watching = false;
    bool submitted = false;
    QString guess;
    std::array<QString, game::kRows> rowwords; // rows 1..5 at indices 0..4
    qint32 raceball = 0;
    QString marks;
    QString defaultname;
    // A held seat: its connection dropped during a game and the seat waits for
    // its player to come back. It stays in use, but nothing can be sent to it.
    bool away = false;
    // Removed by the host player: its close is a departure, never a hold.
    bool removed = false;
    // While held: how much of the game's record the player saw before the drop.
    size_t awayfrom = 0;
    // Rows of this word that Klot played for the seat while it was held.
    std::array<bool, game::kRows> stoodin{};

    bool connected() const { return inuse && !away; }
    // A person plays the seat now: neither watching nor away.
    bool plays() const { return connected() && !watching; }
};

// A guess that was judged, with the marks its guesser was shown.
struct JudgedGuess {
    int slot = 0;
    QString word; // in capitals
    Marks marks;
};

// What the turntimer's running countdown is for.
enum TurnTag { TagNone = 0, TagRowOpen = 1, TagPauseAfterFind = 2, TagPauseAfterNoFind = 3 };

// The slot table and game state that the host's parts (seating, referee,
// words, computer player) share.
struct HostState {
    std::array<tplayer, game::kSlots + 1> players; // index 0 unused: slots are 1..9

    // A host without a player of its own (--serve): the host player's rights
    // go to whoever has sat at the table longest, not to slot 1 alone.
    bool dedicated = false;
    quint64 logins = 0; // log-ins so far, for tplayer::loginorder
    int slotcount = 0;
    bool gameon = false;
    std::optional<GameType> gametype; // of the last game started; none before any
    bool botplays = false;
    bool wordopen = false;
    QString hiddenword;
    int ballno = 0;
    std::array<int, game::kBalls + 1> ballowner{}; // rounds 1..9 at indices 1..9
    int row = 0;
    int countdown = 0;
    int currentseat = 0;
    int nextstarter = 0;
    int turntag = TagNone;
    // The table's rules, fixed at each game start.
    MarksRule marksrule = MarksRule::Classic;
    bool botfair = false;            // Klot sees only what a player sees
    std::vector<JudgedGuess> judged; // this word's judged guesses, in order
    // This game's words and result as chat lines, for a player back from a drop.
    std::vector<QString> record;

    tplayer& player(int slot) { return players[static_cast<size_t>(slot)]; }
    const tplayer& player(int slot) const { return players[static_cast<size_t>(slot)]; }
    static bool validSlot(int slot) { return slot >= 1 && slot <= game::kSlots; }
    bool playing(GameType type) const { return gametype == type; }
};
