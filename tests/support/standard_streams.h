// Test support: standard output sent where standard error goes, for death
// tests, which read only standard error.
#pragma once

namespace ondra::test {

// From here on, whatever is printed on standard output (by descriptor,
// printf or streams) goes to standard error.
void SendOutputToError();

}  // namespace ondra::test
