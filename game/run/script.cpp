// Reading scripts of input events.
#include "game/run/script.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/run/printable.h"
#include "game/run/whole_number.h"

namespace {

// The system's reason for the last failed call, if it left one.
std::string ErrnoReason() { return errno != 0 ? std::string(": ") + std::strerror(errno) : std::string(); }

constexpr long kMouseReach = 100000;

bool ParseMouseCoordinate(const std::string& text, long& value, std::string& reason) {
    if (!ParseWholeNumber(text, LONG_MIN, LONG_MAX, value)) {
        reason = "mouse coordinates must be whole numbers";
        return false;
    }
    if (value < -kMouseReach || value > kMouseReach) {
        reason = "mouse coordinate " + text + " is out of range (-100000 to 100000)";
        return false;
    }
    return true;
}

// One letter or digit names its key; longer numbers are virtual-key codes.
bool ParseKeyCode(const std::string& text, int& code) {
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
        code = std::toupper(static_cast<unsigned char>(text[0]));
        return true;
    }
    long value = 0;
    if (!ParseWholeNumber(text, 1, 254, value)) return false;
    code = static_cast<int>(value);
    return true;
}

bool ParseUpDown(const std::string& text, bool& down) {
    if (text != "down" && text != "up") return false;
    down = text == "down";
    return true;
}

// The reason a line is not an event, or empty when it is one.
std::string ParseLine(const std::vector<std::string>& words, ScriptEvent& event) {
    if (!ParseWholeNumber(words[0], 0, LONG_MAX, event.frame)) return Quoted(words[0]) + " is not a frame number";
    if (words.size() < 2) return "an event needs a kind: key, mouse or button";
    const std::string& kind = words[1];
    long value = 0;
    if (kind == "key") {
        event.kind = ScriptEvent::kKey;
        if (words.size() != 4) return "a key event is: FRAME key CODE down|up";
        int code = 0;
        if (!ParseKeyCode(words[2], code)) return Quoted(words[2]) + " is not a key";
        event.code = static_cast<short>(code);
        if (!ParseUpDown(words[3], event.down)) return Quoted(words[3]) + " is neither down nor up";
    } else if (kind == "mouse") {
        event.kind = ScriptEvent::kMouse;
        if (words.size() != 4) return "a mouse event is: FRAME mouse X Y";
        long y = 0;
        std::string reason;
        if (!ParseMouseCoordinate(words[2], value, reason) || !ParseMouseCoordinate(words[3], y, reason))
            return reason;
        event.x = static_cast<int>(value);
        event.y = static_cast<int>(y);
    } else if (kind == "button") {
        event.kind = ScriptEvent::kButton;
        if (words.size() != 4) return "a button event is: FRAME button 0|1|2 down|up";
        if (!ParseWholeNumber(words[2], 0, 2, value)) return Quoted(words[2]) + " is not a button (0, 1 or 2)";
        event.code = static_cast<short>(value);
        if (!ParseUpDown(words[3], event.down)) return Quoted(words[3]) + " is neither down nor up";
    } else if (kind == "dt") {
        event.kind = ScriptEvent::kFrameTime;
        if (words.size() != 3) return "a frame time is: FRAME dt SECONDS";
        if (!ParseSeconds(words[2], event.seconds))
            return Quoted(words[2]) + " is not a frame time (over 0, at most 60 seconds)";
    } else {
        return Quoted(kind) + " is not an event kind (key, mouse, button or dt)";
    }
    return std::string();
}

// Why a line of the file cannot be read as words at all, or empty: line
// ends and byte-order marks that would make one line of many, or a word
// of invisible bytes.
std::string ByteFault(const std::string& line) {
    if (line.find('\r') != std::string::npos)
        return "a carriage return without a line feed: end the script's lines with LF or CR LF";
    if (line.find("\xEF\xBB\xBF") != std::string::npos)
        return "a byte-order mark (\\xef\\xbb\\xbf) in mid-file: only the file's start may have one";
    return std::string();
}

// The first frame time, by line, that is its frame's second, in events
// ordered by frame and then line: null when there is none. `earlier` is
// the line of that frame's first.
const ScriptEvent* SecondStep(const std::vector<ScriptEvent>& events, int& earlier) {
    const ScriptEvent* second = nullptr;
    long frame = -1;
    int firstLine = 0;  // of the current frame's step; 0 before it has one
    for (const ScriptEvent& event : events) {
        if (event.frame != frame) {
            frame = event.frame;
            firstLine = 0;
        }
        if (event.kind != ScriptEvent::kFrameTime) continue;
        if (firstLine == 0) {
            firstLine = event.line;
        } else if (!second || event.line < second->line) {
            second = &event;
            earlier = firstLine;
        }
    }
    return second;
}

// Orders the events by frame, file order within a frame: they come in file
// order, so the line decides a tie, and no second copy of them is needed
// (a stable sort would make one). A recording is in order already.
void OrderByFrame(std::vector<ScriptEvent>& events) {
    const auto before = [](const ScriptEvent& a, const ScriptEvent& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.line < b.line;
    };
    if (!std::is_sorted(events.begin(), events.end(), before)) std::sort(events.begin(), events.end(), before);
}

std::string LineError(const std::string& name, int line, const std::string& reason) {
    // A stray control byte must show in the message, not end it; a
    // script's words are ASCII, so any other byte is shown too.
    return Printable(name) + ":" + std::to_string(line) + ": " + Printable(reason, true);
}

// The lines of the stream, counted so that the events are kept in one
// allocation of their size: growing it by doubling would hold up to three
// times as many for a moment. The stream is left at its start.
std::size_t CountLines(std::istream& in) {
    std::size_t lines = 1;
    std::string buffer(1 << 16, '\0');
    while (in.read(&buffer[0], static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
        lines += static_cast<std::size_t>(std::count(buffer.begin(), buffer.begin() + in.gcount(), '\n'));
    in.clear();
    in.seekg(0);
    return lines;
}

// The reason the line is no event, or empty; `holds` tells whether it
// gave `event` or is blank or a comment.
std::string ParseScriptLine(std::string& line, ScriptEvent& event, bool& holds) {
    holds = false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string reason = ByteFault(line);
    if (!reason.empty()) return reason;
    line.erase(std::min(line.find('#'), line.size()));
    std::istringstream wordsIn(line);
    std::vector<std::string> words;
    for (std::string word; wordsIn >> word;) words.push_back(word);
    holds = !words.empty();
    return holds ? ParseLine(words, event) : std::string();
}

// Every event of the stream, or false with the first fault by line: a
// line that is no event, or a frame's second time step.
bool ParseScriptStream(std::istream& in, const std::string& name, std::vector<ScriptEvent>& events,
                       std::string& error) {
    events.reserve(CountLines(in));
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    const std::string bom = "\xEF\xBB\xBF";
    std::string line;
    int faultLine = 0;
    std::string fault;
    for (int number = 1; std::getline(in, line); ++number) {
        if (number == 1 && line.compare(0, bom.size(), bom) == 0) line.erase(0, bom.size());
        ScriptEvent event;
        bool holds = false;
        fault = ParseScriptLine(line, event, holds);
        if (!fault.empty()) {
            faultLine = number;
            break;
        }
        if (!holds) continue;
        event.line = number;
        events.push_back(event);
    }
    OrderByFrame(events);
    int earlier = 0;
    if (const ScriptEvent* second = SecondStep(events, earlier); second && (!faultLine || second->line < faultLine)) {
        faultLine = second->line;
        fault = "frame " + std::to_string(second->frame) + " already has its time step (line " +
                std::to_string(earlier) + "): give each frame one";
    }
    if (!faultLine) return true;
    error = LineError(name, faultLine, fault);
    return false;
}

}  // namespace

std::string FormatScriptEvent(const ScriptEvent& event) {
    char line[96];
    const auto upDown = [&event] { return event.down ? "down" : "up"; };
    switch (event.kind) {
    case ScriptEvent::kKey:
        // Letters and digits by name; other codes with at least two digits,
        // since one digit alone names the digit's key.
        if (std::isalnum(event.code) && event.code == std::toupper(event.code))
            std::snprintf(line, sizeof line, "%ld key %c %s", event.frame, event.code, upDown());
        else
            std::snprintf(line, sizeof line, "%ld key %02d %s", event.frame, event.code, upDown());
        break;
    case ScriptEvent::kMouse:
        std::snprintf(line, sizeof line, "%ld mouse %d %d", event.frame, event.x, event.y);
        break;
    case ScriptEvent::kButton:
        std::snprintf(line, sizeof line, "%ld button %d %s", event.frame, event.code, upDown());
        break;
    case ScriptEvent::kFrameTime:
        std::snprintf(line, sizeof line, "%ld dt %.17g", event.frame, event.seconds);
        break;
    }
    return line;
}

bool ParseScript(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                 std::string& error) {
    std::istringstream in(text);
    return ParseScriptStream(in, name, events, error);
}

bool ReadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error) {
    // Only a plain file: a folder reads as an empty script and a FIFO
    // would wait for a writer.
    std::error_code statusError;
    const std::filesystem::file_status status = std::filesystem::status(path, statusError);
    if (std::filesystem::is_directory(status)) {
        error = path + ": is a folder, not a script";
        return false;
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error = path + ": is not a regular file";
        return false;
    }
    if (statusError && statusError != std::errc::no_such_file_or_directory) {
        // A loop of links, a folder on the way that may not be entered.
        error = path + ": cannot be read: " + statusError.message();
        return false;
    }
    if (!std::filesystem::exists(status)) {
        std::error_code linkError;
        const bool dangling = std::filesystem::is_symlink(std::filesystem::symlink_status(path, linkError));
        error = path + (dangling ? ": is a link to a file that does not exist" : ": does not exist");
        return false;
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot be read" + ErrnoReason();
        return false;
    }
    const bool parsed = ParseScriptStream(file, path, events, error);
    if (file.bad()) {
        error = path + ": a read error stopped the reading" + ErrnoReason();
        return false;
    }
    return parsed;
}
