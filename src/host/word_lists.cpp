#include "host/word_lists.h"

#include "common/random.h"

#include <QFile>
#include <QStringTokenizer>

WordLists::WordLists(const QStringList& hiddenWords, const QStringList& dictionary)
    : lists_(indexed(hiddenWords, dictionary)) {}

WordLists::WordLists(std::function<Lists()> source) : source_(std::move(source)) {}

WordLists::Lists WordLists::indexed(const QStringList& hiddenWords, const QStringList& dictionary) {
    Lists lists{hiddenWords, dictionary, hiddenWords, {}, {}};
    lists.spellerLookup.reserve(dictionary.size());
    for (const QString& word : dictionary) {
        const QString lower = word.toLower();
        lists.spellerLookup.insert(lower);
        if (!lower.isEmpty())
            lists.spellerByInitial[lower.front()].append(lower);
    }
    return lists;
}

WordLists WordLists::builtIn() {
    return WordLists([] {
        return indexed(readWordFile(QStringLiteral(":/words/hidden.txt")),
                       readWordFile(QStringLiteral(":/words/dictionary.txt")));
    });
}

WordLists::Lists& WordLists::lists() const {
    if (source_) {
        lists_ = source_();
        source_ = nullptr;
    }
    return lists_;
}

// Read whole and cut in place: a line-by-line text stream made this a
// noticeable part of start-up.
QStringList WordLists::readWordFile(const QString& path) {
    QStringList words;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return words;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        const QStringView word = line.trimmed();
        if (!word.isEmpty())
            words.append(word.toString().toLower());
    }
    return words;
}

QString WordLists::drawWord() {
    Lists& all = lists();
    if (all.words.size() < 2)
        all.words.append(all.backup.mid(1));
    if (all.words.isEmpty()) // a backup of one word: keep playing it rather than draw from nothing
        all.words = all.backup;
    if (all.words.isEmpty())
        return QString();
    const int index = randomBelow(static_cast<int>(all.words.size()));
    return all.words.takeAt(index).toUpper();
}

bool WordLists::isInDictionary(const QString& word) const {
    return lists().spellerLookup.contains(word.toLower());
}

const QStringList& WordLists::dictionaryWordsStartingWith(QChar letter) const {
    static const QStringList none;
    const QHash<QChar, QStringList>& byInitial = lists().spellerByInitial;
    const auto found = byInitial.constFind(letter.toLower());
    return found == byInitial.constEnd() ? none : *found;
}
