// The terminal's command line: "$" lines framed, file names sent raw, other
// words and unreadable names sent as lines.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "support/CoreFixture.h"
#include "support/PtyPair.h"
#include "term/TermCommandLine.h"

namespace quelda::test {
namespace {

TEST(ReadRegularFile, OnlyWholeRegularFiles) {
    TempDir dir;
    dir.Write("data.bin", std::string("a\0b\r\n", 5));
    dir.Write("empty", "");
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    struct Case {
        std::string path;
        bool ok;
        std::size_t size;
    } const cases[] = {
        {dir.File("data.bin"), true, 5},
        {dir.File("empty"), true, 0},
        {dir.File("missing"), false, 0},
        {dir.Path(), false, 0},        // a directory
        {dir.File("fifo"), false, 0},  // must not block
        {"/dev/zero", false, 0},       // must not read forever
        {"", false, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes{1, 2};
        EXPECT_EQ(ReadRegularFile(c.path, bytes), c.ok) << c.path;
        EXPECT_EQ(bytes.size(), c.size) << c.path;
    }
}

class TermCommandLineTest : public CoreTest {};

TEST_F(TermCommandLineTest, RoutesByTheText) {
    dir.Write("cmd.bin", "RAW\x01");
    struct Case {
        std::string text;
        CommandLineRoute route;
        std::vector<TermLine> shown;
    };
    const std::vector<Case> cases = {
        {"", CommandLineRoute::kNothing, {}},
        {"$QVR,X*",
         CommandLineRoute::kLine,
         {{kLineSent, "$QVR,X*" + Hex2(Xor("QVR,X")) + "\r\n"}}},
        {dir.File("cmd.bin"), CommandLineRoute::kFile, {}},
        {"nosuchfile", CommandLineRoute::kLine, {{kLineSent, "nosuchfile\r\n"}}},
        {dir.Path(), CommandLineRoute::kLine, {{kLineSent, dir.Path() + "\r\n"}}},
    };
    for (const Case& c : cases) {
        host.lines.clear();
        EXPECT_EQ(SendTermCommandLine(*core, c.text), c.route) << c.text;
        EXPECT_EQ(host.lines, c.shown) << c.text;
    }
}

TEST_F(TermCommandLineTest, FileBytesReachTheLineUnframed) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    LineSettings line = core->GetLineSettings();
    line.port = pty.Path();
    core->SetLineSettings(line);
    core->Connect();
    ASSERT_TRUE(core->IsConnected());
    const std::string content("A,B\x00\xff\r\n", 7);
    dir.Write("raw.bin", content);
    EXPECT_EQ(SendTermCommandLine(*core, dir.File("raw.bin")), CommandLineRoute::kFile);
    EXPECT_EQ(pty.Read(content.size()), content);
    EXPECT_TRUE(host.lines.empty());
    core->Disconnect();
}

}  // namespace
}  // namespace quelda::test
