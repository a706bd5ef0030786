#include "client/message_trace.h"

#include <QSet>
#include <cstdio>
#include <ctime>

namespace messagetrace {

namespace {

QSet<QString> tracedCommands() {
    QSet<QString> commands;
    for (const QString& word : qEnvironmentVariable("LUDOMYRA_TRACE").split(u','))
        if (!word.trimmed().isEmpty())
            commands.insert(word.trimmed());
    return commands;
}

const QSet<QString>& traced() {
    static const QSet<QString> commands = tracedCommands();
    return commands;
}

void write(const QString& message) {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "ludomyra-trace %lld.%06ld %s\n", static_cast<long long>(now.tv_sec),
                 now.tv_nsec / 1000, message.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

void handled(const QString& message) {
    if (traced().isEmpty() || !traced().contains(message.section(u'+', 0, 0)))
        return;
    write(message);
}

void shown(const QString& word, const QStringList& parts) {
    if (traced().contains(word))
        write((QStringList{word} + parts).join(u'+'));
}

} // namespace messagetrace
