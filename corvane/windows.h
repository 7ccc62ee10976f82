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
#include "evalkit/afcwindow.h"
#include "evalkit/agcwindow.h"
#include "evalkit/biaswindow.h"
#include "evalkit/clockoutwindow.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/parampwindow.h"
#include "evalkit/portwindow.h"
#include "evalkit/powerdownwindow.h"
#include "evalkit/rawregisterwindow.h"
#include "evalkit/readbackwindow.h"
#include "evalkit/syncwordwindow.h"

namespace corvane {

// The feature windows are the shared ones over corvane-eval's descriptions; the program's code
// names them as its own.
using evalkit::BiasWindow;
using evalkit::frmAFC;
using evalkit::frmAGC;
using evalkit::frmPARamp;
using evalkit::frmReadback;
using evalkit::frmSWD;
using evalkit::PowerDownWindow;

} // namespace corvane
