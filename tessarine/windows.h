#pragma once
// Every window of tessarine-eval.
#include "evalkit/clockoutwindow.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/portwindow.h"
#include "evalkit/rawregisterwindow.h"
#include "tessarine/frmotherfeatures.h"
#include "tessarine/frmpowerdown.h"
#include "tessarine/frmtestmodes.h"
#include "tessarine/main_window.h"
#include "tessarine/synthform.h"
