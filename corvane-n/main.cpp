// Corvane-N: the evaluation program of the narrow-band Corvane transceiver, corvane-eval's
// code over the narrow-band description.
#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/programrun.h"

int main(int argc, char** argv) {
    const corvane::ProgramVariant& program = corvanen::variant();
    return evalkit::runProgram<corvane::CorvaneApp>(argc, argv, program.programTitle,
                                                    program.fileVersion, program);
}
