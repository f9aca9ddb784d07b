// SIMULATOR.TXT and a choice file: the input is the definition file, a NUL,
// then C.TXT. What a rewrite would write reads back to the same text.
#include <cstdint>

#include "FuzzFiles.h"
#include "simulator/SimulatorFile.h"

using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> pieces = quelda::fuzz::Pieces(data, size, 2);
    const std::string& dir = quelda::fuzz::ScratchDir();
    quelda::fuzz::WriteScratch("SIMULATOR.TXT", pieces[0]);
    quelda::fuzz::WriteScratch("C.TXT", pieces[1]);
    quelda::CSimulatorFile file;
    file.Load(dir);
    Check(file.Params().size() <= 20, "at most 20 shown definitions");
    quelda::CSimulatorFile again;
    const std::string content = file.Content();
    again.Parse(content, dir);
    Check(again.Content() == content, "a rewritten file reads back the same");
    Check(again.Params().size() == file.Params().size(), "as many definitions");
    quelda::LoadChoiceFile(dir, "C.TXT");
    return 0;
}
