#include "common/random.h"

#include <QDateTime>

static QRandomGenerator makeGenerator() {
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("LUDOMYRA_SEED").toUInt(&ok);
    if (ok)
        return QRandomGenerator(seed);
    return QRandomGenerator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

QRandomGenerator& processRandom() {
    static QRandomGenerator generator = makeGenerator();
    return generator;
}

void seedProcessRandom(quint32 seed) {
    processRandom().seed(seed);
}

int randomBelow(int bound) {
    return static_cast<int>(processRandom().bounded(static_cast<quint32>(bound)));
}
