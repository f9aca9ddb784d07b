#pragma once
// The channel's receive thread: waits in poll on the port and on a wake-up
// eventfd, moves arriving bytes into the input queue and calls the notify
// callback once per burst, gathering a flood into batches (CNotifyGate).
// A hung-up port (adapter pulled out, far end of a
// pseudo-terminal closed) is reported once as CE_IOE; the thread then only
// looks at it every kHangUpRetryMs instead of spinning on it, and takes it
// up again if the hang-up ends (a pseudo-terminal master whose slave side
// is opened again).
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <thread>
#include <vector>

#include "comm/NotifyGate.h"
#include "comm/ParmrkDecoder.h"

namespace quelda {

class CInputQueue;

class CReceiveThread {
public:
    using Notify = std::function<void()>;
    static constexpr int kHangUpRetryMs = 100;

    struct Options {
        bool decodeMarks = false;     // the port marks bad bytes in-band
        bool flagsFromMarks = false;  // the marks are the only error report
    };

    CReceiveThread(int fd, CInputQueue& queue, Options options, Notify notify);
    ~CReceiveThread();
    CReceiveThread(const CReceiveThread&) = delete;
    CReceiveThread& operator=(const CReceiveThread&) = delete;

    // False when the thread or its wake-up descriptor cannot be created.
    bool Start();
    // Makes the thread check for a due notification (bytes left behind by a
    // partial read, errors added from outside).
    void Kick();
    // Ends the thread; returns at once when it is not running.
    void Stop();
    // The port has hung up and has not come back (safe from any thread).
    bool HungUp() const { return m_bLost; }

private:
    void Run();
    void WaitOnPort();
    void WaitWhileHungUp();
    // Reads until the port is empty; false when there was nothing at all.
    bool ReadPort();
    void Deliver(const uint8_t* data, std::size_t count);
    void HangUp();
    void ConsumeWake();
    void NotifyIfDue();
    // bytes arrived (due: the queue claimed a notification); notifies now or
    // holds the notification for the batch.
    void Gate(std::size_t bytes, bool due);
    void NotifyNow();
    // left gets the rest of the batch window; false when nothing is held.
    bool BatchTimeout(struct timespec& left) const;
    void Signal();

    const int m_fd;
    CInputQueue& m_queue;
    const Options m_options;
    const Notify m_notify;
    int m_wakeFd = -1;
    std::atomic<bool> m_bRunning{false};
    bool m_bHungUp = false;  // touched by the thread only
    std::atomic<bool> m_bLost{false};
    CNotifyGate m_gate;  // touched by the thread only
    CParmrkDecoder m_decoder;
    std::vector<uint8_t> m_readBuffer;
    std::vector<uint8_t> m_dataBuffer;
    std::thread m_thread;
};

}  // namespace quelda
