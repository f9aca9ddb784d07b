#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "comm/LineErrors.h"

namespace quelda {
namespace {

namespace fs = std::filesystem;

TEST(LineErrorTableTest, FlagsInExaminationOrderWithTheirTexts) {
    const std::vector<std::pair<uint32_t, std::string>> expected = {
        {0x0010, "The hardware detected a break condition"},
        {0x0800, "Windows 95/98: does not have a parallel device is selected"},
        {0x0008, "Hardware has detected a framing error"},
        {0x0400, "I / O error occurred while communicating with the device"},
        {0x8000, "Requested mode is not supported . Or , hFile parameter is invalid"},
        {0x1000, "Windows 95/98: parallel device is turned out of paper"},
        {0x0002, "Character buffer is full . The following characters will be lost"},
        {0x0200, "Windows 95/98: timed out in parallel device"},
        {0x0001,
         "Of input buffer overflow has occurred . Or there is no space in the input buffer , it "
         "has received a letter after the EOF"},
        {0x0004, "Hardware has detected a parity error"},
        {0x0100, "The application tried to send a letter , but the output buffer was full"},
    };
    const auto& table = LineErrorTable();
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].flag, expected[i].first) << i;
        EXPECT_EQ(table[i].text, expected[i].second) << i;
    }
}

TEST(LineErrorTableTest, TextsOfSetFlagsInTableOrder) {
    EXPECT_TRUE(LineErrorTexts(0).empty());
    EXPECT_TRUE(LineErrorTexts(0x4000).empty()) << "unknown bits give no text";
    EXPECT_EQ(LineErrorTexts(CE_RXPARITY | CE_FRAME),
              (std::vector<std::string>{"Hardware has detected a framing error",
                                        "Hardware has detected a parity error"}));
    EXPECT_EQ(LineErrorTexts(0xFFFFFFFF).size(), 11u);
    EXPECT_EQ(LineErrorTexts(0xFFFFFFFF).front(), "The hardware detected a break condition");
}

class LogLineErrorTest : public testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        m_oldTz = tz ? tz : "";
        m_hadTz = tz != nullptr;
        setenv("TZ", "UTC", 1);
        tzset();
        m_dir = fs::temp_directory_path() /
                ("commerr-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        fs::remove_all(m_dir);
        if (m_hadTz) {
            setenv("TZ", m_oldTz.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    std::string AppDir() const { return m_dir.string() + "/"; }
    std::string LogContent() const {
        std::ifstream in(m_dir / "COMMERR.LOG", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path m_dir;
    std::string m_oldTz;
    bool m_hadTz = false;
};

TEST_F(LogLineErrorTest, AppendsStampedLinesInOrder) {
    {
        std::ofstream old(m_dir / "COMMERR.LOG", std::ios::binary);
        old << "earlier line\r\n";
    }
    LogLineError(AppDir(), "Hardware has detected a framing error", 1165500189);
    LogLineError(AppDir(), "Hardware has detected a parity error", 1165500189);
    LogLineError(AppDir(), "x", 915246245);
    EXPECT_EQ(LogContent(),
              "earlier line\r\n"
              "2006/12/07 14:03:09,Hardware has detected a framing error\r\n"
              "2006/12/07 14:03:09,Hardware has detected a parity error\r\n"
              "1999/01/02 03:04:05,x\r\n");
}

TEST_F(LogLineErrorTest, ZeroTimeMeansNow) {
    const std::time_t before = std::time(nullptr);
    LogLineError(AppDir(), "now");
    const std::string line = LogContent();
    ASSERT_EQ(line.size(), 19u + 1u + 3u + 2u) << line;
    std::tm parsed{};
    ASSERT_NE(strptime(line.c_str(), "%Y/%m/%d %H:%M:%S", &parsed), nullptr);
    const std::time_t stamped = timegm(&parsed);
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, std::time(nullptr));
}

TEST_F(LogLineErrorTest, UnwritableLogIsIgnored) {
    // A directory in the log's place cannot be opened even by root.
    fs::create_directory(m_dir / "COMMERR.LOG");
    LogLineError(AppDir(), "lost", 1165500189);
    EXPECT_TRUE(fs::is_directory(m_dir / "COMMERR.LOG"));
    EXPECT_TRUE(fs::is_empty(m_dir / "COMMERR.LOG"));

    const std::string missing = m_dir.string() + "/no-such-dir/";
    LogLineError(missing, "lost", 1165500189);
    EXPECT_FALSE(fs::exists(missing));
}

}  // namespace
}  // namespace quelda
