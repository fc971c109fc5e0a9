#pragma once

// Shuts down (both directions) the TCP connection of this process whose local
// port and peer port are the given ones, so that the peer sees the connection
// end at once. The HTTP library keeps the descriptor and closes it itself.
// Returns false if no such connection was found.
bool ShutdownConnection(int localPort, int remotePort);

// Ends the connection at once with a reset, as when a peer crashes mid-answer.
bool ResetConnection(int localPort, int remotePort);

// Socket options for the listeners: address reuse (so that a listener can be
// bound again at once after it was stopped) but not port sharing, so that a
// second service on a port in use fails instead of splitting the connections.
void ExclusiveListenerOptions(int sock);
