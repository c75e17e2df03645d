// Text from files and command lines, made safe to print in a message.
#pragma once

#include <cstddef>
#include <string>

// `text` with every control byte (NUL among them) written as \xNN, so a
// message shows it instead of being cut or garbled by it. Bytes above 127
// are kept, as most likely UTF-8, unless `escapeAbove127`: text that can
// only be ASCII (a script's words) shows them escaped too.
std::string Printable(const std::string& text, bool escapeAbove127 = false);

// How a word from a file or a command line is quoted in a message: in
// single quotes, at most `limit` bytes of it with the length of the whole
// after them, so that a word of megabytes does not flood the terminal.
// Not yet made printable.
std::string Quoted(const std::string& word, std::size_t limit = 64);
