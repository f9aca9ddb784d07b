// Loading hostile program directories: one status table of 1,000 entries
// named by 10,000 items, and every definition file replaced by /dev/zero.
// Prints CPU time (fraction of a core while loading), wall time and peak
// memory.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/CommandRecords.h"
#include "config/IniFile.h"
#include "config/LineSettings.h"
#include "monitor/MonitorDefinition.h"
#include "text/TextFile.h"

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

template <typename Fn>
void Measure(const char* name, Fn&& fn) {
    const auto wall = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    fn();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    std::printf("%s_ms: %.1f\n", name, seconds * 1000);
    std::printf("%s_cpu_fraction: %.2f\n", name, seconds > 0 ? (CpuSeconds() - cpu) / seconds : 0);
    std::printf("%s_peak_rss_mb: %.1f\n", name, PeakMegabytes());
}

}  // namespace

int main() {
    char pattern[] = "/tmp/quelda-bench-hostile-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string dir = std::string(pattern) + "/";
    std::string table = "Label,Bits,Match,Text,R,G,B,X,Y\n";
    for (int i = 0; i < 1000; ++i)
        table += "Bit" + std::to_string(i) + ",0-31," + std::to_string(i) + ",state " +
                 std::to_string(i) + ",255,0,0,0," + std::to_string(i) + "\n";
    std::string definition = "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\n";
    for (int i = 0; i < 10000; ++i)
        definition += std::to_string(i + 1) + ",S,HEX,1,%d,STATUS,,0,0,T.TXT\n";
    quelda::WriteFileAtomic(dir + "T.TXT", table);
    quelda::WriteFileAtomic(dir + "MONITOR1.TXT", definition);
    std::printf("shared_table_input_kb: %.0f\n", (table.size() + definition.size()) / 1024.0);
    std::size_t items = 0;
    Measure("shared_table_load", [&] {
        items = quelda::LoadMonitorDefinition(dir + "MONITOR1.TXT",
                                              quelda::DefinitionForm::TextField, dir)
                    .size();
    });
    std::printf("shared_table_items: %zu\n", items);

    for (const char* name : {"QUELDA.INI", "PSETTING.TXT", "COMMAND2.TXT", "CMDDEF.TXT", "Z.TXT"})
        std::filesystem::create_symlink("/dev/zero", dir + name);
    Measure("dev_zero_everywhere", [&] {
        quelda::IniFile ini;
        ini.Load(dir + "QUELDA.INI");
        quelda::LineSettings settings;
        quelda::LoadLineSettings(dir, settings);
        quelda::LoadCommandRecords(dir);
        quelda::LoadCommandDefs(dir);
        quelda::LoadMonitorDefinition(dir + "Z.TXT", quelda::DefinitionForm::TypedBlock, dir);
    });
    std::filesystem::remove_all(pattern);
    return 0;
}
