#include "simulator/SimulatorFile.h"

#include "text/CommaLines.h"
#include "text/TextFile.h"

namespace quelda {

namespace {

std::string ChoicePath(const std::string& appDir, const std::string& name) {
    // Beside SIMULATOR.TXT, not wherever the program happened to be started.
    return name[0] == '/' ? name : appDir + name;
}

}  // namespace

std::vector<SimOption> LoadChoiceFile(const std::string& appDir, const std::string& name) {
    std::vector<SimOption> options;
    std::string content;
    if (name.empty() || ReadBoundedFile(ChoicePath(appDir, name), kMaxChoiceFileBytes, content) !=
                            ReadOutcome::Read) {
        return options;
    }
    ForEachLine(content, [&](const std::string& line, const std::string&) {
        const std::vector<std::string> c = SplitComma(line, 2);
        options.push_back({c[0], c[1]});
    });
    return options;
}

ReadOutcome CSimulatorFile::Load(const std::string& appDir) {
    std::string content;
    const ReadOutcome outcome =
        ReadBoundedFile(appDir + kSimulatorFileName, kMaxSimulatorFileBytes, content);
    Parse(content, appDir);
    m_outcome = outcome;
    return outcome;
}

void CSimulatorFile::Keep(const std::string& text) {
    if (m_pieces.empty() || m_pieces.back().param != -2) m_pieces.push_back({-2, {}});
    m_pieces.back().text += text;
}

void CSimulatorFile::Parse(const std::string& content, const std::string& appDir) {
    *this = CSimulatorFile();
    m_outcome = ReadOutcome::Read;
    ForEachLine(content, [&](const std::string& line, const std::string& raw) {
        const std::size_t comma = line.find(',');
        if (IsCommentColumn(line.substr(0, comma))) {
            Keep(raw);
        } else if (!m_bTitle) {
            m_bTitle = true;
            m_title = SimParam::FromLine(line);
            m_pieces.push_back({-1, {}});
        } else if (m_params.size() < static_cast<std::size_t>(kSimRows)) {
            SimParam param = SimParam::FromLine(line);
            param.options = LoadChoiceFile(appDir, param.choiceFile);
            m_pieces.push_back({static_cast<int>(m_params.size()), {}});
            m_params.push_back(std::move(param));
        } else {
            ++m_nSurplus;
            // the old line end goes too: a last line without one stays so
            Keep(raw);
        }
    });
}

std::string CSimulatorFile::Content() const {
    std::string out;
    for (const Piece& piece : m_pieces) {
        if (piece.param == -2) {
            out += piece.text;
        } else {
            out += (piece.param == -1 ? m_title : m_params[piece.param]).ToLine();
            out += "\r\n";
        }
    }
    return out;
}

bool CSimulatorFile::Rewrite(const std::string& appDir) const {
    if (m_outcome == ReadOutcome::Refused) return false;
    return WriteFileAtomic(appDir + kSimulatorFileName, Content());
}

}  // namespace quelda
