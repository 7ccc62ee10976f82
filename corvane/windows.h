#pragma once
// Every window of corvane-eval.
#include "corvane/conversionform.h"
#include "corvane/frmdemod.h"
#include "corvane/frmgfsk.h"
#include "corvane/frmifcal.h"
#include "corvane/frmircal.h"
#include "corvane/frmsavereg.h"
#include "corvane/frmtestmodes.h"
#include "corvane/main_window.h"
#include "corvane/synthform.h"
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
