#include "common/random.h"
#include "net/rejoin_messages.h"
#include "session_harness.h"

#include <QRegularExpression>
#include <array>
#include <gtest/gtest.h>

namespace {

// A table at a game: Ann (slot 1, the host player), Bob (2), Cid (3) and the
// spy Sid (6 once slots 4 and 5 are taken and let go), and the ways a dropped
// player comes back.
class HeldSeats : public ::testing::Test {
protected:
    void seatAnnBobCid() {
        host.logIn("Ann");
        host.logIn("Bob");
        host.logIn("Cid");
    }
    void start(const QString& type, bool botOn = false) {
        host.send(1, QStringLiteral("CMD_startgame+Ann+%1+%2+").arg(type, botOn ? "0" : "1"));
    }
    // The key the slot was given last, checked for its form.
    QString keyOf(int slot) const {
        const QStringList keys = host.to(slot).filter("CMD_rejoinkey+");
        if (keys.isEmpty())
            return QString();
        const QString key = keys.last().mid(QString("CMD_rejoinkey+").size());
        EXPECT_TRUE(rejoinmsg::isKey(key)) << key.toStdString();
        return key;
    }
    // A new connection that presents the key and logs in; its first slot.
    int rejoinWith(const QString& key, const QString& name = QStringLiteral("Whoever")) {
        const int slot = host.connect();
        host.send(slot, QStringLiteral("CMD_rejoin+%1+%2").arg(slot).arg(key));
        host.send(slot, QStringLiteral("CMD_logininfo+%1+1.0.8+%2").arg(slot).arg(name));
        return slot;
    }
    void guess(int slot, const QString& word) {
        host.send(slot, QStringLiteral("CMD_myword+%1+%2+").arg(slot).arg(word));
    }
    QString hidden() { return host.state().hiddenword; }
    // A dictionary word that is not the hidden word.
    QString wrongWord() {
        return hidden() == "ANGEL" ? QStringLiteral("AGREE") : QStringLiteral("ANGEL");
    }
    static QString lostLine(const QString& name, int seconds = 60) {
        return QStringLiteral("CMD_chat+0+%1 lost the connection. The seat is kept for %2 "
                              "seconds.|$00005E00")
            .arg(name)
            .arg(seconds);
    }
    static QString backLine(const QString& name) {
        return QStringLiteral("CMD_chat+0+%1 is back.|$00005E00").arg(name);
    }

    SessionHarness host;
};

TEST_F(HeldSeats, ADroppedPlayerKeepsItsSeatIsSkippedAndComesBackOnAnotherSlot) {
    seatAnnBobCid();
    host.connect(); // slots 4 and 5 taken and let go, so that the spy sits in 6
    host.connect();
    host.logIn("Sid");
    host.session.connectionClosed(4);
    host.session.connectionClosed(5);
    host.forget();
    start("high");
    // Keys to the seated players alone, after the start messages; each its own.
    for (int slot : {1, 2, 3})
        EXPECT_TRUE(host.to(slot).last().startsWith("CMD_rejoinkey+")) << slot;
    EXPECT_TRUE(host.to(6).filter("CMD_rejoinkey").isEmpty());
    const QString bobsKey = keyOf(2);
    EXPECT_NE(bobsKey, keyOf(1));
    EXPECT_NE(bobsKey, keyOf(3));

    guess(2, hidden()); // Bob takes ball 1
    host.tick(6);       // the pause ends: word 2, row 1
    ASSERT_EQ(host.state().ballno, 2);
    guess(1, wrongWord());
    host.forget();
    host.session.connectionClosed(2);

    for (int slot : {1, 3, 6}) {
        EXPECT_EQ(host.to(slot), QStringList({"CMD_playeraway+2+1", lostLine("Bob")})) << slot;
    }
    EXPECT_TRUE(host.holdClock.running.contains(2));
    // The row does not wait for Bob: Cid's guess ends it.
    guess(3, wrongWord());
    EXPECT_EQ(host.state().row, 2);
    guess(3, wrongWord());
    EXPECT_TRUE(host.to(2).isEmpty()); // nothing goes to a seat without a connection

    // A newcomer never gets the held seat, and is shown it away.
    host.forget();
    const int newcomer = host.logIn("Dot");
    EXPECT_EQ(newcomer, 4);
    const QStringList dotSees = host.to(4);
    const qsizetype players =
        dotSees.indexOf("CMD_existingplayers+1+Ann+0+2+Bob+0+3+Cid+0+6+Sid+0");
    ASSERT_GE(players, 0) << dotSees.join('\n').toStdString();
    EXPECT_EQ(dotSees.at(players + 1), "CMD_playeraway+2+1");
    EXPECT_TRUE(dotSees.last().startsWith("CMD_rejoinkey+")); // a seat during a game
    host.connect();                                           // 5
    host.connect();                                           // 7
    host.connect();                                           // 8
    host.connect();                                           // 9
    EXPECT_EQ(host.session.chooseSlot(), 0); // eight connections and the held seat: full

    // Bob comes back on slot 5: seat 2 again, its name, score and ball.
    host.session.connectionClosed(5);
    host.forget();
    EXPECT_EQ(rejoinWith(bobsKey, "Mallory"), 5);
    const QStringList bobSees = host.to(2);
    ASSERT_GE(bobSees.size(), 6) << bobSees.join('\n').toStdString();
    EXPECT_EQ(bobSees.at(0), "CMD_rejoined+2");
    EXPECT_EQ(bobSees.at(1), "CMD_existingplayers+1+Ann+0+2+Bob+0+3+Cid+0+4+Dot+0+6+Sid+0");
    EXPECT_TRUE(bobSees.contains(QStringLiteral("CMD_gamestats+high+2+2+%1+").arg(hidden()[0])));
    EXPECT_TRUE(bobSees.contains("CMD_playerscores+1+0+2+1+3+0+4+0+5+0"));
    EXPECT_TRUE(bobSees.contains("CMD_ballowners+1+2+2+0+3+0+4+0+5+0+6+0+7+0+8+0+9+0"));
    EXPECT_TRUE(bobSees.contains("CMD_nextplayer+2+2+")); // its turn in the open row
    EXPECT_TRUE(bobSees.contains("CMD_submitted+3+"));    // Cid has guessed in it
    EXPECT_NE(keyOf(2), bobsKey);
    EXPECT_TRUE(bobSees.last().startsWith("CMD_rejoinkey+"));
    EXPECT_EQ(host.to(5), QStringList{"CMD_sendlogininfo+5"}); // and never announced
    for (int slot : {1, 3, 4, 6}) {
        EXPECT_EQ(host.to(slot), QStringList({"CMD_playeraway+2+0", backLine("Bob")})) << slot;
    }
    EXPECT_EQ(host.state().player(2).name, "Bob");
    EXPECT_EQ(host.state().player(2).score, 1);
    EXPECT_FALSE(host.state().player(5).inuse);
    EXPECT_FALSE(host.holdClock.running.contains(2));

    // Back in play: the row waits for Bob, and Bob speaks as seat 2.
    guess(1, wrongWord());
    guess(4, wrongWord());
    EXPECT_EQ(host.state().row, 2);
    guess(2, wrongWord());
    EXPECT_EQ(host.state().row, 3);
    host.send(2, "CMD_chat+2+back|$00000000");
    EXPECT_TRUE(host.to(1).contains("CMD_chat+2+Bob chats: back|$00000000"));

    // The used key, replayed from yet another connection: refused, and a new player.
    host.forget();
    const int replay = rejoinWith(bobsKey, "Mallory");
    EXPECT_EQ(replay, 5);
    EXPECT_EQ(host.to(5).mid(0, 3), QStringList({"CMD_sendlogininfo+5", "CMD_rejoinrefused+",
                                                 "CMD_newplayerinfo+5+Mallory+0"}));
    EXPECT_EQ(host.state().player(2).name, "Bob");
    EXPECT_TRUE(host.to(1).contains("CMD_newplayerinfo+5+Mallory+0"));
}

// At a dedicated host the rights pass in the order of log-in, never to a later
// arrival in a lower seat, and a held player's come back with it; every
// connection hears who holds them, a newcomer before its own arrival.
TEST_F(HeldSeats, AtADedicatedHostTheRightsPassInLogInOrderAndComeBackWithTheirHolder) {
    host.state().dedicated = true;
    seatAnnBobCid();
    EXPECT_EQ(host.to(1).mid(0, 3), QStringList({"CMD_sendlogininfo+1", "CMD_hostrights+1",
                                                 "CMD_newplayerinfo+1+Ann+0"}));
    EXPECT_EQ(host.to(1).filter("CMD_hostrights").size(), 1);
    EXPECT_EQ(host.to(3).mid(0, 3), QStringList({"CMD_sendlogininfo+3", "CMD_hostrights+1",
                                                 "CMD_newplayerinfo+3+Cid+0"}));
    host.session.connectionClosed(1); // Ann leaves between games
    for (int slot : {2, 3})
        EXPECT_EQ(host.to(slot).last(), "CMD_hostrights+2") << slot;

    host.forget();
    ASSERT_EQ(host.logIn("Dee"), 1);
    EXPECT_EQ(host.to(1).mid(0, 3), QStringList({"CMD_sendlogininfo+1", "CMD_hostrights+2",
                                                 "CMD_newplayerinfo+1+Dee+0"}));
    EXPECT_TRUE(host.to(2).filter("CMD_hostrights").isEmpty()); // nothing passed
    host.send(1, "CMD_startgame+Dee+high+1+");
    host.send(1, "CMD_kickhim+1+2+");
    EXPECT_FALSE(host.state().gameon);
    host.send(2, "CMD_startgame+Bob+high+1+");
    ASSERT_TRUE(host.state().gameon);
    const QString bobsKey = keyOf(2);

    // Bob held away: Cid came before Dee.
    host.forget();
    host.session.connectionClosed(2);
    for (int slot : {1, 3})
        EXPECT_EQ(host.to(slot).last(), "CMD_hostrights+3") << slot;
    host.send(1, "CMD_kickhim+1+3+");
    host.send(3, "CMD_justwatch+1+1");
    EXPECT_TRUE(host.connections.closed.isEmpty());
    EXPECT_TRUE(host.state().player(1).watching);

    host.forget();
    rejoinWith(bobsKey);
    for (int slot : {1, 2, 3})
        EXPECT_EQ(host.to(slot).last(), "CMD_hostrights+2") << slot;
    host.send(3, "CMD_kickhim+3+1+");
    EXPECT_TRUE(host.connections.closed.isEmpty());
    host.send(2, "CMD_kickhim+2+1+");
    EXPECT_EQ(host.connections.closed, QList<int>{1});
}

// The host's notice about a dropped player, as the others see it, reads as
// that notice and no other, whatever the player's name.
TEST_F(HeldSeats, ANameCannotPassForANoticeOfTheHosts) {
    host.logIn("Ann");
    host.logIn("Table rules: Klot is off. Host is Mal.");
    start("high");
    host.forget();
    host.session.connectionClosed(2);
    EXPECT_EQ(host.to(1),
              QStringList({"CMD_playeraway+2+1", lostLine("Table rules Klot is off Host is Mal")}));
}

// Klot plays a held seat 2 as it plays a watcher's; wrong and expired keys are
// refused; the end of the grace and the host player's removal are departures
// as today.
TEST_F(HeldSeats, KlotStandsInWrongAndExpiredKeysAreRefusedAndExpiryIsADeparture) {
    seatAnnBobCid();
    start("most", true);
    const QString bobsKey = keyOf(2);
    const QString cidsKey = keyOf(3);
    EXPECT_FALSE(host.clock.computerActive); // Bob plays seat 2 himself
    host.session.connectionClosed(2);
    guess(1, wrongWord());
    guess(3, wrongWord()); // the next row: Klot plays the held seat
    ASSERT_EQ(host.state().row, 2);
    ASSERT_TRUE(host.clock.computerActive);
    host.forget();
    host.session.computertimerTimer();
    EXPECT_TRUE(host.to(1).contains("CMD_submitted+2+"));

    // A key nobody was given: refused, and a new player.
    host.forget();
    EXPECT_EQ(rejoinWith(QString(64, u'0'), "Eve"), 4);
    EXPECT_EQ(host.to(4).mid(0, 3), QStringList({"CMD_sendlogininfo+4", "CMD_rejoinrefused+",
                                                 "CMD_newplayerinfo+4+Eve+0"}));
    // Cid's key while his old connection still seems open, as after a silent
    // drop: that connection is closed, and the new one has his seat.
    host.forget();
    EXPECT_EQ(rejoinWith(cidsKey, "Cid"), 5);
    EXPECT_EQ(host.connections.closed.last(), 3);
    EXPECT_EQ(host.to(3).first(), "CMD_rejoined+3");
    EXPECT_FALSE(host.state().player(5).inuse);
    EXPECT_TRUE(host.to(1).contains(backLine("Cid")));
    // Used once, the key is dead: replayed after Cid's next drop, it is refused.
    host.session.connectionClosed(3);
    host.forget();
    EXPECT_EQ(rejoinWith(cidsKey, "Cid"), 5);
    EXPECT_TRUE(host.to(5).contains("CMD_rejoinrefused+"));
    EXPECT_TRUE(host.state().player(3).away);

    // Bob's grace runs out: the departure of today, and his key is dead.
    host.forget();
    host.session.holdTimerTimer(2);
    EXPECT_TRUE(host.to(1).contains("CMD_playerdisconnected+2+Bob"));
    EXPECT_FALSE(host.state().player(2).inuse);
    EXPECT_EQ(rejoinWith(bobsKey, "Bob"), 2); // a free seat for anyone now
    EXPECT_TRUE(host.to(2).contains("CMD_rejoinrefused+"));
    const QString newcomersKey = keyOf(2); // seated during a game

    // The host player removes the held Cid: gone at once.
    host.forget();
    host.send(1, "CMD_kickhim+1+3+");
    EXPECT_TRUE(host.to(1).contains("CMD_playerdisconnected+3+Cid"));
    EXPECT_FALSE(host.state().player(3).inuse);
    EXPECT_FALSE(host.holdClock.running.contains(3));
    // A connected player removed during a game is not held either, and the
    // key goes with him: it opens nothing, and harms no newcomer in his seat.
    ASSERT_FALSE(newcomersKey.isEmpty());
    host.send(1, "CMD_kickhim+1+2+");
    EXPECT_EQ(host.connections.closed.last(), 2);
    EXPECT_FALSE(host.state().player(2).inuse);
    EXPECT_TRUE(host.to(1).contains("CMD_playerdisconnected+2+Bob"));
    EXPECT_EQ(host.connect(), 2);
    host.forget();
    const int slot = rejoinWith(newcomersKey, "Bob");
    EXPECT_TRUE(host.to(slot).contains("CMD_rejoinrefused+"));
    EXPECT_TRUE(host.state().player(2).inuse);
    EXPECT_EQ(host.connections.closed.last(), 2); // nothing closed since the removal
}

// A game ends with Bob held: his seat is scored as it stands and he may still
// take it back. The next game's keys are new: a key of the last game opens
// nothing, and in "nine" a held seat's turns are skipped.
TEST_F(HeldSeats, TheGameEndsWhileASeatIsHeldAndKeysLiveForOneGame) {
    seatAnnBobCid();
    start("most");
    const std::array<QString, 4> firstKeys = {QString(), keyOf(1), keyOf(2), keyOf(3)};
    for (int finder : {2, 2, 2, 2}) {
        guess(finder, hidden());
        host.tick(6);
    }
    host.session.connectionClosed(2);
    // Four balls each for Ann and Cid would still win; after these no one can catch Bob.
    for (int finder : {1, 3, 1, 3}) {
        guess(finder, hidden());
        host.tick(6);
    }
    EXPECT_FALSE(host.state().gameon);
    EXPECT_TRUE(host.to(1).contains("CMD_winner+2+"));
    EXPECT_TRUE(host.state().player(2).away);

    // Bob takes his seat back after the game: no game to show, no key to keep.
    host.forget();
    const int slot = rejoinWith(firstKeys[2]);
    EXPECT_EQ(slot, 4);
    const QStringList bobSees = host.to(2);
    ASSERT_FALSE(bobSees.isEmpty());
    EXPECT_EQ(bobSees.first(), "CMD_rejoined+2");
    EXPECT_TRUE(bobSees.filter("CMD_gamestats").isEmpty());
    EXPECT_TRUE(bobSees.filter("CMD_rejoinkey").isEmpty());
    EXPECT_TRUE(host.to(3).contains(backLine("Bob")));

    start("nine");
    const int onTurn = host.state().currentseat;
    ASSERT_GE(onTurn, 1);
    const QString newKey = keyOf(onTurn);
    host.session.connectionClosed(onTurn); // without Klot its rows run out
    for (int row = 1; row <= 5; ++row)
        host.tick(23);
    host.tick(6);
    EXPECT_TRUE(host.state().wordopen);
    EXPECT_NE(host.state().currentseat, onTurn);
    EXPECT_NE(host.state().currentseat, 0);

    host.forget();
    const int stale = rejoinWith(firstKeys[size_t(onTurn)]);
    EXPECT_TRUE(host.to(stale).contains("CMD_rejoinrefused+"));
    rejoinWith(newKey);
    EXPECT_TRUE(host.state().player(onTurn).connected());
    EXPECT_TRUE(host.to(onTurn).contains(
        QStringLiteral("CMD_nextplayer+%1+1+").arg(host.state().currentseat)));
}

// The player comes back in the pause after a word, and again in the word's
// last row: the board shows its own rows, and it plays the row it is back in.
// Back from a drop, the player hears what it missed of the game, and which
// rows of the word in play Klot played for it; nothing it saw itself.
TEST_F(HeldSeats, BackFromADropThePlayerHearsWhatItMissedAndWhichRowsKlotPlayed) {
    seedProcessRandom(2); // words and Klot's guesses with which Klot finds none
    seatAnnBobCid();
    start("most", true);
    const QString seen = hidden();
    guess(1, seen);
    host.tick(6); // the next word
    const QString key = keyOf(2);
    host.session.connectionClosed(2);
    host.session.computertimerTimer(); // Klot guesses for the held seat
    ASSERT_TRUE(host.state().wordopen) << "Klot found it: pick another seed";
    guess(1, wrongWord());
    guess(3, wrongWord());
    ASSERT_EQ(host.state().row, 2);
    const QString missed = hidden();
    guess(3, missed);
    host.tick(6);
    ASSERT_TRUE(host.state().wordopen);
    host.session.computertimerTimer(); // and in the next word's first row

    host.forget();
    rejoinWith(key, "Bob");
    const QStringList bobSees = host.to(2);
    const QString line = "CMD_chat+0+While you were away: %1 found %2 in row %3.|$00005E00";
    EXPECT_TRUE(bobSees.contains(line.arg("Cid", missed, "2"))) << bobSees.join('\n').toStdString();
    EXPECT_FALSE(bobSees.join('\n').contains(seen)); // found before he dropped
    EXPECT_EQ(bobSees.filter("CMD_stoodin+").join(' '), "CMD_stoodin+1+");
    // Only this word's rows: the stand-in of the word before is no longer on the board.
    const QStringList rows = bobSees.filter(QRegularExpression("^CMD_(yourletters|notvalid)\\+"));
    EXPECT_EQ(rows.size(), 1);
}

TEST_F(HeldSeats, ARejoinInThePauseBetweenWordsAndInTheLastRow) {
    seatAnnBobCid();
    host.holdClock.grace = 2500; // as under a time scale: the seconds are told rounded
    start("high");
    const QString firstKey = keyOf(2);
    guess(2, "BORED");
    for (int row = 1; row <= 5; ++row)
        host.tick(23);
    ASSERT_FALSE(host.state().wordopen);
    host.forget();
    host.session.connectionClosed(2);
    EXPECT_EQ(host.to(1).at(1), lostLine("Bob", 3));

    rejoinWith(firstKey);
    QStringList bobSees = host.to(2);
    EXPECT_TRUE(bobSees.contains(QStringLiteral("CMD_gamestats+high+6+1+%1+").arg(hidden()[0])))
        << bobSees.join('\n').toStdString();
    EXPECT_EQ(bobSees.filter("CMD_yourletters+").size(), 1);
    EXPECT_TRUE(bobSees.filter("CMD_yourletters+2+f+1+").size() == 1);
    EXPECT_TRUE(bobSees.filter("CMD_nextplayer").isEmpty()); // no row runs in the pause

    host.tick(6); // the next word
    ASSERT_TRUE(host.state().wordopen);
    const QString word = wrongWord();
    for (int row = 1; row <= 4; ++row) {
        guess(1, word);
        guess(2, row == 2 ? QStringLiteral("XYZZY") : word);
        guess(3, word);
    }
    ASSERT_EQ(host.state().row, 5);
    guess(1, word);
    const QString key = keyOf(2);
    host.session.connectionClosed(2);
    EXPECT_EQ(host.state().row, 5); // Cid has not guessed yet

    host.forget();
    rejoinWith(key);
    bobSees = host.to(2);
    const QStringList rows = bobSees.filter(QRegularExpression("^CMD_(yourletters|notvalid)\\+"));
    ASSERT_EQ(rows.size(), 4) << bobSees.join('\n').toStdString();
    EXPECT_TRUE(rows[0].startsWith("CMD_yourletters+2+f+1+"));
    EXPECT_EQ(rows[1], "CMD_notvalid+2+f+XYZZY+2+");
    EXPECT_TRUE(rows[2].startsWith("CMD_yourletters+2+f+3+"));
    EXPECT_TRUE(rows[3].endsWith("+" + word + "+"));
    EXPECT_TRUE(bobSees.contains("CMD_nextplayer+2+5+"));
    EXPECT_TRUE(bobSees.contains("CMD_submitted+1+"));
    EXPECT_FALSE(bobSees.contains("CMD_submitted+2+"));

    guess(2, word);
    EXPECT_EQ(host.state().row, 5); // the row waits for Cid again...
    guess(3, word);
    EXPECT_TRUE(host.to(2).contains(QStringLiteral("CMD_nooneguessed+%1+").arg(hidden())));
}

} // namespace
