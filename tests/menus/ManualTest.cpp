#include "analyses/ViewCatalogue.h"
#include "menus/MenuTable.h"
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

// The help project's index keywords (name → page) and the files it compiles into the manual.
struct HelpProject {
    std::map<std::string, std::string> keywords;
    std::set<std::string> files;
};

HelpProject readHelpProject() {
    const std::string text = test::readFile(kHelpFolder / "kazutama.qhp");
    HelpProject project;
    const std::regex keyword(R"re(<keyword name="([^"]*)" ref="([^"#]*)[^"]*"\s*/>)re");
    for (std::sregex_iterator it(text.begin(), text.end(), keyword), end; it != end; ++it)
        project.keywords.emplace((*it)[1], (*it)[2]);
    const std::regex file(R"re(<file>([^<]*)</file>)re");
    for (std::sregex_iterator it(text.begin(), text.end(), file), end; it != end; ++it)
        project.files.insert((*it)[1]);
    return project;
}

// Every name and caption a window of the program shows: those the menus open, then the windows opened
// otherwise (the main window, the About box and the help window).
std::vector<std::string> windowNamesAndCaptions() {
    std::vector<std::string> names;
    for (const MenuNode& line : mainMenuTree()) {
        if (line.view.empty())
            continue;
        names.emplace_back(line.view);
        if (const ViewEntry* entry = ViewCatalogue::find(line.view))
            names.emplace_back(entry->caption);
    }
    for (const char* other : {"MainFrm", "Kazutama", "バージョン情報", "HelpWindow", "Kazutama ヘルプ"})
        names.emplace_back(other);
    return names;
}

TEST(ManualTest, EveryWindowHasAnIndexKeywordOnAPageOfTheManual) {
    const HelpProject project = readHelpProject();
    const std::vector<std::string> names = windowNamesAndCaptions();
    EXPECT_GT(names.size(), 40u);
    for (const std::string& name : names) {
        const auto keyword = project.keywords.find(name);
        if (keyword == project.keywords.end()) {
            ADD_FAILURE() << "no index keyword for the window " << name;
            continue;
        }
        EXPECT_TRUE(std::filesystem::exists(kHelpFolder / keyword->second))
            << name << " → " << keyword->second;
        EXPECT_TRUE(project.files.contains(keyword->second)) << name << " → " << keyword->second;
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
