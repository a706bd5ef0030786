#pragma once

#include "net/game_shape.h"

#include <QList>
#include <QString>
#include <array>

// The host's game messages, cut and checked whole before any part acts on
// them: every parse function throws MalformedMessage for a field that is
// missing, not a number or out of range, so nothing is half applied.
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

LoadBall loadball(const QString& args);
NextPlayer nextplayer(const QString& args);
int slotOnly(const QString& args); // CMD_submitted, CMD_winner
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
// Text from the network for a label: no control characters, bounded length.
QString plain(const QString& text, int maxLength);

} // namespace gamemsg
