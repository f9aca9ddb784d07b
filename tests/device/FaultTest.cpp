// Each named fault as the program's parser sees it.
#include "DeviceTestSupport.h"
#include "device/FaultInjector.h"

namespace quelda::test {
namespace {

struct Seen {
    std::vector<std::string> commands;
    std::vector<ReceiveError> errors;
};

// Three ACK frames through the injector, read by the program's parser.
Seen ThroughFaults(const DeviceFaults& faults, int frames = 3) {
    CFaultInjector injector(faults);
    Recorder recorder;
    CReceiveParser parser(recorder);
    for (int i = 0; i < frames; ++i) {
        const std::string bytes = injector.Apply(Framed("ACK*"));
        parser.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    Seen seen;
    for (const ParsedFrame& frame : recorder.frames) seen.commands.push_back(frame.command);
    seen.errors = recorder.errors;
    return seen;
}

using Texts = std::vector<std::string>;
using Errors = std::vector<ReceiveError>;

TEST(FaultInjectorTest, NoFaultPassesFramesUnchanged) {
    DeviceFaults none;
    CFaultInjector injector(none);
    EXPECT_EQ(injector.Apply(Framed("ACK*")), Framed("ACK*"));
    EXPECT_EQ(ThroughFaults(none).commands, (Texts{"ACK", "ACK", "ACK"}));
}

TEST(FaultInjectorTest, BadChecksumEveryNthFrame) {
    DeviceFaults faults;
    faults.badChecksumEvery = 2;
    const Seen seen = ThroughFaults(faults, 4);
    EXPECT_EQ(seen.commands, (Texts{"ACK", "ACK"}));
    EXPECT_EQ(seen.errors, (Errors{ReceiveError::Checksum, ReceiveError::Checksum}));
}

TEST(FaultInjectorTest, CutFrameIsReportedAtTheNextDollar) {
    DeviceFaults faults;
    faults.cutEvery = 2;
    const Seen seen = ThroughFaults(faults, 3);
    EXPECT_EQ(seen.commands, (Texts{"ACK", "ACK"}));
    EXPECT_EQ(seen.errors, Errors{ReceiveError::Restart});
}

TEST(FaultInjectorTest, NoiseBetweenFramesIsIgnored) {
    DeviceFaults faults;
    faults.noiseBytes = 200;
    CFaultInjector injector(faults);
    const std::string bytes = injector.Apply(Framed("ACK*"));
    EXPECT_EQ(bytes.size(), Framed("ACK*").size() + 200);
    EXPECT_EQ(bytes.find('$'), 200u);
    const Seen seen = ThroughFaults(faults, 5);
    EXPECT_EQ(seen.commands, (Texts(5, "ACK")));
    EXPECT_TRUE(seen.errors.empty());
}

}  // namespace
}  // namespace quelda::test
