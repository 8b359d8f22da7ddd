#include "app/SlateApp.h"

#include <cstdlib>

int main(int argc, char **argv)
{
    // Before anything else runs: ONNX Runtime's telemetry stays off in every mode (the
    // recognition engine sets it again where its runtime environment is made).
    setenv("ORT_DISABLE_TELEMETRY", "1", 1);
    return SlateApp::run(argc, argv);
}
