#pragma once

// `ludomyra --serve`: the game host alone, without windows, until SIGINT or
// SIGTERM. Returns the process's exit code.
int runHeadlessHost(int argc, char** argv);
