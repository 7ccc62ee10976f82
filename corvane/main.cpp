// corvane-eval: the evaluation program of the Corvane transceiver.
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/programrun.h"

int main(int argc, char** argv) {
    const corvane::ProgramVariant& program = corvane::corvaneEval();
    return evalkit::runProgram<corvane::CorvaneApp>(argc, argv, program.programTitle,
                                                    program.fileVersion, program);
}
