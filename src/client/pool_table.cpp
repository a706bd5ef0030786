#include "client/pool_table.h"

// Each handler is filled by the pool table.
void PoolTable::startthegame(const QString&) {}
void PoolTable::winner(const QString&) {}
void PoolTable::tiegame(const QString&) {}
void PoolTable::impossible(const QString&) {}
void PoolTable::gamestats(const QString&) {}
void PoolTable::playerscores(const QString&) {}
void PoolTable::ballowners(const QString&) {}
void PoolTable::theyown(const QString&) {}
void PoolTable::moveballs() {}
