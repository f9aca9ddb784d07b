#pragma once
// Private-profile INI files: case-insensitive sections and keys, the first
// match wins, values cut to 255 characters, lenient integers, and writes
// that change one key and keep every other line.
#include <cstddef>
#include <string>
#include <vector>

namespace quelda {

constexpr std::size_t kMaxProfileValue = 255;

// One INI file held in memory, so that many keys can be read from one read
// of the file and a write keeps every untouched line byte for byte.
class IniFile {
public:
    // An empty document when the file is missing or unreadable (false then).
    bool Load(const std::string& path);
    void Parse(const std::string& content);

    // The value of the first key in the first section of that name, without
    // surrounding blanks and double quotes, cut to 255 characters.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const;
    // Decimal with atoi rules; a missing or empty value gives def.
    int GetInt(const std::string& section, const std::string& key, int def) const;

    // Changes the first matching key, or adds it at the end of the first
    // matching section, or adds the section at the end. false for names that
    // cannot be written (empty key, "=" in a key, "]" in a section, line ends).
    bool SetString(const std::string& section, const std::string& key, const std::string& value);

    // The whole file as it would be written.
    std::string Content() const;
    bool Save(const std::string& path) const;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string raw;  // the line without its end
        std::string end;  // "\r\n", "\n" or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;   // section or key name
        std::string value;  // key value, trimmed
    };

    static Line ParseLine(std::string raw, std::string end);
    // Index of the first matching section header, or npos.
    std::size_t FindSection(const std::string& section) const;
    // Index of the first matching key of the section starting at header, or npos.
    std::size_t FindKey(std::size_t header, const std::string& key) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::string NewLineEnd() const;

    std::vector<Line> m_lines;
};

std::string GetProfileString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& def);
int GetProfileInt(const std::string& path, const std::string& section, const std::string& key,
                  int def);
// false when the file could not be written (the old file is then whole).
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace quelda
