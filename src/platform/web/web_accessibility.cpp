// The screen in words and its controls, handed to the page: its screen reader region says the words,
// and its control layer puts an element over each control's picture (web_glue.js).
#include <string>

#include "platform/web/web_device.h"

namespace platform {

void announceScreen(std::string_view summary, std::string_view board, std::string_view news) {
    webAnnounce(std::string(summary).c_str(), std::string(board).c_str(), std::string(news).c_str());
}

void showControls(std::span<const Control> controls) {
    webControlsBegin();
    for (const Control& control : controls) {
        webControlAdd(static_cast<int>(control.kind), control.on ? 1 : 0, control.row, control.column, control.left,
                      control.top, control.right, control.bottom, control.name, control.value, control.keys);
    }
    webControlsShown();
}

}  // namespace platform
