#include "tests/support/printed_messages.h"

#include <fstream>

namespace ondra::test {

std::string MessagesWithoutAddresses(const std::string& path) {
    std::ifstream in(path);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (line.find("0x") == std::string::npos) kept += line + "\n";
    return kept;
}

}  // namespace ondra::test
