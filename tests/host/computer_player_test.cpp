#include "rules_harness.h"

#include <gtest/gtest.h>

namespace {

// Every "b" word over a few letters, so that many words share each pattern.
QStringList manyBWords() {
    const QString letters = QStringLiteral("abdenor");
    QStringList words;
    for (QChar a : letters)
        for (QChar b : letters)
            for (QChar c : letters)
                for (QChar d : letters)
                    words.append(QString("b") + a + b + c + d);
    return words;
}

const QStringList kPatterns = {"sssxx", "sxxsx", "sxsxs"};

bool keepsLetters(const QString& word, const QString& hidden, const QString& marks) {
    for (int i = 0; i < 5; ++i) {
        if ((i == 0 || marks[i] == u's') && word[i] != hidden[i])
            return false;
    }
    return true;
}

// "Klot" alone at the table in "nine", watched from a spy slot that sees every guess.
class ComputerPlayerTest : public ::testing::Test {
protected:
    ComputerPlayerTest() : host({"bread", "board", "broad", "bored"}, manyBWords()) {
        host.connect(6, "Spy");
    }
    // The bot's guess as the spy sees it, with its marks; empty when it made none.
    std::pair<QString, QString> botGuess() {
        host.outbox.sent.clear();
        host.rules.bot.computertimerTimer();
        for (const QString& message : host.to(6)) {
            const QStringList fields = message.split(u'+');
            if (fields[0] == "CMD_yourletters")
                return {fields[5], fields[4]};
        }
        return {};
    }
    RulesHarness host;
};

TEST_F(ComputerPlayerTest, TheFirstGuessOfAWordFitsItsStartingPattern) {
    for (const QString& pattern : kPatterns) {
        host.start("nine", true);
        host.state.player(2).marks = pattern;
        const QString word = botGuess().first;
        EXPECT_TRUE(keepsLetters(word, host.state.hiddenword, pattern)) << word.toStdString();
    }
    for (int game = 0; game < 20; ++game) {
        host.start("nine", true);
        const QString word = botGuess().first;
        ASSERT_FALSE(word.isEmpty());
        EXPECT_TRUE(std::any_of(
            kPatterns.begin(), kPatterns.end(),
            [&](const QString& p) { return keepsLetters(word, host.state.hiddenword, p); }))
            << word.toStdString() << " for " << host.state.hiddenword.toStdString();
    }
}

TEST_F(ComputerPlayerTest, LaterGuessesKeepTheRightLettersAndNeverRepeatARow) {
    for (int game = 0; game < 10; ++game) {
        host.start("nine", true);
        QStringList played;
        QString previousMarks = "sxxxx"; // the first letter is always given
        for (int row = 1; row <= 5 && host.state.wordopen; ++row) {
            EXPECT_EQ(host.lastTo(6), QStringLiteral("CMD_nextplayer+2+%1+").arg(row));
            const auto [word, marks] = botGuess();
            ASSERT_FALSE(word.isEmpty()) << "row " << row;
            EXPECT_FALSE(played.mid(0, 4).contains(word));
            EXPECT_TRUE(keepsLetters(word, host.state.hiddenword, previousMarks));
            previousMarks = marks;
            played.append(word);
        }
    }
}

TEST_F(ComputerPlayerTest, APersonInSeatTwoIsReplacedOnlyWhileJustWatching) {
    host.connect(1, "Ann");
    host.connect(2, "Bob");
    host.start("high", true);
    EXPECT_EQ(host.clock.computerStarts, 0);
    host.rules.bot.computertimerTimer();
    EXPECT_FALSE(host.state.player(2).submitted);

    host.state.player(2).watching = true;
    host.guess(1, "BAAAA"); // Bob is not waited for
    EXPECT_EQ(host.clock.computerStarts, 1);
    host.outbox.sent.clear();
    host.rules.bot.computertimerTimer();
    const QStringList toBob = host.to(2);
    ASSERT_EQ(toBob.size() >= 2, true);
    EXPECT_EQ(toBob[0], "CMD_submitted+2+");
    EXPECT_TRUE(toBob[1].startsWith("CMD_yourletters+2+f+2+")) << toBob[1].toStdString();
}

TEST_F(ComputerPlayerTest, TheSearchEndsWhenNoWordCanFit) {
    RulesHarness lonely({"bzzzz"}, manyBWords()); // the hidden word is no dictionary word
    lonely.connect(1, "Ann");
    for (int countdown : {22, 2}) {
        lonely.start("high", true);
        lonely.state.player(2).marks = "sssxx";
        lonely.state.countdown = countdown;
        lonely.rules.bot.computertimerTimer();
        EXPECT_FALSE(lonely.state.player(2).submitted);
    }
}

TEST_F(ComputerPlayerTest, WithTimeLeftTheSearchGoesOnUntilTheOneFittingWord) {
    for (int game = 0; game < 5; ++game) {
        host.start("nine", true);
        host.state.player(2).marks = "sssss"; // only the hidden word fits
        EXPECT_EQ(botGuess().first, host.state.hiddenword);
    }
}

TEST_F(ComputerPlayerTest, TheComputerStandsInForTheNineTurnOfAWatchingSeat) {
    host.connect(1, "Ann");
    host.connect(3, "Cid");
    host.start("nine", true);
    while (host.state.currentseat == 2) {
        host.find(2);
        host.start("nine", true);
    }
    const int seat = host.state.currentseat;
    host.state.player(seat).watching = true;
    host.rules.referee.startComputerPlayer();
    host.outbox.sent.clear();
    host.rules.bot.computertimerTimer();
    EXPECT_EQ(host.to(6).first(), QStringLiteral("CMD_submitted+%1+").arg(seat));
}

} // namespace
