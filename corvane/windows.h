#pragma once
// Every window of corvane-eval.
#include "corvane/conversionwindow.h"
#include "corvane/demodulatorwindow.h"
#include "corvane/frontpanel.h"
#include "corvane/gaussianwindow.h"
#include "corvane/ifcalibrationwindow.h"
#include "corvane/ircalibrationwindow.h"
#include "corvane/saveregisterswindow.h"
#include "corvane/synthesizerwindow.h"
#include "corvane/testmodeswindow.h"
#include "evalkit/frmafc.h"
#include "evalkit/frmagc.h"
#include "evalkit/frmclockout.h"
#include "evalkit/frmparamp.h"
#include "evalkit/frmpowerd.h"
#include "evalkit/frmpowerdown.h"
#include "evalkit/frmreadback.h"
#include "evalkit/frmregisters.h"
#include "evalkit/frmswd.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxform.h"
#include "evalkit/portform.h"

namespace corvane {

// The feature windows are the shared ones over corvane-eval's descriptions; the program's code
// names them as its own.
using evalkit::frmAFC;
using evalkit::frmAGC;
using evalkit::frmPARamp;
using evalkit::frmPowerD;
using evalkit::frmPowerdown;
using evalkit::frmReadback;
using evalkit::frmSWD;

} // namespace corvane
