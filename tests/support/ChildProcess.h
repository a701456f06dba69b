#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace kazutama::test {

// Tests run as root in CI; what an ordinary user may and may not do is tried as "nobody".
inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;
bool runningAsRoot();
// The ordinary user a child of runInChild(..., RunAs::User) runs as: nobody under root, else ourselves.
uid_t userId();
gid_t userGroup();

enum class RunAs { Self, User };

// Runs `work` in a child process and gives back what it returned, or "ended by signal N" when it did not
// return within `seconds` (SIGALRM) or crashed, so that a call that would hang fails the test instead.
std::string runInChild(const std::function<std::string()>& work, RunAs as = RunAs::Self,
                       unsigned seconds = 5);

} // namespace kazutama::test
