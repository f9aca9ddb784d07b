#include "text/FileNames.h"

#include <cstdio>
#include <ctime>

#include "text/TextFile.h"

namespace quelda {

std::string NextNumberedFileName(const std::string& base, const std::string& ext) {
    auto name = [&](int n) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", n);
        return base + digits + "." + ext;
    };
    for (int n = 0; n < 100; ++n) {
        std::string candidate = name(n);
        if (!FileExists(candidate)) return candidate;
    }
    return name(0);
}

std::string TodayYYMMDD() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%y%m%d", &local);
    return text;
}

std::string ProposeLogName(const std::string& dir, const std::string& ext) {
    return NextNumberedFileName(dir + TodayYYMMDD(), ext);
}

}  // namespace quelda
