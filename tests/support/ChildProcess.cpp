#include "support/ChildProcess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kazutama::test {

bool runningAsRoot() {
    return ::geteuid() == 0;
}
uid_t userId() {
    return runningAsRoot() ? kNobody : ::geteuid();
}
gid_t userGroup() {
    return runningAsRoot() ? kNoGroup : ::getegid();
}

std::string runInChild(const std::function<std::string()>& work, RunAs as, unsigned seconds) {
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (as == RunAs::User && runningAsRoot() &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(100);
        ::alarm(seconds);
        const std::string result = work();
        for (std::size_t done = 0; done < result.size();) {
            const ssize_t n = ::write(channel[1], result.data() + done, result.size() - done);
            if (n <= 0)
                ::_exit(101);
            done += std::size_t(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, std::size_t(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return "ended by signal " + std::to_string(WTERMSIG(status));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "exited with " + std::to_string(WEXITSTATUS(status));
    return result;
}

} // namespace kazutama::test
