// The process-wide stack of GL context bindings behind MakeCurrent: a push
// saves the current binding and makes a window's context current, a pop
// brings the saved binding back.
#pragma once

#include "framework/platform/platform.h"

namespace ondra::context_stack {

constexpr int kCapacity = 16;

bool Push(platform::Window* window);
// Makes a window's context current in place of the current binding, saving
// nothing: a window's context stays current after its creation, and no pop
// will ever come for that.
bool Bind(platform::Window* window);
void Pop();
int Depth();

}  // namespace ondra::context_stack
