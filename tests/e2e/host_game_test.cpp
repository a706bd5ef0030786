// A short game over real loopback sockets: `ludomyra --serve` with a fast clock,
// two raw clients that solve words from the marks they are sent, and a third
// connection that sends garbage, floods and forgeries while they play.
#include "host/guess_judge.h"
#include "host/word_lists.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The host's word lists are compiled into ludo_host; outside TServer this
// process registers them itself (and not from inside a namespace).
static QStringList builtInDictionary() {
    Q_INIT_RESOURCE(words);
    return WordLists::readWordFile(":/words/dictionary.txt");
}

namespace {

using hosttest::RawClient;

// A player that guesses the first (or last) dictionary word that fits every
// mark it has been shown for the current word.
class SolvingPlayer {
public:
    SolvingPlayer(quint16 port, const QString& name, bool fromTheBack)
        : client(port), name(name), fromTheBack(fromTheBack) {}

    void logIn() { slot = QString::number(client.logIn(name)); }

    // Answers every message that came since the last call.
    void play() {
        const QStringList& messages = client.messages();
        for (; seen < messages.size(); ++seen)
            handle(messages.at(seen).split(u'+'));
    }

    RawClient client;
    QString name;
    QString slot;
    QStringList finds;    // "slot+WORD" of every CMD_heguessed
    int checkedMarks = 0; // marks compared with the revealed word
    QStringList wrongMarks;

private:
    void handle(const QStringList& f) {
        const QString& command = f.at(0);
        if (command == "CMD_loadball") {
            candidates.clear();
            for (const QString& word : dictionary())
                if (word.startsWith(f.at(2).toLower()))
                    candidates.append(word.toUpper());
            shown.clear();
        } else if (command == "CMD_nextplayer" && f.at(1) == slot && !candidates.isEmpty()) {
            const QString guess = fromTheBack ? candidates.takeLast() : candidates.takeFirst();
            client.send("CMD_myword+" + slot + "+" + guess + "+");
        } else if (command == "CMD_yourletters" && f.at(1) == slot && f.at(2) == "f") {
            const QString marks = f.at(4), word = f.at(5);
            shown.append({word, marks});
            candidates.removeIf(
                [&](const QString& candidate) { return lettermarks(word, candidate) != marks; });
        } else if (command == "CMD_heguessed") {
            finds.append(f.at(1) + "+" + f.at(2));
            checkShownMarks(f.at(2));
        } else if (command == "CMD_nooneguessed") {
            checkShownMarks(f.at(1));
        }
    }
    void checkShownMarks(const QString& hidden) {
        for (const auto& [word, marks] : shown) {
            ++checkedMarks;
            if (lettermarks(word, hidden) != marks)
                wrongMarks.append(word + " " + marks + " for " + hidden);
        }
        shown.clear();
    }
    static const QStringList& dictionary() {
        static const QStringList words = builtInDictionary();
        return words;
    }

    bool fromTheBack;
    qsizetype seen = 0;
    QStringList candidates;
    QList<std::pair<QString, QString>> shown;
};

class HostGame : public ::testing::Test {
protected:
    void SetUp() override {
        // A row of 23 ticks lasts under half a second.
        QProcessEnvironment env = fastHostEnvironment(home, 0.02);
        ASSERT_FALSE(env.isEmpty());
        env.insert("LUDOMYRA_SEED", "7772");
        host = std::make_unique<ServeProcess>(env);
        hostPort = host->start();
        ASSERT_NE(hostPort, 0);
    }
    quint16 port() const { return hostPort; }

    QTemporaryDir home;
    std::unique_ptr<ServeProcess> host;
    quint16 hostPort = 0;
};

bool gameOver(RawClient& client) {
    for (const QString& message : client.messages())
        if (message.startsWith("CMD_winner+") || message.startsWith("CMD_tiegame+"))
            return true;
    return false;
}

TEST_F(HostGame, TwoClientsPlayAMostBallsGameToItsEndWhileAThirdMisbehaves) {
    ASSERT_EQ(builtInDictionary().size(), 8620); // the players solve from it
    SolvingPlayer ann(port(), "Ann", false);
    ann.logIn();
    SolvingPlayer bob(port(), "Bob", true);
    bob.logIn();
    ASSERT_EQ(ann.slot, "1");
    ASSERT_EQ(bob.slot, "2");
    ASSERT_TRUE(bob.client.waitFor("CMD_existingplayers+1+Ann+0"));

    ann.client.send("CMD_startgame+Ann+most+1+");
    ASSERT_TRUE(bob.client.waitFor("CMD_startgame+Ann+most+1+"));

    RawClient eve(port());
    ASSERT_EQ(eve.logIn("Eve"), 3);
    ASSERT_TRUE(eve.waitFor("CMD_newplayerinfo+3+Eve+0"));
    eve.send("CMD_startgame+Eve+high+1+"); // not the host player
    eve.send("CMD_myword+1+ABOUT+");       // not her slot
    eve.sendBytes("\xFF\xFFgarbage\xFF+\xFF"
                  "CMD_chat+abc\xFF");
    eve.sendBytes(QByteArray(70000, 'x')); // never ends

    const bool over = testsupport::waitFor(
        [&] {
            ann.play();
            bob.play();
            return gameOver(ann.client) && gameOver(bob.client);
        },
        90000);
    ASSERT_TRUE(over);
    EXPECT_TRUE(eve.closedByHost());
    EXPECT_TRUE(ann.client.messages().contains("CMD_playerdisconnected+3+Eve"));
    EXPECT_EQ(ann.client.messages().filter("CMD_startgame+").size(), 1); // Eve's was dropped

    // Both saw the same finds, enough to end a "most" game, each found with
    // its own last guess; every mark shown agrees with the word revealed.
    EXPECT_EQ(ann.finds, bob.finds);
    EXPECT_GE(ann.finds.size(), 5);
    EXPECT_LE(ann.finds.size(), 9);
    EXPECT_TRUE(ann.wrongMarks.isEmpty()) << ann.wrongMarks.join(", ").toStdString();
    EXPECT_TRUE(bob.wrongMarks.isEmpty()) << bob.wrongMarks.join(", ").toStdString();
    EXPECT_GT(ann.checkedMarks + bob.checkedMarks, ann.finds.size());
    EXPECT_TRUE(host->terminate());
}

} // namespace
