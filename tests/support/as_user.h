// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tilebash::testing {

// Someone to act as: a real, unprivileged user, whom file permissions bind
// (only root can become one).
struct User {
    uid_t uid = 0;
    gid_t gid = 0;
    std::vector<gid_t> groups = {};
};

inline const User kRoot{0, 0};
inline const User kNobody{65534, 65534};
// A second unprivileged user, who plants links and files in shared folders.
inline const User kAttacker{64999, 64999};

inline bool isRoot() {
    return ::geteuid() == 0;
}

// Runs `check` in a child process, as `user` where one is given, and
// returns what it said: empty when it found nothing wrong. A check that does
// not end within ten seconds is stopped and said to hang. `beforeCheck`, if
// given, runs here with the child's id before the child goes on.
inline std::string inChild(const std::optional<User>& user,
                           const std::function<std::string()>& check,
                           const std::function<void(pid_t)>& beforeCheck = {}) {
    int said[2];
    int go[2];
    if (::pipe(said) != 0 || ::pipe(go) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(said[0]);
        ::close(go[1]);
        char byte = 0;
        std::string result;
        if (::read(go[0], &byte, 1) != 1) {
            result = "not started";
        } else if (user && (::setgroups(user->groups.size(), user->groups.data()) != 0 ||
                            ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0)) {
            result = "could not become user " + std::to_string(user->uid);
        } else {
            ::alarm(10);
            result = check();
        }
        const ssize_t ignored = ::write(said[1], result.data(), result.size());
        static_cast<void>(ignored);
        ::_exit(0);
    }
    ::close(said[1]);
    ::close(go[0]);
    if (beforeCheck) {
        beforeCheck(child);
    }
    const ssize_t started = ::write(go[1], "g", 1);
    static_cast<void>(started);
    ::close(go[1]);
    std::string result;
    char buffer[512];
    for (ssize_t got; (got = ::read(said[0], buffer, sizeof buffer)) > 0;) {
        result.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(said[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        return WTERMSIG(status) == SIGALRM ? "hung for ten seconds"
                                           : "ended by signal " + std::to_string(WTERMSIG(status));
    }
    return result;
}

}  // namespace tilebash::testing
