#pragma once
// The channel's input queue between the receive thread and the reader, with
// the line-error word and the one-notification-per-burst rule: a notification
// is due when bytes or errors wait and none is outstanding; it stays
// outstanding until the reader has seen the queue empty.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace quelda {

class CInputQueue {
public:
    static constexpr std::size_t kCapacity = 1u << 20;

    explicit CInputQueue(std::size_t capacity = kCapacity);

    // Appends what fits (the rest is dropped and raises CE_RXOVER) and adds
    // errors. True when the caller must notify now.
    bool Push(const uint8_t* data, std::size_t count, uint32_t errors);
    // Adds errors without claiming the notification they call for.
    void AddErrors(uint32_t errors);
    // Copies up to count bytes out. leftover tells whether bytes or errors
    // still wait; they then need a fresh notification (ClaimNotification).
    std::size_t Pop(uint8_t* out, std::size_t count, bool& leftover);
    // True when a notification is due; it is then outstanding.
    bool ClaimNotification();
    // Number of queued bytes; errors receives the error word, which is
    // cleared. Seeing the queue empty ends the outstanding notification.
    std::size_t TakeStatus(uint32_t& errors);
    std::size_t Size() const;
    // Bytes or errors wait.
    bool Waiting() const;
    void Clear();

private:
    bool ClaimLocked();
    void CopyIn(const uint8_t* data, std::size_t count);

    mutable std::mutex m_mutex;
    std::vector<uint8_t> m_ring;
    std::size_t m_nHead = 0;  // oldest byte
    std::size_t m_nSize = 0;
    uint32_t m_dwErrors = 0;
    bool m_bNotified = false;
};

}  // namespace quelda
