#pragma once

#include <QString>
#include <QtGlobal>

// Settings that come from the environment (see README): the game and discovery ports, the
// folder of glenmorra.ini and the tally, the clock scale and the random seed.
namespace environment {

inline constexpr quint16 kDefaultGamePort = 7772;
inline constexpr quint16 kDefaultDiscoveryPort = 7773;

// LUDOMYRA_PORT, else 7772. Returned as text because sockets take port names.
QString gamePortName();

// LUDOMYRA_DISCOVERY_PORT (0..65535), else 7773: the UDP port on which hosts
// answer "tables on this network" queries. 0 takes any free port, where no
// finder looks: tests run hosts that nobody else should find.
quint16 discoveryPort();

// LUDOMYRA_HOME if set; else the program's folder when writable; else the
// per-user data folder (created on demand).
QString homeDir();

// Where glenmorra.ini lives: LUDOMYRA_HOME if set; else the program's folder
// when writable; else the per-user configuration folder.
QString settingsDir();
QString settingsFile();

// The full path of a file in homeDir().
QString homeFile(const QString& fileName);

// LUDOMYRA_TIME_SCALE (a positive number, default 1): multiplies game clocks.
double timeScale();

// A clock interval after scaling, at least 1 ms.
int scaledInterval(int milliseconds);

} // namespace environment
