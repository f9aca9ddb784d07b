// The command line and the line settings the device answers at.
#include "DeviceTestSupport.h"
#include "device/DeviceFaults.h"
#include "device/DeviceOptions.h"
#include "device/LineParams.h"

namespace quelda::test {
namespace {

TEST(DeviceOptionsTest, ReadsEveryOptionInBothForms) {
    DeviceOptions options;
    std::string error;
    ASSERT_TRUE(
        ParseDeviceOptions({"--profile", "p", "--link=/tmp/l", "--baud", "57600", "--parity=ODD",
                            "--stop", "2", "--data", "7", "--silent", "--flood", "100000", "--save",
                            "--fault", "DELAY=50", "--fault=NAK_WRITES"},
                           options, error))
        << error;
    EXPECT_EQ(options.profileDir, "p");
    EXPECT_EQ(options.linkPath, "/tmp/l");
    EXPECT_EQ(options.line.baud, 57600u);
    EXPECT_EQ(options.line.dataBits, 7);
    EXPECT_EQ(options.line.parity, 1);
    EXPECT_EQ(options.line.stopBits, 2);
    EXPECT_TRUE(options.silent);
    EXPECT_TRUE(options.save);
    EXPECT_EQ(options.flood, 100000);
    ASSERT_EQ(options.faults.size(), 2u);
    EXPECT_EQ(options.faults[1], (std::pair<std::string, std::string>{"NAK_WRITES", "1"}));
}

TEST(DeviceOptionsTest, WithoutLineOptionsEverySettingGoes) {
    DeviceOptions options;
    std::string error;
    ASSERT_TRUE(ParseDeviceOptions({}, options, error));
    EXPECT_EQ(options.line, LineParams{});
    EXPECT_TRUE(LineMatches(options.line, LineView{4800, true, true}));
}

TEST(DeviceOptionsTest, RejectsWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {"--baud"},      {"--baud", "fast"}, {"--baud", "0"},   {"--parity", "odd"},
        {"--stop", "3"}, {"--data", "9"},    {"--flood", "-1"}, {"--flood", "2000000"},
        {"--unknown"},   {"--silent=1"},     {"--profile="},    {"port"},
    };
    for (const auto& args : bad) {
        DeviceOptions options;
        std::string error;
        EXPECT_FALSE(ParseDeviceOptions(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

// What a pseudo-terminal lets the device see: speed, odd or not, two stop
// bits or not; even and none look alike, data bits not at all.
TEST(LineParamsTest, ComparesOnlyWhatCanBeSeen) {
    const struct {
        const char *baud, *data, *parity, *stop;
        LineView seen;
        bool match;
    } cases[] = {
        {"57600", "", "", "", {57600, false, false}, true},
        {"57600", "", "", "", {9600, false, false}, false},
        {"", "", "ODD", "", {9600, true, false}, true},
        {"", "", "ODD", "", {9600, false, false}, false},
        {"", "", "EVEN", "", {9600, false, false}, true},
        {"", "", "NO", "", {9600, true, false}, false},
        {"", "", "", "2", {9600, false, true}, true},
        {"", "", "", "1.5", {9600, false, true}, true},
        {"", "", "", "1", {9600, false, true}, false},
        {"", "7", "", "", {9600, false, false}, true},
        {"9600", "8", "NO", "1", {9600, false, false}, true},
    };
    for (const auto& c : cases) {
        LineParams wanted;
        std::string error;
        ASSERT_TRUE(ParseLineParams(c.baud, c.data, c.parity, c.stop, wanted, error)) << error;
        EXPECT_EQ(LineMatches(wanted, c.seen), c.match)
            << c.baud << "/" << c.data << "/" << c.parity << "/" << c.stop;
    }
}

TEST(LineParamsTest, DescribesTheSettingsAsARequestWouldName) {
    LineParams wanted;
    std::string error;
    ASSERT_TRUE(ParseLineParams("", "7", "EVEN", "1.5", wanted, error));
    EXPECT_EQ(DescribeLine(wanted, LineView{2400, true, false}), "2400,7,EVEN,1.5");
    EXPECT_EQ(DescribeLine(LineParams{}, LineView{2400, true, true}), "2400,8,ODD,2");
}

TEST(DeviceFaultsTest, NamesAndRanges) {
    DeviceFaults faults;
    std::string error;
    EXPECT_TRUE(faults.Set("BAD_CHECKSUM", "3", error));
    EXPECT_TRUE(faults.Set("CUT", "1", error));
    EXPECT_TRUE(faults.Set("NOISE", "16", error));
    EXPECT_TRUE(faults.Set("DELAY", "700", error));
    EXPECT_TRUE(faults.Set("NAK_WRITES", "1", error));
    EXPECT_TRUE(faults.Set("SILENT", "0", error));
    EXPECT_EQ(faults.badChecksumEvery, 3);
    EXPECT_EQ(faults.cutEvery, 1);
    EXPECT_EQ(faults.noiseBytes, 16);
    EXPECT_EQ(faults.delayMs, 700);
    EXPECT_TRUE(faults.nakWrites);
    EXPECT_FALSE(faults.silent);
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"LATE", "1"}, {"DELAY", "-5"}, {"NOISE", "5000"}, {"SILENT", "2"}, {"CUT", "x"}}) {
        EXPECT_FALSE(faults.Set(name, value, error)) << name << "=" << value;
    }
}

}  // namespace
}  // namespace quelda::test
