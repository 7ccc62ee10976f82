#pragma once
// Every window of tessarine-eval.
#include "evalkit/frmclockout.h"
#include "evalkit/frmregisters.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxform.h"
#include "evalkit/portform.h"
#include "tessarine/frmotherfeatures.h"
#include "tessarine/frmpowerdown.h"
#include "tessarine/frmtestmodes.h"
#include "tessarine/main_window.h"
#include "tessarine/synthform.h"
