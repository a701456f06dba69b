#include "store/RollbackJournal.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <openssl/evp.h>
#include <optional>
#include <set>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

// The journal's layout, as the library writes it: a header at the start of each sector-aligned segment
// (magic, record count, checksum seed, the database's page count before the write, sector size, page size),
// then records of page number, page image and checksum.
constexpr std::array<unsigned char, 8> kJournalMagic = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
constexpr std::size_t kHeaderBytes = 28;
// The library's lock bytes: a writer holds the reserved byte from its first change to its commit.
constexpr off_t kReservedByte = 0x40000001;

constexpr char kRecordMagic[8] = {'K', 'Z', 'C', 'O', 'M', 'M', 'I', 'T'};

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

std::uint32_t readBigEndian(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 |
           bytes[3];
}

void appendBigEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out += char((value >> (8 * i)) & 0xFF);
}

// Up to `size` bytes at `offset`; fewer at the end of the file.
std::string readAt(int fd, off_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size - got, offset + off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return bytes;
}

std::uint64_t pageDigest(std::string_view page) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(page.data(), page.size(), digest, &length, EVP_sha256(), nullptr);
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = value << 8 | digest[i];
    return value;
}

struct JournalHeader {
    std::uint32_t records = 0;
    std::uint32_t checksumSeed = 0;
    std::uint32_t originalPages = 0;
    std::uint32_t sectorSize = 0;
    std::uint32_t pageSize = 0;
};

bool isPowerOfTwoIn(std::uint32_t value, std::uint32_t low, std::uint32_t high) {
    return value >= low && value <= high && (value & (value - 1)) == 0;
}

// A header the library would play back, else none.
std::optional<JournalHeader> readHeader(std::string_view bytes, bool requireMagic) {
    if (bytes.size() < kHeaderBytes)
        return std::nullopt;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (requireMagic && !std::equal(kJournalMagic.begin(), kJournalMagic.end(), b))
        return std::nullopt;
    JournalHeader header{readBigEndian(b + 8), readBigEndian(b + 12), readBigEndian(b + 16),
                         readBigEndian(b + 20), readBigEndian(b + 24)};
    if (!isPowerOfTwoIn(header.pageSize, 512, 65536) || !isPowerOfTwoIn(header.sectorSize, 32, 65536))
        return std::nullopt;
    return header;
}

// The pages a roll-back would write, as the library finds them: segment by segment, up to the first record
// whose checksum fails.
struct JournalPages {
    JournalHeader first;
    std::set<std::uint32_t> pages;
    std::string firstPageImage; // the journal's copy of page 1, when it has one
};

JournalPages journalPages(int fd, const JournalHeader& first, off_t journalSize) {
    JournalPages result{first, {}, {}};
    const std::size_t recordSize = first.pageSize + 8;
    off_t segment = 0;
    JournalHeader header = first;
    while (true) {
        std::uint64_t count = header.records;
        const off_t start = segment + off_t(header.sectorSize);
        if (count == 0xFFFFFFFF)
            count = std::uint64_t(std::max<off_t>(0, journalSize - start)) / recordSize;
        off_t offset = start;
        for (std::uint64_t i = 0; i < count; ++i, offset += off_t(recordSize)) {
            const std::string record = readAt(fd, offset, recordSize);
            if (record.size() < recordSize)
                return result;
            const auto* b = reinterpret_cast<const unsigned char*>(record.data());
            const std::uint32_t page = readBigEndian(b);
            std::uint32_t checksum = header.checksumSeed;
            for (std::uint32_t k = header.pageSize - 200; k > 0 && k < header.pageSize; k -= 200)
                checksum += b[4 + k];
            if (page == 0 || checksum != readBigEndian(b + 4 + header.pageSize))
                return result;
            if (page <= first.originalPages)
                result.pages.insert(page);
            if (page == 1 && result.firstPageImage.empty())
                result.firstPageImage = record.substr(4, header.pageSize);
        }
        // The next segment starts at the next sector boundary.
        segment =
            (offset + off_t(header.sectorSize) - 1) / off_t(header.sectorSize) * off_t(header.sectorSize);
        const auto next = readHeader(readAt(fd, segment, kHeaderBytes), true);
        if (!next || segment >= journalSize)
            return result;
        header = *next;
    }
}

bool anotherProgramIsWriting(int databaseFd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kReservedByte;
    lock.l_len = 1;
    return ::fcntl(databaseFd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// The record written before the commit: the journal it belongs to and a digest of every page the database
// had then.
struct CommitRecord {
    std::uint32_t checksumSeed = 0;
    std::uint32_t originalPages = 0;
    std::uint32_t pageSize = 0;
    std::vector<std::uint64_t> digests; // page 1 first
};

std::string formatRecord(const CommitRecord& record) {
    std::string bytes(kRecordMagic, sizeof kRecordMagic);
    appendBigEndian(bytes, record.checksumSeed, 4);
    appendBigEndian(bytes, record.originalPages, 4);
    appendBigEndian(bytes, record.pageSize, 4);
    for (std::uint64_t digest : record.digests)
        appendBigEndian(bytes, digest, 8);
    appendBigEndian(bytes, pageDigest(bytes), 8);
    return bytes;
}

std::optional<CommitRecord> parseRecord(std::string_view bytes) {
    constexpr std::size_t kFixed = sizeof kRecordMagic + 12;
    if (bytes.size() < kFixed + 8 || (bytes.size() - kFixed) % 8 != 0 ||
        std::memcmp(bytes.data(), kRecordMagic, sizeof kRecordMagic) != 0)
        return std::nullopt;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto word64 = [&](std::size_t at) {
        return std::uint64_t(readBigEndian(b + at)) << 32 | readBigEndian(b + at + 4);
    };
    if (word64(bytes.size() - 8) != pageDigest(bytes.substr(0, bytes.size() - 8)))
        return std::nullopt;
    CommitRecord record{readBigEndian(b + 8), readBigEndian(b + 12), readBigEndian(b + 16), {}};
    for (std::size_t at = kFixed; at + 8 < bytes.size(); at += 8)
        record.digests.push_back(word64(at));
    if (record.digests.size() != record.originalPages)
        return std::nullopt;
    return record;
}

std::optional<std::string> readWholeRegularFile(const fs::path& path, std::size_t limit) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::size_t(info.st_size) > limit)
        return std::nullopt;
    return readAt(fd.get(), 0, std::size_t(info.st_size));
}

} // namespace

fs::path journalPath(const fs::path& database) {
    return database.string() + "-journal";
}

fs::path commitRecordPath(const fs::path& database) {
    return database.string() + "-commit";
}

JournalFinding inspectJournal(const fs::path& database) {
    const fs::path journal = journalPath(database);
    struct stat info {};
    if (::lstat(journal.c_str(), &info) != 0)
        return JournalFinding::None;
    if (!S_ISREG(info.st_mode))
        return JournalFinding::NotAFile;
    Fd journalFd(::open(journal.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!journalFd.valid())
        return JournalFinding::Unverifiable;
    const std::string start = readAt(journalFd.get(), 0, kHeaderBytes);
    // A journal that was never made ready to play back (its first bytes are still zero) is left alone by the
    // library, as is one whose header it would not accept.
    const auto header = readHeader(start, true);
    if (!header)
        return JournalFinding::None;

    Fd databaseFd(::open(database.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat databaseInfo {};
    if (!databaseFd.valid() || ::fstat(databaseFd.get(), &databaseInfo) != 0 ||
        !S_ISREG(databaseInfo.st_mode) || databaseInfo.st_size == 0)
        return JournalFinding::None;
    // A journal still being written belongs to a write in progress, which the library waits for.
    if (anotherProgramIsWriting(databaseFd.get()))
        return JournalFinding::None;

    const JournalPages journalled = journalPages(journalFd.get(), *header, info.st_size);
    const std::uint32_t pageSize = header->pageSize;
    const std::uint64_t databasePages = (std::uint64_t(databaseInfo.st_size) + pageSize - 1) / pageSize;
    if (journalled.pages.empty() && databasePages == header->originalPages)
        return JournalFinding::Ours; // rolling back changes nothing
    // The salt at the start of the first page is the file's own; and the library never shrinks a file of
    // ours in a write, so one smaller than the journal's "before" is another file.
    if (!journalled.firstPageImage.empty() &&
        readAt(databaseFd.get(), 0, 16) != std::string_view(journalled.firstPageImage).substr(0, 16))
        return JournalFinding::NotOurs;
    if (databasePages < header->originalPages)
        return JournalFinding::NotOurs;

    const auto recordBytes = readWholeRegularFile(commitRecordPath(database), 64u << 20);
    const auto record = recordBytes ? parseRecord(*recordBytes) : std::nullopt;
    if (!record || record->checksumSeed != header->checksumSeed ||
        record->originalPages != header->originalPages || record->pageSize != pageSize)
        return JournalFinding::Unverifiable;
    // Every page the roll-back leaves as it is must still be what it was when the journal was written.
    for (std::uint32_t page = 1; page <= header->originalPages; ++page) {
        if (journalled.pages.contains(page))
            continue;
        const std::string bytes = readAt(databaseFd.get(), off_t(page - 1) * pageSize, pageSize);
        if (bytes.size() != pageSize || pageDigest(bytes) != record->digests[page - 1])
            return JournalFinding::NotOurs;
    }
    return JournalFinding::Ours;
}

void recordCommit(const fs::path& database, sqlite3_file* file) {
    const fs::path recordPath = commitRecordPath(database);
    Fd journal(::open(journalPath(database).c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    // The header is complete but for its magic, which the library writes when it makes the journal ready.
    const auto header =
        journal.valid() ? readHeader(readAt(journal.get(), 0, kHeaderBytes), false) : std::nullopt;
    if (!header || !file || !file->pMethods)
        return;
    CommitRecord record{header->checksumSeed, header->originalPages, header->pageSize, {}};
    std::string page(header->pageSize, '\0');
    for (std::uint32_t p = 1; p <= header->originalPages; ++p) {
        const int rc =
            file->pMethods->xRead(file, page.data(), int(page.size()), sqlite3_int64(p - 1) * page.size());
        if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
            return;
        record.digests.push_back(pageDigest(page));
    }
    const std::string bytes = formatRecord(record);
    // No folder sync of its own: the library syncs the folder when it makes the journal ready, after this.
    Fd out(::open(recordPath.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
    struct stat existing {};
    if (!out.valid() || ::fstat(out.get(), &existing) != 0 || !S_ISREG(existing.st_mode))
        return;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(out.get(), bytes.data() + written, bytes.size() - written, off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        written += std::size_t(n);
    }
    if (::ftruncate(out.get(), off_t(bytes.size())) == 0)
        (void)::fsync(out.get());
}

void forgetCommit(const fs::path& database) {
    struct stat info {};
    const fs::path recordPath = commitRecordPath(database);
    if (::lstat(recordPath.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        ::unlink(recordPath.c_str());
}

Status setJournalAside(const fs::path& database, const fs::path& folder, const std::string& stem) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (const auto& [from, suffix] :
         {std::pair{journalPath(database), "-journal"}, {commitRecordPath(database), "-commit"}}) {
        if (!fs::exists(fs::symlink_status(from, ec)))
            continue;
        const fs::path to = folder / (stem + suffix);
        if (::rename(from.c_str(), to.c_str()) == 0)
            continue;
        const int error = errno;
        return makeError(ErrorCode::WriteFailed, quotePath(from) + "を" + quotePath(folder) +
                                                     "へ移せませんでした（" + describeSystemError(error) +
                                                     "）。");
    }
    return Ok{};
}

std::string journalMessage(const fs::path& database, JournalFinding finding) {
    const std::string journal = quotePath(journalPath(database));
    const std::string file = quotePath(database);
    const std::string name = journalPath(database).filename().string();
    switch (finding) {
    case JournalFinding::NotOurs:
        return "データベースファイル" + file + "の横に、別の内容のときに中断された書き込みの記録" + journal +
               "が残っています（バックアップなどを上書きコピーしたときに起こります）。この記録で元に戻すと"
               "2つの履歴が混ざるため、ファイルを開きませんでした。今のファイルをそのまま使うには、" +
               name + "を別のフォルダへ移すか削除してください。";
    case JournalFinding::Unverifiable:
        return "データベースファイル" + file + "の横に、中断された書き込みの記録" + journal +
               "が残っていますが、今のファイルの記録か確かめられないため、ファイルを開きませんでした。"
               "ファイルを置き換えていなければ、Kazutamaを起動して元に戻すことを選べます。バックアップなどを"
               "上書きコピーした場合は、" +
               name + "を別のフォルダへ移すか削除してください。";
    case JournalFinding::NotAFile:
        return "データベースファイル" + file + "の書き込みの記録の名前" + journal +
               "に、通常のファイルではないものがあるため、ファイルを開きませんでした。" + name +
               "を別のフォルダへ移すか削除してください。";
    default:
        return {};
    }
}

} // namespace kazutama
