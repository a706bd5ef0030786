#include "common/random.h"
#include "host/word_lists.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// 2460 distinct lower-case words, "abets" first, like the built-in hidden list.
QStringList fullSizeHiddenList() {
    QStringList words{QStringLiteral("abets")};
    for (int n = 0; words.size() < 2460; ++n) {
        QString word = QStringLiteral("b");
        for (int k = n, i = 0; i < 4; ++i, k /= 26)
            word.append(QChar(u'a' + k % 26));
        words.append(word);
    }
    return words;
}

TEST(WordLists, EveryWordIsDrawnOnceThenTheListIsRefilledWithoutItsFirstEntry) {
    seedProcessRandom(99);
    const QStringList hidden = fullSizeHiddenList();
    WordLists lists(hidden, hidden);

    QSet<QString> drawn;
    for (int i = 0; i < 2459; ++i) {
        const QString word = lists.drawWord();
        EXPECT_EQ(word, word.toUpper());
        drawn.insert(word.toLower());
    }
    EXPECT_EQ(drawn.size(), 2459);
    ASSERT_EQ(lists.listbox_words().size(), 1);
    const QString survivor = lists.listbox_words().first();
    EXPECT_FALSE(drawn.contains(survivor));

    // The next draw refills: the survivor plus the backup from its second entry on.
    const QString next = lists.drawWord().toLower();
    QStringList afterRefill = lists.listbox_words();
    afterRefill.append(next);
    afterRefill.sort();
    QStringList expected = hidden.mid(1);
    expected.append(survivor);
    expected.sort();
    EXPECT_EQ(afterRefill, expected);
    EXPECT_EQ(afterRefill.count(QStringLiteral("abets")), survivor == "abets" ? 1 : 0);
    EXPECT_EQ(lists.listbox_backup(), hidden);
}

TEST(WordLists, DictionaryLookupIgnoresCaseAndMatchesWholeEntries) {
    WordLists lists({"bread"}, {"bread", "Crane"});
    EXPECT_TRUE(lists.isInDictionary("BREAD"));
    EXPECT_TRUE(lists.isInDictionary("bReAd"));
    EXPECT_TRUE(lists.isInDictionary("crane"));
    EXPECT_FALSE(lists.isInDictionary("BRAED"));
    EXPECT_FALSE(lists.isInDictionary("BREA"));
    EXPECT_FALSE(lists.isInDictionary("BREADS"));
    EXPECT_EQ(lists.dictionaryWordsStartingWith(u'C'), QStringList{"crane"});
    EXPECT_TRUE(lists.dictionaryWordsStartingWith(u'x').isEmpty());
}

TEST(WordLists, WordFilesAreReadOneLowerCaseWordPerLine) {
    QTemporaryDir dir;
    QFile file(dir.filePath("words.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("abets\r\nBread\n\n  crane  \n");
    file.close();
    EXPECT_EQ(WordLists::readWordFile(file.fileName()), QStringList({"abets", "bread", "crane"}));
    EXPECT_TRUE(WordLists::readWordFile(dir.filePath("missing.txt")).isEmpty());
}

TEST(WordLists, AOneWordListKeepsDrawingThatWord) {
    WordLists lists({"bread"}, {"bread"});
    EXPECT_EQ(lists.drawWord(), "BREAD");
    EXPECT_EQ(lists.drawWord(), "BREAD");
}

} // namespace
