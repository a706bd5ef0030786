#pragma once

// `ludomyra --serve [--no-discovery]`: the game host alone, without windows,
// until SIGINT or SIGTERM. Returns the process's exit code.
inline constexpr char kNoDiscoveryOption[] = "--no-discovery";
int runHeadlessHost(int argc, char** argv);
