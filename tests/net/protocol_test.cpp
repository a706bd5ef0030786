#include "net/commands.h"
#include "net/protocol.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

QByteArray terminated(const char* text) {
    return QByteArray(text) + kTerminator;
}

TEST(CommandWords, ThirtyTwoDistinctWordsFourOfThemHandledOnBothSides) {
    QSet<QString> host, client;
    for (const char* word : cmd::kHandledByHost)
        host.insert(word);
    for (const char* word : cmd::kHandledByClient)
        client.insert(word);
    EXPECT_EQ(host.size(), 8);
    EXPECT_EQ(client.size(), 28);
    EXPECT_EQ((host | client).size(), 32);
    EXPECT_EQ(host & client,
              (QSet<QString>{"CMD_chat", "CMD_action", "CMD_startgame", "CMD_playasound"}));
    for (const QString& word : host | client)
        EXPECT_TRUE(word.startsWith("CMD_")) << word.toStdString();
}

TEST(BuildMessage, EncodesUtf8AndEndsWithTheTerminatorOnly) {
    const QByteArray bytes = buildMessage(QString::fromUtf8("CMD_chat+2+Zoë chats: hi|clRed"));
    EXPECT_EQ(bytes, QByteArray("CMD_chat+2+Zo\xC3\xAB chats: hi|clRed\xFF"));
    EXPECT_EQ(bytes.count(kTerminator), 1);
    EXPECT_EQ(buildMessage(""), QByteArray(1, kTerminator));
}

TEST(MessageFramer, CutsTwoMessagesOfOneReadIntoTwoEntriesInOrder) {
    MessageFramer framer;
    QStringList queue{"receivedlist"};
    EXPECT_TRUE(framer.feed(terminated("CMD_full+") + terminated("CMD_winner+3+"), queue));
    EXPECT_EQ(queue, (QStringList{"receivedlist", "CMD_full+", "CMD_winner+3+"}));
    EXPECT_EQ(framer.pendingSize(), 0);
}

TEST(MessageFramer, KeepsAnIncompleteTailUntilTheNextRead) {
    MessageFramer framer;
    QStringList queue;
    EXPECT_TRUE(framer.feed("CMD_loadball+4", queue));
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(framer.pendingSize(), 14);
    EXPECT_TRUE(framer.feed(terminated("+G+") + "CMD_next", queue));
    EXPECT_EQ(queue, QStringList{"CMD_loadball+4+G+"});
    EXPECT_TRUE(framer.feed(terminated("player+2+1+"), queue));
    EXPECT_EQ(queue, (QStringList{"CMD_loadball+4+G+", "CMD_nextplayer+2+1+"}));
}

TEST(MessageFramer, DecodesACharacterSplitAcrossReads) {
    MessageFramer framer;
    QStringList queue;
    const QByteArray whole = buildMessage(QString::fromUtf8("CMD_logininfo+1+1.0.8+Zoë"));
    const qsizetype split = whole.indexOf('\xAB'); // between the two bytes of "ë"
    framer.feed(whole.left(split), queue);
    framer.feed(whole.mid(split), queue);
    EXPECT_EQ(queue, QStringList{QString::fromUtf8("CMD_logininfo+1+1.0.8+Zoë")});
}

TEST(MessageFramer, TwoTerminatorsInARowGiveAnEmptyEntry) {
    MessageFramer framer;
    QStringList queue;
    framer.feed(QByteArray("\xFF\xFF") + terminated("CMD_full+"), queue);
    EXPECT_EQ(queue, (QStringList{"", "", "CMD_full+"}));
}

TEST(MessageFramer, DropsAnOversizedMessageAndResumesAfterItsTerminator) {
    MessageFramer framer;
    QStringList queue;
    const QByteArray chunk(MessageFramer::kMaxPending / 2, 'a');
    EXPECT_TRUE(framer.feed(terminated("CMD_full+") + chunk, queue));
    EXPECT_TRUE(framer.feed(chunk, queue)); // exactly at the limit is still kept
    EXPECT_EQ(framer.pendingSize(), MessageFramer::kMaxPending);
    EXPECT_FALSE(framer.feed("a", queue));
    EXPECT_EQ(framer.pendingSize(), 0);
    EXPECT_TRUE(framer.feed(chunk, queue)); // the rest of the oversized message
    EXPECT_EQ(framer.pendingSize(), 0);
    EXPECT_TRUE(framer.feed(terminated("tail") + terminated("CMD_winner+1+"), queue));
    EXPECT_EQ(queue, (QStringList{"CMD_full+", "CMD_winner+1+"}));
}

TEST(MessageFramer, ClearForgetsTheTailOfAFreedConnection) {
    MessageFramer framer;
    QStringList queue;
    framer.feed("CMD_chat+1+half", queue);
    framer.clear();
    framer.feed(terminated("CMD_full+"), queue);
    EXPECT_EQ(queue, QStringList{"CMD_full+"});
}

TEST(FieldCutting, CutsFieldsFromTheFrontAndLeavesTheRestWhole) {
    QString args = "3+Ann chats: a+b=c|clRed";
    EXPECT_EQ(cutNumber(args), 3);
    EXPECT_EQ(args, "Ann chats: a+b=c|clRed");
    EXPECT_EQ(cutField(args), "Ann chats: a");
    EXPECT_EQ(cutField(args), "b=c|clRed");
    EXPECT_EQ(args, "");
    EXPECT_EQ(cutField(args), "");

    QString closing = "2+";
    EXPECT_EQ(cutSlot(closing), 2);
    EXPECT_EQ(closing, "");
}

TEST(FieldCutting, RejectsFieldsThatAreNotPlainDecimalNumbers) {
    for (const char* bad : {"", "+1", "-1", "1a", " 1", "x", "99999999999", "１"}) {
        QString args = QString::fromUtf8(bad) + "+rest";
        EXPECT_THROW(cutNumber(args), MalformedMessage) << bad;
    }
    QString big = "2147483647";
    EXPECT_EQ(cutNumber(big), 2147483647);
}

TEST(FieldCutting, SlotsMustLieInRange) {
    for (const char* bad : {"0", "12", "6"}) {
        QString args = bad;
        EXPECT_THROW(cutSlot(args, QString(bad) == "6" ? 5 : 11), MalformedMessage) << bad;
    }
    QString eleven = "11+";
    EXPECT_EQ(cutSlot(eleven), 11);
}

class MessageDispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dispatcher.on("CMD_winner", [this](const QString& args) { calls << "winner:" + args; });
        dispatcher.on("CMD_submitted", [this](const QString& args) {
            QString rest = args;
            calls << QString("submitted:%1").arg(cutSlot(rest));
        });
    }
    MessageDispatcher dispatcher;
    QStringList calls;
};

TEST_F(MessageDispatcherTest, HandlesOneEntryPerCallInOrder) {
    QStringList queue{"CMD_winner+3+", "CMD_submitted+2+"};
    EXPECT_TRUE(dispatcher.dispatchOne(queue));
    EXPECT_EQ(calls, QStringList{"winner:3+"});
    EXPECT_EQ(queue, QStringList{"CMD_submitted+2+"});
    EXPECT_TRUE(dispatcher.dispatchOne(queue));
    EXPECT_EQ(calls, (QStringList{"winner:3+", "submitted:2"}));
    EXPECT_FALSE(dispatcher.dispatchOne(queue));
}

TEST_F(MessageDispatcherTest, DropsInitialEntriesEmptyUnknownAndWrongCaseWords) {
    QStringList queue{"receivedlist",  "",          "+3+",          "CMD_WINNER+3+",
                      "cmd_winner+3+", "CMD_nope+", "CMD_winner3+", "CMD_winner+1+"};
    int ran = 0;
    while (!queue.isEmpty())
        ran += dispatcher.dispatchOne(queue) ? 1 : 0;
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(calls, QStringList{"winner:1+"});
}

TEST_F(MessageDispatcherTest, AMalformedNumberDropsOneMessageAndTheNextIsHandled) {
    QStringList queue{"CMD_submitted+x+", "CMD_submitted+12+", "CMD_submitted+4+"};
    dispatcher.dispatchOne(queue);
    dispatcher.dispatchOne(queue);
    dispatcher.dispatchOne(queue);
    EXPECT_EQ(calls, QStringList{"submitted:4"});
    EXPECT_TRUE(queue.isEmpty());
}

TEST_F(MessageDispatcherTest, AHandlerMayReplaceItselfWhileRunning) {
    dispatcher.on("CMD_full", [this](const QString&) {
        dispatcher.on("CMD_full", [this](const QString&) { calls << "second"; });
        calls << "first";
    });
    QStringList queue{"CMD_full+", "CMD_full+"};
    dispatcher.dispatchOne(queue);
    dispatcher.dispatchOne(queue);
    EXPECT_EQ(calls, (QStringList{"first", "second"}));
}

} // namespace
