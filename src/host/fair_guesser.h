#pragma once

#include <QString>

struct HostState;
class WordLists;

// How a fair Klot picks its guess: it knows only what a player in its seat
// knows, the hidden word's first letter and the marks of the seat's earlier
// guesses in this word (in "nine" the marks that everybody sees), and keeps the
// dictionary words that agree with every one of them under the table's marks
// rule. It guesses one of the few of them whose letters the others share most,
// at random; with none left, any untried dictionary word with the first letter.
// Empty when every such word has been tried.
QString fairGuess(const HostState& state, const WordLists& words, int seat);
