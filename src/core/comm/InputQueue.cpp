#include "comm/InputQueue.h"

#include <algorithm>
#include <cstring>

#include "comm/LineErrors.h"

namespace quelda {

CInputQueue::CInputQueue(std::size_t capacity) : m_ring(capacity) {}

bool CInputQueue::Push(const uint8_t* data, std::size_t count, uint32_t errors) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::size_t room = m_ring.size() - m_nSize;
    if (count > room) {
        errors |= CE_RXOVER;
        count = room;
    }
    CopyIn(data, count);
    m_dwErrors |= errors;
    return ClaimLocked();
}

void CInputQueue::CopyIn(const uint8_t* data, std::size_t count) {
    const std::size_t capacity = m_ring.size();
    std::size_t tail = (m_nHead + m_nSize) % capacity;
    const std::size_t first = std::min(count, capacity - tail);
    if (first > 0) std::memcpy(&m_ring[tail], data, first);
    if (count > first) std::memcpy(&m_ring[0], data + first, count - first);
    m_nSize += count;
}

void CInputQueue::AddErrors(uint32_t errors) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dwErrors |= errors;
}

std::size_t CInputQueue::Pop(uint8_t* out, std::size_t count, bool& leftover) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::size_t capacity = m_ring.size();
    count = std::min(count, m_nSize);
    const std::size_t first = std::min(count, capacity - m_nHead);
    if (first > 0) std::memcpy(out, &m_ring[m_nHead], first);
    if (count > first) std::memcpy(out + first, &m_ring[0], count - first);
    m_nHead = (m_nHead + count) % capacity;
    m_nSize -= count;
    m_bNotified = false;
    leftover = m_nSize > 0 || m_dwErrors != 0;
    return count;
}

bool CInputQueue::ClaimNotification() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return ClaimLocked();
}

bool CInputQueue::ClaimLocked() {
    if (m_bNotified || (m_nSize == 0 && m_dwErrors == 0)) return false;
    m_bNotified = true;
    return true;
}

std::size_t CInputQueue::TakeStatus(uint32_t& errors) {
    std::lock_guard<std::mutex> lock(m_mutex);
    errors = m_dwErrors;
    m_dwErrors = 0;
    if (m_nSize == 0) m_bNotified = false;
    return m_nSize;
}

std::size_t CInputQueue::Size() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nSize;
}

bool CInputQueue::Waiting() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nSize > 0 || m_dwErrors != 0;
}

void CInputQueue::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nHead = 0;
    m_nSize = 0;
    m_dwErrors = 0;
    m_bNotified = false;
}

}  // namespace quelda
