#include "client/board.h"

// Each handler is filled by the guess board.
void Board::loadball(const QString&) {}
void Board::getnextplayer(const QString&) {}
void Board::submitted(const QString&) {}
void Board::yourletters(const QString&) {}
void Board::notvalid(const QString&) {}
void Board::timeup(const QString&) {}
void Board::nooneguessed(const QString&) {}
void Board::heguessed(const QString&) {}
void Board::wordlist(const QString&) {}
