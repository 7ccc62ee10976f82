#pragma once
// How the Corvane chip's registers travel between the programs and the board.
#include "link/transport.h"

namespace corvane {

// R0..R6 and R9..R13 have read-outs on the front panel and go over USB as their read-out
// text; R15's read-out sits on the test-mode window, is never marked and goes over USB as the
// word its fields make; R7 reads back, R8 is built after the receive/transmit rule, R14 is
// written only as a raw word (register 99).
const reglink::TransportDescription& corvaneTransport();

} // namespace corvane
