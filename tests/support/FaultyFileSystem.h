#pragma once

namespace kazutama::test {

// While one lives, the library's default file system fails every read of a main database file after the
// first `readsAllowed`, as a failing disk would (EIO).
class FailingReads {
public:
    explicit FailingReads(int readsAllowed);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};

// From now on, the process kills itself (SIGKILL) when it is about to make the (`writesAllowed` + 1)-th
// write into a main database file. For a child process about to die.
void killAtWrite(int writesAllowed);

} // namespace kazutama::test
