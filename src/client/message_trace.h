#pragma once

#include <QString>
#include <QStringList>

// Lets benchmarks and whole-program tests watch a running client from
// outside: with LUDOMYRA_TRACE set to a comma-separated list of command
// words, every handled host message with one of those words is written to
// stderr as "ludomyra-trace SECONDS MESSAGE", SECONDS on the monotonic
// clock that every process of the machine shares. Unset, it costs one
// lookup per message.
namespace messagetrace {

void handled(const QString& message);

// What the window shows of itself, in the same form: the word, then the
// parts, joined by "+" ("system+You are Connected.", "choices+WHY+Close").
void shown(const QString& word, const QStringList& parts);

} // namespace messagetrace
