// pellion-eval: the evaluation program of the Pellion transceiver.
#include "evalkit/programrun.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"

int main(int argc, char** argv) {
    return evalkit::runProgram<pellion::PellionApp>(argc, argv, pellion::PellionApp::programTitle(),
                                                    QString());
}
