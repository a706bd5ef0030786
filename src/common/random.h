#pragma once

#include <QRandomGenerator>

// The process's one random generator, seeded from LUDOMYRA_SEED when set
// (repeatable games for tests and bug reports), else from the clock.
QRandomGenerator& processRandom();

// Reseeds it; tests use this to replay a game.
void seedProcessRandom(quint32 seed);

// A whole number from 0 to bound - 1 (bound > 0).
int randomBelow(int bound);
