#include "net/table_datagrams.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

using tabledatagram::kQuerySize;
using tabledatagram::Reply;

constexpr char kId[] = "0123456789abcdef";

Reply tableReply(const QString& name, int seats, int spies, const QString& game) {
    FoundTable table;
    table.port = 7772;
    table.name = name;
    table.version = "1.0.8";
    table.seatsTaken = seats;
    table.spies = spies;
    table.gameRunning = !game.isEmpty();
    table.gameType = game;
    return {kId, table};
}

QByteArray padded(QByteArray text, qsizetype size = kQuerySize, char pad = '\0') {
    text.append(size - text.size(), pad);
    return text;
}

// What a host says comes back field by field, and never in more bytes than
// the query had, whatever the name.
TEST(TableDatagrams, EveryReplyFitsItsQueryAndReadsBackWhole) {
    // The longest names a login keeps: 40 UTF-16 units of three or four bytes.
    const QString longest = QString(40, QChar(0x6F22));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\xB1").repeated(20);
    const Reply cases[] = {
        tableReply("Ann", 1, 0, ""),
        tableReply("Zoë's table", 5, 4, "high"),
        tableReply("Bob-the-host", 0, 0, "most"),
        tableReply(longest, 3, 2, "nine"),
        tableReply(emoji, 2, 1, "race"),
        tableReply("", 0, 0, ""),
    };
    const QByteArray query = tabledatagram::query();
    ASSERT_EQ(query.size(), kQuerySize);
    ASSERT_TRUE(tabledatagram::isQuery(query));
    for (const Reply& sent : cases) {
        const QByteArray datagram = tabledatagram::reply(sent, query.size());
        ASSERT_FALSE(datagram.isEmpty()) << sent.table.name.toStdString();
        EXPECT_LE(datagram.size(), query.size()) << sent.table.name.toStdString();
        const std::optional<Reply> read = tabledatagram::parseReply(datagram, "192.0.2.7");
        ASSERT_TRUE(read.has_value()) << datagram.toStdString();
        EXPECT_EQ(read->id, sent.id);
        EXPECT_EQ(read->table.address, "192.0.2.7");
        EXPECT_EQ(read->table.port, 7772);
        EXPECT_EQ(read->table.name, sent.table.name);
        EXPECT_EQ(read->table.version, "1.0.8");
        EXPECT_EQ(read->table.seatsTaken, sent.table.seatsTaken);
        EXPECT_EQ(read->table.spies, sent.table.spies);
        EXPECT_EQ(read->table.gameRunning, sent.table.gameRunning);
        EXPECT_EQ(read->table.gameType, sent.table.gameType);
    }
    EXPECT_EQ(tabledatagram::reply(cases[1]),
              "LUDOMYRA TABLE 1\n0123456789abcdef\n1.0.8\n7772\n5\n4\nhigh\nZo\xC3\xAB's table");
    const QString id = tabledatagram::newId();
    EXPECT_TRUE(tabledatagram::parseReply(tabledatagram::reply({id, cases[0].table}), "::1"))
        << id.toStdString();
    EXPECT_NE(tabledatagram::newId(), id);
}

// A smaller query gets a shorter name, cut between characters, and one too
// small for the fields gets nothing.
TEST(TableDatagrams, ANameIsCutToTheQuerysSizeBetweenCharacters) {
    const Reply zoe = tableReply(QString::fromUtf8("Zo\xC3\xAB"), 1, 0, "");
    const QByteArray whole = tabledatagram::reply(zoe);
    const QByteArray cut = tabledatagram::reply(zoe, whole.size() - 1);
    EXPECT_EQ(cut, whole.left(whole.size() - 2)); // not half of the "ë"
    EXPECT_EQ(tabledatagram::parseReply(cut, "192.0.2.7")->table.name, "Zo");
    EXPECT_EQ(tabledatagram::parseReply(tabledatagram::reply(zoe, whole.size() - 4), "192.0.2.7")
                  ->table.name,
              "");
    EXPECT_TRUE(tabledatagram::reply(zoe, whole.size() - 5).isEmpty());
}

TEST(TableDatagrams, OnlyAWellFormedQueryIsOne) {
    const QByteArray query = tabledatagram::query();
    QByteArray dirtyPadding = query;
    dirtyPadding[kQuerySize - 1] = 'x';
    const QByteArray notQueries[] = {
        {},
        query.left(kQuerySize - 1),
        query + '\0',
        padded(query, 65000),
        padded("LUDOMYRA FIND 2\n"),
        padded("ludomyra find 1\n"),
        padded("LUDOMYRA FIND 1"),
        dirtyPadding,
        padded("", kQuerySize, 'A'),
        padded(tabledatagram::reply(tableReply("Ann", 1, 0, ""))),
    };
    for (const QByteArray& datagram : notQueries)
        EXPECT_FALSE(tabledatagram::isQuery(datagram)) << datagram.left(20).toStdString();
}

// A reply is checked whole: one bad field and nothing of it is used.
TEST(TableDatagrams, RepliesWithAnyFieldOutOfRangeAreRefused) {
    const QByteArray head = "LUDOMYRA TABLE 1\n";
    const QByteArray good = head + "0123456789abcdef\n1.0.8\n7772\n2\n1\n-\nAnn";
    ASSERT_TRUE(tabledatagram::parseReply(good, "192.0.2.7"));
    const QByteArray refused[] = {
        {},
        head,
        "LUDOMYRA TABLE 2\n0123456789abcdef\n1.0.8\n7772\n2\n1\n-\nAnn",
        head + "0123456789abcdef\n1.0.8\n7772\n2\n1\n-",         // no name line
        head + "0123456789ABCDEF\n1.0.8\n7772\n2\n1\n-\nAnn",    // id in capitals
        head + "0123456789abcde\n1.0.8\n7772\n2\n1\n-\nAnn",     // id too short
        head + "0123456789abcdef\n\n7772\n2\n1\n-\nAnn",         // no version
        head + "0123456789abcdef\n1.0 8\n7772\n2\n1\n-\nAnn",    // blank in version
        head + "0123456789abcdef\n1.0.8\n0\n2\n1\n-\nAnn",       // port 0
        head + "0123456789abcdef\n1.0.8\n65536\n2\n1\n-\nAnn",   // port too big
        head + "0123456789abcdef\n1.0.8\n07772\n2\n1\n-\nAnn",   // leading zero
        head + "0123456789abcdef\n1.0.8\n+7772\n2\n1\n-\nAnn",   // sign
        head + "0123456789abcdef\n1.0.8\n7772\n6\n1\n-\nAnn",    // six seats
        head + "0123456789abcdef\n1.0.8\n7772\n-1\n1\n-\nAnn",   // negative
        head + "0123456789abcdef\n1.0.8\n7772\n2\n5\n-\nAnn",    // five spies
        head + "0123456789abcdef\n1.0.8\n7772\n2\n1\npool\nAnn", // no such game
        head + "0123456789abcdef\n1.0.8\n7772\n2\n1\nHIGH\nAnn", // type in capitals
        padded(good, kQuerySize + 1, 'n'),                       // longer than any query
        tabledatagram::query(),
    };
    for (const QByteArray& datagram : refused)
        EXPECT_FALSE(tabledatagram::parseReply(datagram, "192.0.2.7")) << datagram.toStdString();
}

// The name is a stranger's text: it is shown as a login name would be.
TEST(TableDatagrams, ARepliedNameIsCleanedLikeALoginName) {
    const QByteArray head = "LUDOMYRA TABLE 1\n0123456789abcdef\n1.0.8\n7772\n2\n1\n-\n";
    const std::pair<QByteArray, QString> names[] = {
        {"Ann\nBob", "AnnBob"},
        {"  Ann+Bob \x07", "Ann-Bob"},
        {"\xE2\x80\xAE"
         "evil",
         "evil"}, // a right-to-left override
        {"\xFF\xFE", QString(2, QChar::ReplacementCharacter)},
        {QByteArray(100, 'x'), QString(40, u'x')},
    };
    for (const auto& [sent, shown] : names)
        EXPECT_EQ(tabledatagram::parseReply(head + sent, "192.0.2.7")->table.name, shown);
}

} // namespace
