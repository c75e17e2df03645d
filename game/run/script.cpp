// Reading scripts of input events.
#include "game/run/script.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "game/run/printable.h"
#include "game/run/whole_number.h"

namespace {

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
        if (!ParseKeyCode(words[2], event.code)) return Quoted(words[2]) + " is not a key";
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
        event.code = static_cast<int>(value);
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

// The reason a frame time is refused for being its frame's second, or
// empty; `stepLines` holds the line of each frame's time step so far.
std::string SecondStep(const ScriptEvent& event, int line, std::map<long, int>& stepLines) {
    if (event.kind != ScriptEvent::kFrameTime) return std::string();
    const auto [earlier, added] = stepLines.emplace(event.frame, line);
    if (added) return std::string();
    return "frame " + std::to_string(event.frame) + " already has its time step (line " +
           std::to_string(earlier->second) + "): give each frame one";
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
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    const std::string bom = "\xEF\xBB\xBF";
    std::istringstream lines(text.compare(0, bom.size(), bom) == 0 ? text.substr(bom.size()) : text);
    std::map<long, int> stepLines;
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ScriptEvent event;
        std::string reason = ByteFault(line);
        line = line.substr(0, line.find('#'));
        std::istringstream wordsIn(line);
        std::vector<std::string> words;
        for (std::string word; wordsIn >> word;) words.push_back(word);
        if (reason.empty() && words.empty()) continue;
        if (reason.empty()) reason = ParseLine(words, event);
        if (reason.empty()) reason = SecondStep(event, number, stepLines);
        if (!reason.empty()) {
            // A stray control byte must show in the message, not end it;
            // a script's words are ASCII, so any other byte is shown too.
            error = Printable(name) + ":" + std::to_string(number) + ": " + Printable(reason, true);
            return false;
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return true;
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
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!file || file.bad()) {
        error = path + ": cannot be read";
        return false;
    }
    return ParseScript(text.str(), path, events, error);
}
