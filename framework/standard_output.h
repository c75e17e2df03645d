// Whether what a program printed reached its standard output: a report
// sent to a full disk or a closed pipe is lost, and a program whose report
// was lost must not end as if it had been delivered.
#pragma once

namespace ondra {

// Flushes standard output. True when everything printed so far was
// written; otherwise says so on standard error, "PROGRAM: standard output
// could not be written: REASON", and returns false.
bool StandardOutputWritten(const char* program);

}  // namespace ondra
