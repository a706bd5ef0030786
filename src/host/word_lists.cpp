#include "host/word_lists.h"

#include "common/random.h"

#include <QFile>
#include <QStringTokenizer>

WordLists::WordLists(const QStringList& hiddenWords, const QStringList& dictionary)
    : m_words(hiddenWords), m_speller(dictionary), m_backup(hiddenWords) {
    m_spellerLookup.reserve(m_speller.size());
    for (const QString& word : m_speller) {
        const QString lower = word.toLower();
        m_spellerLookup.insert(lower);
        if (!lower.isEmpty())
            m_spellerByInitial[lower.front()].append(lower);
    }
}

WordLists WordLists::builtIn() {
    return WordLists(readWordFile(QStringLiteral(":/words/hidden.txt")),
                     readWordFile(QStringLiteral(":/words/dictionary.txt")));
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
    if (m_words.size() < 2)
        m_words.append(m_backup.mid(1));
    if (m_words.isEmpty()) // a backup of one word: keep playing it rather than draw from nothing
        m_words = m_backup;
    if (m_words.isEmpty())
        return QString();
    const int index = randomBelow(static_cast<int>(m_words.size()));
    return m_words.takeAt(index).toUpper();
}

bool WordLists::isInDictionary(const QString& word) const {
    return m_spellerLookup.contains(word.toLower());
}

const QStringList& WordLists::dictionaryWordsStartingWith(QChar letter) const {
    static const QStringList none;
    const auto found = m_spellerByInitial.constFind(letter.toLower());
    return found == m_spellerByInitial.constEnd() ? none : *found;
}
