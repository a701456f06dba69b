#include "store/DatabaseError.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"

#include <cerrno>
#include <sqlite3.h>
#include <string>

namespace kazutama {

namespace {

std::string causeOf(sqlite3* db, int resultCode) {
    switch (resultCode & 0xFF) {
    case SQLITE_READONLY:
        if (resultCode == SQLITE_READONLY_DBMOVED)
            return "開いている間に、ほかのプログラムがファイルを移動するか置き換えました";
        if (resultCode == SQLITE_READONLY_ROLLBACK)
            return "中断された書き込みの記録が残っています";
        return "読み取り専用のファイルです";
    case SQLITE_INTERRUPT:
        return "処理が終わらないため中止しました。ファイルが壊れているか、Kazutamaのものではありません";
    case SQLITE_FULL:
        return describeSystemError(ENOSPC);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return describeSystemError(EBUSY);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "ファイルが壊れています";
    case SQLITE_NOMEM:
        return "メモリが足りません";
    case SQLITE_CONSTRAINT:
        return "保存できない値です";
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        if (const int error = db ? sqlite3_system_errno(db) : 0)
            return describeSystemError(error);
        return describeSystemError(EIO);
    default:
        return std::string("エラー: ") + (db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode));
    }
}

ErrorCode codeOf(int resultCode, DatabaseAccess access) {
    switch (resultCode & 0xFF) {
    case SQLITE_CONSTRAINT:
        return ErrorCode::InvalidData;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return ErrorCode::Unreadable;
    default:
        return access == DatabaseAccess::Write ? ErrorCode::WriteFailed : ErrorCode::Unreadable;
    }
}

} // namespace

std::string causeIn(const std::string& message) {
    const auto open = message.rfind("（");
    const auto close = message.rfind("）");
    if (open == std::string::npos || close == std::string::npos || close < open)
        return message;
    return message.substr(open + std::string_view("（").size(), close - open - std::string_view("（").size());
}

Error databaseError(sqlite3* db, int resultCode, DatabaseAccess access) {
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    const std::string name = file && *file ? quotePath(file) : std::string();
    const std::string verb = access == DatabaseAccess::Write ? "に書き込めません" : "を読み込めません";
    return makeError(codeOf(resultCode, access),
                     "データベースファイル" + name + verb + "（" + causeOf(db, resultCode) + "）。");
}

Error databaseOpenError(const std::filesystem::path& path, int systemError) {
    if (systemError == ENOENT)
        return makeError(ErrorCode::FileMissing, "データベースファイル" + quotePath(path) + "がありません。");
    return databaseOpenError(path, describeSystemError(systemError));
}

Error databaseOpenError(const std::filesystem::path& path, const std::string& cause) {
    return makeError(ErrorCode::Unreadable,
                     "データベースファイル" + quotePath(path) + "を開けません（" + cause + "）。");
}

} // namespace kazutama
