#pragma once
// The device's side of the protocol, without any descriptor or clock of its
// own: bytes from the line go in, framed answers come out, each with the
// time it is due (a reply delayed by the DELAY fault comes due later).
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "device/DeviceProfile.h"
#include "device/FaultInjector.h"
#include "device/LineParams.h"
#include "protocol/ReceiveParser.h"

namespace quelda {

class CDeviceEngine : private IParserListener {
public:
    // The profile (answers, memory, headers, faults) must outlive the engine.
    explicit CDeviceEngine(CDeviceProfile& profile);
    ~CDeviceEngine() override;

    // The settings the device answers at, and what the line shows now.
    void SetLine(const LineParams& wanted) { m_line = wanted; }
    const LineParams& Line() const { return m_line; }
    void SetSeen(const LineView& seen) { m_seen = seen; }
    bool Accepts(const LineView& seen) const { return LineMatches(m_line, seen); }
    // Once after an accepted setting request: the new settings (already
    // taken as the device's own).
    bool TakeLineChange(LineParams& params);

    // Bytes received at time now (seconds since the start).
    void Receive(const uint8_t* data, std::size_t count, double now);
    // Forgets a frame begun so far (bytes that came at a wrong setting).
    void ResetParser();

    // An unsolicited frame of answer (streams and --flood), due at once.
    void SendUnsolicited(CDeviceAnswer& answer, double now);

    // Appends every byte due by now to out, in order.
    void TakeDue(double now, std::string& out);
    // The time the next delayed reply comes due, or a negative value.
    double NextDue() const;
    // Bytes due at once that wait for TakeDue.
    std::size_t Pending() const { return m_strReady.size(); }

private:
    struct Delayed {
        double due;
        std::string bytes;
    };

    void OnFrameEnd(const char* text, std::size_t length) override {}
    void OnFrame(const std::string& command, const char* text, std::size_t length,
                 const uint8_t* block, std::size_t blockCount) override;
    void OnReceiveError(ReceiveError error) override;

    void Reply(const std::string& body);
    void Emit(const std::string& body, double delaySeconds);
    void HandleCom(const std::vector<std::string>& fields);
    void HandleRead(CMemoryImage::Access access, const std::vector<std::string>& fields);
    void HandleWrite(CMemoryImage::Access access, const std::vector<std::string>& fields);
    std::vector<std::string> FieldsOf(const char* text, std::size_t length,
                                      const std::string& command) const;

    CDeviceProfile& m_profile;
    CFaultInjector m_injector;
    std::unique_ptr<CReceiveParser> m_parser;
    LineParams m_line;
    LineView m_seen;
    bool m_bLineChanged = false;
    double m_dNow = 0.0;
    std::string m_strReady;
    std::deque<Delayed> m_delayed;
};

}  // namespace quelda
