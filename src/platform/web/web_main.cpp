// The program in the browser: the game's start-up, then the page's frames drive the message loop,
// which cannot block in a page.
#include <emscripten/emscripten.h>

#include "platform/web/web_device.h"

namespace {

bool endTold = false;

// The loop may end inside any event (a tap on the credits screen closes the window); the page hears
// of it once.
void tellEnd() {
    if (endTold) return;
    endTold = true;
    webGameEnded(platform::exitCode());
}

}  // namespace

// Called by the page on its animation frames, or when its picture stands still from a timer
// (`stillPump` 1): delivers what fell due. Returns the milliseconds until the page's next still pump,
// or -1 without a timer.
extern "C" EMSCRIPTEN_KEEPALIVE double webPump(int stillPump) {
    web::runDueWork(stillPump != 0);
    if (web::quitPosted()) tellEnd();
    return web::msUntilStillPump();
}

int main() {
    web::restoreKeptFiles();
    web::installInputHandlers();
    if (!startApplication()) {
        tellEnd();
        return platform::exitCode();
    }
    webStartLoop();
    return 0;
}
