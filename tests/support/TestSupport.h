#pragma once

#include "store/DrawHistory.h"
#include "support/Histories.h"

#include <filesystem>
#include <initializer_list>
#include <string>

namespace kazutama::test {

// A fresh directory under the system temp folder, removed with everything in it at scope end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// One draw for a test history: draw number and the nine numbers by ball position (0 = not entered).
struct TestDraw {
    int drawNumber;
    std::array<int, kBallCount> numbers;
};

DrawHistory makeHistory(std::initializer_list<TestDraw> draws);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace kazutama::test
