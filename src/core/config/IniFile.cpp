#include "config/IniFile.h"

#include "text/LenientNumbers.h"
#include "text/TextFile.h"

namespace quelda {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// ASCII only: bytes of double-byte characters are never folded.
char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

bool HasLineEnd(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// A value in a matching pair of quotes loses them, as the platform reads it.
std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

bool IniFile::Load(const std::string& path) {
    m_lines.clear();
    std::string content;
    if (!ReadFileBytes(path, content)) return false;
    Parse(content);
    return true;
}

void IniFile::Parse(const std::string& content) {
    m_lines.clear();
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t lf = content.find('\n', start);
        if (lf == std::string::npos) {
            m_lines.push_back(ParseLine(content.substr(start), ""));
            break;
        }
        bool crlf = lf > start && content[lf - 1] == '\r';
        std::size_t cut = crlf ? lf - 1 : lf;
        m_lines.push_back(ParseLine(content.substr(start, cut - start), crlf ? "\r\n" : "\n"));
        start = lf + 1;
    }
}

IniFile::Line IniFile::ParseLine(std::string raw, std::string end) {
    Line line;
    line.raw = std::move(raw);
    line.end = std::move(end);
    std::string text = Trim(line.raw);
    if (text.empty() || text[0] == ';') return line;
    std::size_t close = text.rfind(']');
    if (text[0] == '[' && close != std::string::npos) {
        line.kind = Kind::Section;
        line.name = text.substr(1, close - 1);
        return line;
    }
    std::size_t eq = text.find('=');
    if (eq == std::string::npos) return line;
    line.kind = Kind::Key;
    line.name = Trim(text.substr(0, eq));
    line.value = Trim(text.substr(eq + 1));
    return line;
}

std::size_t IniFile::FindSection(const std::string& section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && SameName(m_lines[i].name, section)) return i;
    }
    return std::string::npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
    return i;
}

std::size_t IniFile::FindKey(std::size_t header, const std::string& key) const {
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Key && SameName(m_lines[i].name, key)) return i;
    }
    return std::string::npos;
}

std::string IniFile::GetString(const std::string& section, const std::string& key,
                               const std::string& def) const {
    std::size_t header = FindSection(section);
    if (header == std::string::npos) return def.substr(0, kMaxProfileValue);
    std::size_t line = FindKey(header, key);
    if (line == std::string::npos) return def.substr(0, kMaxProfileValue);
    return Unquote(m_lines[line].value).substr(0, kMaxProfileValue);
}

int IniFile::GetInt(const std::string& section, const std::string& key, int def) const {
    std::string text = GetString(section, key, "");
    return text.empty() ? def : LenientAtoi(text);
}

std::string IniFile::NewLineEnd() const {
    for (const Line& line : m_lines) {
        if (!line.end.empty()) return line.end;
    }
    return "\r\n";
}

bool IniFile::SetString(const std::string& section, const std::string& key,
                        const std::string& value) {
    if (Trim(key).empty() || key.find('=') != std::string::npos || HasLineEnd(key) ||
        section.find(']') != std::string::npos || HasLineEnd(section) || HasLineEnd(value)) {
        return false;
    }
    std::string eol = NewLineEnd();
    std::size_t header = FindSection(section);
    std::size_t found = header == std::string::npos ? header : FindKey(header, key);
    if (found != std::string::npos) {
        Line& line = m_lines[found];
        line = ParseLine(line.name + "=" + value, line.end);
        return true;
    }
    std::vector<Line> added;
    std::size_t at = m_lines.size();
    if (header == std::string::npos) {
        added.push_back(ParseLine("[" + section + "]", eol));
    } else {
        // After the last non-blank line of the section, before blank separators.
        at = SectionEnd(header);
        while (at > header + 1 && Trim(m_lines[at - 1].raw).empty()) --at;
    }
    added.push_back(ParseLine(key + "=" + value, eol));
    if (at > 0 && m_lines[at - 1].end.empty()) m_lines[at - 1].end = eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    return true;
}

std::string IniFile::Content() const {
    std::string content;
    for (const Line& line : m_lines) content += line.raw + line.end;
    return content;
}

bool IniFile::Save(const std::string& path) const { return WriteFileAtomic(path, Content()); }

std::string GetProfileString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& def) {
    IniFile ini;
    ini.Load(path);
    return ini.GetString(section, key, def);
}

int GetProfileInt(const std::string& path, const std::string& section, const std::string& key,
                  int def) {
    IniFile ini;
    ini.Load(path);
    return ini.GetInt(section, key, def);
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    IniFile ini;
    // A file that exists but cannot be read must not be replaced by one key.
    if (!ini.Load(path) && FileExists(path)) return false;
    return ini.SetString(section, key, value) && ini.Save(path);
}

}  // namespace quelda
