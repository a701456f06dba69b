#include "analyses/ViewCatalogue.h"
#include "menus/MenuTable.h"
#include "menus/WindowNames.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace kazutama {
namespace {

const std::filesystem::path kHelpFolder = KAZUTAMA_HELP_FOLDER;

// The help project's index keywords (name → page), their identifiers (window name → page, looked up by F1 and
// not shown in the index) and the files it compiles into the manual.
struct HelpProject {
    std::map<std::string, std::string> keywords;
    std::map<std::string, std::string> identifiers;
    std::set<std::string> files;
};

HelpProject readHelpProject() {
    const std::string text = test::readFile(kHelpFolder / "kazutama.qhp");
    HelpProject project;
    const std::regex keyword(R"re(<keyword name="([^"]*)"(?: id="([^"]*)")? ref="([^"#]*)[^"]*"\s*/>)re");
    for (std::sregex_iterator it(text.begin(), text.end(), keyword), end; it != end; ++it) {
        project.keywords.emplace((*it)[1], (*it)[3]);
        if ((*it)[2].matched)
            project.identifiers.emplace((*it)[2], (*it)[3]);
    }
    const std::regex file(R"re(<file>([^<]*)</file>)re");
    for (std::sregex_iterator it(text.begin(), text.end(), file), end; it != end; ++it)
        project.files.insert((*it)[1]);
    return project;
}

// Every window of the program by name and caption: those the menus open, then the windows opened otherwise
// (予想検証, the main window, the About box and the help window).
std::vector<std::pair<std::string, std::string>> windowNamesAndCaptions() {
    std::vector<std::pair<std::string, std::string>> windows;
    for (const MenuNode& line : mainMenuTree()) {
        if (line.view.empty())
            continue;
        const ViewEntry* entry = ViewCatalogue::find(line.view);
        windows.emplace_back(line.view, entry ? std::string(entry->caption) : std::string(line.view));
    }
    windows.emplace_back(kBacktestViewName, kBacktestViewName);
    windows.emplace_back("MainFrm", "Kazutama");
    windows.emplace_back("バージョン情報", "バージョン情報");
    windows.emplace_back("HelpWindow", "Kazutama ヘルプ");
    return windows;
}

// F1 finds a window's page by its name, the user by its caption in the index.
TEST(ManualTest, EveryWindowHasAPageByNameAndAnIndexKeywordForItsCaption) {
    const HelpProject project = readHelpProject();
    const auto windows = windowNamesAndCaptions();
    EXPECT_GT(windows.size(), 20u);
    for (const auto& [name, caption] : windows) {
        const auto page = project.identifiers.find(name);
        if (page == project.identifiers.end()) {
            ADD_FAILURE() << "no page for the window " << name;
            continue;
        }
        EXPECT_TRUE(std::filesystem::exists(kHelpFolder / page->second)) << name << " → " << page->second;
        EXPECT_TRUE(project.files.contains(page->second)) << name << " → " << page->second;
        const auto keyword = project.keywords.find(caption);
        EXPECT_TRUE(keyword != project.keywords.end() && keyword->second == page->second)
            << "the caption " << caption << " does not lead to " << page->second;
    }
}

TEST(ManualTest, EveryPictureOfAPageExistsAndIsCompiledIntoTheManual) {
    const HelpProject project = readHelpProject();
    const std::regex picture(R"re(<img\s[^>]*src="([^"]*)")re");
    int pictures = 0;
    for (const std::string& file : project.files) {
        if (!file.ends_with(".html"))
            continue;
        const std::string page = test::readFile(kHelpFolder / file);
        for (std::sregex_iterator it(page.begin(), page.end(), picture), end; it != end; ++it, ++pictures) {
            const std::string source = (*it)[1];
            EXPECT_TRUE(std::filesystem::exists(kHelpFolder / source)) << file << ": " << source;
            EXPECT_TRUE(project.files.contains(source)) << file << ": " << source;
        }
    }
    EXPECT_GT(pictures, 0);
}

} // namespace
} // namespace kazutama
