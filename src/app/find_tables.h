#pragma once

// `ludomyra --find-tables [ADDRESS]`: asks ADDRESS, or every broadcast
// address and the IPv6 all-nodes group, for the tables there and prints one
// tab-separated line for each that answers: address, game port, name, seats
// taken of five, spies of four, and "waiting" or "playing" and the game type.
// Exit code 0 when any table answered, 1 when none did, 2 for bad arguments.
inline constexpr char kFindTablesOption[] = "--find-tables";
int runFindTables(int argc, char** argv);
