#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kWordsDir = QStringLiteral(LUDO_WORDS_DIR);

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// One word a line, every line ended by a newline.
QStringList wordsOf(const QByteArray& bytes) {
    QStringList words = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    if (!words.isEmpty() && words.last().isEmpty())
        words.removeLast();
    return words;
}

QStringList sourceList(const char* name) {
    return wordsOf(readAll(kWordsDir + QLatin1Char('/') + QLatin1String(name)));
}

QMap<QChar, int> countByInitial(const QStringList& words) {
    QMap<QChar, int> counts;
    for (const QString& word : words)
        ++counts[word.front()];
    return counts;
}

// Lower case, five ASCII letters, strictly ascending (so no repeats), and the
// file ends with a newline so the last word is not glued to anything.
void expectWellFormed(const char* name) {
    SCOPED_TRACE(name);
    const QByteArray bytes = readAll(kWordsDir + QLatin1Char('/') + QLatin1String(name));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.endsWith('\n'));

    static const QRegularExpression fiveLetters(QStringLiteral("^[a-z]{5}$"));
    const QStringList words = wordsOf(bytes);
    for (const QString& word : words)
        EXPECT_TRUE(fiveLetters.match(word).hasMatch()) << word.toStdString();
    const auto outOfOrder = std::adjacent_find(
        words.begin(), words.end(), [](const QString& a, const QString& b) { return a >= b; });
    EXPECT_TRUE(outOfOrder == words.end())
        << (outOfOrder == words.end() ? "" : outOfOrder->toStdString())
        << " is not before the next";
}

TEST(WordLists, BothFilesAreSortedUniqueLowerCaseFiveLetterWords) {
    expectWellFormed("hidden.txt");
    expectWellFormed("dictionary.txt");
}

TEST(WordLists, HiddenWordsRunFromAbetsToZonksWithTheirShareOfEachInitial) {
    const QStringList hidden = sourceList("hidden.txt");
    ASSERT_EQ(hidden.size(), 2460);
    EXPECT_EQ(hidden.first(), QStringLiteral("abets"));
    EXPECT_EQ(hidden.last(), QStringLiteral("zonks"));

    const QMap<QChar, int> initials = countByInitial(hidden);
    EXPECT_EQ(initials.value(QLatin1Char('s')), 269);
    EXPECT_EQ(initials.value(QLatin1Char('c')), 225);
    EXPECT_EQ(initials.value(QLatin1Char('b')), 202);
    EXPECT_EQ(initials.value(QLatin1Char('z')), 11);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (letter == 'x')
            EXPECT_FALSE(initials.contains(QLatin1Char(letter)));
        else
            EXPECT_GT(initials.value(QLatin1Char(letter)), 0) << "no hidden word on " << letter;
    }
}

TEST(WordLists, DictionaryHasItsShareOfEachInitialAndEveryHiddenWord) {
    const QStringList dictionary = sourceList("dictionary.txt");
    ASSERT_EQ(dictionary.size(), 8620);
    const QMap<QChar, int> initials = countByInitial(dictionary);
    EXPECT_EQ(initials.value(QLatin1Char('s')), 1056);
    EXPECT_EQ(initials.value(QLatin1Char('c')), 665);
    EXPECT_EQ(initials.value(QLatin1Char('b')), 589);

    for (const QString& word : sourceList("hidden.txt"))
        EXPECT_TRUE(std::binary_search(dictionary.begin(), dictionary.end(), word))
            << word.toStdString() << " cannot be guessed";
}

TEST(WordLists, ResourcesCarryTheSourceFilesUnchanged) {
    for (const char* name : {"hidden.txt", "dictionary.txt"}) {
        SCOPED_TRACE(name);
        const QByteArray built = readAll(QStringLiteral(":/words/") + QLatin1String(name));
        ASSERT_FALSE(built.isEmpty());
        // Compared as a whole: a byte dump of either list would drown the report.
        EXPECT_TRUE(built == readAll(kWordsDir + QLatin1Char('/') + QLatin1String(name)))
            << "the built-in list differs from the file in data/words";
    }
}

} // namespace
