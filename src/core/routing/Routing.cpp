#include "routing/Routing.h"

#include <algorithm>

namespace quelda {

namespace {

// The received text must carry every byte of the prefix; it may be longer.
bool BeginsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin());
}

// The first kind that fits decides; Term and Eeprom views take nothing here.
UpdateHint ViewHint(const ViewInfo& view, const std::string& command, const std::string& frameText,
                    const std::string& simulatorPrefix) {
    switch (view.kind) {
        case WindowKind::Monitor1:
            return BeginsWith(command, view.requestCommand) ? hintMonitor1 : hintNone;
        case WindowKind::Monitor2:
            return BeginsWith(command, view.requestCommand) ? hintMonitor2 : hintNone;
        case WindowKind::Monitor3:
            return BeginsWith(command, view.requestCommand) ? hintMonitor3 : hintNone;
        case WindowKind::Monitor4:
            return hintMonitor4;
        case WindowKind::Simulator:
            return BeginsWith(frameText, simulatorPrefix) ? hintSimulator : hintNone;
        case WindowKind::Status:
            return BeginsWith(command, view.requestCommand) ? hintStatus : hintNone;
        default:
            return hintNone;
    }
}

}  // namespace

std::vector<UpdateHint> ViewBroadcasts(const std::vector<ViewInfo>& views,
                                       const std::string& command, const std::string& frameText,
                                       const std::string& simulatorPrefix) {
    std::vector<UpdateHint> hints;
    for (const ViewInfo& view : views) {
        UpdateHint hint = ViewHint(view, command, frameText, simulatorPrefix);
        if (hint != hintNone) hints.push_back(hint);
    }
    return hints;
}

UpdateHint ReplyHint(const std::string& command) {
    if (command == "DW" || command == "DB") return hintEeprom;
    if (command == "ACK") return hintAck;
    if (command == "NAK") return hintNak;
    if (command == "SUM" || command == "COM") return hintReply;
    return hintNone;
}

}  // namespace quelda
