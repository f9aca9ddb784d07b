// The EEPROM window against quelda-device with the demo profile: what All
// Send writes, All Recv reads back into an emptied list.
#include <QPushButton>

#include "support/DeviceProcess.h"
#include "support/MainFrameFixture.h"
#include "ui_eeprom/EepromViewFixture.h"

namespace quelda::test {
namespace {

constexpr int kAllSend = 1010, kAllRecv = 1011;

class EepromDeviceTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        const std::string profile = kDemoDir + "device";
        ASSERT_TRUE(device.Start({"--profile", profile}, 5000));
        WriteDemoEepromFiles(dir);
        dir.Write("QUELDA.INI", ReadWhole(kDemoDir + "QUELDA.INI"));
        StartOn(device.Path());
        CQueldaChildFrame* frame = main->ShowView(QStringLiteral("Eeprom"));
        ASSERT_NE(frame, nullptr);
        view = qobject_cast<CEepromView*>(frame->View());
        ASSERT_NE(view, nullptr);
        prompt.defaultAnswer = true;
    }
    bool Finished(const char* text, int timeoutMs) {
        return WaitUntil([&] { return prompt.HasMessage(QString::fromLatin1(text)); }, timeoutMs);
    }

    DeviceProcess device;
    CEepromView* view = nullptr;
};

TEST_F(EepromDeviceTest, AllSendThenAllRecvIntoAnEmptiedListGivesTheSameValuesBack) {
    ASSERT_TRUE(view->Button(kAllSend)->isEnabled());
    // An edit still in the grid is sent too.
    view->Grid(0)->SetText(0, 1, QStringLiteral("3100"));
    view->Button(kAllSend)->click();
    ASSERT_TRUE(Finished("Writing has been completed successfully", 60000))
        << prompt.MessageTexts().join('|').toStdString();
    const std::vector<EepromItem> sent = view->Transfer().Items();
    ASSERT_EQ(sent.size(), 1025u);
    EXPECT_EQ(sent[1].value, "3100");

    for (std::size_t i = 1; i < view->Transfer().Items().size(); ++i) {
        view->Transfer().Items()[i].value.clear();
        view->Transfer().Items()[i].hexValue.clear();
    }
    view->ShowPage();
    EXPECT_EQ(view->Grid(0)->Text(0, 1), QString());
    view->Button(kAllRecv)->click();
    ASSERT_TRUE(Finished("Read has completed successfully", 60000))
        << prompt.MessageTexts().join('|').toStdString();
    const std::vector<EepromItem>& read = view->Transfer().Items();
    for (std::size_t i = 1; i < sent.size(); ++i) {
        if (sent[i].type.empty()) continue;  // filler items have no conversion
        EXPECT_EQ(read[i].hexValue, sent[i].hexValue) << i;
        EXPECT_EQ(read[i].value, sent[i].value) << i;
    }
    EXPECT_EQ(view->Grid(0)->Text(0, 1), QStringLiteral("3100"));
    EXPECT_EQ(prompt.MessageTexts(),
              (QStringList{QStringLiteral("Writing has been completed successfully"),
                           QStringLiteral("Read has completed successfully")}));
    // Reading is no change of the user's: closing asks nothing more than
    // the unsaved edit does.
    EXPECT_TRUE(view->Modified());
}

}  // namespace
}  // namespace quelda::test
