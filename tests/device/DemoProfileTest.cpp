// The demo profile: the program's files and the device's answers fit
// together, so every window of the demo has something to show.
#include <algorithm>
#include <set>

#include "DeviceTestSupport.h"
#include "config/CommandRecords.h"
#include "config/Settings.h"
#include "text/TextFile.h"
#include "device/DeviceEngine.h"
#include "eeprom/ItemWord.h"
#include "monitor/MonitorConstants.h"
#include "monitor/MonitorDecode.h"
#include "monitor/MonitorDefinition.h"
#include "status/StatusTable.h"
#include "values/ValueFormatter.h"

namespace quelda::test {
namespace {

const std::string kAppDir = kDemoDir + "/";

class DemoProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> problems;
        ASSERT_TRUE(profile.Load(kDemoDir + "/device", problems));
        for (const std::string& p : problems) ADD_FAILURE() << p;
        engine = std::make_unique<CDeviceEngine>(profile);
        records = LoadCommandRecords(kAppDir);
        settings = LoadSettings(kAppDir);
        parser.SetBinLengthFormat(settings.m_nBinLengthFormat);
        // as monitor 3 sets it from its first command record
        parser.SetBinaryCommand(RequestOf(GetMonitorConstants(3).firstCommandRecord));
    }
    // The frames the device sends for one line the program sends.
    std::vector<ParsedFrame> Exchange(const std::string& line, double t = 1.0) {
        const std::size_t before = recorder.frames.size();
        engine->Receive(reinterpret_cast<const uint8_t*>(line.data()), line.size(), t);
        std::string out;
        engine->TakeDue(t, out);
        parser.Receive(reinterpret_cast<const uint8_t*>(out.data()), out.size());
        return {recorder.frames.begin() + before, recorder.frames.end()};
    }
    std::string RequestOf(int record) {
        return record < static_cast<int>(records.size()) ? records[record].command : "";
    }
    ParsedFrame Answer(int record) {
        const auto frames = Exchange(Framed(BuildButtonCommandText(records.at(record))));
        EXPECT_EQ(frames.size(), 1u) << "record " << record;
        return frames.empty() ? ParsedFrame{} : frames[0];
    }

    CDeviceProfile profile;
    std::unique_ptr<CDeviceEngine> engine;
    std::vector<CommandRecord> records;
    Settings settings;
    Recorder recorder;
    CReceiveParser parser{recorder};
};

TEST_F(DemoProfileTest, FilesHaveTheirFullSize) {
    EXPECT_EQ(records.size(), 29u);
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(kAppDir + "EEPROMTAB.TXT", lines));
    EXPECT_EQ(lines.size(), 33u);
    ASSERT_TRUE(ReadLines(kAppDir + "EEPROM.CSV", lines));
    EXPECT_EQ(lines.size(), 1025u);
    EXPECT_EQ(lines[0], "名前,型,ＬＳＢ,表示,単位,値,ＨＥＸ値,表示型");
    EXPECT_FALSE(LoadCommandDefs(kAppDir).empty());
    for (const auto& record : records) EXPECT_LE(record.title.size(), 8u) << record.title;
}

TEST_F(DemoProfileTest, EveryButtonGetsTheAnswerItsRecordExpects) {
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const CommandRecord& record = records[i];
        const auto frames = Exchange(Framed(BuildButtonCommandText(record)) + "");
        if (record.addChecksum != 1) {
            // a line without a checksum is not a frame: the wait times out
            EXPECT_TRUE(frames.empty()) << record.title;
            continue;
        }
        ASSERT_EQ(frames.size(), 1u) << record.title;
        if (record.ackCheck == 1) {
            // the reply wait ends on ACK (or, on purpose, NAK)
            EXPECT_TRUE(frames[0].command == "ACK" ||
                        (frames[0].command == "NAK" && record.title == "NAK test"))
                << record.title << ": " << frames[0].text;
        } else {
            EXPECT_NE(frames[0].command, "NAK") << record.title;
        }
    }
}

TEST_F(DemoProfileTest, TextMonitorsFindEveryItemInTheirAnswer) {
    for (int number : {1, 2, 4}) {
        const MonitorConstants& constants = GetMonitorConstants(number);
        std::vector<MonitorItem> items =
            LoadMonitorDefinition(kAppDir + constants.definitionFile, constants.form, kAppDir);
        ASSERT_GT(items.size(), 1u) << number;
        const ParsedFrame answer = Answer(constants.firstCommandRecord);
        EXPECT_EQ(answer.command, RequestOf(constants.firstCommandRecord));
        DecodeTextItems(items, answer.text, constants.elementShift);
        for (std::size_t i = 1; i < items.size(); ++i) {
            EXPECT_FALSE(items[i].value.empty()) << number << ": " << items[i].name;
            EXPECT_EQ(items[i].value.find(kBadFormatMarker), std::string::npos) << items[i].name;
            if (items[i].IsStatus()) {
                EXPECT_GT(items[i].statusList.size(), 1u) << items[i].statusFile;
            }
        }
    }
}

TEST_F(DemoProfileTest, BinaryMonitorDecodesEveryFieldOfTheBlock) {
    const MonitorConstants& constants = GetMonitorConstants(3);
    std::vector<MonitorItem> items =
        LoadMonitorDefinition(kAppDir + constants.definitionFile, constants.form, kAppDir);
    const ParsedFrame answer = Answer(constants.firstCommandRecord);
    ASSERT_GE(answer.block.size(), 2u);
    const uint8_t* block = reinterpret_cast<const uint8_t*>(answer.block.data());
    const uint16_t length = ReadBlockLength(block, settings.m_nBinLengthFormat);
    EXPECT_EQ(length, answer.block.size());
    // the definition covers the block exactly
    long long width = 2;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const BinaryType& type = items[i].codec.Binary();
        width += type.kind == BinaryType::Kind::Jump ? type.jump : type.width;
    }
    EXPECT_EQ(width, length);
    DecodeBlockItems(items, block, length);
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (!items[i].codec.Binary().HasValue()) continue;
        EXPECT_FALSE(items[i].value.empty()) << items[i].name;
        EXPECT_EQ(items[i].value.find(kBadFormatMarker), std::string::npos) << items[i].name;
    }
    // the temperature field carries (t + 40) x 10: scale 0.1, offset -40
    const auto temperature = std::find_if(
        items.begin(), items.end(), [](const MonitorItem& m) { return m.name == "Temperature"; });
    ASSERT_NE(temperature, items.end());
    const double celsius = std::stod(temperature->value);
    EXPECT_GE(celsius, 40.0);
    EXPECT_LE(celsius, 50.0);
}

TEST_F(DemoProfileTest, StatusWindowGetsAWordItsTableDescribes) {
    const ParsedFrame answer = Answer(28);
    EXPECT_EQ(answer.command, RequestOf(28));
    const std::string word = answer.text.substr(answer.text.find(',', 5) + 1, 8);
    EXPECT_EQ(word.find_first_not_of("0123456789ABCDEF"), std::string::npos) << answer.text;
    EXPECT_GT(LoadStatusTable(kAppDir + "STATUS.TXT").size(), 10u);
}

TEST_F(DemoProfileTest, ParameterValuesAndWordsAgree) {
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(kAppDir + "EEPROM.CSV", lines));
    std::set<std::string> types;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EepromItem item = ItemFromLine(lines[i]);
        types.insert(item.type);
        const uint32_t stored = StoredWord(item);
        EepromItem received = item;
        ASSERT_TRUE(StoreRaw(received, stored)) << lines[i];
        EXPECT_EQ(received.value, item.value) << lines[i];
        item.hexValue.clear();  // what the program computes when the word is missing
        ASSERT_TRUE(ValueToHex(item));
        EXPECT_EQ(StoredWord(item), stored) << lines[i];
    }
    EXPECT_EQ(types, (std::set<std::string>{"INT4", "INT4BE", "INT4LE", "FLOAT4", "FLOAT4BE",
                                            "FLOAT4LE"}));
}

TEST_F(DemoProfileTest, DemoTextFilesAreUtf8) {
    for (const char* name :
         {"QUELDA.INI", "COMMAND2.TXT", "CMDDEF.TXT", "MONITOR1.TXT", "MONITOR2.TXT",
          "MONITOR3.TXT", "MONITOR4.TXT", "STATUS.TXT", "EEPROM.CSV", "EEPROMTAB.TXT",
          "SIMULATOR.TXT", "SIMMODE.TXT", "SIMALARM.TXT", "MON1STAT.TXT", "MON2IN.TXT",
          "MON3STAT.TXT", "PSETTING.TXT"}) {
        std::vector<std::string> lines;
        ASSERT_TRUE(ReadLines(kAppDir + name, lines)) << name;
        for (const std::string& line : lines) {
            std::size_t i = 0;
            while (i < line.size()) {
                const unsigned char c = static_cast<unsigned char>(line[i]);
                const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
                ASSERT_LE(i + n, line.size()) << name << ": " << line;
                for (std::size_t k = 1; k < n; ++k) {
                    ASSERT_EQ(static_cast<unsigned char>(line[i + k]) >> 6, 2) << name;
                }
                i += n;
            }
        }
    }
}

}  // namespace
}  // namespace quelda::test
