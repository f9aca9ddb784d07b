// quelda-cli watch against the virtual device with the demo profile, and on
// the test's own terminal where the frames must be exact.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "CliFixture.h"

namespace quelda::test {
namespace {

using Lines = std::vector<std::string>;

// Ends a run whose --count is never reached with a failure, not a hang.
const char kBound[] = "10";

const char kMonitor1Header[] =
    "HEADER ,,Speed,Current,Bus voltage,Temperature,Position,Answers,Load,Drive state,";
const char kMonitor3Header[] =
    "HEADER Sequence,Speed,Torque,Temperature,Position,Flags,Gain,Energy,Pulses,Level,"
    "Reference,Cycle,Following err,Status word,";

Lines Fields(const std::string& line) {
    Lines fields(1);
    for (char c : line) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

Lines Starting(const Lines& lines, const std::string& prefix) {
    Lines out;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) out.push_back(line.substr(prefix.size()));
    }
    return out;
}

// Lines of a CR LF file, without their CR LF; a last line without one is kept.
Lines CrLfLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

class CliWatchTest : public CliTest {
protected:
    void SetUp() override {
        std::filesystem::copy(std::string(QUELDA_SOURCE_DIR) + "/src/ui/res/demo", dir.Path(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
    }

    // The device of the copied demo profile; its answer files may have been
    // replaced with constant ones first.
    void StartDevice() {
        ASSERT_TRUE(device.Start(Program("quelda-device"), {"--profile", dir.File("device")}));
        const std::string first = device.ReadLine();
        ASSERT_EQ(first.rfind("PTY ", 0), 0u) << first << device.Stderr();
        port = first.substr(4);
    }

    // Starts watch on the device's terminal, or on another port.
    void Watch(const std::vector<std::string>& extra, const std::string& on = "",
               ChildProcess* child = nullptr) {
        std::vector<std::string> args = {"watch", "--dir", dir.Path()};
        if (on != "-") args.insert(args.end(), {"--port", on.empty() ? port : on});
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_TRUE((child ? *child : cli).Start(Program("quelda-cli"), args));
    }

    // The events up to the end of the program, and its exit code.
    Lines Rest(ChildProcess* child = nullptr) {
        ChildProcess& c = child ? *child : cli;
        exitCode = c.Wait();
        Lines lines;
        for (std::string line; !(line = c.ReadLine(0)).empty();) lines.push_back(line);
        return lines;
    }

    // Each VALUES (or WORD) line with the CELL lines that follow it.
    static std::vector<Lines> Ticks(const Lines& lines, const std::string& prefix) {
        std::vector<Lines> ticks;
        for (const std::string& line : lines) {
            if (line.rfind(prefix, 0) == 0) ticks.push_back({line});
            if (line.rfind("CELL ", 0) == 0 && !ticks.empty()) ticks.back().push_back(line);
        }
        return ticks;
    }

    ChildProcess device;
    std::string port;
};

TEST_F(CliWatchTest, Monitor1ValuesLineUpWithTheHeaderAndEveryFrameIsLogged) {
    StartDevice();
    Watch({"--view", "monitor1", "--count", "3", "--seconds", kBound, "--csv", dir.File("m1.csv"),
           "--log", dir.File("m1.log")});
    const Lines lines = Rest();
    EXPECT_EQ(exitCode, 0);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "CONNECTED " + port);
    ASSERT_EQ(lines[1], kMonitor1Header);
    const Lines header = Fields(lines[1].substr(7));
    const auto column = [&](const std::string& name) {
        return std::find(header.begin(), header.end(), name) - header.begin();
    };
    const std::vector<Lines> ticks = Ticks(lines, "VALUES ");
    ASSERT_EQ(ticks.size(), 3u);
    long lastAnswers = -1;
    std::string csv = lines[1].substr(7) + "\r\n";
    for (const Lines& tick : ticks) {
        const std::string values = tick[0].substr(7);
        csv += values + "\r\n";
        const Lines fields = Fields(values);
        ASSERT_EQ(fields.size(), header.size()) << values;
        EXPECT_EQ(fields[0] + fields[1] + fields.back(), "") << values;
        // the device counts its answers by 1 and its position by 1000
        const long answers = std::stol(fields[column("Answers")]);
        EXPECT_EQ(std::stol(fields[column("Position")]), 1000 * answers) << values;
        EXPECT_GT(answers, lastAnswers);
        lastAnswers = answers;
        ASSERT_EQ(tick.size(), 4u);
        EXPECT_EQ(tick[1].rfind("CELL Drive state,Mode,", 0), 0u);
        EXPECT_EQ(tick[2].rfind("CELL Drive state,Brake,", 0), 0u);
        EXPECT_EQ(tick[3].rfind("CELL Drive state,Alarm,", 0), 0u);
    }
    for (const std::string& sent : Starting(lines, "SENT ")) EXPECT_EQ(sent, Escaped(Text("MON1")));
    EXPECT_TRUE(Starting(lines, "FRAME ").empty());
    EXPECT_EQ(dir.Read("m1.csv"), csv);

    // The log is the header and every frame text, among them those shown.
    const Lines log = CrLfLines(dir.Read("m1.log"));
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], lines[1].substr(7));
    Lines loggedAnswers;
    for (std::size_t i = 1; i < log.size(); ++i) {
        EXPECT_EQ(log[i].rfind("$QVR,MON1,", 0), 0u) << log[i];
        loggedAnswers.push_back(Fields(log[i])[column("Answers")]);
    }
    for (const Lines& tick : ticks) {
        const std::string shown = Fields(tick[0].substr(7))[column("Answers")];
        EXPECT_NE(std::find(loggedAnswers.begin(), loggedAnswers.end(), shown), loggedAnswers.end())
            << shown;
    }
}

TEST_F(CliWatchTest, Monitor1DecodesExactlyAndAppendsToExistingFilesWithoutASecondHeader) {
    dir.Write("device/ANS_MON1.TXT",
              "N,F,G,A\r\nSpeed,%.1f,CONST,1234.5\r\nCurrent,%d,CONST,250\r\n"
              "Bus,%X,CONST,2830\r\nTemp,%.1f,CONST,45\r\nPosition,%d,CONST,-5\r\n"
              "Answers,%X,CONST,7\r\nLoad,%d,CONST,50\r\nState,%X,CONST,11\r\n");
    StartDevice();
    const std::string values = ",,1234.5,2.50,283.0,45.0,-5,7,50,11,";
    for (int run = 0; run < 2; ++run) {
        ChildProcess child;
        Watch({"--view", "monitor1", "--count", "1", "--seconds", kBound, "--csv",
               dir.File("m1.csv"), "--log", dir.File("m1.log")},
              "", &child);
        const Lines lines = Rest(&child);
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(Ticks(lines, "VALUES "),
                  (std::vector<Lines>{{"VALUES " + values, "CELL Drive state,Mode,Home,255,255,0",
                                       "CELL Drive state,Brake,Held,255,192,128",
                                       "CELL Drive state,Alarm,ALARM,255,0,0"}}));
    }
    const std::string header = std::string(kMonitor1Header).substr(7);
    EXPECT_EQ(dir.Read("m1.csv"), header + "\r\n" + values + "\r\n" + values + "\r\n");
    const Lines log = CrLfLines(dir.Read("m1.log"));
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], header);
    for (std::size_t i = 1; i < log.size(); ++i)
        EXPECT_EQ(log[i] + "\r\n", Text("MON1,1234.5,250,B0E,45.0,-5,7,50,B"));
}

TEST_F(CliWatchTest, Monitor3DecodesTheBinaryBlockAndLogsItRaw) {
    dir.Write("device/ANS_BIN3.TXT",
              "N,T,G,A\r\nSequence,UINT2LE,CONST,7\r\nSpeed,FLOAT4LE,CONST,1500.5\r\n"
              "Torque,INT2BE,CONST,-123\r\nTemperature,UINT2LE,CONST,650\r\nReserved,JUMP4\r\n"
              "Position,INT4BE,CONST,-100000\r\nFlags,UCHAR,CONST,6\r\n"
              "Gain,FLOATDSP,CONST,1.5\r\nEnergy,FLOAT8BE,CONST,12.25\r\n"
              "Pulses,UINT4LE,CONST,4096\r\nLevel,CHAR,CONST,-7\r\n"
              "Reference,FLOAT4BE,CONST,2.5\r\nCycle,UINT2BE,CONST,60000\r\n"
              "Following err,INT4LE,CONST,-19\r\nStatus word,UINT4BE,CONST,65796\r\n");
    StartDevice();
    Watch({"--view", "monitor3", "--count", "1", "--seconds", kBound, "--log", dir.File("m3.bin")});
    const Lines lines = Rest();
    EXPECT_EQ(exitCode, 0);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], kMonitor3Header);
    EXPECT_EQ(lines[2], "SENT " + Escaped(Text("BIN3")));
    EXPECT_EQ(Ticks(lines, "VALUES "),
              (std::vector<Lines>{
                  {"VALUES 7,1500.5,-12.3,25.0,-100000,6,1.500,12.250,4096,-7,2.500,60000,-19,"
                   "00010104,",
                   "CELL Flags,Mode,Test,255,255,0", "CELL Flags,Limit,LIMIT,255,128,0"}}));

    // Header line, then whole blocks of L bytes (length bytes low first).
    const std::string log = dir.Read("m3.bin");
    const std::string header = std::string(kMonitor3Header).substr(7) + "\r\n";
    ASSERT_GT(log.size(), header.size() + 4);
    EXPECT_EQ(log.substr(0, header.size()), header);
    const std::string blocks = log.substr(header.size());
    const std::size_t L = static_cast<uint8_t>(blocks[0]) |
                          static_cast<std::size_t>(static_cast<uint8_t>(blocks[1])) << 8;
    ASSERT_GE(L, 4u);
    ASSERT_EQ(blocks.size() % L, 0u) << L;
    EXPECT_EQ(blocks.substr(2, 2), std::string("\x07\x00", 2));
    for (std::size_t at = L; at < blocks.size(); at += L)
        EXPECT_EQ(blocks.substr(at, L), blocks.substr(0, L));
}

TEST_F(CliWatchTest, StatusPrintsTheWordAndItsCells) {
    // mode 3, ready, direction 3, step 10, servo on, warning 2
    dir.Write("device/ANS_STS.TXT", "N,F,G,A\r\nStatus word,%08X,CONST,2165303\r\n");
    StartDevice();
    Watch(
        {"--view", "status", "--count", "2", "--seconds", kBound, "--csv", dir.File("status.csv")});
    const Lines lines = Rest();
    EXPECT_EQ(exitCode, 0);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "HEADER word");
    EXPECT_EQ(lines[2], "SENT " + Escaped(Text("STS")));
    const Lines tick = {"WORD 00210A37",
                        "CELL ,Mode,Home,255,255,0",
                        "CELL ,Alarm,OK,0,255,0",
                        "CELL ,Ready,Ready,0,255,0",
                        "CELL ,Servo,ON,0,255,0",
                        "CELL ,Direction,?,255,0,255",
                        "CELL ,Step,Busy,255,255,128",
                        "CELL ,Warning,Over temp,255,128,0"};
    EXPECT_EQ(Ticks(lines, "WORD "), (std::vector<Lines>{tick, tick}));
    EXPECT_EQ(dir.Read("status.csv"), "word\r\n00210A37\r\n00210A37\r\n");
}

TEST_F(CliWatchTest, OnlyRoutedFramesReachTheViewAndRepliesPrintAsMonitorPrintsThem) {
    ASSERT_TRUE(pty.Ok());
    // record 20 with the reply wait, so a NAK gives its message
    dir.Write("COMMAND2.TXT", std::string(20, '\n') + "Read,MON1,,,,,,1,1\r\n");
    Watch({"--view", "monitor1", "--every", "600000", "--count", "1", "--seconds", kBound},
          pty.Path());
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    EXPECT_EQ(Next(), kMonitor1Header);
    ExpectSentOnLine(Text("MON1"));
    ASSERT_TRUE(pty.Write(Text("NAK")));
    EXPECT_EQ(Next(), "MESSAGE It has received a NAK");
    std::string bad = Text("MON1,5");
    bad[bad.size() - 3] ^= 1;
    ASSERT_TRUE(pty.Write(bad));
    EXPECT_EQ(Next(), "ERROR Reception checksum error");
    // Another command's frame: were it taken, a tick would show its Answers.
    ASSERT_TRUE(pty.Write(Text("STS,,,,,,,99")));
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    ASSERT_TRUE(pty.Write(Text("MON1X,1,2")));
    const std::string values = Next();
    ASSERT_EQ(values.rfind("VALUES ", 0), 0u) << values;
    const Lines fields = Fields(values.substr(7));
    ASSERT_EQ(fields.size(), 11u);
    EXPECT_EQ(fields[2], "1.0");
    EXPECT_EQ(fields[3], "0.02");
    EXPECT_EQ(fields[7], "");
    EXPECT_EQ(Starting(Rest(), "CELL Drive state,").size(), 3u);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(CliWatchTest, MissingRecordSendsNothingAndLetsEveryFrameThrough) {
    ASSERT_TRUE(pty.Ok());
    dir.Write("COMMAND2.TXT", "Run,RUN,1,,,,,1,1\r\n");
    Watch({"--view", "monitor1", "--every", "20", "--count", "1", "--seconds", kBound}, pty.Path());
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    EXPECT_EQ(Next(), kMonitor1Header);
    ASSERT_TRUE(pty.Write(Text("ANY,1.5,200")));
    const std::string values = Next();
    ASSERT_EQ(values.rfind("VALUES ,,1.5,2.00,", 0), 0u) << values;
    EXPECT_EQ(Starting(Rest(), "SENT ").size(), 0u);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(CliWatchTest, ListeningOnlyEndsOnSignalOrAfterTheSeconds) {
    ASSERT_TRUE(pty.Ok());
    Watch({"--view", "status", "--every", "0"}, pty.Path());
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    EXPECT_EQ(Next(), "HEADER word");
    cli.Signal(SIGTERM);
    EXPECT_EQ(Rest(), Lines{});
    EXPECT_EQ(exitCode, 0);

    ChildProcess second;
    Watch({"--view", "monitor4", "--every", "0", "--seconds", "0.2"}, pty.Path(), &second);
    const Lines lines = Rest(&second);
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("HEADER ,", 0), 0u);
}

TEST_F(CliWatchTest, ALogThatCannotBeWrittenIsReportedOnceOnStandardError) {
    StartDevice();
    const std::string log = dir.File("missing/m2.csv");
    Watch({"--view", "monitor2", "--count", "3", "--seconds", kBound, "--log", log});
    const Lines lines = Rest();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(Starting(lines, "VALUES ").size(), 3u);
    EXPECT_EQ(cli.Stderr().rfind("quelda-cli watch: log " + log + ": ", 0), 0u) << cli.Stderr();
    EXPECT_EQ(std::count(cli.Stderr().begin(), cli.Stderr().end(), '\n'), 1);
}

TEST_F(CliWatchTest, UsageErrorsExitTwoAndAFailedOpenExitsOne) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--view", "monitor5"},
        {"--view"},
        {"--view", "status", "--log", "x.csv"},
        {"--view", "monitor1", "--count", "0"},
        {"--view", "monitor1", "--every", "-1"},
        {"--view", "monitor1", "--seconds", "soon"},
        {"--view", "monitor1", "--yes"},
        {"--view", "monitor1", "--speed", "1"}};
    for (const auto& args : wrong) {
        ChildProcess child;
        Watch(args, "-", &child);
        const std::string what = args.empty() ? "no view" : args.back();
        EXPECT_EQ(Rest(&child), Lines{}) << what;
        EXPECT_EQ(exitCode, 2) << what;
        EXPECT_EQ(child.Stderr().rfind("quelda-cli watch: ", 0), 0u) << child.Stderr();
        EXPECT_EQ(std::count(child.Stderr().begin(), child.Stderr().end(), '\n'), 1) << what;
    }

    Watch({"--view", "monitor1"}, dir.File("no-such-tty"));
    const Lines lines = Rest();
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "MESSAGE COM port open error");
    EXPECT_EQ(lines[1].rfind("REASON ", 0), 0u);
}

}  // namespace
}  // namespace quelda::test
