// The program entry point of applications built on the framework: the
// program's one App object registered itself before main() runs.
#include <cstdio>

#include "framework/main.h"
#include "framework/trace.h"

int main(int argc, char** argv) {
    ondra::Trace("main\n");
    ondra::Main::Instance()->SetConsole(true);
    const int result = ondra::Main::Instance()->Execute(argc, argv);
    std::fflush(stdout);
    return result;
}
