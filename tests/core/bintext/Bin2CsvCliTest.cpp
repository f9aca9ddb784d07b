// Runs the real quelda-cli bin2csv and checks its exit codes and messages.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "support/TempDir.h"

namespace quelda {
namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
};

class Bin2CsvCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("in.BIN", std::string("h\n") + std::string("\x04\x00\x07\x08", 4));
        dir.Write("def.TXT", "t\n1,A,UCHAR,1,%d,INT4\n2,B,UCHAR,1,%d,INT4\n");
    }

    // stdout of the program; stderr goes to err.txt in the scratch directory.
    CliRun Run(const std::string& args, const std::string& env = "") {
        const std::string command = "cd " + dir.Path() + " && " + env +
                                    " " QUELDA_BIN_DIR "/quelda-cli " + args +
                                    " 2>err.txt </dev/null";
        CliRun run;
        FILE* p = ::popen(command.c_str(), "r");
        if (!p) return run;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p)) run.out += buffer;
        const int status = ::pclose(p);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    test::TempDir dir;
};

TEST_F(Bin2CsvCliTest, ConvertsAndExitsZero) {
    const CliRun run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV --dir .");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.Read("out.CSV"), "A,B,\r\n7,8,\r\n");
    EXPECT_EQ(dir.Read("err.txt"), "");  // no progress when stderr is not a terminal
}

TEST_F(Bin2CsvCliTest, LengthFormatComesFromTheOptionOrTheIniFile) {
    // high byte first, the length bytes 04 00 read as 1024: a block cut short
    const std::string message = "MESSAGE The last block of the BINARY file is incomplete\n";
    dir.Write("QUELDA.INI", "[command]\nbin_length_format=1\n");
    CliRun run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV --dir .");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, message);
    run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV --dir . --bin-length-format 0");
    EXPECT_EQ(run.exitCode, 0);
    run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV", "QUELDA_DIR=" + dir.Path());
    EXPECT_EQ(run.out, message);  // the program directory from the environment
    run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV", "QUELDA_DIR=");
    EXPECT_EQ(run.exitCode, 0);  // the executable's directory holds no QUELDA.INI
    dir.Write("QUELDA.INI", "");
    run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV --dir . --bin-length-format 1");
    EXPECT_EQ(run.out, message);
}

TEST_F(Bin2CsvCliTest, MessagesCarryTheirNumbers) {
    dir.Write("in.BIN", std::string("h\n") + std::string("\x01\x00", 2));
    CliRun run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV --dir .");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "MESSAGE The data length of the BINARY file =1 is abnormal\n");
    run = Run("bin2csv --bin in.BIN --def def.TXT --out out.CSV --dir . --rate 0");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "MESSAGE Value of the conversion ratio is abnormal\n");
}

TEST_F(Bin2CsvCliTest, UsageErrorsExitTwoWithOneLine) {
    const char* bad[] = {
        "bin2csv",
        "bin2csv --bin in.BIN --def def.TXT",
        "bin2csv --bin in.BIN --def def.TXT --out o.CSV --rate x",
        "bin2csv --bin in.BIN --def def.TXT --out o.CSV --rate 99999999999",
        "bin2csv --bin in.BIN --def def.TXT --out o.CSV --bin-length-format 2",
        "bin2csv --bin in.BIN --def def.TXT --out o.CSV --colour",
        "bin2csv --bin in.BIN --def def.TXT --out",
    };
    for (const char* args : bad) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        const std::string err = dir.Read("err.txt");
        EXPECT_FALSE(err.empty()) << args;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << args;
    }
}

// Hostile inputs end with a message: a binary log that is a device or a FIFO
// is no file to convert, and a status table that is a device is empty.
TEST_F(Bin2CsvCliTest, DevicesAndFifosNeitherHangNorGrow) {
    ASSERT_EQ(::symlink("/dev/zero", dir.File("Z.TXT").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("fifo.BIN").c_str(), 0600), 0);
    dir.Write("status.TXT", "t\n1,S,UCHAR,1,%d,STATUS,,0,0,Z.TXT\n");
    const std::string cannot = "MESSAGE The BINARY file cannot be opened\n";
    for (const char* bin : {"/dev/zero", "fifo.BIN"}) {
        const CliRun run = Run(std::string("bin2csv --bin ") + bin +
                               " --def def.TXT --out out.CSV --dir .");
        EXPECT_EQ(run.exitCode, 1) << bin;
        EXPECT_EQ(run.out, cannot) << bin;
    }
    const CliRun run = Run("bin2csv --bin in.BIN --def status.TXT --out out.CSV --dir .");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(dir.Read("out.CSV"), "S,\r\n7,\r\n");
}

}  // namespace
}  // namespace quelda
