#include "common/SystemError.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace kazutama {

std::string describeSystemError(int error) {
    switch (error) {
    case ENOENT:
        return "ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM:
        return "アクセスする権限がありません";
    case ENOSPC:
    case EDQUOT:
        return "ディスクの空き容量が足りません";
    case EROFS:
        return "読み取り専用の場所です";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます";
    case EISDIR:
        return "ファイルではなくフォルダです";
    case ENOTDIR:
        return "途中のフォルダ名がフォルダではありません";
    case ELOOP:
        return "シンボリックリンクが循環しています";
    case EIO:
        return "ディスクの読み書きでエラーが起きました";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ENOLCK:
        return "ロックに対応していない場所です";
    case EBUSY:
    case ETXTBSY:
        return "ほかのプログラムが使用中です";
    default:
        return std::string("システムエラー: ") + std::strerror(error);
    }
}

std::string describeNotRegularFile(unsigned mode) {
    if (S_ISDIR(mode))
        return describeSystemError(EISDIR);
    if (S_ISFIFO(mode))
        return "通常のファイルではなく名前付きパイプです";
    if (S_ISSOCK(mode))
        return "通常のファイルではなくソケットです";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "通常のファイルではなくデバイスです";
    return "通常のファイルではありません";
}

} // namespace kazutama
