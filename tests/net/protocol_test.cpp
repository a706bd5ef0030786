#include "net/game_messages.h"
#include "net/protocol.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

TEST(BuildMessage, EncodesUtf8AndAddsOnlyTheTerminator) {
    EXPECT_EQ(buildMessage(QString::fromUtf8("CMD_chat+2+Zoë: a+b")),
              QByteArray("CMD_chat+2+Zo\xC3\xAB: a+b\xFF"));
}

TEST(MessageFramer, CutsReadsIntoWholeMessages) {
    const QByteArray zoe = buildMessage(QString::fromUtf8("CMD_logininfo+1+1.0.8+Zoë"));
    const qsizetype inE = zoe.indexOf('\xAB'); // between the two bytes of "ë"
    const struct {
        QList<QByteArray> reads;
        QStringList queue;
        int pending;
    } cases[] = {
        {{"CMD_full+\xFF"
          "CMD_winner+3+\xFF"},
         {"CMD_full+", "CMD_winner+3+"},
         0},
        {{"CMD_loadball+4", "+G+\xFF"
                            "CMD_next"},
         {"CMD_loadball+4+G+"},
         8},
        {{zoe.left(inE), zoe.mid(inE)}, {QString::fromUtf8("CMD_logininfo+1+1.0.8+Zoë")}, 0},
        {{"\xFF\xFF"
          "CMD_full+\xFF"},
         {"", "", "CMD_full+"},
         0},
    };
    for (const auto& c : cases) {
        MessageFramer framer;
        QStringList queue;
        for (const QByteArray& read : c.reads)
            EXPECT_TRUE(framer.feed(read, queue));
        EXPECT_EQ(queue, c.queue);
        EXPECT_EQ(framer.pendingSize(), c.pending);
    }
}

TEST(MessageFramer, DropsAnOversizedMessageAndResumesAfterItsTerminator) {
    MessageFramer framer;
    QStringList queue;
    const QByteArray half(MessageFramer::kMaxPending / 2, 'a');
    EXPECT_TRUE(framer.feed("CMD_full+\xFF" + half, queue));
    EXPECT_TRUE(framer.feed(half, queue)); // exactly at the limit is still kept
    EXPECT_FALSE(framer.feed("a", queue));
    EXPECT_EQ(framer.pendingSize(), 0);
    EXPECT_TRUE(framer.feed(half, queue)); // more of the oversized message
    EXPECT_EQ(framer.pendingSize(), 0);
    EXPECT_TRUE(framer.feed("end\xFF"
                            "CMD_winner+1+\xFF",
                            queue));
    EXPECT_EQ(queue, (QStringList{"CMD_full+", "CMD_winner+1+"}));
}

TEST(FieldCutting, CutsFromTheFrontAndLeavesTheLastFieldWhole) {
    QString args = "3+Ann chats: a+b|clRed";
    EXPECT_EQ(cutSlot(args), 3);
    EXPECT_EQ(args, "Ann chats: a+b|clRed");
    EXPECT_EQ(cutField(args), "Ann chats: a");
    EXPECT_EQ(cutField(args), "b|clRed");
    EXPECT_EQ(args, "");
    QString max = "2147483647+";
    EXPECT_EQ(cutNumber(max), 2147483647);
}

TEST(FieldCutting, RejectsWhatIsNotAPlainNumberOrSlot) {
    for (const char* bad : {"", "+1", "-1", "1a", " 1", "99999999999", "１"}) {
        QString args = QString::fromUtf8(bad) + "+rest";
        EXPECT_THROW(cutNumber(args), MalformedMessage) << bad;
    }
    for (const char* bad : {"0", "12"}) {
        QString args = bad;
        EXPECT_THROW(cutSlot(args), MalformedMessage) << bad;
    }
    QString six = "6";
    EXPECT_THROW(cutSlot(six, 5), MalformedMessage);
}

class MessageDispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dispatcher.on<gamemsg::Winner>(
            [this](const gamemsg::Winner& won) { calls << QString("winner:%1").arg(won.slot); });
        dispatcher.on<gamemsg::Submitted>([this](const gamemsg::Submitted& guessed) {
            calls << QString("submitted:%1").arg(guessed.slot);
        });
    }
    int dispatchAll(QStringList queue) {
        int ran = 0;
        while (!queue.isEmpty())
            ran += dispatcher.dispatchOne(queue) ? 1 : 0;
        return ran;
    }
    MessageDispatcher dispatcher;
    QStringList calls;
};

TEST_F(MessageDispatcherTest, HandlesOneEntryPerCallInOrder) {
    QStringList queue{"CMD_winner+3+", "CMD_submitted+2+"};
    EXPECT_TRUE(dispatcher.dispatchOne(queue));
    EXPECT_EQ(calls, QStringList{"winner:3"});
    EXPECT_EQ(queue, QStringList{"CMD_submitted+2+"});
    EXPECT_TRUE(dispatcher.dispatchOne(queue));
    EXPECT_EQ(calls, (QStringList{"winner:3", "submitted:2"}));
    EXPECT_FALSE(dispatcher.dispatchOne(queue));
}

TEST_F(MessageDispatcherTest, DropsInitialEmptyUnknownAndWrongCaseEntries) {
    EXPECT_EQ(dispatchAll({"receivedlist", "", "+3+", "CMD_WINNER+3+", "cmd_winner+3+", "CMD_nope+",
                           "CMD_winner3+", "CMD_winner+1+"}),
              1);
    EXPECT_EQ(calls, QStringList{"winner:1"});
}

TEST_F(MessageDispatcherTest, AMalformedNumberDropsOneMessageAndTheNextIsHandled) {
    dispatchAll({"CMD_submitted+x+", "CMD_submitted+12+", "CMD_submitted+4+"});
    EXPECT_EQ(calls, QStringList{"submitted:4"});
}

} // namespace
