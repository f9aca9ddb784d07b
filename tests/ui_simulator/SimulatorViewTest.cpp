// The simulator window on a fake context: the form filled from the demo
// definitions, the mode radios, the change marking until Send, Send
// following the connection, the count of refused sends, and the message
// about definitions beyond the form's rows.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>
#include <iterator>
#include <memory>

#include "app/CChildFrame.h"
#include "routing/UpdateHint.h"
#include "support/FakeViewContext.h"
#include "support/TempDir.h"
#include "views/simulator/CSimulatorView.h"

namespace quelda::test {
namespace {

const std::string kDemoDir = QUELDA_SOURCE_DIR "/src/ui/res/demo/";

std::string ReadSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Pixels of the widget painted in the change colour.
int MarkedPixels(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == CSimulatorView::kChangedColor.rgb()) ++count;
        }
    }
    return count;
}

bool LooksMarked(QWidget* widget) {
    return MarkedPixels(widget) * 4 > widget->width() * widget->height();
}

class SimulatorViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        UiApp();
        context.appDir = dir.Path();
        context.connected = true;
    }
    void CopyDemo() {
        for (const char* name : {"SIMULATOR.TXT", "SIMMODE.TXT", "SIMALARM.TXT", "QUELDA.INI"}) {
            dir.Write(name, ReadSource(kDemoDir + name));
        }
    }
    CSimulatorView* Open() {
        auto* view = new CSimulatorView(context);
        frame = std::make_unique<CChildFrame>(context, view);
        view->OnInitialUpdate();
        return view;
    }

    TempDir dir;
    FakeViewContext context;
    std::unique_ptr<CChildFrame> frame;
};

TEST_F(SimulatorViewTest, DemoDefinitionsFillTheFormAndEveryControlIsNamed) {
    CopyDemo();
    CSimulatorView* view = Open();
    EXPECT_EQ(view->HeaderEdit()->text(), QStringLiteral("$QVR,SIM"));
    EXPECT_EQ(view->PeriodEdit()->text(), QStringLiteral("2"));
    EXPECT_EQ(view->ReceptionEdit()->text(), QStringLiteral("$QVR,STS"));
    EXPECT_TRUE(view->ChecksumBox()->isChecked());
    EXPECT_TRUE(view->ModeRadio(0)->isChecked());
    EXPECT_FALSE(view->PeriodEdit()->isEnabled());
    EXPECT_FALSE(view->ReceptionEdit()->isEnabled());
    EXPECT_TRUE(view->StopButton()->isEnabled());

    // Mode: a list without its title line, the file's value selected.
    QComboBox* mode = view->ChoiceList(0);
    EXPECT_FALSE(mode->isHidden());
    EXPECT_TRUE(view->ValueEdit(0)->isHidden());
    ASSERT_EQ(mode->count(), 4);
    EXPECT_EQ(mode->itemText(0), QStringLiteral("Stop"));
    EXPECT_EQ(mode->currentText(), QStringLiteral("Run"));
    EXPECT_EQ(view->ChoiceList(5)->currentText(), QStringLiteral("None"));
    // Speed: an edit with its caption and unit.
    EXPECT_FALSE(view->ValueEdit(1)->isHidden());
    EXPECT_TRUE(view->ChoiceList(1)->isHidden());
    EXPECT_EQ(view->ValueEdit(1)->text(), QStringLiteral("1500"));
    EXPECT_EQ(view->CaptionLabel(1)->text(), QStringLiteral("Speed"));
    EXPECT_EQ(view->UnitLabel(1)->text(), QStringLiteral("rpm"));
    EXPECT_EQ(view->ValueEdit(1)->accessibleName(), QStringLiteral("Speed value"));
    EXPECT_EQ(mode->accessibleName(), QStringLiteral("Mode choice"));
    // Seven definitions: the other rows show nothing.
    for (int row = 7; row < kSimRows; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(view->ValueEdit(row)->isHidden());
        EXPECT_TRUE(view->ChoiceList(row)->isHidden());
        EXPECT_TRUE(view->CaptionLabel(row)->isHidden());
    }
    for (QWidget* widget : view->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget);
        if (!control || widget->isHidden() || !widget->parentWidget() ||
            widget->parentWidget() != view) {
            continue;
        }
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->metaObject()->className();
    }
    EXPECT_TRUE(view->RefusedLabel()->accessibleName().endsWith(QStringLiteral(": 0")));
    EXPECT_TRUE(context.prompts.empty());
    EXPECT_TRUE(context.sentLines.empty());
}

TEST_F(SimulatorViewTest, ModeRadiosEnableOnlyTheirBoxAndSendNothing) {
    CopyDemo();
    CSimulatorView* view = Open();
    struct Case {
        int mode;
        bool period;
        bool reception;
    } const cases[] = {{1, true, false}, {2, false, true}, {0, false, false}, {2, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        view->ModeRadio(c.mode)->click();
        EXPECT_EQ(view->PeriodEdit()->isEnabled(), c.period);
        EXPECT_EQ(view->ReceptionEdit()->isEnabled(), c.reception);
    }
    EXPECT_TRUE(context.sentLines.empty());
    EXPECT_TRUE(context.simulatorPrefixes.empty());
}

TEST_F(SimulatorViewTest, ChangedControlsStayMarkedUntilSend) {
    CopyDemo();
    CSimulatorView* view = Open();
    QLineEdit* speed = view->ValueEdit(1);
    QComboBox* mode = view->ChoiceList(0);
    QWidget* controls[] = {view->HeaderEdit(), speed, mode, view->ChecksumBox(),
                           view->ValueEdit(2)};
    for (QWidget* control : controls) EXPECT_EQ(MarkedPixels(control), 0);

    QTest::keyClicks(speed, "7");
    EXPECT_TRUE(view->IsChanged(2));
    EXPECT_TRUE(LooksMarked(speed));
    EXPECT_FALSE(view->IsChanged(3));
    EXPECT_EQ(MarkedPixels(view->ValueEdit(2)), 0);
    QTest::keyClicks(view->HeaderEdit(), "X");
    EXPECT_TRUE(view->IsChanged(0));
    EXPECT_TRUE(LooksMarked(view->HeaderEdit()));
    QTest::keyClick(mode, Qt::Key_Down);  // Run -> Jog
    EXPECT_EQ(mode->currentText(), QStringLiteral("Jog"));
    EXPECT_TRUE(view->IsChanged(1));
    EXPECT_TRUE(LooksMarked(mode));
    view->ChecksumBox()->click();
    EXPECT_TRUE(view->IsChecksumChanged());
    EXPECT_TRUE(LooksMarked(view->ChecksumBox()));

    view->SendButton()->click();
    for (QWidget* control : controls) EXPECT_EQ(MarkedPixels(control), 0);
    for (int flag = 0; flag <= kSimRows; ++flag) EXPECT_FALSE(view->IsChanged(flag)) << flag;
    EXPECT_FALSE(view->IsChecksumChanged());
    // What was changed went out, and the unticked box left the "*" off.
    ASSERT_EQ(context.sentLines.size(), 1u);
    EXPECT_EQ(context.sentLines[0].rfind("$QVR,SIMX,JOG,15007,", 0), 0u) << context.sentLines[0];
    EXPECT_EQ(context.sentLines[0].find('*'), std::string::npos);
}

TEST_F(SimulatorViewTest, SendIsEnabledExactlyWhileConnected) {
    context.connected = false;
    CSimulatorView* view = Open();
    EXPECT_FALSE(view->SendButton()->isEnabled());
    for (bool connected : {true, false, true}) {
        context.connected = connected;
        emit context.Events().ConnectionChanged(connected);
        EXPECT_EQ(view->SendButton()->isEnabled(), connected);
        EXPECT_TRUE(view->StopButton()->isEnabled());
    }
}

TEST_F(SimulatorViewTest, RefusedSendsAreCountedSinceTheLastSend) {
    CopyDemo();
    CSimulatorView* view = Open();
    auto shown = [view] { return view->RefusedLabel()->text(); };
    auto says = [](int n) { return QStringLiteral("Sends refused since the last Send: %1").arg(n); };
    EXPECT_EQ(shown(), says(0));

    // Periodic sends while the main frame refuses them.
    context.refuseLines = true;
    view->ModeRadio(1)->click();
    view->PeriodEdit()->setText(QStringLiteral("50"));
    view->SendButton()->click();
    EXPECT_EQ(shown(), says(1));  // the Send's own
    ASSERT_TRUE(WaitUntil([view] { return view->Simulator().RefusedCount() >= 3; }, 5000));
    EXPECT_EQ(shown(), says(view->Simulator().RefusedCount()));
    EXPECT_EQ(view->RefusedLabel()->accessibleName(), shown());

    // A new Send starts the count again; answers count as well.
    context.refuseLines = false;
    view->ModeRadio(2)->click();
    view->SendButton()->click();
    EXPECT_EQ(shown(), says(0));
    EXPECT_EQ(context.simulatorPrefixes, std::vector<std::string>{"$QVR,STS"});
    view->OnUpdate(hintSimulator, nullptr, 0);
    EXPECT_EQ(context.sentLines.size(), 1u);
    context.refuseLines = true;
    view->OnUpdate(hintSimulator, nullptr, 0);
    view->OnUpdate(hintSimulator, nullptr, 0);
    EXPECT_EQ(shown(), says(2));
    view->StopButton()->click();
    EXPECT_EQ(context.simulatorPrefixes.back(), "");
}

TEST_F(SimulatorViewTest, DefinitionsBeyondTwentyAreIgnoredWithOneMessage) {
    std::string file = "Caption,Type,Digits,Format\r\n";
    for (int n = 1; n <= 23; ++n) file += "P" + std::to_string(n) + ",INT,3,%d,,1,1,0,0,\r\n";
    dir.Write("SIMULATOR.TXT", file);
    CSimulatorView* view = Open();
    for (int row = 0; row < kSimRows; ++row) EXPECT_FALSE(view->ValueEdit(row)->isHidden());
    EXPECT_EQ(view->CaptionLabel(19)->text(), QStringLiteral("P20"));
    // The box comes after the window, once.
    ASSERT_TRUE(WaitUntil([this] { return !context.prompts.empty(); }));
    view->SendButton()->click();
    RunEvents(50);
    ASSERT_EQ(context.prompts.size(), 1u);
    EXPECT_TRUE(context.prompts[0].text.contains(QStringLiteral("23")))
        << context.prompts[0].text.toStdString();
    ASSERT_EQ(context.sentLines.size(), 1u);
    std::string expected = "$QVR";
    for (int n = 0; n < kSimRows; ++n) expected += ",1";
    EXPECT_EQ(context.sentLines[0], expected);
}

}  // namespace
}  // namespace quelda::test
