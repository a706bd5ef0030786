#pragma once

#include "net/game_shape.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The host's game messages. The host writes them with the builders below;
// the client cuts and checks each whole before any part acts on it: every
// parse function throws MalformedMessage for a field that is missing, not a
// number or out of range, so nothing is half applied.
namespace gamemsg {

inline constexpr int kNoScore = 1000; // the game type shows no score numbers

// A guess or a word cut to five characters; a missing letter is empty.
using Letters = std::array<QString, game::kLetters>;

struct LoadBall {
    int ball;
    QString letter;
};
struct NextPlayer {
    int slot;
    int row;
};
struct Judged { // CMD_yourletters and CMD_notvalid
    int slot;
    bool everyone; // the "t" copy a nine-ball game shows to all
    int row;
    QString marks; // five of "s", "c", "x"; a missing mark counts as "x"
    Letters guess;
    QString rawGuess; // as sent, for the status line
};
struct HeGuessed {
    int slot;
    QString word;
    Letters letters;
    int ball;
    int score;
};
struct WordList {
    int slot;
    QList<std::pair<int, QString>> rows; // row 1..5, word
};
struct StartGame {
    QString starter;
    QString type;
    bool botPlays;
};
struct GameStats {
    QString type;
    int row; // 1..6: 6 is the pause after an unfound fifth row
    int ball;
    QString letter;
};
struct SeatValue { // seat and score, or seat and ball count
    int seat;
    int value;
};
struct BallOwner {
    int ball;
    int owner; // slot 1..9, 0 while on the table
};
struct PlayerRecord { // CMD_newplayerinfo and CMD_existingplayers
    int slot;
    QString name; // as sent: the reader cleans it
    bool watching;
};
struct Watching { // CMD_justwatching
    int seat;
    bool watching;
};
struct ChatterSound { // CMD_playasound
    int seat;
    QString sound; // as sent: the reader knows its sounds
};

// The slot in front; what follows it is not read. CMD_sendlogininfo,
// CMD_playerdisconnected, CMD_submitted, CMD_winner.
int slotOnly(const QString& args);
QList<PlayerRecord> players(const QString& args); // at most nine, at least one
Watching justwatching(const QString& args);
ChatterSound playasound(const QString& args);
LoadBall loadball(const QString& args);
NextPlayer nextplayer(const QString& args);
Judged yourletters(const QString& args);
Judged notvalid(const QString& args);
int timeup(const QString& args);
Letters nooneguessed(const QString& args);
HeGuessed heguessed(const QString& args);
WordList wordlist(const QString& args);
StartGame startgame(const QString& args);
GameStats gamestats(const QString& args);
QList<SeatValue> playerscores(const QString& args);
QList<SeatValue> theyown(const QString& args);
QList<BallOwner> ballowners(const QString& args);
QString tiegame(const QString& args);

// The first five characters, upper case; a missing letter is empty.
Letters firstFive(const QString& word);
// Text from the network for a label: nothing that hides or breaks text
// (playertext::hidesOrBreaks), bounded length.
QString plain(const QString& text, int maxLength);

// The text of each message without its terminator, as the host sends it.
namespace build {
QString sendlogininfo(int slot);
QString full();
QString newplayerinfo(int slot, const QString& name);
// Every other player; the host sends none when there is nobody.
QString existingplayers(const QList<PlayerRecord>& others);
QString havewrongversion(const QString& name);
QString wrongversion();
QString gamestats(const QString& type, int row, int ball, const QString& letter);
QString playerscores(const QList<SeatValue>& scores);
QString theyown(const QList<SeatValue>& ballCounts);
QString ballowners(const QList<BallOwner>& owners);
QString playerdisconnected(int slot, const QString& name);
// A client's chat line or action, under the sender's name; text as the client
// sent it. The client's chat part reads them (readReceivedChat).
QString chat(int slot, const QString& name, const QString& text);
QString action(int slot, const QString& name, const QString& text);
// A line of the host's own (sender 0), in the system lines' colour.
QString systemLine(const QString& text);
// textAfterSlot: the client's text after its slot, passed on unchanged.
QString playasound(int slot, const QString& textAfterSlot);
QString justwatching(int seat, bool watching);
// The three fields of the starting player's message, as sent.
QString startgame(const QString& starter, const QString& type, const QString& botoff);
QString loadball(int ball, const QString& letter);
QString nextplayer(int seat, int row);
QString submitted(int slot);
// everyone: the "t" copy for all but the guesser.
QString notvalid(int slot, bool everyone, const QString& guess, int row);
QString yourletters(int slot, bool everyone, int row, const QString& marks, const QString& guess);
// rows: the finder's guess in each row, empty for a row it did not play.
QString wordlist(int slot, const std::array<QString, game::kRows>& rows);
QString heguessed(int slot, const QString& word, int ball, int score);
QString nooneguessed(const QString& word);
QString timeup(int row);
QString winner(int slot);
QString tiegame(const QStringList& names);
QString impossible();
} // namespace build

} // namespace gamemsg
