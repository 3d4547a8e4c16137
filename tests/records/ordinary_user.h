// Permission checks that mean nothing to the superuser: run as root, the check goes to a forked child
// that first becomes the unprivileged "nobody" user, so these tests hold for root (as in CI) too.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

inline constexpr uid_t NOBODY_ID = 65534;
inline constexpr gid_t NOGROUP_ID = 65534;

inline bool runningAsRoot() { return ::geteuid() == 0; }

// Makes `path` belong to the user that runOrdinarily checks as (when that is not this user already).
inline void giveToOrdinaryUser(const std::string& path) {
    if (runningAsRoot()) static_cast<void>(::chown(path.c_str(), NOBODY_ID, NOGROUP_ID));
}

// The verdict of `check` run by an ordinary user. A child that cannot give up root, or that dies,
// gives false. The check must not use the test framework's assertions: a child cannot report them.
template <typename Check>
bool runOrdinarily(Check check) {
    if (!runningAsRoot()) return check();
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setresgid(NOGROUP_ID, NOGROUP_ID, NOGROUP_ID) == 0 &&
                             ::setresuid(NOBODY_ID, NOBODY_ID, NOBODY_ID) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
