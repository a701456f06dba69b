#include "support/TestSupport.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace kazutama::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kazutama-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may have made files read-only; give the permission back so the removal succeeds.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

DrawHistory makeHistory(std::initializer_list<TestDraw> draws) {
    std::vector<DrawRecord> records;
    for (const TestDraw& d : draws)
        records.push_back(DrawRecord{d.drawNumber, d.numbers});
    return historyOf(records);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace kazutama::test
