#pragma once

#include "net/commands.h"
#include "net/game_shape.h"
#include "net/game_type.h"
#include "net/marks.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The host's game messages, one type each: its command word, the builder the
// host writes it with, and the parser with which the client cuts and checks
// it whole before any part acts on it. Every parse throws MalformedMessage
// for a field that is missing, not a number or out of range, so nothing is
// half applied.
namespace gamemsg {

inline constexpr int kNoScore = 1000; // the game type shows no score numbers

// A guess or a word cut to five characters; a missing letter is empty.
using Letters = std::array<QString, game::kLetters>;

struct SeatValue { // seat and score, or seat and ball count
    int seat;
    int value;
};
struct BallOwner {
    int ball;
    int owner; // slot 1..9, 0 while on the table
};
struct PlayerRecord {
    int slot;
    QString name; // as sent: the reader cleans it
    bool watching;
};

// Asks a new connection to log in under the slot it was given.
struct SendLoginInfo {
    static constexpr const char* kWord = cmd::sendlogininfo;
    int slot;
    static SendLoginInfo parse(const QString& args);
    static QString build(int slot);
};
// No slot is free.
struct Full {
    static constexpr const char* kWord = cmd::full;
    static Full parse(const QString&) { return {}; }
    static QString build();
};
// Someone logged in; its list holds at most nine players, at least one.
struct NewPlayerInfo {
    static constexpr const char* kWord = cmd::newplayerinfo;
    QList<PlayerRecord> players;
    static NewPlayerInfo parse(const QString& args);
    static QString build(int slot, const QString& name);
};
// Every other player, to a newcomer; the host sends none when there is nobody.
struct ExistingPlayers {
    static constexpr const char* kWord = cmd::existingplayers;
    QList<PlayerRecord> players;
    static ExistingPlayers parse(const QString& args);
    static QString build(const QList<PlayerRecord>& others);
};
// To the host player: a newcomer's program has another version.
struct HaveWrongVersion {
    static constexpr const char* kWord = cmd::havewrongversion;
    QString name; // the rest of the message, as sent
    static HaveWrongVersion parse(const QString& args) { return {args}; }
    static QString build(const QString& name);
};
// To the newcomer whose program has another version than the host's.
struct WrongVersion {
    static constexpr const char* kWord = cmd::wrongversion;
    static WrongVersion parse(const QString&) { return {}; }
    static QString build();
};
// A late joiner's view of the running game.
struct GameStats {
    static constexpr const char* kWord = cmd::gamestats;
    std::optional<GameType> type; // nullopt: a type this program does not know
    int row;                      // 1..6: 6 is the pause after an unfound fifth row
    int ball;
    QString letter;
    static GameStats parse(const QString& args);
    static QString build(GameType type, int row, int ball, const QString& letter);
};
struct PlayerScores {
    static constexpr const char* kWord = cmd::playerscores;
    QList<SeatValue> scores;
    static PlayerScores parse(const QString& args);
    static QString build(const QList<SeatValue>& scores);
};
// The balls each seat has pocketed in a race.
struct TheyOwn {
    static constexpr const char* kWord = cmd::theyown;
    QList<SeatValue> ballCounts;
    static TheyOwn parse(const QString& args);
    static QString build(const QList<SeatValue>& ballCounts);
};
struct BallOwners {
    static constexpr const char* kWord = cmd::ballowners;
    QList<BallOwner> owners;
    static BallOwners parse(const QString& args);
    static QString build(const QList<BallOwner>& owners);
};
// A player left, or (to the removed player alone) was removed.
struct PlayerDisconnected {
    static constexpr const char* kWord = cmd::playerdisconnected;
    int slot; // what follows it is not read
    static PlayerDisconnected parse(const QString& args);
    static QString build(int slot, const QString& name);
};
// A chat line or action as the host relays it: the sender 1..9, or 0 for a
// line of the host's own; the text as the client sent it ("|" and colour
// last). The client's chat part reads the colour.
struct ChatLine {
    int sender;
    QString text;
};
struct Chat : ChatLine {
    static constexpr const char* kWord = cmd::chat;
    static Chat parse(const QString& args);
    // A client's line, under the sender's name.
    static QString build(int slot, const QString& name, const QString& text);
    // A line of the host's own (sender 0), in the system lines' colour.
    static QString systemLine(const QString& text);
};
struct Action : ChatLine {
    static constexpr const char* kWord = cmd::action;
    static Action parse(const QString& args);
    static QString build(int slot, const QString& name, const QString& text);
};
// One of the chatter sounds, from a seat.
struct PlayASound {
    static constexpr const char* kWord = cmd::playasound;
    static constexpr int kChatterSounds = 20;
    int seat;
    int chatterSound; // 1..kChatterSounds: no other sound comes from the network
    static PlayASound parse(const QString& args);
    // textAfterSlot: the client's text after its slot, passed on unchanged.
    static QString build(int slot, const QString& textAfterSlot);
};
struct JustWatching {
    static constexpr const char* kWord = cmd::justwatching;
    int seat;
    bool watching;
    static JustWatching parse(const QString& args);
    static QString build(int seat, bool watching);
};
struct StartGame {
    static constexpr const char* kWord = cmd::startgame;
    QString starter;
    std::optional<GameType> type; // nullopt: a type this program does not know
    bool botPlays;
    static StartGame parse(const QString& args);
    static QString build(const QString& starter, GameType type, bool botPlays);
};
struct LoadBall {
    static constexpr const char* kWord = cmd::loadball;
    int ball;
    QString letter;
    static LoadBall parse(const QString& args);
    static QString build(int ball, const QString& letter);
};
struct NextPlayer {
    static constexpr const char* kWord = cmd::nextplayer;
    int slot;
    int row;
    static NextPlayer parse(const QString& args);
    static QString build(int seat, int row);
};
struct Submitted {
    static constexpr const char* kWord = cmd::submitted;
    int slot;
    static Submitted parse(const QString& args);
    static QString build(int slot);
};
// A judged row: CMD_yourletters and CMD_notvalid.
struct Judged {
    int slot;
    bool everyone; // the "t" copy a nine-ball game shows to all
    int row;
    Marks marks; // all Absent for a guess that is no word
    Letters guess;
    QString rawGuess; // as sent, for the status line
};
struct YourLetters : Judged {
    static constexpr const char* kWord = cmd::yourletters;
    static YourLetters parse(const QString& args);
    // everyone: the "t" copy for all but the guesser.
    static QString build(int slot, bool everyone, int row, const Marks& marks,
                         const QString& guess);
};
struct NotValid : Judged {
    static constexpr const char* kWord = cmd::notvalid;
    static NotValid parse(const QString& args);
    static QString build(int slot, bool everyone, const QString& guess, int row);
};
struct TimeUp {
    static constexpr const char* kWord = cmd::timeup;
    int row;
    static TimeUp parse(const QString& args);
    static QString build(int row);
};
// The finder's guesses, before the find itself.
struct WordList {
    static constexpr const char* kWord = cmd::wordlist;
    int slot;
    QList<std::pair<int, QString>> rows; // row 1..5, word
    static WordList parse(const QString& args);
    // rows: the finder's guess in each row, empty for a row it did not play.
    static QString build(int slot, const std::array<QString, game::kRows>& rows);
};
struct HeGuessed {
    static constexpr const char* kWord = cmd::heguessed;
    int slot;
    QString word;
    Letters letters;
    int ball;
    int score;
    static HeGuessed parse(const QString& args);
    static QString build(int slot, const QString& word, int ball, int score);
};
struct NoOneGuessed {
    static constexpr const char* kWord = cmd::nooneguessed;
    Letters word;
    static NoOneGuessed parse(const QString& args);
    static QString build(const QString& word);
};
struct Winner {
    static constexpr const char* kWord = cmd::winner;
    int slot;
    static Winner parse(const QString& args);
    static QString build(int slot);
};
struct TieGame {
    static constexpr const char* kWord = cmd::tiegame;
    QString names; // joined by " and "
    static TieGame parse(const QString& args);
    static QString build(const QStringList& names);
};
// Nobody can catch the leader any more.
struct Impossible {
    static constexpr const char* kWord = cmd::impossible;
    static Impossible parse(const QString&) { return {}; }
    static QString build();
};

// The host closes the table on purpose, just before its connections: a close
// without it is a lost host. Older windows ignore the word.
struct Goodbye {
    static constexpr const char* kWord = cmd::goodbye;
    static Goodbye parse(const QString&) { return {}; }
    static QString build();
};

// To a player back in a held seat, after its rows: the rows of this word
// that Klot played for the seat meanwhile. Older windows ignore the word.
struct StoodIn {
    static constexpr const char* kWord = cmd::stoodin;
    QList<int> rows; // 1..5, at least one
    static StoodIn parse(const QString& args);
    static QString build(const QList<int>& rows);
};

// The first five characters, upper case; a missing letter is empty.
Letters firstFive(const QString& word);
// Text from the network for a label: nothing that hides or breaks text
// (playertext::hidesOrBreaks), bounded length.
QString plain(const QString& text, int maxLength);

} // namespace gamemsg
