#pragma once
// How the Pellion chip's registers travel between the program and the board.
#include "link/transport.h"

namespace pellion {

// R0..R6 and R9..R13 have read-outs on the front panel and go over USB as their read-out
// text; R7 reads back 16 bits, R8 is built after the receive/transmit rule and is never
// shown; a raw word (register 99) goes out over the parallel port only.
const reglink::TransportDescription& pellionTransport();

} // namespace pellion
