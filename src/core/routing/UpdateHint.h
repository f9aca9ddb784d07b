#pragma once

namespace quelda {

// What a broadcast frame is for.
enum UpdateHint {
    hintNone = 0,
    hintMonitor1 = 1,
    hintMonitor2 = 2,
    hintMonitor3 = 3,  // data: block buffer (two length bytes, then the block)
    hintMonitor4 = 4,
    hintStatus = 5,
    hintEeprom = 6,
    hintSimulator = 7,
    hintAck = 10,
    hintNak = 11,
    hintReply = 12,
};

// Terminal line kinds.
enum TermLineKind { kLineSent = 0, kLineReceived = 1, kLineError = 2 };

}  // namespace quelda
