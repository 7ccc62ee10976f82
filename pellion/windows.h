#pragma once
// Every window of pellion-eval.
#include "evalkit/frmclockout.h"
#include "evalkit/frmreadback.h"
#include "evalkit/muxform.h"
#include "pellion/frmdemod.h"
#include "pellion/frmgfsk.h"
#include "pellion/main_window.h"
#include "pellion/pendingwindow.h"
#include "pellion/synthform.h"
