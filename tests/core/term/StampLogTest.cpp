// The time-stamped log: record format, file name, and lines handed over once complete.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "term/CTermLineList.h"
#include "term/CTermStampLog.h"
#include "term/TermText.h"
#include "text/FileNames.h"
#include "text/TextFile.h"

namespace quelda {
namespace {

long long LocalMs(int h, int m, int s, int ms) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    local.tm_hour = h;
    local.tm_min = m;
    local.tm_sec = s;
    return static_cast<long long>(std::mktime(&local)) * 1000 + ms;
}

TEST(TermStampLog, RecordsAreTimeKindAndTextOnOneLine) {
    struct Case {
        TermLine line;
        std::string record;
    } const cases[] = {
        {{kLineSent, "$QVR,STS*2D\r\n", LocalMs(9, 5, 7, 42), ""},
         "09:05:07.042\tS\t$QVR,STS*2D\n"},
        {{kLineReceived, "a\tb\\c\rd", LocalMs(23, 59, 59, 999), ""},
         "23:59:59.999\tR\ta\\tb\\\\c\\rd\n"},
        {{kLineError, "Checksum error", LocalMs(0, 0, 0, 0), ""},
         "00:00:00.000\tE\tChecksum error\n"},
        {{kLineReceived, "$QVR,BIN3,*6A\r\n", LocalMs(12, 0, 0, 5), std::string("\x02\x00", 2)},
         "12:00:00.005\tR\t$QVR,BIN3,*6A 02 00\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(StampLogRecord(c.line), c.record);
}

TEST(TermStampLog, NamedLikeTheTrafficLogWithT) {
    test::TempDir dir;
    EXPECT_EQ(ProposeStampLogName(dir.Path()), dir.Path() + TodayYYMMDD() + "T00.LOG");
    dir.Write(TodayYYMMDD() + "T00.LOG", "x");
    EXPECT_EQ(ProposeStampLogName(dir.Path()), dir.Path() + TodayYYMMDD() + "T01.LOG");
}

TEST(TermStampLog, EachLineIsWrittenOnceWhenCompleteNothingLostInAFlood) {
    test::TempDir dir;
    CTermStampLog log;
    log.SetFile(dir.File("t.LOG"));
    CTermLineList list;
    list.SetCompleteSink([&log](const TermLine& line) { log.Add(line); });
    for (int i = 0; i < 1000; ++i) list.AddLine("L" + std::to_string(i) + "\r\n", kLineReceived, 0);
    // A line growing byte by byte is written once, whole, when the next comes.
    list.AddLine("$", kLineReceived, 0);
    list.FlushComplete();
    list.ReplaceLast("$Q\r\n", kLineReceived);
    list.FlushComplete();
    list.FlushComplete();
    ASSERT_TRUE(log.Flush());
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(dir.File("t.LOG"), lines));
    ASSERT_EQ(lines.size(), 1001u) << "held lines are few; the log has every line";
    EXPECT_EQ(lines[0].substr(12), "\tR\tL0");
    EXPECT_EQ(lines[999].substr(12), "\tR\tL999");
    EXPECT_EQ(lines[1000].substr(12), "\tR\t$Q");
}

}  // namespace
}  // namespace quelda
