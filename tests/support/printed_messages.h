// What a run of the game printed, as tests compare it between two runs.
#pragma once

#include <string>

namespace ondra::test {

// The file's lines without those that print addresses, which differ from
// run to run.
std::string MessagesWithoutAddresses(const std::string& path);

}  // namespace ondra::test
