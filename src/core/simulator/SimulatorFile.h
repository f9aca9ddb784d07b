#pragma once
// SIMULATOR.TXT held so that a rewrite changes only what the window owns:
// the title and the first 20 definitions are written as their ten columns;
// comment lines and the definitions beyond the form's 20 rows are written
// back byte for byte where they stood.
#include <cstddef>
#include <string>
#include <vector>

#include "text/TextFile.h"
#include "simulator/SimParam.h"

namespace quelda {

constexpr const char* kSimulatorFileName = "SIMULATOR.TXT";
// Bounds on what is read: SIMULATOR.TXT and each choice file.
constexpr std::size_t kMaxSimulatorFileBytes = 4u * 1024u * 1024u;
constexpr std::size_t kMaxChoiceFileBytes = 256u * 1024u;

class CSimulatorFile {
public:
    // appDir ends with "/". Choice files of the shown rows are loaded too:
    // a relative name is taken from appDir. Missing: no definitions.
    // Refused (not a regular file, or too large): no definitions, and
    // Rewrite leaves the file alone.
    ReadOutcome Load(const std::string& appDir);
    // Parses content as the file's text; choice files are read from appDir.
    void Parse(const std::string& content, const std::string& appDir);

    // The file as the rewrite writes it.
    std::string Content() const;
    // Written to a new file renamed over the old one; false when that
    // failed or the file was refused at load.
    bool Rewrite(const std::string& appDir) const;

    ReadOutcome Outcome() const { return m_outcome; }
    bool HasTitle() const { return m_bTitle; }
    const SimParam& Title() const { return m_title; }
    // The definitions after the title that the form shows (at most 20).
    const std::vector<SimParam>& Params() const { return m_params; }
    std::vector<SimParam>& Params() { return m_params; }
    // Definitions beyond the 20th: kept in the file, not shown, not sent.
    std::size_t SurplusCount() const { return m_nSurplus; }

private:
    // A run of lines kept as they stood, or one definition line.
    struct Piece {
        int param = -2;    // -2: kept text, -1: the title, else index into m_params
        std::string text;  // kept text, line ends included
    };
    void Keep(const std::string& text);

    ReadOutcome m_outcome = ReadOutcome::Missing;
    std::vector<Piece> m_pieces;
    bool m_bTitle = false;
    SimParam m_title;
    std::vector<SimParam> m_params;
    std::size_t m_nSurplus = 0;
};

// A choice file's lines, every one (the first is its title). Empty when it
// is missing, not a regular file, or beyond kMaxChoiceFileBytes.
std::vector<SimOption> LoadChoiceFile(const std::string& appDir, const std::string& name);

}  // namespace quelda
