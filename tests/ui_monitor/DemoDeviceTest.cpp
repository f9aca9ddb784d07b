// Each monitor and the status window of the demo profile against
// quelda-device: Cmd1 (Req) pressed, the answer decoded at the next tick and
// heard through the panel's accessible children; with QUELDA_SCREENSHOTS
// set to a folder, each window's picture is saved there.
#include <QDir>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QScreen>
#include <QGuiApplication>
#include <QToolButton>

#include "app/CDemoSession.h"
#include "app/CRecordButtons.h"
#include "support/DeviceProcess.h"
#include "support/MainFrameFixture.h"
#include "ui_monitor/PanelTestSupport.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CMonitorView.h"
#include "views/status/CStatusChildFrame.h"
#include "views/status/CStatusView.h"

namespace quelda::test {
namespace {

const QString kDemoDir = QStringLiteral(QUELDA_SOURCE_DIR "/src/ui/res/demo");

struct Heard {
    const char* name;
    const char* value;  // a regular expression the whole value matches
};

struct WindowCase {
    const char* typeName;
    std::vector<Heard> heard;
};

std::ostream& operator<<(std::ostream& out, const WindowCase& c) { return out << c.typeName; }

class DemoDeviceTest : public MainFrameTest, public ::testing::WithParamInterface<WindowCase> {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        ASSERT_TRUE(CDemoSession::CopyMissingFiles(kDemoDir, QString::fromStdString(dir.Path())));
        ASSERT_TRUE(device.Start({"--profile", dir.Path() + "device"}, 5000));
        StartOn(device.Path());
        main->resize(1280, 800);  // the demo lays its windows out for this size
    }

    DeviceProcess device;
};

bool Matches(const QString& value, const char* pattern) {
    const QRegularExpression re(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(pattern)));
    return re.match(value).hasMatch();
}

TEST_P(DemoDeviceTest, TheFirstButtonsAnswerIsDecodedAtTheNextTickAndHeard) {
    const WindowCase& c = GetParam();
    CQueldaChildFrame* frame = main->ShowView(QString::fromLatin1(c.typeName));
    ASSERT_NE(frame, nullptr);
    auto* view = qobject_cast<CPanelView*>(frame->View());
    ASSERT_NE(view, nullptr);
    // Placed where the demo's QUELDA.INI says.
    const WindowSettings& ws = main->GetSettings().Window(view->Kind());
    // (moved in, keeping its size, where the area or the screen is smaller)
    const QWidget* sub = frame->parentWidget();
    const QRect wanted(ws.WINDOW_LEFT, ws.WINDOW_TOP, ws.WINDOW_WIDTH, ws.WINDOW_HEIGHT);
    EXPECT_EQ(sub->geometry().size(), wanted.size());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    if (sub->parentWidget()->rect().contains(wanted) && screen.contains(wanted)) {
        EXPECT_EQ(sub->geometry(), wanted);
    }
    CRecordButtons* buttons = nullptr;
    if (auto* monitor = qobject_cast<CMonitorChildFrame*>(frame))
        buttons = monitor->CommandButtons();
    if (auto* status = qobject_cast<CStatusChildFrame*>(frame)) buttons = status->CommandButtons();
    ASSERT_NE(buttons, nullptr);
    QToolButton* first = buttons->SendButton(0);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_EQ(first->text(),
              c.typeName == std::string("Status") ? QStringLiteral("Req") : QStringLiteral("Read"));
    first->click();
    auto allHeard = [&] {
        for (const Heard& h : c.heard) {
            if (!Matches(SpokenValue(view, QString::fromUtf8(h.name)), h.value)) return false;
        }
        return true;
    };
    const bool heard = WaitUntil(allHeard, 4000);
    for (const Heard& h : c.heard) {
        const QString value = SpokenValue(view, QString::fromUtf8(h.name));
        EXPECT_TRUE(Matches(value, h.value)) << h.name << " = \"" << Text(value) << "\"";
    }
    ASSERT_TRUE(heard) << prompt.MessageTexts().join('|').toStdString();
    EXPECT_GT(view->LastPainted(), 0u);
    EXPECT_TRUE(prompt.messages.empty()) << prompt.MessageTexts().join('|').toStdString();

    const QByteArray shots = qgetenv("QUELDA_SCREENSHOTS");
    if (!shots.isEmpty()) {
        RunEvents(50);
        QDir().mkpath(QString::fromLocal8Bit(shots));
        const QString file = QString::fromLocal8Bit(shots) + QLatin1Char('/') +
                             QString::fromLatin1(c.typeName) + QStringLiteral(".png");
        EXPECT_TRUE(frame->parentWidget()->grab().save(file)) << Text(file);
    }
}

const char kNumber[] = "-?[0-9]+";
const char kHex8[] = "[0-9A-F]{8}";

INSTANTIATE_TEST_SUITE_P(
    DemoWindows, DemoDeviceTest,
    ::testing::Values(WindowCase{"Monitor1",
                                 {{"Speed", "-?[0-9]+\\.[0-9] rpm"},
                                  {"Current", "-?[0-9]+\\.[0-9]{2} A"},
                                  {"Temperature", "-?[0-9]+\\.[0-9] ℃"},
                                  {"Answers", kNumber},
                                  {"Drive state", kNumber},
                                  {"Mode", "Stop|Run|Jog|Home"},
                                  {"Alarm", "OK|ALARM"}}},
                      WindowCase{"Monitor2",
                                 {{"アナログ入力1", "-?[0-9]+\\.[0-9]{3} V"},
                                  {"出力", "[0-9A-F]{4}"},
                                  {"型式", "QV-400"},
                                  {"IN0", "ON|off"},
                                  {"IN3", "ON|off"}}},
                      WindowCase{"Monitor3",
                                 {{"Sequence", kNumber},
                                  {"Speed", "-?[0-9]+\\.[0-9] rpm"},
                                  {"Energy", "-?[0-9]+\\.[0-9]{3} kWh"},
                                  {"Status word", kHex8},
                                  {"Mode", "Stop|Run|Test"},
                                  {"Limit", "Inside|LIMIT"}}},
                      WindowCase{"Monitor4",
                                 {{"Command", "MON4"}, {"Field 1", kNumber}, {"Field 4", "demo"}}},
                      WindowCase{"Status",
                                 {{"Status word", kHex8},
                                  {"Ready", "Ready"},
                                  {"Servo", "ON"},
                                  {"Mode", "Stop|Run|Jog|Home"},
                                  {"Warning", "None|Overload|Over temp|Low volt|Other"}}}),
    [](const ::testing::TestParamInfo<WindowCase>& info) {
        return std::string(info.param.typeName);
    });

}  // namespace
}  // namespace quelda::test
