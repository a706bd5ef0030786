#include "net/game_messages.h"

#include "net/message_text.h"
#include "net/player_text.h"
#include "net/protocol.h"

#include <limits>

namespace gamemsg {

using messagetext::closedMessage;
using messagetext::group;
using messagetext::message;

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

int slotOnly(const QString& args) {
    QString rest = args;
    return cutSlot(rest, game::kSlots);
}

bool cutAudience(QString& rest) {
    const QString flag = cutField(rest);
    if (flag != u"t" && flag != u"f")
        throw MalformedMessage();
    return flag == u"t";
}

QString audience(bool everyone) {
    return everyone ? QStringLiteral("t") : QStringLiteral("f");
}

QString cutLetter(QString& rest) {
    const QString letter = cutField(rest).toUpper();
    if (letter.size() != 1 || letter[0] < u'A' || letter[0] > u'Z')
        throw MalformedMessage();
    return letter;
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

QString seatGroups(const char* commandWord, const QList<SeatValue>& values) {
    QString text = QLatin1String(commandWord);
    for (const SeatValue& value : values)
        text += group(value.seat, value.value);
    return text;
}

// Groups of three fields: slot, name, watching flag.
QList<PlayerRecord> playerRecords(const QString& args) {
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

QString playerGroup(const PlayerRecord& player) {
    return group(player.slot, player.name, player.watching ? 1 : 0);
}

// The sender's slot, or 0 for the host's own lines; the text runs to the end.
ChatLine chatLine(const QString& args) {
    if (!args.contains(u'+'))
        throw MalformedMessage(); // a sender with no line
    QString rest = args;
    const int sender = cutInRange(rest, 0, game::kSlots);
    return {sender, rest};
}

// The two fields in front of every judged row.
Judged judgedFor(QString& rest) {
    Judged judged;
    judged.slot = cutSlot(rest, game::kSlots);
    judged.everyone = cutAudience(rest);
    return judged;
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

SendLoginInfo SendLoginInfo::parse(const QString& args) {
    return {slotOnly(args)};
}
QString SendLoginInfo::build(int slot) {
    return message(kWord, slot);
}

QString Full::build() {
    return closedMessage(kWord);
}

NewPlayerInfo NewPlayerInfo::parse(const QString& args) {
    return {playerRecords(args)};
}
QString NewPlayerInfo::build(int slot, const QString& name) {
    return QLatin1String(kWord) + playerGroup({slot, name, false});
}

ExistingPlayers ExistingPlayers::parse(const QString& args) {
    return {playerRecords(args)};
}
QString ExistingPlayers::build(const QList<PlayerRecord>& others) {
    QString text = QLatin1String(kWord);
    for (const PlayerRecord& other : others)
        text += playerGroup(other);
    return text;
}

QString HaveWrongVersion::build(const QString& name) {
    return message(kWord, name);
}

QString WrongVersion::build() {
    return closedMessage(kWord);
}

GameStats GameStats::parse(const QString& args) {
    QString rest = args;
    GameStats stats;
    stats.type = gametype::fromWord(cutField(rest));
    stats.row = cutInRange(rest, 1, game::kRows + 1);
    stats.ball = cutBall(rest);
    stats.letter = cutLetter(rest);
    return stats;
}
QString GameStats::build(GameType type, int row, int ball, const QString& letter) {
    return closedMessage(kWord, QString(gametype::word(type)), row, ball, letter);
}

PlayerScores PlayerScores::parse(const QString& args) {
    return {seatValues(args, std::numeric_limits<int>::max())};
}
QString PlayerScores::build(const QList<SeatValue>& scores) {
    return seatGroups(kWord, scores);
}

TheyOwn TheyOwn::parse(const QString& args) {
    return {seatValues(args, game::kBalls)};
}
QString TheyOwn::build(const QList<SeatValue>& ballCounts) {
    return seatGroups(kWord, ballCounts);
}

BallOwners BallOwners::parse(const QString& args) {
    QList<BallOwner> owners;
    for (const auto& [ball, owner] : numberPairs(args, game::kBalls))
        owners.append({checked(ball, 1, game::kBalls), checked(owner, 0, game::kSlots)});
    return {owners};
}
QString BallOwners::build(const QList<BallOwner>& owners) {
    QString text = QLatin1String(kWord);
    for (const BallOwner& owner : owners)
        text += group(owner.ball, owner.owner);
    return text;
}

PlayerDisconnected PlayerDisconnected::parse(const QString& args) {
    return {slotOnly(args)};
}
QString PlayerDisconnected::build(int slot, const QString& name) {
    return message(kWord, slot, name);
}

Chat Chat::parse(const QString& args) {
    return {chatLine(args)};
}
QString Chat::build(int slot, const QString& name, const QString& text) {
    return message(kWord, slot, name + QStringLiteral(" chats: ") + text);
}
QString Chat::systemLine(const QString& text) {
    // RGB (0, 94, 0) as colour text, after the last "|" as in every chat line.
    return message(kWord, 0, text + QStringLiteral("|$00005E00"));
}

Action Action::parse(const QString& args) {
    return {chatLine(args)};
}
QString Action::build(int slot, const QString& name, const QString& text) {
    return message(kWord, slot, name + u' ' + text);
}

// The sound is "wave" and its number, in any letter case.
PlayASound PlayASound::parse(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSlots);
    const QString sound = cutField(rest);
    if (seat > game::kSeats || !sound.startsWith(u"wave", Qt::CaseInsensitive))
        throw MalformedMessage();
    QString number = sound.mid(4);
    if (number.startsWith(u'0'))
        throw MalformedMessage();
    return {seat, cutInRange(number, 1, kChatterSounds)};
}
QString PlayASound::build(int slot, const QString& textAfterSlot) {
    return message(kWord, slot, textAfterSlot);
}

JustWatching JustWatching::parse(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSlots);
    const QString flag = cutField(rest);
    if (seat > game::kSeats || (flag != u"1" && flag != u"2"))
        throw MalformedMessage();
    return {seat, flag == u"1"};
}
QString JustWatching::build(int seat, bool watching) {
    return message(kWord, seat, watching ? 1 : 2);
}

StartGame StartGame::parse(const QString& args) {
    QString rest = args;
    StartGame start;
    start.starter = playertext::cleanName(cutField(rest));
    start.type = gametype::fromWord(cutField(rest));
    const QString botoff = cutField(rest);
    if (botoff != u"0" && botoff != u"1")
        throw MalformedMessage();
    start.botPlays = botoff == u"0";
    return start;
}
QString StartGame::build(const QString& starter, GameType type, bool botPlays) {
    return closedMessage(kWord, starter, QString(gametype::word(type)), botPlays ? 0 : 1);
}

LoadBall LoadBall::parse(const QString& args) {
    QString rest = args;
    const int ball = cutBall(rest);
    return {ball, cutLetter(rest)};
}
QString LoadBall::build(int ball, const QString& letter) {
    return closedMessage(kWord, ball, letter);
}

NextPlayer NextPlayer::parse(const QString& args) {
    QString rest = args;
    const int slot = cutSlot(rest, game::kSlots);
    return {slot, cutRow(rest)};
}
QString NextPlayer::build(int seat, int row) {
    return closedMessage(kWord, seat, row);
}

Submitted Submitted::parse(const QString& args) {
    return {slotOnly(args)};
}
QString Submitted::build(int slot) {
    return closedMessage(kWord, slot);
}

YourLetters YourLetters::parse(const QString& args) {
    QString rest = args;
    YourLetters judged{judgedFor(rest)};
    judged.row = cutRow(rest);
    judged.marks = marks::read(cutField(rest));
    judged.rawGuess = plain(cutField(rest), game::kLetters);
    judged.guess = firstFive(judged.rawGuess);
    return judged;
}
QString YourLetters::build(int slot, bool everyone, int row, const Marks& marks,
                           const QString& guess) {
    return closedMessage(kWord, slot, audience(everyone), row, marks::text(marks), guess);
}

NotValid NotValid::parse(const QString& args) {
    QString rest = args;
    NotValid judged{judgedFor(rest)};
    judged.rawGuess = plain(cutField(rest), kMaxTextLength);
    judged.guess = firstFive(judged.rawGuess);
    judged.row = cutRow(rest);
    judged.marks = marks::read({}); // no word, no marks
    return judged;
}
QString NotValid::build(int slot, bool everyone, const QString& guess, int row) {
    return closedMessage(kWord, slot, audience(everyone), guess, row);
}

TimeUp TimeUp::parse(const QString& args) {
    QString rest = args;
    return {cutRow(rest)};
}
QString TimeUp::build(int row) {
    return closedMessage(kWord, row);
}

WordList WordList::parse(const QString& args) {
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
QString WordList::build(int slot, const std::array<QString, game::kRows>& rows) {
    QString text = message(kWord, slot);
    for (int row = 1; row <= game::kRows; ++row)
        text += group(row, rows[size_t(row - 1)]);
    return text;
}

HeGuessed HeGuessed::parse(const QString& args) {
    QString rest = args;
    HeGuessed found;
    found.slot = cutSlot(rest, game::kSlots);
    found.word = plain(cutField(rest), kMaxTextLength);
    found.letters = firstFive(found.word);
    found.ball = cutBall(rest);
    found.score = cutNumber(rest);
    return found;
}
QString HeGuessed::build(int slot, const QString& word, int ball, int score) {
    return closedMessage(kWord, slot, word, ball, score);
}

NoOneGuessed NoOneGuessed::parse(const QString& args) {
    QString rest = args;
    return {firstFive(cutField(rest))};
}
QString NoOneGuessed::build(const QString& word) {
    return closedMessage(kWord, word);
}

Winner Winner::parse(const QString& args) {
    return {slotOnly(args)};
}
QString Winner::build(int slot) {
    return closedMessage(kWord, slot);
}

TieGame TieGame::parse(const QString& args) {
    // Names may hold "+": the text runs to the closing "+".
    const QString names = args.endsWith(u'+') ? args.chopped(1) : args;
    return {plain(names, kMaxTextLength)};
}
QString TieGame::build(const QStringList& names) {
    return closedMessage(kWord, names.join(QStringLiteral(" and ")));
}

QString Impossible::build() {
    return closedMessage(kWord);
}

QString Goodbye::build() {
    return closedMessage(kWord);
}

StoodIn StoodIn::parse(const QString& args) {
    QString rest = args;
    StoodIn stoodIn;
    while (!rest.isEmpty()) {
        if (stoodIn.rows.size() == game::kRows)
            throw MalformedMessage();
        stoodIn.rows.append(cutRow(rest));
    }
    if (stoodIn.rows.isEmpty())
        throw MalformedMessage();
    return stoodIn;
}
QString StoodIn::build(const QList<int>& rows) {
    QString text = QLatin1String(kWord);
    for (const int row : rows)
        text += group(row);
    return text + u'+';
}

} // namespace gamemsg
