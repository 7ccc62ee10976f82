// tessarine-eval: the evaluation program of the Tessarine transmitter.
#include "evalkit/programrun.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"

int main(int argc, char** argv) {
    return evalkit::runProgram<tessarine::TessarineApp>(
        argc, argv, tessarine::TessarineApp::programTitle(), QString());
}
