#include "net/table_datagrams.h"

#include "net/game_shape.h"
#include "net/game_type.h"
#include "net/player_text.h"

#include <QByteArrayList>
#include <QRandomGenerator>

namespace tabledatagram {

namespace {

constexpr char kQueryLine[] = "LUDOMYRA FIND 1\n";
constexpr char kReplyLine[] = "LUDOMYRA TABLE 1\n";
constexpr char kNoGame[] = "-";
constexpr int kFieldsBeforeName = 6; // id, version, port, seats, spies, game
constexpr qsizetype kLongestVersion = 32;
constexpr int kSpySlots = game::kSlots - game::kSeats;

bool isGameType(const QByteArray& text) {
    return gametype::fromWord(QString::fromLatin1(text)).has_value();
}

// Plain decimal as the builder writes it: no sign, no blanks, no leading zeros.
std::optional<int> number(const QByteArray& text, int highest) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > highest || QByteArray::number(value) != text)
        return std::nullopt;
    return value;
}

bool isIdText(const QByteArray& text) {
    if (text.size() != kIdLength)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool isVersionText(const QByteArray& text) {
    if (text.isEmpty() || text.size() > kLongestVersion)
        return false;
    for (const char c : text) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}

// The first cut bytes of utf8, backed off to the start of a character.
QByteArray cutAtCharacter(const QByteArray& utf8, qsizetype cut) {
    if (cut >= utf8.size())
        return utf8;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    return utf8.left(cut);
}

} // namespace

QByteArray query() {
    QByteArray datagram(kQueryLine);
    datagram.append(kQuerySize - datagram.size(), '\0');
    return datagram;
}

bool isQuery(const QByteArray& datagram) {
    if (datagram.size() != kQuerySize || !datagram.startsWith(kQueryLine))
        return false;
    for (qsizetype i = qsizetype(sizeof kQueryLine) - 1; i < datagram.size(); ++i) {
        if (datagram[i] != '\0')
            return false;
    }
    return true;
}

QString newId() {
    return QString::number(QRandomGenerator::system()->generate64(), 16)
        .rightJustified(kIdLength, u'0');
}

QByteArray reply(const Reply& reply, qsizetype limit) {
    const FoundTable& table = reply.table;
    QByteArray datagram(kReplyLine);
    for (const QByteArray& field :
         {reply.id.toLatin1(), table.version.toUtf8(), QByteArray::number(table.port),
          QByteArray::number(table.seatsTaken), QByteArray::number(table.spies),
          table.gameRunning ? table.gameType.toUtf8() : QByteArray(kNoGame)})
        datagram += field + '\n';
    if (datagram.size() > limit)
        return {};
    return datagram + cutAtCharacter(table.name.toUtf8(), limit - datagram.size());
}

std::optional<Reply> parseReply(const QByteArray& datagram, const QString& fromAddress) {
    if (datagram.size() > kQuerySize || !datagram.startsWith(kReplyLine))
        return std::nullopt;
    QByteArrayList fields = datagram.mid(qsizetype(sizeof kReplyLine) - 1).split('\n');
    if (fields.size() <= kFieldsBeforeName)
        return std::nullopt;
    // The name is the rest, "\n" and all: cleaning drops what it must not show.
    const QByteArray name = fields.mid(kFieldsBeforeName).join('\n');
    const QByteArray& id = fields[0];
    const QByteArray& version = fields[1];
    const std::optional<int> port = number(fields[2], 65535);
    const std::optional<int> seats = number(fields[3], game::kSeats);
    const std::optional<int> spies = number(fields[4], kSpySlots);
    const QByteArray& gameType = fields[5];
    if (!isIdText(id) || !isVersionText(version) || !port || *port == 0 || !seats || !spies ||
        (gameType != kNoGame && !isGameType(gameType)))
        return std::nullopt;

    Reply reply{QString::fromLatin1(id), {}};
    FoundTable& table = reply.table;
    table.address = fromAddress;
    table.port = quint16(*port);
    table.name = playertext::cleanName(QString::fromUtf8(name));
    table.version = QString::fromLatin1(version);
    table.seatsTaken = *seats;
    table.spies = *spies;
    table.gameRunning = gameType != kNoGame;
    table.gameType = table.gameRunning ? QString::fromLatin1(gameType) : QString();
    return reply;
}

} // namespace tabledatagram
