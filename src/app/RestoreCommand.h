#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace kazutama {

class Backups;
class MainFrm;
struct BackupInfo;

// データ管理 → バックアップから復元...: the user picks one of the backups and confirms; the open windows
// close, the backup's history replaces the file's (which is kept as a backup first), and the program goes on
// with the restored history as if it had just started.
class RestoreCommand {
public:
    explicit RestoreCommand(MainFrm& frame) : m_frame(frame) {}

    void run();

private:
    // The row the user took, or none.
    std::optional<std::size_t> chooseBackup(const Backups& backups, const std::vector<BackupInfo>& list);
    void restore(const Backups& backups, const BackupInfo& backup);

    MainFrm& m_frame;
};

// A backup as the messages name it: "2026年1月5日 10:30:00 のバックアップ（600 回分、最新 第600回）".
QString backupName(const BackupInfo& backup);

} // namespace kazutama
