#pragma once
// Every window of pellion-eval.
#include "pellion/main_window.h"
#include "pellion/synthform.h"
