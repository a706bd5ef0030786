#pragma once

#include <QString>

// Socket errors are reported with the classic Windows Sockets codes and names, so
// that every platform shows the same texts ("Error #10061 (WSAECONNREFUSED)").

// The symbolic name of a Windows Sockets code; "UNKNOWN ERROR" for any other code.
QString socketErrorName(int wsaCode);

// The Windows Sockets code for an errno value (ECONNREFUSED -> 10061); an errno
// without a counterpart is returned unchanged (and so has no name).
int wsaErrorFromErrno(int err);

// wsaErrorFromErrno(errno).
int lastErrorCode();

// "Error #10054 (WSAECONNRESET)".
QString socketErrorText(int wsaCode);
