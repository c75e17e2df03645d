// The GL context stack: sixteen saved bindings and a depth that may run
// past them, so pushes and pops stay paired even when it overflows.
#include "framework/context_stack.h"

#include "framework/trace.h"

namespace ondra::context_stack {
namespace {

platform::Binding saved[kCapacity];
int depth = 0;

}  // namespace

bool Push(platform::Window* window) {
    if (depth < kCapacity)
        saved[depth] = platform::GetCurrentBinding();
    else
        Trace("context stack overflow\n");
    ++depth;
    return platform::MakeCurrent(window);
}

bool Bind(platform::Window* window) { return platform::MakeCurrent(window); }

void Pop() {
    if (depth == 0) return;
    --depth;
    platform::RestoreBinding(depth < kCapacity ? saved[depth] : platform::Binding{});
}

int Depth() { return depth; }

}  // namespace ondra::context_stack
