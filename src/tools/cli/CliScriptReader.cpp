#include "CliScriptReader.h"

#include <unistd.h>

#include <cerrno>
#include <map>
#include <sstream>

#include "CliEscape.h"
#include "text/LenientNumbers.h"

namespace quelda {

namespace {

enum class Argument { Text, CommandText, Count, Settings, Nothing };

struct VerbRule {
    ScriptVerb verb;
    Argument argument;
};

const std::map<std::string, VerbRule>& VerbRules() {
    static const std::map<std::string, VerbRule> rules = {
        {"line", {ScriptVerb::Line, Argument::Text}},
        {"cmd", {ScriptVerb::Cmd, Argument::CommandText}},
        {"wait", {ScriptVerb::Wait, Argument::CommandText}},
        {"bin", {ScriptVerb::Bin, Argument::Text}},
        {"sleep", {ScriptVerb::Sleep, Argument::Count}},
        {"button", {ScriptVerb::Button, Argument::Count}},
        {"request", {ScriptVerb::Request, Argument::Settings}},
        {"search", {ScriptVerb::Search, Argument::Nothing}},
        {"connect", {ScriptVerb::Connect, Argument::Nothing}},
        {"disconnect", {ScriptVerb::Disconnect, Argument::Nothing}},
        {"quit", {ScriptVerb::Quit, Argument::Nothing}},
    };
    return rules;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Fills command's argument from rest; what is wrong, or "".
std::string ReadArgument(const std::string& verb, Argument argument, const std::string& rest,
                         ScriptCommand& command) {
    const std::vector<std::string> words = Words(rest);
    switch (argument) {
        case Argument::CommandText:
            if (words.empty()) return verb + " needs a command";
            [[fallthrough]];
        case Argument::Text:
            command.text = UnescapeText(rest);
            return {};
        case Argument::Count:
            if (words.size() != 1 || !ParseStrictInt(words[0], command.number) ||
                command.number < 0) {
                return verb + " needs a number of 0 or more";
            }
            return {};
        case Argument::Settings:
            if (words.size() != 4)
                return verb + " needs baud rate, data bits, parity and stop bits";
            command.words = words;
            return {};
        case Argument::Nothing:
            if (!words.empty()) return verb + " takes nothing after it";
            return {};
    }
    return {};
}

}  // namespace

std::string ParseScriptLine(const std::string& line, ScriptCommand& command) {
    command = ScriptCommand{};
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') return {};
    const std::size_t blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    const auto rule = VerbRules().find(verb);
    if (rule == VerbRules().end()) return "unknown command \"" + EscapeBytes(verb) + "\"";
    command.verb = rule->second.verb;
    const std::string error = ReadArgument(verb, rule->second.argument, rest, command);
    if (!error.empty()) command = ScriptCommand{};
    return error;
}

void CScriptReader::ReadFrom(int fd) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        m_pending.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        m_bEnded = true;
    }
}

bool CScriptReader::HasLine() const {
    return m_pending.find('\n') != std::string::npos || (m_bEnded && !m_pending.empty());
}

std::string CScriptReader::TakeLine() {
    const std::size_t end = m_pending.find('\n');
    std::string line = m_pending.substr(0, end);
    m_pending.erase(0, end == std::string::npos ? std::string::npos : end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++m_nLine;
    return line;
}

bool CScriptReader::TakeCommand(ScriptCommand& command, std::string& error) {
    const std::string what = ParseScriptLine(TakeLine(), command);
    if (what.empty()) return true;
    error = "script line " + std::to_string(m_nLine) + ": " + what;
    return false;
}

}  // namespace quelda
