#pragma once

#include <QChar>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

// The host's three word lists, all in lower case: the words that can be
// hidden (listbox_words, which shrinks as words are drawn), the dictionary of
// valid guesses (speller, also the computer player's vocabulary) and the copy
// the hidden-word list is refilled from (listbox_backup).
class WordLists {
public:
    // listbox_backup starts as a copy of hiddenWords.
    WordLists(const QStringList& hiddenWords, const QStringList& dictionary);

    // The lists built into the program: ":/words/hidden.txt" and
    // ":/words/dictionary.txt". They are read at their first use, so that
    // starting the program does not wait for them.
    static WordLists builtIn();

    // One word per line, lower-cased, blank lines skipped; empty when the file cannot be read.
    static QStringList readWordFile(const QString& path);

    // Draws the next hidden word (in capitals) and removes it from listbox_words.
    // When fewer than two entries are left, the backup from its second entry on is
    // appended first, so the first backup word is never drawn again after a refill.
    QString drawWord();

    // Whether the word is a dictionary entry, without regard to letter case.
    bool isInDictionary(const QString& word) const;

    // The dictionary entries (lower case) that begin with the letter, any case.
    const QStringList& dictionaryWordsStartingWith(QChar letter) const;

    const QStringList& listbox_words() const { return lists().words; }
    const QStringList& speller() const { return lists().speller; }
    const QStringList& listbox_backup() const { return lists().backup; }

private:
    struct Lists {
        QStringList words;
        QStringList speller;
        QStringList backup;
        QSet<QString> spellerLookup;
        QHash<QChar, QStringList> spellerByInitial;
    };

    explicit WordLists(std::function<Lists()> source);
    static Lists indexed(const QStringList& hiddenWords, const QStringList& dictionary);
    // The lists, taken from their source at the first call.
    Lists& lists() const;

    mutable std::function<Lists()> source_;
    mutable Lists lists_;
};
