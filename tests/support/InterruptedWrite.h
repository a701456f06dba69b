#pragma once

#include <functional>

namespace kazutama::test {

// Runs `write` in a child process that is killed (SIGKILL) when it is about to write the
// (`pagesWritten` + 1)-th page into a database file: after the journal of its commit has been made ready,
// with exactly that many pages of the database already changed. True when the child was killed.
bool killedWhileCommitting(const std::function<void()>& write, int pagesWritten);

} // namespace kazutama::test
