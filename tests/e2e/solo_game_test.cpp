// Whole solo games in the real windows, played from the keyboard against
// Klot on fast clocks: the game is started from the game options window,
// every own turn is typed into the five edits, and the finished game ends up
// in the tally file.
#include "app/app_windows.h"
#include "app/join_addresses.h"
#include "client/board/guess_row.h"
#include "client/board/word_list_panel.h"
#include "event_wait.h"
#include "host/letter_marks.h"
#include "host/word_lists.h"
#include "net/tsock.h"
#include "program_environment.h"
#include "raw_client.h"
#include "tally/ttallylist.h"
#include "tchat_probe.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using testsupport::waitFor;

class Yes : public TallyPrompts {
    bool confirm(QWidget*, const QString&) override { return true; }
    void inform(QWidget*, const QString&) override {}
};

class SoloGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        home.set("LUDOMYRA_PORT", "0");
        home.set("LUDOMYRA_TIME_SCALE", "0.02");
    }
    // Shows a solo game's window without sounds (no sound card on CI) and
    // waits until the player is seated.
    static bool seatedInASoloGame(AppWindows& windows) {
        const TchatProbe probe(windows.chat);
        probe.sounds().player = [](const QString&) {
        };
        windows.chat.show();
        return waitFor([&] { return probe.state().connected && probe.model().occupied(1); }, 10000);
    }
    static void typeWord(GuessRow* row, const QString& word) {
        for (int c = 1; c <= 5; ++c)
            QTest::keyClick(row->edit(c), word[c - 1].toLower().toLatin1());
        QTest::keyClick(row->edit(5), Qt::Key_Return);
    }
    testsupport::ProgramEnvironment home;
};

TEST_F(SoloGame, PlayedFromTheKeyboardToItsWinnerAndCountedInTheTally) {
    const QStringList guesses = {"HOUSE", "CRANE", "PLANT", "MONEY", "STORE", "LIGHT"};
    int typed = 0;
    QString banner;
    {
        AppWindows windows(QStringList{}); // no arguments: a solo game
        Tchat& chat = windows.chat;
        const TchatProbe probe(chat);
        ASSERT_TRUE(seatedInASoloGame(windows));

        probe.menu().Fast1->trigger();
        chat.gameChoice().gametype = 1; // high score: Klot wins after at most nine words
        chat.gameChoice().botoff = 0;
        probe.menu().StartGame1->trigger();
        auto* start = windows.gamestart().findChild<QLabel*>("button_start");
        ASSERT_TRUE(start);
        ASSERT_TRUE(waitFor([&] { return windows.gamestart().isVisible(); }, 5000));
        QTest::keyClick(start, Qt::Key_Return);

        GuessRow* row = probe.board().guessRow();
        QElapsedTimer clock;
        clock.start();
        while (probe.table().bannerText().isEmpty() && clock.elapsed() < 50000) {
            waitFor(
                [&] {
                    return !probe.table().bannerText().isEmpty() ||
                           (probe.state().turnseat == probe.state().myseat &&
                            row->look() == GuessRow::Look::Open);
                },
                2000);
            if (probe.table().bannerText().isEmpty() &&
                probe.state().turnseat == probe.state().myseat &&
                row->look() == GuessRow::Look::Open)
                typeWord(row, guesses[typed++ % guesses.size()]);
        }
        banner = probe.table().bannerText();
        EXPECT_TRUE(probe.chatText().contains("You have started a game."));
    } // closing the windows writes the tally
    ASSERT_FALSE(banner.isEmpty()) << "no winner within the time";
    EXPECT_TRUE(banner.endsWith(" has Won the Game!") || banner.endsWith(" have Won!"));
    EXPECT_GT(typed, 0);
    RecordProperty("banner", banner.toStdString());
    RecordProperty("typed", typed);

    Yes prompts;
    Ttallylist tally(home.filePath("Ludomyratally.tld"), prompts);
    const qint64 games = tally.scores().count(TallyGrid::kMyGames, 0);
    EXPECT_EQ(games, banner.endsWith(" have Won!") ? 0 : 1);
}

// The address the listener is bound to, in host byte order.
quint32 boundAddress(const TSock& listener) {
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(listener.SocketHandle(), reinterpret_cast<sockaddr*>(&bound), &length) != 0)
        return INADDR_NONE;
    return ntohl(bound.sin_addr.s_addr);
}

bool connects(const QHostAddress& address, quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address.toIPv4Address());
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    ::close(fd);
    return connected;
}

// A solo game is for this computer alone: no other computer reaches its
// host, nothing invites one, and a stranger's bare connection in seat 2
// that goes again is not told as Klot leaving.
TEST_F(SoloGame, IsOpenToThisComputerAloneAndABareVisitInKlotsSeatNamesNobody) {
    AppWindows windows(QStringList{});
    const TchatProbe probe(windows.chat);
    ASSERT_TRUE(seatedInASoloGame(windows));
    const TSock& listener = windows.host.server()->Sock1();
    EXPECT_EQ(boundAddress(listener), quint32(INADDR_LOOPBACK));
    for (const QHostAddress& address : joinaddresses::ofThisComputer())
        EXPECT_FALSE(connects(address, listener.localPort())) << address.toString().toStdString();
    EXPECT_FALSE(probe.menu().CopyInviteLink1->isEnabled());
    windows.startup.copyInviteLink();
    EXPECT_FALSE(probe.chatText().contains("can join")) << probe.chatText().toStdString();
    EXPECT_FALSE(probe.chatText().contains("Invite link"));

    probe.menu().Fast1->trigger();
    windows.chat.gameChoice().botoff = 0;
    probe.menu().StartGame1->trigger();
    ASSERT_TRUE(waitFor([&] { return windows.gamestart().isVisible(); }, 5000));
    QTest::keyClick(windows.gamestart().findChild<QLabel*>("button_start"), Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return probe.seats().nameLabel(2)->text() == "Klot"; }, 5000));
    {
        testsupport::RawClient bare(listener.localPort());
        ASSERT_TRUE(bare.waitFor("CMD_sendlogininfo+2"));
    }
    const HostState& host = windows.host.server()->state();
    ASSERT_TRUE(waitFor([&] { return !host.player(2).inuse; }, 5000));
    // The next arrival in seat 2 is told after whatever the host said of the first.
    testsupport::RawClient next(listener.localPort());
    ASSERT_EQ(next.logIn("Zed"), 2);
    ASSERT_TRUE(waitFor([&] { return probe.chatText().contains("Zed is Connected."); }, 5000));
    EXPECT_FALSE(probe.chatText().contains("disconnected.")) << probe.chatText().toStdString();
}

// A dictionary word with the hidden word's first letter, not the word itself
// and not tried yet, preferably one that the two marks rules mark differently.
QString guessFor(const QString& hidden, const QStringList& dictionary, const QStringList& tried) {
    QString plain;
    for (const QString& entry : dictionary) {
        const QString word = entry.toUpper();
        if (word.front() != hidden.front() || word == hidden || tried.contains(word))
            continue;
        if (lettermarks(word, hidden, MarksRule::Exact) !=
            lettermarks(word, hidden, MarksRule::Classic))
            return word;
        if (plain.isEmpty())
            plain = word;
    }
    return plain;
}

// The marks drawn in the board row that shows this guess, "s", "c" or "x" per
// letter; empty while no row shows it.
QString marksShownFor(const Board& board, const QString& guess) {
    for (int row = 1; row <= Board::kRows; ++row) {
        QString letters, marks;
        for (int column = 1; column <= Board::kColumns; ++column) {
            letters += board.cell(row, column)->text().toUpper();
            const char mark = board.markAt(row, column);
            marks += mark ? QChar(mark) : QChar('x');
        }
        if (letters == guess)
            return marks;
    }
    return QString();
}

// The finder's word list holds Klot's rows, the last of them the word: every
// row must agree with the exact marks of each row before it.
QStringList klotContradictions(const QStringList& rows) {
    QStringList contradictions;
    for (qsizetype later = 1; later < rows.size(); ++later) {
        for (qsizetype earlier = 0; earlier < later; ++earlier) {
            const QString seen = lettermarks(rows[earlier], rows.last(), MarksRule::Exact);
            if (lettermarks(rows[earlier], rows[later], MarksRule::Exact) != seen)
                contradictions.append(rows[later] + " after " + rows[earlier] + " " + seen);
        }
    }
    return contradictions;
}

// The table's rules chosen in the game options window: Klot plays fair and
// marks are exact. The player guesses words that the two rules mark
// differently where there are any; the board must show the exact marks, and
// every word Klot finds must have been found from the marks alone.
TEST_F(SoloGame, AgainstAFairKlotWithExactMarksToItsWinner) {
    home.set("LUDOMYRA_TIME_SCALE", "0.05"); // pauses long enough to read the word lists
    AppWindows windows(QStringList{});       // no arguments: a solo game
    Tchat& chat = windows.chat;
    const TchatProbe probe(chat);
    ASSERT_TRUE(seatedInASoloGame(windows));
    const QStringList dictionary = WordLists::readWordFile(":/words/dictionary.txt");
    ASSERT_FALSE(dictionary.isEmpty());

    probe.menu().Fast1->trigger();
    chat.gameChoice().gametype = 2; // most balls: five finds end it
    probe.menu().StartGame1->trigger();
    Tgamestart& options = windows.gamestart();
    ASSERT_TRUE(waitFor([&] { return options.isVisible(); }, 5000));
    for (const char* choice : {"klot_fair", "marks_exact"})
        QTest::mouseClick(options.findChild<QAbstractButton*>(choice), Qt::LeftButton);
    QTest::keyClick(options.findChild<QLabel*>("button_start"), Qt::Key_Return);

    GuessRow* row = probe.board().guessRow();
    const WordListPanel* klotRows = probe.board().wordListPanel();
    const auto myTurn = [&] {
        return probe.state().turnseat == probe.state().myseat &&
               row->look() == GuessRow::Look::Open;
    };
    QString hidden, lastKlotRows;
    QStringList tried, wrongMarks, contradictions;
    int marksChecked = 0, rulesDiffered = 0, klotFindsChecked = 0;
    const auto klotRowsShown = [&] {
        QStringList rows;
        // Loaded at CMD_wordlist; on these fast clocks the next word comes
        // before the shot is over and the panel would have opened.
        for (int r = 1; r <= 5 && klotRows->title() == "Klot"; ++r) {
            if (!klotRows->word(r).isEmpty())
                rows.append(klotRows->word(r));
        }
        return rows;
    };
    const auto newKlotRows = [&] {
        const QStringList rows = klotRowsShown();
        return !rows.isEmpty() && rows.join(' ') != lastKlotRows;
    };
    QElapsedTimer clock;
    clock.start();
    while (probe.table().bannerText().isEmpty() && clock.elapsed() < 60000) {
        waitFor([&] { return !probe.table().bannerText().isEmpty() || myTurn() || newKlotRows(); },
                2000);
        if (newKlotRows()) {
            const QStringList rows = klotRowsShown();
            lastKlotRows = rows.join(' ');
            ++klotFindsChecked;
            contradictions += klotContradictions(rows);
        }
        if (!probe.table().bannerText().isEmpty() || !myTurn())
            continue;
        if (windows.host.server()->state().hiddenword != hidden) {
            hidden = windows.host.server()->state().hiddenword;
            tried.clear();
        }
        const QString guess = guessFor(hidden, dictionary, tried);
        ASSERT_FALSE(guess.isEmpty()) << hidden.toStdString();
        tried.append(guess);
        typeWord(row, guess);
        // Klot may have found the word first: then the guess goes unjudged.
        waitFor([&] { return !marksShownFor(probe.board(), guess).isEmpty() || newKlotRows(); },
                2000);
        if (marksShownFor(probe.board(), guess).isEmpty())
            continue;
        const QString exact = lettermarks(guess, hidden, MarksRule::Exact);
        ++marksChecked;
        rulesDiffered += exact != lettermarks(guess, hidden, MarksRule::Classic);
        if (marksShownFor(probe.board(), guess) != exact)
            wrongMarks.append(guess + " " + marksShownFor(probe.board(), guess) + " for " + hidden);
    }
    const QString chatText = probe.chatText();
    EXPECT_TRUE(chatText.contains("Table rules: exact marks, Klot plays fair."))
        << chatText.toStdString();
    EXPECT_EQ(probe.table().bannerText(), "Klot has Won the Game!");
    EXPECT_TRUE(wrongMarks.isEmpty()) << wrongMarks.join("; ").toStdString();
    EXPECT_GE(marksChecked, 5);
    EXPECT_GE(rulesDiffered, 1);
    EXPECT_TRUE(contradictions.isEmpty()) << contradictions.join("; ").toStdString();
    EXPECT_GE(klotFindsChecked, 3);
    RecordProperty("marks_checked", marksChecked);
    RecordProperty("klot_finds_checked", klotFindsChecked);
    // The ticks are kept for the next game.
    EXPECT_EQ(chat.gameChoice().botfair, 1);
    EXPECT_EQ(chat.gameChoice().exactmarks, 1);
}

} // namespace
