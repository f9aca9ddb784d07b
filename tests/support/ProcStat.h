#pragma once
// A process's line in /proc/<pid>/stat: "pid (name) state ppid ...". The name
// may hold blanks and parentheses, so the fields count from the last ")".
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace quelda::test {

struct ProcStat {
    std::string name;
    char state = '?';
    long parent = 0;
    long utime = -1;  // clock ticks; -1 when the line does not say
    long stime = -1;
};

// False when the process is gone or the line cannot be read.
inline bool ReadProcStat(long pid, ProcStat& out) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), {});
    const std::size_t open = stat.find('(');
    const std::size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    out.name = stat.substr(open + 1, close - open - 1);
    std::istringstream fields(stat.substr(std::min(close + 2, stat.size())));
    if (!(fields >> out.state >> out.parent)) return false;
    // state is the 3rd field of the line, utime the 14th
    std::string skipped;
    for (int i = 5; i <= 13 && fields >> skipped; ++i) {
    }
    if (!(fields >> out.utime >> out.stime)) out.utime = out.stime = -1;
    return true;
}

}  // namespace quelda::test
