#pragma once
// The windows evalkit builds for the programs over their descriptions, declared for the
// programs' contexts, whose accessors hand them out.
namespace evalkit {

class aboutform;
class frmAFC;
class frmAGC;
class frmClockOut;
class frmPARamp;
class PowerDownWindow;
class BiasWindow;
class frmReadback;
class frmRegisters;
class frmSWD;
class IBMhelpform;
class muxform;
class portform;
class revform;

} // namespace evalkit
