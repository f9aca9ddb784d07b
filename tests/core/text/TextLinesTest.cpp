#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <filesystem>

#include "text/CommaLines.h"
#include "text/FileNames.h"
#include "text/LenientNumbers.h"
#include "text/TextFile.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

TEST(ReadLines, CutsAtLineEndsOfEitherStyle) {
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\nc\r\n", {"a", "b", "c"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"\n", {""}},
        {"a\rb\n", {"a\rb"}},
        {"a\r\r\n", {"a\r"}},
        {"a\r", {"a\r"}},
        {"a\0b\r\n\0"s, {"a\0b"s, "\0"s}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        dir.Write("f.txt", c.bytes);
        Lines lines{"stale"};
        ASSERT_TRUE(ReadLines(dir.File("f.txt"), lines));
        EXPECT_EQ(lines, c.lines) << "bytes: " << c.bytes;
    }
}

TEST(ReadLines, KeepsVeryLongLines) {
    TempDir dir;
    std::string longLine(100 * 1024, 'x');
    dir.Write("f.txt", "first\r\n" + longLine + "\r\nlast");
    Lines lines;
    ASSERT_TRUE(ReadLines(dir.File("f.txt"), lines));
    EXPECT_EQ(lines, (Lines{"first", longLine, "last"}));
}

TEST(ReadLines, FailsOnMissingFileOrDirectory) {
    TempDir dir;
    Lines lines;
    EXPECT_FALSE(ReadLines(dir.File("missing.txt"), lines));
    EXPECT_FALSE(ReadLines(dir.Path(), lines));
}

// Loaders read whatever a user's directory holds: a device or a FIFO must
// neither hang nor grow without end, and an oversized file is cut at the
// bound and reported.
TEST(ReadFileBytes, ReadsOnlyBoundedRegularFiles) {
    TempDir dir;
    std::string content = "old";
    EXPECT_FALSE(ReadFileBytes("/dev/zero", content));
    EXPECT_TRUE(content.empty());
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ReadFileBytes(dir.File("fifo"), content));  // returns at once, no writer needed
    EXPECT_FALSE(ReadFileBytes(dir.Path(), content));

    static std::string cutPath;
    SetCutFileNotice([](const std::string& path, std::size_t) { cutPath = path; });
    dir.Write("big", "");
    std::filesystem::resize_file(dir.File("big"), kMaxTextFileBytes);
    EXPECT_TRUE(ReadFileBytes(dir.File("big"), content));
    EXPECT_EQ(content.size(), kMaxTextFileBytes);
    EXPECT_EQ(cutPath, "");
    std::filesystem::resize_file(dir.File("big"), kMaxTextFileBytes + 1);
    EXPECT_TRUE(ReadFileBytes(dir.File("big"), content));
    EXPECT_EQ(content.size(), kMaxTextFileBytes);
    EXPECT_EQ(cutPath, dir.File("big"));
    SetCutFileNotice(nullptr);
    // a bound of its own refuses rather than cuts
    EXPECT_EQ(ReadBoundedFile(dir.File("big"), 10, content), ReadOutcome::Refused);
    EXPECT_TRUE(content.empty());
}

// Logs and outputs may be a FIFO or a device: a FIFO nobody reads and one
// that is full fail at once instead of blocking.
TEST(OutputFiles, NeverBlockOnAFifo) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(AppendToFile(fifo, "x", 1));
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const std::string block(1 << 20, 'x');  // beyond what a pipe holds
    EXPECT_FALSE(AppendToFile(fifo, block.data(), block.size()));
    ::close(reader);
    EXPECT_TRUE(AppendToFile("/dev/null", "x", 1));
}

TEST(WriteFileAtomic, RemovesTemporaryFilesOfDeadProcessesOnly) {
    TempDir dir;
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = ".quelda-" + std::to_string(dead) + "-0.tmp";
    const std::string live = ".quelda-" + std::to_string(::getppid()) + "-3.tmp";
    const std::string other = ".quelda-notes.tmp";
    for (const std::string& name : {stale, live, other}) dir.Write(name, "");
    ASSERT_TRUE(WriteFileAtomic(dir.File("PSETTING.TXT"), "new"));
    EXPECT_FALSE(FileExists(dir.File(stale)));
    EXPECT_TRUE(FileExists(dir.File(live)));
    EXPECT_TRUE(FileExists(dir.File(other)));
    EXPECT_EQ(dir.Read("PSETTING.TXT"), "new");
}

TEST(SplitComma, CutsAtEveryCommaWithoutTrimming) {
    struct Case {
        std::string line;
        std::size_t count;
        Lines fields;
    } cases[] = {
        {"", 0, {""}},
        {"", 3, {"", "", ""}},
        {"a,,b", 0, {"a", "", "b"}},
        {" a , b ", 2, {" a ", " b "}},
        {"a,b", 5, {"a", "b", "", "", ""}},
        {"a,b,c,d", 2, {"a", "b", "c", "d"}},
        {"a,", 0, {"a", ""}},
        {",", 0, {"", ""}},
        {"\"x,y\"", 0, {"\"x", "y\""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitComma(c.line, c.count), c.fields) << c.line;
}

TEST(LenientNumbers, AtoiRules) {
    struct Case {
        std::string text;
        int value;
    } cases[] = {
        {"", 0},
        {"12", 12},
        {"  -7x", -7},
        {"+3", 3},
        {"\t\n\v\f\r 42", 42},
        {"- 3", 0},
        {"+-3", 0},
        {"abc", 0},
        {"12abc", 12},
        {"0x1F", 0},
        {"1.9", 1},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999", INT_MIN},
        {"1\0002"s, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(LenientAtoi(c.text), c.value) << c.text;
}

TEST(LenientNumbers, AtollSaturatesAtBothEnds) {
    EXPECT_EQ(LenientAtoll("9223372036854775807"), LLONG_MAX);
    EXPECT_EQ(LenientAtoll("9223372036854775808"), LLONG_MAX);
    EXPECT_EQ(LenientAtoll("-9223372036854775808"), LLONG_MIN);
    EXPECT_EQ(LenientAtoll("-9223372036854775809"), LLONG_MIN);
    EXPECT_EQ(LenientAtoll(" -4294967296"), -4294967296LL);
}

TEST(LenientNumbers, AtofRules) {
    struct Case {
        std::string text;
        double value;
    } cases[] = {
        {"", 0.0},        {"1.5", 1.5}, {" -2e3x", -2000.0}, {"abc", 0.0},
        {".5", 0.5},      {"1,5", 1.0}, {"1.5e", 1.5},       {"0x1p4", 16.0},
        {"+7.25 ", 7.25}, {"- 1", 0.0}, {"3\0004"s, 3.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(LenientAtof(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isinf(LenientAtof("inf")));
    EXPECT_TRUE(std::isinf(LenientAtof("1e999")));
    EXPECT_LT(LenientAtof("-1e999"), -DBL_MAX);
    EXPECT_TRUE(std::isnan(LenientAtof(" nan")));
}

TEST(LenientNumbers, ScanHexRules) {
    struct Case {
        std::string text;
        uint32_t value;
        bool ok;
    } cases[] = {
        {"1F", 0x1F, true},
        {"abcdefgh", 0xABCDEF, true},
        {"  +0X1f", 0x1F, true},
        {" \t\n1a", 0x1A, true},
        {"0x", 0, true},
        {"0xg", 0, true},
        {"0", 0, true},
        {"-1", 0xFFFFFFFF, true},
        {"-0x10", 0xFFFFFFF0, true},
        {"FFFFFFFF", 0xFFFFFFFF, true},
        {"100000000", 0xFFFFFFFF, true},
        {"FFFFFFFFFFFFFFFFFFFF", 0xFFFFFFFF, true},
        {"-FFFFFFFF", 1, true},
        {"", 0, false},
        {"x1", 0, false},
        {"g", 0, false},
        {"+", 0, false},
        {"-", 0, false},
        {"- 1", 0, false},
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(ScanHex32(c.text, &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
    EXPECT_EQ(ScanHex32("7"), 7u);
}

TEST(StrictInt, TakesOnlyWholeDecimalTextWithinIntRange) {
    struct Case {
        std::string text;
        int value;
    } good[] = {
        {"0", 0},
        {"42", 42},
        {"+7", 7},
        {"-0", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const Case& c : good) {
        int value = -99;
        EXPECT_TRUE(ParseStrictInt(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    const std::string bad[] = {
        "",    "-",       "+",          " 5",          "5 ",
        "5x",  "0x1F",    "1.0",        "--5",         "+-5",
        "- 5", "1\0002"s, "2147483648", "-2147483649", "99999999999999999999",
    };
    for (const std::string& text : bad) {
        int value = -99;
        EXPECT_FALSE(ParseStrictInt(text, value)) << text;
        EXPECT_EQ(value, -99) << text;
    }
}

TEST(WriteFileAtomic, CreatesAndReplacesLeavingNoTemporaryFile) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.txt"), "one"));
    EXPECT_EQ(dir.Read("a.txt"), "one");
    std::string binary = "x\0y\r\n"s;
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.txt"), binary));
    EXPECT_EQ(dir.Read("a.txt"), binary);
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) entries += !e.is_directory();
    EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomic, KeepsModeAndWritesThroughLinks) {
    TempDir dir;
    dir.Write("target.txt", "old");
    ASSERT_EQ(chmod(dir.File("target.txt").c_str(), 0640), 0);
    ASSERT_EQ(symlink("target.txt", dir.File("link.txt").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomic(dir.File("link.txt"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(dir.Read("target.txt"), "new");
    struct stat st;
    ASSERT_EQ(stat(dir.File("target.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomic, FailsWithoutHarm) {
    TempDir dir;
    EXPECT_FALSE(WriteFileAtomic(dir.File("no-such-dir/a.txt"), "x"));
    std::filesystem::create_directory(dir.File("sub"));
    dir.Write("sub/keep.txt", "kept");
    EXPECT_FALSE(WriteFileAtomic(dir.File("sub"), "x"));
    EXPECT_EQ(dir.Read("sub/keep.txt"), "kept");
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) entries += !e.is_directory();
    EXPECT_EQ(entries, 0) << "temporary file left behind";
}

TEST(WriteFileAtomic, FailedWriteKeepsOldFile) {
    TempDir dir;
    dir.Write("a.txt", "old");
    {
        test::FileSizeLimit limit(1024);
        EXPECT_FALSE(WriteFileAtomic(dir.File("a.txt"), std::string(4096, 'n')));
    }
    EXPECT_EQ(dir.Read("a.txt"), "old");
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) entries += !e.is_directory();
    EXPECT_EQ(entries, 1) << "temporary file left behind";
    // A name near the length limit still has room for the rewrite.
    std::string longName(250, 'L');
    dir.Write(longName, "old");
    ASSERT_TRUE(WriteFileAtomic(dir.File(longName), "new"));
    EXPECT_EQ(dir.Read(longName), "new");
}

TEST(AppendToFile, CreatesThenAppends) {
    TempDir dir;
    ASSERT_TRUE(AppendToFile(dir.File("log.txt"), "ab", 2));
    ASSERT_TRUE(AppendToFile(dir.File("log.txt"), "\0c", 2));
    EXPECT_EQ(dir.Read("log.txt"), "ab\0c"s);
    EXPECT_FALSE(AppendToFile(dir.File("no-such-dir/log.txt"), "x", 1));
}

TEST(NextNumberedFileName, TakesFirstFreeNumber) {
    TempDir dir;
    std::string base = dir.File("240131");
    EXPECT_EQ(NextNumberedFileName(base, "LOG"), base + "00.LOG");
    dir.Write("24013100.LOG", "");
    dir.Write("24013101.LOG", "");
    EXPECT_EQ(NextNumberedFileName(base, "LOG"), base + "02.LOG");
    dir.Write("24013103.LOG", "");
    EXPECT_EQ(NextNumberedFileName(base, "LOG"), base + "02.LOG");
    EXPECT_EQ(NextNumberedFileName(base, "CSV"), base + "00.CSV");
    char name[64];
    for (int n = 0; n < 100; ++n) {
        std::snprintf(name, sizeof name, "240131%02d.LOG", n);
        dir.Write(name, "");
    }
    EXPECT_EQ(NextNumberedFileName(base, "LOG"), base + "00.LOG");
}

}  // namespace
}  // namespace quelda
