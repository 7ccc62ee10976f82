#pragma once
// How the Tessarine chip's registers travel between the program and the board.
#include "link/transport.h"

namespace tessarine {

// Four write-only registers numbered in bits 1..0, refreshed function, modulation, N, R.
// Each read-out shows the whole word and is marked against the word last written to its
// register; the USB path sends the word built from the fields, the parallel word is 32 bits
// ending 8, 12, 8. No register reads back and none has a power-down rule; a raw word (register
// 99) goes out over either board, and a write with no board chosen goes over USB.
const reglink::TransportDescription& tessarineTransport();

} // namespace tessarine
