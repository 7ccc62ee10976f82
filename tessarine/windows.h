#pragma once
// Every window of tessarine-eval.
#include "evalkit/clockoutwindow.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/portwindow.h"
#include "evalkit/rawregisterwindow.h"
#include "tessarine/biaswindow.h"
#include "tessarine/frontpanel.h"
#include "tessarine/otherfeatureswindow.h"
#include "tessarine/synthesizerwindow.h"
#include "tessarine/testmodeswindow.h"
