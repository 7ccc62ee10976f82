#pragma once
// Every window of tessarine-eval.
#include "evalkit/frmclockout.h"
#include "evalkit/frmregisters.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxform.h"
#include "evalkit/portform.h"
#include "tessarine/biaswindow.h"
#include "tessarine/frontpanel.h"
#include "tessarine/otherfeatureswindow.h"
#include "tessarine/synthesizerwindow.h"
#include "tessarine/testmodeswindow.h"
