// The client at the table: log-in, who sits where, spies, departures, the
// host player's seat popup, and what a broken host cannot do to it.
#include "client/chat/chat_entry.h"
#include "client/core/client_outbox.h"
#include "client/core/table_model.h"
#include "client_harness.h"
#include "net/write_queue.h"
#include "program_environment.h"
#include "send_buffer.h"

#include <QListWidget>
#include <QMenu>
#include <QTest>

namespace clienttest {
namespace {

class SeatsTest : public ClientHarness {
protected:
    QString seatName(int seat) const { return probe().seats().nameLabel(seat)->text(); }
    QAction* popupItem(const char* name) const {
        return probe().seats().popup()->findChild<QAction*>(name);
    }
    // Start Game is there for this window's player, in the menu and on the table.
    bool offered() const {
        return probe().menu().StartGame1->isEnabled() &&
               probe().startButton().isVisibleTo(chat.get());
    }
    // Neither Start Game nor removing the player in the seat is offered, and
    // a start asked for anyway sends nothing.
    void expectNoHostControlsOver(int seat) {
        EXPECT_FALSE(offered());
        openPopupOn(seat);
        EXPECT_FALSE(popupItem("RemoveFromGame1")->isEnabled());
        chat->startGame();
        EXPECT_TRUE(sent().isEmpty());
    }
    // Opens the seat popup over a seat label, as a right click does.
    void openPopupOn(int seat) {
        QLabel* label = probe().seats().nameLabel(seat);
        emit label->customContextMenuRequested(QPoint(2, 2));
        probe().seats().popup()->hide();
    }
};

TEST_F(SeatsTest, LogInAnswersWithSlotVersionAndNameThenSeesTheOwnArrival) {
    hostSays("CMD_sendlogininfo+3");
    EXPECT_EQ(sent(), QStringList{"CMD_logininfo+3+1.0.8+Ann"});
    EXPECT_TRUE(probe().state().connected);
    hostSays({"CMD_sendlogininfo+4", "CMD_newplayerinfo+3+Ann+0"});
    EXPECT_EQ(probe().state().myseat, 3); // a repeated offer moves nobody
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(seatName(3), "Ann");
    EXPECT_TRUE(probe().seats().scoreLabel(3)->isVisibleTo(chat.get()));
    EXPECT_TRUE(chatText().contains("You are Connected."));
    EXPECT_FALSE(probe().menu().StartGame1->isEnabled()); // only slot 1 starts games
}

TEST_F(SeatsTest, ExistingPlayersFillSeatsAndTheSpyList) {
    logIn(2);
    hostSays("CMD_existingplayers+1+Bob+0+3+Cy+1+7+Dee+0");
    EXPECT_EQ(seatName(1), "Bob");
    EXPECT_EQ(seatName(3), "Cy");
    EXPECT_EQ(seatName(4), "<Waiting>");
    EXPECT_TRUE(probe().seats().eyes(3)->isVisibleTo(chat.get()));
    EXPECT_FALSE(probe().seats().eyes(1)->isVisibleTo(chat.get()));
    EXPECT_EQ(probe().seats().spyEntries(), QStringList{"7: Dee"});
    EXPECT_TRUE(probe().menu().JustWatch1->isEnabled());
    const QString text = chatText();
    EXPECT_EQ(text.count("is Connected."), 3);
    EXPECT_EQ(text.count("Dee is spying."), 1);
    EXPECT_EQ(chat->loadchecklist(), (QStringList{"Bob", "Cy"}));
}

// The spy list window is built when first opened: it must show the spies
// who came before, and then follow arrivals and departures.
TEST_F(SeatsTest, ASpyListAttachedLateShowsTheSpiesAlreadyThere) {
    logIn(1);
    hostSays({"CMD_newplayerinfo+7+Dee+0", "CMD_newplayerinfo+8+Eli+0"});
    QListWidget list;
    probe().seats().attachSpyList(&list);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "7: Dee");
    hostSays("CMD_playerdisconnected+7+Dee");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), "8: Eli");
}

TEST_F(SeatsTest, ASpyWatchesWithoutASeat) {
    logIn(6, "Eve");
    EXPECT_TRUE(chatText().contains("You are spying."));
    EXPECT_EQ(probe().seats().spyEntries(), QStringList{"6: Eve"});
    EXPECT_FALSE(probe().menu().JustWatch1->isEnabled());
    probe().menu().JustWatch1->trigger();
    hostSays("CMD_justwatching+6+1"); // no seat to mark
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_FALSE(chatText().contains("just watching"));
}

// The seats part alone: a table model, a panel, and no window or host.
class SeatsAlone : public ::testing::Test {
protected:
    struct NoHost : ClientOutbox {
        void send(const QString&) override {}
    };
    static ClientState seatedIn(int slot) {
        ClientState state;
        state.myseat = slot;
        state.connected = true;
        return state;
    }
    static Seats::Hooks sayingInto(QStringList& lines) {
        Seats::Hooks hooks;
        hooks.say = [&lines](const QString& line) {
            lines << line;
        };
        return hooks;
    }
    QString seatName(int seat) const { return seats.nameLabel(seat)->text(); }

    QWidget panel;
    ClientState state = seatedIn(1);
    TableModel model;
    NoHost outbox;
    QStringList lines; // system lines said
    Seats seats{&panel, state, model, outbox, sayingInto(lines)};
};

TEST_F(SeatsAlone, DeparturesLeaveKlotInSeatTwoAndWaitingElsewhere) {
    seats.newplayerinfo({{1, "Ann", false}, {2, "Bob", false}, {4, "Cy", true}, {6, "Dee", false}});
    EXPECT_TRUE(seats.eyes(4)->isVisibleTo(&panel));
    for (const int left : {2, 4, 8, 6})
        seats.playerdisconnected({left});
    EXPECT_EQ(seatName(2), "Klot");
    EXPECT_EQ(seatName(4), "<Waiting>");
    EXPECT_FALSE(seats.eyes(4)->isVisibleTo(&panel));
    EXPECT_EQ(model.displayName(4), "Cy"); // for the finder and winner lines
    const QString text = lines.join(u'\n');
    EXPECT_TRUE(text.contains("Bob disconnected."));
    EXPECT_TRUE(text.contains("Cy disconnected."));
    EXPECT_TRUE(text.contains("Dee has left."));
    EXPECT_FALSE(text.contains("Nobody"));
    EXPECT_TRUE(seats.spyEntries().isEmpty());
    // A seat nobody was seen to take names its stand-in: that one stays.
    for (const int empty : {2, 5})
        seats.playerdisconnected({empty});
    EXPECT_EQ(lines.join(u'\n').count("disconnected."), 2);
    model.startGame(false);
    EXPECT_EQ(seatName(2), "<Waiting>");
    EXPECT_EQ(model.displayName(4), "<Waiting>");
    // The turn marker and the chalk follow the model, not the board.
    model.setTurn(4);
    model.setGuessed(1);
    EXPECT_TRUE(seats.turnMarker()->isVisibleTo(&panel));
    EXPECT_EQ(seats.turnMarker()->pos(), seats.chalk(4)->pos() - QPoint(0, 12));
    EXPECT_TRUE(seats.chalk(1)->isVisibleTo(&panel));
    model.clear();
    EXPECT_FALSE(seats.turnMarker()->isVisibleTo(&panel));
    EXPECT_FALSE(seats.chalk(1)->isVisibleTo(&panel));
    EXPECT_EQ(seatName(1), "<Waiting>");
}

TEST_F(SeatsTest, MalformedPlayerListsChangeNothing) {
    logIn(1);
    const QString before = chatText();
    hostSays({
        "CMD_existingplayers+2+Bob",            // not three fields a record
        "CMD_existingplayers+2+Bob+0+10+Eve+0", // slot out of range
        "CMD_existingplayers+0+Eve+0",          // slot 0
        "CMD_existingplayers+2+Bob+2",          // flag other than 0 or 1
        "CMD_existingplayers+x2+Bob+0",         // not a number
        "CMD_newplayerinfo+" + QString("2+A+0+").repeated(10) + "2+A+0", // more than nine
        "CMD_sendlogininfo+10",
    });
    EXPECT_EQ(seatName(2), "<Waiting>");
    EXPECT_EQ(chatText(), before);
    EXPECT_EQ(probe().state().myseat, 1);
}

TEST_F(SeatsTest, ReceivedNamesAreCleanedAndShownAsText) {
    logIn(1);
    hostSays("CMD_existingplayers+2+<b>Bo\x01"
             "b</b>\u202E+0+3+\x02\x03+0+4+" +
             QString(60, 'z') + "+0");
    EXPECT_EQ(seatName(2), "<b>Bob</b>");
    EXPECT_EQ(probe().seats().nameLabel(2)->textFormat(), Qt::PlainText);
    EXPECT_EQ(seatName(3), "Player 3"); // nothing left of the name: seen all the same
    EXPECT_EQ(seatName(4), QString(40, 'z'));
}

TEST_F(SeatsTest, JustWatchingMarksTheSeatAndTheOwnMenuFollowsTheHost) {
    logIn(2);
    hostSays("CMD_existingplayers+1+Bob+0");
    probe().menu().JustWatch1->trigger();
    EXPECT_EQ(sent(), QStringList{"CMD_justwatch+2+1"});
    EXPECT_FALSE(probe().menu().JustWatch1->isChecked()); // until the host answers
    hostSays({"CMD_justwatching+2+1", "CMD_justwatching+1+1"});
    EXPECT_TRUE(probe().menu().JustWatch1->isChecked());
    EXPECT_TRUE(probe().seats().eyes(1)->isVisibleTo(chat.get()));
    EXPECT_TRUE(chatText().contains("Bob is just watching"));
    hostSays({"CMD_justwatching+1+2", "CMD_justwatching+6+1", "CMD_justwatching+1+7"});
    EXPECT_FALSE(probe().seats().eyes(1)->isVisibleTo(chat.get()));
    EXPECT_TRUE(chatText().contains("Bob now playing again"));
    EXPECT_EQ(chatText().count("Bob is just watching"), 1);
}

TEST_F(SeatsTest, OnlyTheHolderOfSlotOneMayUseTheSeatPopup) {
    logIn(2);
    hostSays("CMD_existingplayers+1+Bob+0+3+Cy+0");
    openPopupOn(3);
    for (const char* item : {"RemoveFromGame1", "SettoJustWatch1", "UnsetJustWatch1"})
        EXPECT_FALSE(popupItem(item)->isEnabled()) << item;
}

// A dedicated host that does not say who holds the host player's rights
// (an older one) gave them to the lowest seated player once seat 1 was
// empty: the window guesses so, gets Start Game and the seat popup, and
// gives them up when someone takes seat 1 again.
TEST_F(SeatsTest, TheLowestSeatedPlayerGetsTheHostControlsWhileSeatOneIsEmpty) {
    // Until the whole list is in, nobody is known to sit lower.
    hostSays({"CMD_sendlogininfo+3", "CMD_newplayerinfo+4+Cy+0"});
    sent(); // the log-in answer
    EXPECT_FALSE(offered());
    hostSays("CMD_newplayerinfo+3+Ann+0");
    EXPECT_FALSE(offered());
    hostSays("CMD_existingplayers+1+Dot+0+2+Bob+0+4+Cy+0");
    EXPECT_FALSE(offered());
    hostSays("CMD_playerdisconnected+1+Dot");
    EXPECT_FALSE(offered()); // Bob sits lower
    hostSays("CMD_playerdisconnected+2+Bob");
    EXPECT_TRUE(offered());
    openPopupOn(4);
    popupItem("RemoveFromGame1")->trigger();
    EXPECT_EQ(sent(), QStringList{"CMD_kickhim+3+4+"});

    hostSays("CMD_newplayerinfo+1+Dee+0");
    expectNoHostControlsOver(4);
}

// A dedicated host says who holds the rights, and its word counts over the
// guess: slot 1 that arrived last gets no controls, and they follow the
// host's news; a garbled word changes nothing.
TEST_F(SeatsTest, TheHostsWordOnTheRightsDecidesWhoGetsTheHostControls) {
    hostSays({"CMD_sendlogininfo+1", "CMD_hostrights+3", "CMD_newplayerinfo+1+Cy+0"});
    sent(); // the log-in answer
    hostSays("CMD_existingplayers+3+Bob+0+4+Dot+0");
    expectNoHostControlsOver(4);

    hostSays({"CMD_playerdisconnected+3+Bob", "CMD_hostrights+1"});
    EXPECT_TRUE(offered());
    openPopupOn(4);
    popupItem("RemoveFromGame1")->trigger();
    EXPECT_EQ(sent(), QStringList{"CMD_kickhim+1+4+"});
    for (const char* garbled : {"CMD_hostrights+6", "CMD_hostrights+x", "CMD_hostrights+"})
        hostSays(garbled);
    EXPECT_TRUE(offered());
    hostSays("CMD_hostrights+4"); // Dot, held away, is back and had sat longer
    EXPECT_FALSE(offered());
}

TEST_F(SeatsTest, SeatPopupActsOnlyOnThePlayerItWasOpenedOn) {
    logIn(1);
    hostSays("CMD_existingplayers+3+Cy+0");
    openPopupOn(1);
    EXPECT_FALSE(popupItem("RemoveFromGame1")->isEnabled()); // never the own seat
    openPopupOn(4);
    EXPECT_FALSE(popupItem("SettoJustWatch1")->isEnabled()); // a free seat
    openPopupOn(3);
    ASSERT_TRUE(popupItem("RemoveFromGame1")->isEnabled());
    popupItem("SettoJustWatch1")->trigger();
    popupItem("RemoveFromGame1")->trigger();
    EXPECT_EQ(sent(), (QStringList{"CMD_justwatch+3+1", "CMD_kickhim+1+3+"}));
    openPopupOn(3);
    hostSays({"CMD_playerdisconnected+3+Cy", "CMD_newplayerinfo+3+Dan+0"});
    popupItem("RemoveFromGame1")->trigger();
    EXPECT_TRUE(sent().isEmpty()); // Dan is not the player the popup was opened on
    probe().seats().kicking(1);
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(SeatsTest, AFullHostIsToldOnceThenTheNextTableIsOffered) {
    hostSays("CMD_full");
    EXPECT_TRUE(boxes.isEmpty()); // no "+": not a message
    probe().queue() << "CMD_full+"
                    << "CMD_full+"
                    << "CMD_chat+1+late|clRed";
    EXPECT_TRUE(waitFor([&] { return probe().sessionEnded(); }, 5000));
    settle(100);
    EXPECT_EQ(boxes, QStringList{"Game is full"});
    EXPECT_EQ(probe().sessionEnd().reason(), "Game is full");
    EXPECT_TRUE(chat->isVisible());
    EXPECT_FALSE(chatText().contains("late"));
    EXPECT_FALSE(chatText().contains("The host closed the table.")); // the box said it all
    EXPECT_FALSE(QFile::exists(settingsPath())); // nothing was loaded, so nothing is written
}

TEST_F(SeatsTest, WhatArrivedBeforeTheHostWentIsStillShownThenWhyItEnded) {
    logIn(1);
    peer->Send(buildMessage("CMD_chat+1+last words|clRed") + buildMessage("CMD_goodbye+"));
    peer->Close();
    ASSERT_TRUE(waitFor([&] { return probe().sessionEnded(); }, 5000));
    EXPECT_TRUE(chat->isVisible());
    const qsizetype lastWords = chatText().indexOf("last words");
    EXPECT_GE(lastWords, 0);
    EXPECT_GT(chatText().indexOf("The host closed the table."), lastWords);
    EXPECT_EQ(probe().sessionEnd().reason(), "The host closed the table.");
}

TEST_F(SeatsTest, AHostThatFloodsTheQueueCountsAsLost) {
    logIn(1);
    QByteArray flood;
    for (int i = 0; i < HostLink::kMaxQueuedMessages + 500; ++i) // some are handled meanwhile
        flood += buildMessage("CMD_chat+2+x|clRed");
    peer->Send(flood);
    EXPECT_TRUE(waitFor([&] { return probe().sessionEnded(); }, 10000));
    EXPECT_TRUE(probe().queue().isEmpty());
    EXPECT_TRUE(chatText().trimmed().endsWith("The connection to the host was lost."))
        << chatText().right(80).toStdString();
    EXPECT_TRUE(chat->isVisible());
}

TEST_F(SeatsTest, OneMessageATickUnlessABacklogBuildsUp) {
    logIn(1);
    probe().timer().stop();
    probe().queue() << "CMD_chat+1+a|clRed"
                    << "CMD_chat+1+b|clRed";
    probe().tick();
    EXPECT_EQ(probe().queue().size(), 1);
    for (int i = 0; i < 100; ++i)
        probe().queue() << "CMD_chat+1+flood|clRed";
    probe().tick();
    EXPECT_EQ(probe().queue().size(), 101 - HostLink::kBacklogMessagesPerTick);
}

// A quiet table answers at once; only what queues up behind waits for ticks.
TEST_F(SeatsTest, AMessageIntoAnEmptyQueueIsHandledWithoutWaitingForATick) {
    logIn(1);
    probe().timer().stop();
    probe().timer().setInterval(Tchat::kTimer1IntervalMs); // so a read does not restart it
    peer->Send(buildMessage("CMD_chat+1+first|clRed") + buildMessage("CMD_chat+1+second|clRed"));
    EXPECT_TRUE(waitFor([&] { return chatText().contains("first"); }, 5000));
    settle(50);
    EXPECT_FALSE(chatText().contains("second"));
    EXPECT_EQ(probe().queue().size(), 1);
    probe().tick();
    EXPECT_TRUE(chatText().contains("second"));
}

TEST(ClientConnect, AFailedConnectionIsReportedInTheChat) {
    testsupport::ProgramEnvironment home;
    Tchat chat;
    chat.show();
    TSock probe;
    probe.setPortName("0");
    probe.setListen(true);
    const QString freePort = QString::number(probe.localPort());
    probe.setListen(false);
    chat.joinHost("Ann", "127.0.0.1", freePort);
    EXPECT_TRUE(waitFor(
        [&] { return TchatProbe(chat).chatText().contains("Could not connect to 127.0.0.1."); },
        5000));
    EXPECT_TRUE(chat.isVisible());
    EXPECT_TRUE(TchatProbe(chat).sessionEnded()); // not a dead end
    EXPECT_EQ(TchatProbe(chat).sessionEnd().reason(), "Could not connect to 127.0.0.1.");
}

// The host's end is never taken from the listener, so nothing the window
// sends is read. The player goes on typing long lines: what waits stays
// within the bound, then the connection counts as lost and the window says so.
TEST(ClientConnect, AHostThatStopsReadingCountsAsLostOnceTheBoundIsPassed) {
    testsupport::ProgramEnvironment home;
    TSock host;
    host.setPortName("0");
    host.setListen(true); // without OnAccept the connection waits, never read
    Tchat chat;
    TchatProbe probe(chat);
    chat.show();
    chat.joinHost("Ann", "127.0.0.1", QString::number(host.localPort()));
    ASSERT_TRUE(waitFor([&] { return probe.connection().Connected(); }, 5000));
    // With the platform holding little, nearly all the host has not read
    // waits in the window.
    testsupport::shrinkSendBuffer(probe.connection().SocketHandle());
    probe.queue() << "CMD_sendlogininfo+1"
                  << "CMD_newplayerinfo+1+Ann+0";
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.queue().isEmpty(); }));

    const QString line(ChatEntry::kMaxLength, u'x');
    const qsizetype lineBytes = QStringLiteral("CMD_chat+1+|clBlack").size() + line.size() + 1;
    // The bound, plus what the host's end and the small send buffer take.
    const int mostLines = int((WriteQueue::kMaxWaiting + 512 * 1024) / lineBytes);
    int lines = 0;
    while (!probe.sessionEnded() && lines < 4 * mostLines) {
        probe.chat().entry()->setText(line);
        QTest::keyClick(probe.chat().entry(), Qt::Key_Return);
        ++lines;
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(waitFor([&] { return probe.sessionEnded(); }, 5000)) << lines << " lines typed";
    EXPECT_LE(lines, mostLines);
    EXPECT_EQ(probe.sessionEnd().reason(), "The connection to the host was lost.");
    EXPECT_TRUE(chat.isVisible());
}

} // namespace
} // namespace clienttest
