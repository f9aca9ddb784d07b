#pragma once
// The routing decision of DispatchFrame over the open views.
#include <string>
#include <vector>

#include "routing/WindowKind.h"
#include "routing/UpdateHint.h"

namespace quelda {

// What routing needs to know of one open view.
struct ViewInfo {
    WindowKind kind = WindowKind::Term;
    std::string requestCommand;  // monitors 1-3 and status
};

// The view broadcasts for one frame, in view order (step 2 of the dispatch):
// hints 1-5 and 7. Hint 3 carries the block buffer, the others the text.
std::vector<UpdateHint> ViewBroadcasts(const std::vector<ViewInfo>& views,
                                       const std::string& command, const std::string& frameText,
                                       const std::string& simulatorPrefix);

// The reply broadcast of step 3 by the received command (hintEeprom, hintAck,
// hintNak, hintReply), or hintNone.
UpdateHint ReplyHint(const std::string& command);

}  // namespace quelda
