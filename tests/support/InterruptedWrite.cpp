#include "support/InterruptedWrite.h"

#include <csignal>
#include <cstdlib>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kazutama::test {

namespace {

// A file system layer over the default one that kills the process at a chosen write into a main database
// file. Only ever installed in a child process about to die.
sqlite3_vfs* g_base = nullptr;
int g_writesLeft = 0;
sqlite3_vfs g_killing;
sqlite3_io_methods g_methods;

struct KillingFile {
    sqlite3_file base;
    sqlite3_file* real;
    bool database;
};

sqlite3_file* real(sqlite3_file* file) {
    return reinterpret_cast<KillingFile*>(file)->real;
}

int killingWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    if (reinterpret_cast<KillingFile*>(file)->database && g_writesLeft-- == 0)
        ::kill(::getpid(), SIGKILL);
    return real(file)->pMethods->xWrite(real(file), data, amount, offset);
}

int killingOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    auto* wrapper = reinterpret_cast<KillingFile*>(file);
    wrapper->real = static_cast<sqlite3_file*>(std::calloc(1, std::size_t(g_base->szOsFile)));
    wrapper->database = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    const int rc = g_base->xOpen(g_base, name, wrapper->real, flags, outFlags);
    file->pMethods = rc == SQLITE_OK ? &g_methods : nullptr;
    return rc;
}

void installKillingVfs(int pagesWritten) {
    g_base = sqlite3_vfs_find(nullptr);
    g_writesLeft = pagesWritten;
    g_killing = *g_base;
    g_killing.zName = "killing";
    g_killing.szOsFile = sizeof(KillingFile);
    g_killing.xOpen = killingOpen;
    g_methods = {};
    g_methods.iVersion = 1;
    g_methods.xClose = [](sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); };
    g_methods.xRead = [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
        return real(f)->pMethods->xRead(real(f), b, n, o);
    };
    g_methods.xWrite = killingWrite;
    g_methods.xTruncate = [](sqlite3_file* f, sqlite3_int64 s) {
        return real(f)->pMethods->xTruncate(real(f), s);
    };
    g_methods.xSync = [](sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); };
    g_methods.xFileSize = [](sqlite3_file* f, sqlite3_int64* s) {
        return real(f)->pMethods->xFileSize(real(f), s);
    };
    g_methods.xLock = [](sqlite3_file* f, int l) { return real(f)->pMethods->xLock(real(f), l); };
    g_methods.xUnlock = [](sqlite3_file* f, int l) { return real(f)->pMethods->xUnlock(real(f), l); };
    g_methods.xCheckReservedLock = [](sqlite3_file* f, int* r) {
        return real(f)->pMethods->xCheckReservedLock(real(f), r);
    };
    g_methods.xFileControl = [](sqlite3_file* f, int op, void* a) {
        return real(f)->pMethods->xFileControl(real(f), op, a);
    };
    g_methods.xSectorSize = [](sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); };
    g_methods.xDeviceCharacteristics = [](sqlite3_file* f) {
        return real(f)->pMethods->xDeviceCharacteristics(real(f));
    };
    sqlite3_vfs_register(&g_killing, 1);
}

} // namespace

bool killedWhileCommitting(const std::function<void()>& write, int pagesWritten) {
    const pid_t child = ::fork();
    if (child == 0) {
        installKillingVfs(pagesWritten);
        write();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace kazutama::test
