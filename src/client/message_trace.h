#pragma once

#include <QString>

// Lets benchmarks and whole-program tests watch a running client from
// outside: with LUDOMYRA_TRACE set to a comma-separated list of command
// words, every handled host message with one of those words is written to
// stderr as "ludomyra-trace SECONDS MESSAGE", SECONDS on the monotonic
// clock that every process of the machine shares. Unset, it costs one
// lookup per message.
namespace messagetrace {

void handled(const QString& message);

} // namespace messagetrace
