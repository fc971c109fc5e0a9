// Whether the network is usable: a forced connection attempt to a well-known address.
#pragma once

bool IsNetworkAvailable();
