#pragma once

// Lets the system notice a host that is gone without a word: a pulled cable,
// a sleeping laptop, a router that forgot the connection. Nothing of this
// reaches the host's game; the socket reports an error, which the window
// takes as a dropped connection.
namespace linkwatch {

void watch(int socketHandle);

} // namespace linkwatch
