// One running copy per user: the first copy listens on a Unix socket in $XDG_RUNTIME_DIR (or /tmp);
// a second start connects to it, which asks the first to bring its window forward, and ends.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sdl/sdl_device.h"

namespace sdl_device {
namespace {

constexpr int NO_SOCKET = -1;
constexpr int PENDING_CONNECTIONS = 4;
constexpr char RAISE_REQUEST[] = "raise\n";

int listeningSocket = NO_SOCKET;
std::string listeningPath;

// One socket name per title, inside the user's runtime folder; /tmp is shared, so the user id goes in.
std::string socketPath(std::string_view title) {
    std::string name;
    for (const char c : title) name += std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' ? c : '-';
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') return std::string(runtime) + "/" + name + ".socket";
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".socket";
}

bool socketAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

bool askRunningCopyToRaise(std::string_view title) {
    sockaddr_un address;
    if (!socketAddress(socketPath(title), address)) return false;
    const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connection == NO_SOCKET) return false;
    const bool found = connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (found) static_cast<void>(write(connection, RAISE_REQUEST, sizeof RAISE_REQUEST - 1));
    close(connection);
    return found;
}

// A socket file left by a copy that did not end cleanly answers no one; it is replaced.
void listenForOtherCopies(std::string_view title) {
    sockaddr_un address;
    const std::string path = socketPath(title);
    if (!socketAddress(path, address)) return;
    const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server == NO_SOCKET) return;
    unlink(path.c_str());
    if (bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(server, PENDING_CONNECTIONS) != 0) {
        close(server);
        return;
    }
    listeningSocket = server;
    listeningPath = path;
}

void stopListeningForOtherCopies() {
    if (listeningSocket == NO_SOCKET) return;
    close(listeningSocket);
    unlink(listeningPath.c_str());
    listeningSocket = NO_SOCKET;
    listeningPath.clear();
}

void answerOtherCopies() {
    if (listeningSocket == NO_SOCKET) return;
    bool asked = false;
    for (int connection; (connection = accept4(listeningSocket, nullptr, nullptr, SOCK_CLOEXEC)) != NO_SOCKET;) {
        close(connection);
        asked = true;
    }
    if (!asked || windowState().window == nullptr) return;
    SDL_RestoreWindow(windowState().window);
    SDL_RaiseWindow(windowState().window);
}

}  // namespace sdl_device
