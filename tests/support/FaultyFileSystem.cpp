#include "support/FaultyFileSystem.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <sqlite3.h>
#include <unistd.h>

namespace kazutama::test {

namespace {

// A file system layer over the default one, counting the reads and writes of main database files.
sqlite3_vfs* g_base = nullptr;
int g_reads = 0, g_readLimit = INT_MAX;
int g_writes = 0, g_writeLimit = INT_MAX;
sqlite3_vfs g_faulty;
sqlite3_io_methods g_methods;

struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real;
    bool database;
};

sqlite3_file* real(sqlite3_file* file) {
    return reinterpret_cast<FaultyFile*>(file)->real;
}

bool isDatabase(sqlite3_file* file) {
    return reinterpret_cast<FaultyFile*>(file)->database;
}

int faultyRead(sqlite3_file* file, void* data, int amount, sqlite3_int64 offset) {
    if (isDatabase(file) && ++g_reads > g_readLimit) {
        errno = EIO; // what the library reports as the system's cause
        return SQLITE_IOERR_READ;
    }
    return real(file)->pMethods->xRead(real(file), data, amount, offset);
}

int faultyWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    if (isDatabase(file) && ++g_writes > g_writeLimit)
        ::kill(::getpid(), SIGKILL);
    return real(file)->pMethods->xWrite(real(file), data, amount, offset);
}

int faultyOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    auto* wrapper = reinterpret_cast<FaultyFile*>(file);
    wrapper->real = static_cast<sqlite3_file*>(std::calloc(1, std::size_t(g_base->szOsFile)));
    wrapper->database = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    const int rc = g_base->xOpen(g_base, name, wrapper->real, flags, outFlags);
    file->pMethods = rc == SQLITE_OK ? &g_methods : nullptr;
    if (rc != SQLITE_OK)
        std::free(wrapper->real);
    return rc;
}

void install() {
    if (sqlite3_vfs_find("faulty"))
        return;
    g_base = sqlite3_vfs_find(nullptr);
    g_faulty = *g_base;
    g_faulty.zName = "faulty";
    g_faulty.szOsFile = sizeof(FaultyFile);
    g_faulty.xOpen = faultyOpen;
    g_methods = {};
    g_methods.iVersion = 1;
    g_methods.xClose = [](sqlite3_file* f) {
        const int rc = real(f)->pMethods->xClose(real(f));
        std::free(real(f));
        return rc;
    };
    g_methods.xRead = faultyRead;
    g_methods.xWrite = faultyWrite;
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
    sqlite3_vfs_register(&g_faulty, 1);
}

} // namespace

FailingReads::FailingReads(int readsAllowed) {
    install();
    g_reads = 0;
    g_readLimit = readsAllowed;
}

FailingReads::~FailingReads() {
    g_readLimit = INT_MAX;
    // Connections opened through the layer keep working on the one below.
    sqlite3_vfs_unregister(&g_faulty);
}

void killAtWrite(int writesAllowed) {
    install();
    g_writes = 0;
    g_writeLimit = writesAllowed;
}

} // namespace kazutama::test
