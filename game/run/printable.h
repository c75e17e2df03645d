// Text from files and command lines, made safe to print in a message.
#pragma once

#include <string>

// `text` with every control byte (NUL among them) written as \xNN, so a
// message shows it instead of being cut or garbled by it. Bytes above 127
// are kept: they are most likely UTF-8.
std::string Printable(const std::string& text);
