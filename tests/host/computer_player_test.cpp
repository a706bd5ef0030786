#include "qstring_printer.h"
#include "rules_harness.h"

#include <cmath>
#include <cstdio>
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

namespace {

// How many of positions 2 to 5 hold the same letter in both words.
int matchesAfterTheFirst(const QString& a, const QString& b) {
    int matches = 0;
    for (int i = 1; i < 5; ++i)
        matches += a.at(i) == b.at(i);
    return matches;
}

// A fair Klot against the real word lists, a few hundred words under each marks
// rule: it never guesses a word that contradicts a mark it was shown, its first
// guess knows no more than the first letter, and it usually finds the word.
TEST(FairKlot, PlaysFromTheMarksAloneAndUsuallyFindsTheWord) {
    constexpr int kWords = 200;
    const QStringList hidden = builtInWordList("hidden");
    const QStringList dictionary = builtInWordList("dictionary");
    ASSERT_EQ(hidden.size(), 2460);
    for (const MarksRule rule : {MarksRule::Classic, MarksRule::Exact}) {
        const char* ruleName = rule == MarksRule::Exact ? "exact" : "classic";
        RulesHarness host(hidden, dictionary);
        host.options.botfair = true;
        host.options.exactmarks = rule == MarksRule::Exact;
        QStringList contradictions;
        double firstMatches = 0, chanceMatches = 0, chanceVariance = 0;
        int found = 0, rowsToFind = 0;
        for (int n = 0; n < kWords; ++n) {
            const KlotWord word = host.klotPlaysAWord();
            ASSERT_FALSE(word.guesses.empty()) << word.hidden.toStdString();
            for (size_t later = 0; later < word.guesses.size(); ++later) {
                const JudgedGuess& guess = word.guesses[later];
                EXPECT_EQ(guess.word.front(), word.hidden.front());
                EXPECT_EQ(guess.marks, markLetters(guess.word, word.hidden, rule));
                for (size_t earlier = 0; earlier < later; ++earlier) {
                    const JudgedGuess& seen = word.guesses[earlier];
                    if (markLetters(seen.word, guess.word, rule) != seen.marks)
                        contradictions.append(guess.word + " after " + seen.word + " " +
                                              marks::text(seen.marks) + " for " + word.hidden);
                }
            }
            // Chance: the same first guess against every word that could have been hidden.
            const QString first = word.guesses.front().word;
            QList<int> spread;
            for (const QString& other : hidden) {
                if (other.front().toUpper() == first.front())
                    spread.append(matchesAfterTheFirst(first, other.toUpper()));
            }
            double mean = 0, square = 0;
            for (int matches : spread) {
                mean += matches;
                square += matches * matches;
            }
            mean /= spread.size();
            chanceMatches += mean;
            chanceVariance += square / spread.size() - mean * mean;
            firstMatches += matchesAfterTheFirst(first, word.hidden);
            if (word.found()) {
                ++found;
                rowsToFind += int(word.guesses.size());
            }
        }
        EXPECT_TRUE(contradictions.isEmpty())
            << ruleName << ": " << contradictions.mid(0, 5).join("; ").toStdString();
        EXPECT_LE(firstMatches, chanceMatches + 4 * std::sqrt(chanceVariance))
            << ruleName << ": first guesses matched " << firstMatches << " letters, chance "
            << chanceMatches;
        const double share = double(found) / kWords;
        const double averageRows = found ? double(rowsToFind) / found : 0;
        EXPECT_GE(share, 0.8) << ruleName;
        ::testing::Test::RecordProperty(std::string(ruleName) + "_found_within_five_rows",
                                        std::to_string(share));
        ::testing::Test::RecordProperty(std::string(ruleName) + "_average_rows",
                                        std::to_string(averageRows));
        std::printf("fair Klot, %s marks: %d of %d words found, %.2f rows on average\n", ruleName,
                    found, kWords, averageRows);
    }
}

// In "nine" everybody sees every guess: a Klot that takes over the turn of a
// player who starts watching plays on from that player's marks.
TEST_F(ComputerPlayerTest, AFairStandInInNineUsesTheMarksEverybodySaw) {
    host.options.botfair = true;
    host.connect(1, "Ann");
    for (int game = 0; game < 10; ++game) {
        do
            host.start("nine", true);
        while (host.state.currentseat != 1);
        QList<std::pair<QString, QString>> shown;
        for (const QString& guess : QStringList{"BANDE", "BOOER"}) {
            if (guess == host.state.hiddenword)
                continue;
            host.guess(1, guess);
            shown.append({guess, host.state.player(1).marks});
        }
        host.state.player(1).watching = true;
        host.rules.referee.startComputerPlayer();
        const QString word = botGuess().first;
        ASSERT_FALSE(word.isEmpty());
        for (const auto& [guess, marks] : shown)
            EXPECT_EQ(lettermarks(guess, word), marks)
                << word.toStdString() << " after " << guess.toStdString();
    }
}

// A hidden word outside the dictionary leaves no word that agrees with the
// marks: Klot still guesses every untried word with the first letter, once.
TEST(FairKlot, WithNoAgreeingWordLeftItGuessesUntriedWords) {
    RulesHarness host({"bzzzz"}, {"baaaa", "baaab", "bcccc", "cbbbb"});
    host.options.botfair = true;
    const KlotWord word = host.klotPlaysAWord();
    QStringList guessed;
    for (const JudgedGuess& guess : word.guesses)
        guessed.append(guess.word);
    guessed.sort();
    EXPECT_EQ(guessed, QStringList({"BAAAA", "BAAAB", "BCCCC"}));
}

} // namespace
