#include "net/game_messages.h"

#include "net/commands.h"
#include "net/message_text.h"
#include "net/player_text.h"
#include "net/protocol.h"

#include <limits>

namespace gamemsg {
namespace {

constexpr int kMaxTextLength = 240; // five names joined by " and "

int checked(int value, int lowest, int highest) {
    if (value < lowest || value > highest)
        throw MalformedMessage();
    return value;
}

int cutInRange(QString& rest, int lowest, int highest) {
    return checked(cutNumber(rest), lowest, highest);
}

int cutRow(QString& rest) {
    return cutInRange(rest, 1, game::kRows);
}

int cutBall(QString& rest) {
    return cutInRange(rest, 1, game::kBalls);
}

bool cutAudience(QString& rest) {
    const QString flag = cutField(rest);
    if (flag != u"t" && flag != u"f")
        throw MalformedMessage();
    return flag == u"t";
}

QString cutLetter(QString& rest) {
    const QString letter = cutField(rest).toUpper();
    if (letter.size() != 1 || letter[0] < u'A' || letter[0] > u'Z')
        throw MalformedMessage();
    return letter;
}

QString fiveMarks(const QString& raw) {
    QString marks = raw.left(game::kLetters);
    while (marks.size() < game::kLetters)
        marks += u'x';
    return marks;
}

// Groups of two numbers to the end of the message, at most maxPairs of them.
QList<std::pair<int, int>> numberPairs(const QString& args, int maxPairs) {
    QString rest = args;
    QList<std::pair<int, int>> pairs;
    while (!rest.isEmpty()) {
        if (pairs.size() == maxPairs)
            throw MalformedMessage();
        const int first = cutNumber(rest);
        const int second = cutNumber(rest);
        pairs.append({first, second});
    }
    if (pairs.isEmpty())
        throw MalformedMessage();
    return pairs;
}

QList<SeatValue> seatValues(const QString& args, int highestValue) {
    QList<SeatValue> values;
    for (const auto& [seat, value] : numberPairs(args, game::kSeats))
        values.append({checked(seat, 1, game::kSeats), checked(value, 0, highestValue)});
    return values;
}

} // namespace

QString plain(const QString& text, int maxLength) {
    return playertext::replaceHidden(text, {}).left(maxLength);
}

Letters firstFive(const QString& word) {
    const QString clean = plain(word, game::kLetters).toUpper();
    Letters letters;
    for (qsizetype i = 0; i < clean.size(); ++i)
        letters[size_t(i)] = clean.at(i);
    return letters;
}

int slotOnly(const QString& args) {
    QString rest = args;
    return cutSlot(rest, game::kSlots);
}

// Groups of three fields: slot, name, watching flag.
QList<PlayerRecord> players(const QString& args) {
    const QStringList fields = args.split(u'+');
    if (fields.size() % 3 != 0 || fields.size() / 3 > game::kSlots)
        throw MalformedMessage();
    QList<PlayerRecord> records;
    for (qsizetype i = 0; i < fields.size(); i += 3) {
        QString slotText = fields[i];
        const int slot = cutSlot(slotText, game::kSlots);
        const QString& flag = fields[i + 2];
        if (flag != u"0" && flag != u"1")
            throw MalformedMessage();
        // A name that cleans to nothing stands as "Player N", as the host
        // names it, so that nobody sits at the table unseen.
        records.append({slot, playertext::nameForSlot(fields[i + 1], slot), flag == u"1"});
    }
    return records;
}

Watching justwatching(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSlots);
    const QString flag = cutField(rest);
    if (seat > game::kSeats || (flag != u"1" && flag != u"2"))
        throw MalformedMessage();
    return {seat, flag == u"1"};
}

ChatterSound playasound(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSlots);
    if (seat > game::kSeats)
        throw MalformedMessage();
    return {seat, cutField(rest)};
}

LoadBall loadball(const QString& args) {
    QString rest = args;
    const int ball = cutBall(rest);
    return {ball, cutLetter(rest)};
}

NextPlayer nextplayer(const QString& args) {
    QString rest = args;
    const int slot = cutSlot(rest, game::kSlots);
    return {slot, cutRow(rest)};
}

Judged yourletters(const QString& args) {
    QString rest = args;
    Judged judged;
    judged.slot = cutSlot(rest, game::kSlots);
    judged.everyone = cutAudience(rest);
    judged.row = cutRow(rest);
    judged.marks = fiveMarks(cutField(rest));
    judged.rawGuess = plain(cutField(rest), game::kLetters);
    judged.guess = firstFive(judged.rawGuess);
    return judged;
}

Judged notvalid(const QString& args) {
    QString rest = args;
    Judged judged;
    judged.slot = cutSlot(rest, game::kSlots);
    judged.everyone = cutAudience(rest);
    judged.rawGuess = plain(cutField(rest), kMaxTextLength);
    judged.guess = firstFive(judged.rawGuess);
    judged.row = cutRow(rest);
    judged.marks = fiveMarks({});
    return judged;
}

int timeup(const QString& args) {
    QString rest = args;
    return cutRow(rest);
}

Letters nooneguessed(const QString& args) {
    QString rest = args;
    return firstFive(cutField(rest));
}

HeGuessed heguessed(const QString& args) {
    QString rest = args;
    HeGuessed found;
    found.slot = cutSlot(rest, game::kSlots);
    found.word = plain(cutField(rest), kMaxTextLength);
    found.letters = firstFive(found.word);
    found.ball = cutBall(rest);
    found.score = cutNumber(rest);
    return found;
}

WordList wordlist(const QString& args) {
    QString rest = args;
    WordList list;
    list.slot = cutSlot(rest, game::kSlots);
    while (!rest.isEmpty()) {
        if (list.rows.size() == game::kRows)
            throw MalformedMessage();
        const int row = cutRow(rest);
        list.rows.append({row, plain(cutField(rest), game::kLetters).toUpper()});
    }
    return list;
}

StartGame startgame(const QString& args) {
    QString rest = args;
    StartGame start;
    start.starter = playertext::cleanName(cutField(rest));
    start.type = cutField(rest);
    const QString botoff = cutField(rest);
    if (botoff != u"0" && botoff != u"1")
        throw MalformedMessage();
    start.botPlays = botoff == u"0";
    return start;
}

GameStats gamestats(const QString& args) {
    QString rest = args;
    GameStats stats;
    stats.type = cutField(rest);
    stats.row = cutInRange(rest, 1, game::kRows + 1);
    stats.ball = cutBall(rest);
    stats.letter = cutLetter(rest);
    return stats;
}

QList<SeatValue> playerscores(const QString& args) {
    return seatValues(args, std::numeric_limits<int>::max());
}

QList<SeatValue> theyown(const QString& args) {
    return seatValues(args, game::kBalls);
}

QList<BallOwner> ballowners(const QString& args) {
    QList<BallOwner> owners;
    for (const auto& [ball, owner] : numberPairs(args, game::kBalls))
        owners.append({checked(ball, 1, game::kBalls), checked(owner, 0, game::kSlots)});
    return owners;
}

QString tiegame(const QString& args) {
    // Names may hold "+": the text runs to the closing "+".
    const QString names = args.endsWith(u'+') ? args.chopped(1) : args;
    return plain(names, kMaxTextLength);
}

namespace build {
namespace {

using messagetext::closedMessage;
using messagetext::group;
using messagetext::message;

QString playerGroup(int slot, const QString& name, bool watching) {
    return group(slot, name, watching ? 1 : 0);
}

QString seatGroups(const char* commandWord, const QList<SeatValue>& values) {
    QString text = QLatin1String(commandWord);
    for (const SeatValue& value : values)
        text += group(value.seat, value.value);
    return text;
}

QString audience(bool everyone) {
    return everyone ? QStringLiteral("t") : QStringLiteral("f");
}

} // namespace

QString sendlogininfo(int slot) {
    return message(cmd::sendlogininfo, slot);
}

QString full() {
    return closedMessage(cmd::full);
}

QString newplayerinfo(int slot, const QString& name) {
    return QLatin1String(cmd::newplayerinfo) + playerGroup(slot, name, false);
}

QString existingplayers(const QList<PlayerRecord>& others) {
    QString text = QLatin1String(cmd::existingplayers);
    for (const PlayerRecord& other : others)
        text += playerGroup(other.slot, other.name, other.watching);
    return text;
}

QString havewrongversion(const QString& name) {
    return message(cmd::havewrongversion, name);
}

QString wrongversion() {
    return closedMessage(cmd::wrongversion);
}

QString gamestats(const QString& type, int row, int ball, const QString& letter) {
    return closedMessage(cmd::gamestats, type, row, ball, letter);
}

QString playerscores(const QList<SeatValue>& scores) {
    return seatGroups(cmd::playerscores, scores);
}

QString theyown(const QList<SeatValue>& ballCounts) {
    return seatGroups(cmd::theyown, ballCounts);
}

QString ballowners(const QList<BallOwner>& owners) {
    QString text = QLatin1String(cmd::ballowners);
    for (const BallOwner& owner : owners)
        text += group(owner.ball, owner.owner);
    return text;
}

QString playerdisconnected(int slot, const QString& name) {
    return message(cmd::playerdisconnected, slot, name);
}

QString chat(int slot, const QString& name, const QString& text) {
    return message(cmd::chat, slot, name + QStringLiteral(" chats: ") + text);
}

QString action(int slot, const QString& name, const QString& text) {
    return message(cmd::action, slot, name + u' ' + text);
}

QString systemLine(const QString& text) {
    // RGB (0, 94, 0) as colour text, after the last "|" as in every chat line.
    return message(cmd::chat, 0, text + QStringLiteral("|$00005E00"));
}

QString playasound(int slot, const QString& textAfterSlot) {
    return message(cmd::playasound, slot, textAfterSlot);
}

QString justwatching(int seat, bool watching) {
    return message(cmd::justwatching, seat, watching ? 1 : 2);
}

QString startgame(const QString& starter, const QString& type, const QString& botoff) {
    return closedMessage(cmd::startgame, starter, type, botoff);
}

QString loadball(int ball, const QString& letter) {
    return closedMessage(cmd::loadball, ball, letter);
}

QString nextplayer(int seat, int row) {
    return closedMessage(cmd::nextplayer, seat, row);
}

QString submitted(int slot) {
    return closedMessage(cmd::submitted, slot);
}

QString notvalid(int slot, bool everyone, const QString& guess, int row) {
    return closedMessage(cmd::notvalid, slot, audience(everyone), guess, row);
}

QString yourletters(int slot, bool everyone, int row, const QString& marks, const QString& guess) {
    return closedMessage(cmd::yourletters, slot, audience(everyone), row, marks, guess);
}

QString wordlist(int slot, const std::array<QString, game::kRows>& rows) {
    QString text = message(cmd::wordlist, slot);
    for (int row = 1; row <= game::kRows; ++row)
        text += group(row, rows[size_t(row - 1)]);
    return text;
}

QString heguessed(int slot, const QString& word, int ball, int score) {
    return closedMessage(cmd::heguessed, slot, word, ball, score);
}

QString nooneguessed(const QString& word) {
    return closedMessage(cmd::nooneguessed, word);
}

QString timeup(int row) {
    return closedMessage(cmd::timeup, row);
}

QString winner(int slot) {
    return closedMessage(cmd::winner, slot);
}

QString tiegame(const QStringList& names) {
    return closedMessage(cmd::tiegame, names.join(QStringLiteral(" and ")));
}

QString impossible() {
    return closedMessage(cmd::impossible);
}

} // namespace build

} // namespace gamemsg
