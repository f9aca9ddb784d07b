// quelda-cli eeprom against the virtual device with the demo profile.
#include <algorithm>

#include "CliFixture.h"
#include "eeprom/EepromData.h"
#include "support/DeviceProcess.h"
#include "text/TextFile.h"

namespace quelda::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kDemo = std::string(QUELDA_SOURCE_DIR) + "/src/ui/res/demo/";

class CliEepromTest : public CliTest {
protected:
    void SetUp() override {
        std::string table;
        ASSERT_TRUE(ReadFileBytes(kDemo + "EEPROMTAB.TXT", table));
        dir.Write("EEPROMTAB.TXT", table);
        // word access unless the command line says otherwise
        dir.Write("QUELDA.INI", "[EEPROM]\r\nBYTE_WORD=1\r\n");
        ASSERT_TRUE(device.Start({"--profile", kDemo + "device"}));
    }

    // Runs the command to its end; the events and the exit code.
    Lines Eeprom(const std::vector<std::string>& extra, const std::string& port = "") {
        std::vector<std::string> args = {"eeprom"};
        args.insert(args.end(), extra.begin(), extra.end());
        for (const std::string& a : {std::string("--dir"), dir.Path(), std::string("--port"),
                                     port.empty() ? device.Path() : port}) {
            args.push_back(a);
        }
        ChildProcess run;
        EXPECT_TRUE(run.Start(Program("quelda-cli"), args));
        exitCode = run.Wait();
        Lines lines;
        for (std::string line; !(line = run.ReadLine(0)).empty();) lines.push_back(line);
        errors = run.Stderr();
        return lines;
    }

    static long Count(const Lines& lines, const std::string& prefix) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    }

    // The demo's data with new values on page 1 and page 32, their words to
    // be computed from the values on load.
    void WriteChangedData(const std::string& name, const std::string& speed) {
        std::vector<std::string> lines;
        ASSERT_TRUE(ReadLines(kDemo + "EEPROM.CSV", lines));
        std::vector<EepromItem> items;
        ItemsFromLines(lines, items);
        ASSERT_EQ(items[1].type, "INT4LE");
        items[1].value = speed;
        items[3].value = "3.50";  // FLOAT4LE, lsb 100
        items[1024].value = "77";
        for (std::size_t i : {1, 3, 1024}) items[i].hexValue.clear();
        std::string text;
        for (const EepromItem& item : items) text += LineOfItem(item) + "\r\n";
        dir.Write(name, text);
    }

    DeviceProcess device;
    std::string errors;  // the last run's standard error
};

TEST_F(CliEepromTest, WriteThenReadBackInBothAccessModes) {
    const struct {
        std::vector<std::string> access;
        const char* speed;
        long writes, reads;
    } modes[] = {{{}, "1234", 65, 32}, {{"--access", "byte"}, "4321", 161, 128}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.writes);
        WriteChangedData("changed.csv", m.speed);
        std::vector<std::string> args = {"write", "--file", dir.File("changed.csv")};
        args.insert(args.end(), m.access.begin(), m.access.end());
        Lines lines = Eeprom(args);
        EXPECT_EQ(exitCode, 0) << errors;
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "CONNECTED " + device.Path());
        EXPECT_EQ(lines[1], "ASK Send all the data . is it OK?");
        EXPECT_EQ(lines.back(), "MESSAGE Writing has been completed successfully");
        EXPECT_EQ(Count(lines, "SENT "), m.writes);
        EXPECT_EQ(Count(lines, "FRAME " + Escaped(Text("ACK"))), m.writes);

        // read with the demo's own file for the items; the backup goes elsewhere
        std::string demo;
        ASSERT_TRUE(ReadFileBytes(kDemo + "EEPROM.CSV", demo));
        dir.Write("EEPROM.CSV", demo);
        args = {"read", "--out", dir.File("back.csv")};
        args.insert(args.end(), m.access.begin(), m.access.end());
        lines = Eeprom(args);
        EXPECT_EQ(exitCode, 0) << errors;
        EXPECT_EQ(lines[1], "ASK You will receive all the data . is it OK?");
        EXPECT_EQ(lines.back(), "MESSAGE Read has completed successfully");
        EXPECT_EQ(Count(lines, "SENT "), m.reads);
        EXPECT_EQ(dir.Read("EEPROM.CSV"), demo);  // the --file is only read

        std::vector<EepromItem> written, read;
        ASSERT_TRUE(LoadItems(dir.File("changed.csv"), written));
        ASSERT_TRUE(LoadItems(dir.File("back.csv"), read));
        ASSERT_EQ(read.size(), written.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            ASSERT_EQ(LineOfItem(read[i]), LineOfItem(written[i])) << i;
        }
        EXPECT_EQ(read[1].value, m.speed);
    }

    // one page: its data and its checksum, no signature
    const Lines lines = Eeprom({"write", "--page", "32", "--file", dir.File("changed.csv")});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(Count(lines, "SENT "), 2);
    EXPECT_EQ(Count(lines, "SENT $QVR,EW,1080,"), 1);
}

TEST_F(CliEepromTest, AFailedReadLeavesTheOutFileUntouched) {
    dir.Write("back.csv", "good backup\r\n");
    std::string demo;
    ASSERT_TRUE(ReadFileBytes(kDemo + "EEPROM.CSV", demo));
    dir.Write("EEPROM.CSV", demo);
    // page 2 lies where the device has no memory: its read is refused
    dir.Write("EEPROMTAB.TXT", "Sig,0,0\r\nMotor,100,1100\r\nFar,FFFFFF00,1101\r\n");
    Lines lines = Eeprom({"read", "--out", dir.File("back.csv")});
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(Count(lines, "SENT "), 2);
    EXPECT_EQ(lines.back(), "MESSAGE It has received a NAK");
    EXPECT_EQ(dir.Read("back.csv"), "good backup\r\n");

    // a page without its line: nothing is sent, nothing is saved
    lines = Eeprom({"read", "--page", "3", "--out", dir.File("back.csv")});
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(Count(lines, "SENT "), 0);
    EXPECT_EQ(lines.back(), "MESSAGE There is no data in the EEPROMTAB.TXT!");
    EXPECT_EQ(dir.Read("back.csv"), "good backup\r\n");

    // a data file that cannot be read opens no port
    lines = Eeprom({"read", "--file", dir.File("missing.csv")});
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(lines, Lines{"MESSAGE It failed to read the EEPROM file"});

    lines = Eeprom({"write"}, dir.File("no-such-port"));
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "MESSAGE COM port open error");
    EXPECT_EQ(lines[1].rfind("REASON ", 0), 0u);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"copy"},
                                                {"read", "--access", "dword"},
                                                {"read", "--yes"},
                                                {"write", "--out", "x.csv"},
                                                {"read", "--page", "0"}}) {
        lines = Eeprom(bad);
        EXPECT_EQ(exitCode, 2) << bad.back();
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
}

}  // namespace
}  // namespace quelda::test
