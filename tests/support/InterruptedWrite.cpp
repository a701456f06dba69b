#include "support/InterruptedWrite.h"

#include "support/FaultyFileSystem.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kazutama::test {

bool killedWhileCommitting(const std::function<void()>& write, int pagesWritten) {
    const pid_t child = ::fork();
    if (child == 0) {
        killAtWrite(pagesWritten);
        write();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace kazutama::test
