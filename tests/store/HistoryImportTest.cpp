#include "store/HistoryImport.h"

#include "store/HistoryCsv.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <set>

namespace kazutama {
namespace {

std::string errorOf(const std::string& csv) {
    auto result = parseHistoryImport(csv);
    return result ? std::string("(accepted)") : result.error().message;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

ImportedHistory accepted(const std::string& csv) {
    auto result = parseHistoryImport(csv);
    EXPECT_TRUE(result) << result.error().message;
    return result ? std::move(result).value() : ImportedHistory{};
}

std::string allNotes(const ImportedHistory& imported) {
    std::string text;
    for (const std::string& note : imported.notes)
        text += note + "\n";
    return text;
}

std::string toShiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string sjis(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    char* out = sjis.data();
    size_t inLeft = utf8.size(), outLeft = sjis.size();
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    EXPECT_NE(rc, static_cast<size_t>(-1));
    sjis.resize(sjis.size() - outLeft);
    return sjis;
}

const DrawRecord kFirst{1, {7, 10, 12, 17, 23, 28, 34, 3, 15}};
const DrawRecord kSecond{2, {20, 24, 29, 31, 33, 34, 35, 12, 32}};

TEST(HistoryImportTest, OwnLayoutKeepsItsStrictChecks) {
    const std::string header = std::string(kHistoryCsvHeader) + "\n";
    EXPECT_EQ(accepted(header + "1,7,10,12,17,23,28,34,3,15\n").draws, std::vector<DrawRecord>{kFirst});
    EXPECT_EQ(accepted(header + "2,20,24,29,31,33,34,35,12,32\n1,7,10,12,17,23,28,34,3,15\n").draws,
              (std::vector<DrawRecord>{kFirst, kSecond}));
    EXPECT_EQ(errorOf(header + "1,7,10,12,17,23,28,34,3\n"), "2行目: 項目の数が10ではありません（9個）。");

    // Every rejection reads exactly as the own-format reader words it.
    const std::string good = "1,7,10,12,17,23,28,34,3,15\n";
    for (const std::string bad :
         {"2,7,10,12,17,23,28,38,3,15", "2,0,10,12,17,23,28,34,3,15", "2,7,10,12.5,17,23,28,34,3,15",
          "2,7,10,abc,17,23,28,34,3,15", "0,7,10,12,17,23,28,34,3,15", "32761,7,10,12,17,23,28,34,3,15",
          "第2回,7,10,12,17,23,28,34,3,15", "2,7,10,12,17,23,28,34,3,15,1", "1,7,10,12,17,23,28,34,3,15"}) {
        const std::string csv = header + good + bad + "\n";
        auto own = parseHistoryCsv(csv);
        ASSERT_FALSE(own) << bad;
        EXPECT_EQ(errorOf(csv), own.error().message) << bad;
        EXPECT_TRUE(contains(errorOf(csv), "3行目: ")) << bad;
    }
}

TEST(HistoryImportTest, RecognisesTheLayoutsOtherToolsKeep) {
    // Draw number as 第N回, seven numbers in one field, bonus pair in another, extra quoted columns.
    auto joined = accepted("抽せん日,本数字,ボーナス数字,回別,1等当選金額\n"
                           "2013-04-12,20 24 29 31 33 34 35,12 32,第2回,\"27,968,500円\"\n"
                           "2013-04-05,07 10 12 17 23 28 34,03 15,第1回,\"301,716,500円\"\n");
    EXPECT_EQ(joined.draws, (std::vector<DrawRecord>{kFirst, kSecond}));
    EXPECT_FALSE(joined.numberedByRowOrder);
    EXPECT_TRUE(joined.notes.empty());
    EXPECT_TRUE(contains(joined.layout, "「回別」")) << joined.layout;
    EXPECT_TRUE(contains(joined.layout, "「本数字」")) << joined.layout;
    EXPECT_TRUE(contains(joined.layout, "ほかの 2 列")) << joined.layout;

    auto english =
        accepted("round,numbers,bonus\n2,20 24 29 31 33 34 35,12 32\n1,7 10 12 17 23 28 34,3 15\n");
    EXPECT_EQ(english.draws, (std::vector<DrawRecord>{kFirst, kSecond}));
    auto columns = accepted("抽選回,date,num1,num2,num3,num4,num5,num6,num7,bonus1,bonus2,set\n"
                            "第1回,2013/04/05,7,10,12,17,23,28,34,3,15,A\n");
    EXPECT_EQ(columns.draws, std::vector<DrawRecord>{kFirst});

    // Blanks around headings, full-width letters and digits in headings and values, zero-padded draw numbers.
    auto wide = accepted(" 開催回 ,第１数字,第２数字, "
                         "第３数字,第４数字,第５数字,第６数字,第７数字,ＢＯＮＵＳ数字１,Bonus数字2\n"
                         "０００１,７,10,12,17,23,28,34,03,15\n"
                         "第００２回,20,24,29,31,33,34,35,12,32\n");
    EXPECT_EQ(wide.draws, (std::vector<DrawRecord>{kFirst, kSecond}));
    EXPECT_EQ(accepted("回数,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,本数字7,ボーナス1,ボーナス2\n"
                       "1,7,10,12,17,23,28,34,3,15\n")
                  .draws,
              std::vector<DrawRecord>{kFirst});
    EXPECT_EQ(accepted("Round,Numbers,Bonus\n1,７　10　12 17 23 28 34,\"3  15\"\n").draws,
              std::vector<DrawRecord>{kFirst});
}

TEST(HistoryImportTest, ReadsShiftJisBomAndCrLf) {
    const std::string csv =
        "開催回,日付,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,BONUS数字1,BONUS数字2\r\n"
        "1,2013/04/05,7,10,12,17,23,28,34,3,15\r\n";
    EXPECT_EQ(accepted(toShiftJis(csv)).draws, std::vector<DrawRecord>{kFirst});
    EXPECT_EQ(accepted("\xEF\xBB\xBF" + csv).draws, std::vector<DrawRecord>{kFirst});
}

TEST(HistoryImportTest, FilesWithoutDrawNumbersAreNumberedOldestFirst) {
    // Newest first, with a date column: numbered by date, and the preview says so.
    auto byDate = accepted("抽選日,数字１,数字２,数字３,数字４,数字５,数字６,数字７,数字B1,数字B2\n"
                           "2013年4月12日,20,24,29,31,33,34,35,12,32\n"
                           "2013/4/5 0:00:00,7,10,12,17,23,28,34,3,15\n");
    EXPECT_TRUE(byDate.numberedByRowOrder);
    EXPECT_EQ(byDate.draws, (std::vector<DrawRecord>{kFirst, kSecond}));
    EXPECT_TRUE(contains(allNotes(byDate), "「抽選日」の古い順")) << allNotes(byDate);

    // Without dates nothing tells the order: the file is taken as oldest first, and the note says that.
    auto byRow = accepted("本数字,ボーナス数字\n20 24 29 31 33 34 35,12 32\n7 10 12 17 23 28 34,3 15\n");
    EXPECT_TRUE(byRow.numberedByRowOrder);
    ASSERT_EQ(byRow.draws.size(), 2u);
    EXPECT_EQ(byRow.draws[0].numbers[0], 20);
    EXPECT_EQ(byRow.draws[1].drawNumber, 2);
    EXPECT_TRUE(contains(allNotes(byRow), "上の行ほど古い回")) << allNotes(byRow);

    const std::string header = "日付,本数字,ボーナス数字\n";
    EXPECT_EQ(
        errorOf(header + "2013-04-05,7 10 12 17 23 28 34,3 15\n,20 24 29 31 33 34 35,12 32\n"),
        "3行目: 「日付」の「」を日付として読めません（回数の列がないため、日付の順に回数を付けます）。");
    EXPECT_TRUE(contains(errorOf(header + "2013-13-05,7 10 12 17 23 28 34,3 15\n"),
                         "2行目: 「日付」の「2013-13-05」"));

    // The same draw copied twice is one draw; two different draws on one date cannot both be right.
    auto copied =
        accepted(header + "20130405,7 10 12 17 23 28 34,3 15\n2013-04-05,07 10 12 17 23 28 34,03 15\n"
                          "2013-04-12,20 24 29 31 33 34 35,12 32\n");
    EXPECT_EQ(copied.draws, (std::vector<DrawRecord>{kFirst, kSecond}));
    EXPECT_TRUE(contains(allNotes(copied), "1 行は、1 回分")) << allNotes(copied);
    EXPECT_TRUE(contains(
        errorOf(header + "2013-04-05,7 10 12 17 23 28 34,3 15\n2013-04-05,7 10 12 17 23 28 34,3 16\n"),
        "3行目: 「日付」 2013-4-5 が2行目と異なる数字で重複しています。"));
}

TEST(HistoryImportTest, RepeatedNumbersAreListedNotRejected) {
    auto imported = accepted("round,numbers,bonus\n2,1 2 3 4 5 6 6,9 10\n1,7 10 12 17 23 28 34,7 15\n"
                             "3,1 2 3 4 5 6 8,9 10\n");
    EXPECT_EQ(imported.drawsWithRepeatedNumbers, (std::vector<int>{1, 2}));
    EXPECT_EQ(imported.draws.size(), 3u);
    auto own = accepted(std::string(kHistoryCsvHeader) + "\n4,1,2,3,4,5,6,7,7,\n");
    EXPECT_EQ(own.drawsWithRepeatedNumbers, std::vector<int>{4});
}

TEST(HistoryImportTest, BadLinesRejectTheWholeFileNamingTheLine) {
    const std::string header = "round,numbers,bonus\n1,7 10 12 17 23 28 34,3 15\n";
    EXPECT_EQ(errorOf(header + "2,7 10 12 17 23 28,3 15\n"),
              "3行目: 「numbers」に数字が7個ありません（6個）。");
    EXPECT_TRUE(contains(errorOf(header + "2,7 10 12 17 23 28 38,3 15\n"), "3行目: 第7数字「38」"));
    EXPECT_TRUE(contains(errorOf(header + "2,7 10 12 17 23 28 0,3 15\n"), "3行目: 第7数字「0」"));
    EXPECT_TRUE(contains(errorOf(header + "2,7 10 12 17 23 28 12.5,3 15\n"), "3行目: 第7数字「12.5」"));
    EXPECT_TRUE(contains(errorOf(header + "2,7 10 12 17 23 28 30,3 x\n"), "3行目: ボーナス数字2「x」"));
    EXPECT_TRUE(contains(errorOf(header + "x,7 10 12 17 23 28 30,3 15\n"), "3行目: 回数「x」"));
    EXPECT_TRUE(contains(errorOf(header + "32761,7 10 12 17 23 28 30,3 15\n"), "3行目: 回数「32761」"));
    EXPECT_EQ(errorOf(header + "1,7 10 12 17 23 28 30,3 15\n"),
              "3行目: 回数 1 が2行目と異なる数字で重複しています。");
    EXPECT_EQ(errorOf(header + "2,1 2 3 4 5 6 7\n"),
              "3行目: 項目が足りません（2個。この見出しでは3個必要です）。");

    auto copied = accepted(header + "1,07 10 12 17 23 28 34,03 15\n");
    EXPECT_EQ(copied.draws, std::vector<DrawRecord>{kFirst});
    EXPECT_FALSE(copied.notes.empty());

    // Another tool's row with numbers missing would wipe the stored numbers of its draw: rejected. A row
    // with no numbers at all (a draw still to come) is skipped and noted.
    EXPECT_EQ(errorOf(header + "2,7 10 12 17 23 28 34,\n"),
              "3行目: ボーナス数字1がありません（9個の数字がすべて必要です）。");
    EXPECT_EQ(
        errorOf(
            "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2,日付\n"
            "1,7,10,,17,23,28,34,3,15,\n"),
        "2行目: 第3数字がありません（9個の数字がすべて必要です）。");
    auto placeholder = accepted(header + "2,,\n");
    EXPECT_EQ(placeholder.draws, std::vector<DrawRecord>{kFirst});
    EXPECT_TRUE(contains(allNotes(placeholder), "数字の書かれていない 1 行")) << allNotes(placeholder);

    // A truncated line in a layout of single columns is not taken for a draw with numbers missing.
    EXPECT_TRUE(contains(
        errorOf(
            "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2,日付\n"
            "1,7,10,12,17,23,28,34,3\n"),
        "2行目: 項目が足りません（9個"));
}

TEST(HistoryImportTest, UnrecognisedHeadingsSayWhatWasExpected) {
    const std::string none = errorOf("日付,金額\n2013-04-05,100\n");
    EXPECT_TRUE(contains(none, "1行目: 見出し行を認識できません（本数字とボーナス数字の列が見つかりません）"))
        << none;
    EXPECT_TRUE(contains(none, "「第1数字」〜「第7数字」")) << none;
    EXPECT_TRUE(contains(none, "「数字B1」「数字B2」")) << none;
    const std::string sixColumns =
        errorOf("回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,ボーナス数字\n");
    EXPECT_TRUE(contains(sixColumns, "（本数字の列が見つかりません）")) << sixColumns;
    // A file with no heading line at all starts with a draw.
    EXPECT_TRUE(contains(errorOf("1,7,10,12,17,23,28,34,3,15\n"), "1行目: 見出し行を認識できません"));
    EXPECT_EQ(errorOf("\n,,,\n"), "CSVファイルに見出し行がありません。");
}

// Kazutama's own reader and the importer read files alike: a file that cannot be read is named with the
// cause, and comment lines may stand before the heading line.
TEST(HistoryImportTest, BothReadersReadFilesAlike) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "folder.csv");
    test::writeFile(dir / "commented.csv", "# 2013-04-05 まで\n" + std::string(kHistoryCsvHeader) +
                                               "\n1,7,10,12,17,23,28,34,3,15\n");
    const std::function<Status(const std::filesystem::path&)> readers[] = {
        [](const std::filesystem::path& path) -> Status {
            auto read = readHistoryCsvFile(path);
            return read ? Status(Ok{}) : Status(read.error());
        },
        [](const std::filesystem::path& path) -> Status {
            auto read = readHistoryImportFile(path);
            return read ? Status(Ok{}) : Status(read.error());
        },
    };
    const struct {
        std::string file;
        std::optional<ErrorCode> code;
        std::string message;
    } cases[] = {
        {"missing.csv", ErrorCode::FileMissing, "がありません。"},
        {"folder.csv", ErrorCode::Unreadable, "を読み込めません（ファイルではなくフォルダです）。"},
        {"commented.csv", std::nullopt, ""},
    };
    for (const auto& read : readers)
        for (const auto& c : cases) {
            const Status status = read(dir / c.file);
            ASSERT_EQ(status.ok(), !c.code) << c.file;
            if (c.code) {
                EXPECT_EQ(status.error().code, *c.code) << c.file;
                EXPECT_EQ(status.error().message,
                          "CSVファイル「" + (dir / c.file).string() + "」" + c.message);
            }
        }
}

TEST(HistoryImportTest, MinusSignsOnBonusNumbersAreDroppedAndNoted) {
    auto marked = accepted("抽選日,数字１,数字２,数字３,数字４,数字５,数字６,数字７,数字B1,数字B2\n"
                           "2013-04-05,7,10,12,17,23,28,34,-3,-15\n");
    EXPECT_EQ(marked.draws, std::vector<DrawRecord>{kFirst});
    EXPECT_TRUE(contains(allNotes(marked), "「-」")) << allNotes(marked);
    EXPECT_TRUE(
        contains(errorOf("round,numbers,bonus\n1,-7 10 12 17 23 28 34,3 15\n"), "2行目: 第1数字「-7」"));
    EXPECT_TRUE(contains(errorOf("round,numbers,bonus\n1,7 10 12 17 23 28 34,3 -38\n"),
                         "2行目: ボーナス数字2「-38」"));
}

// Every history file other tools keep imports, and the draws it covers agree with the checked history:
// the seven main numbers in the same order, the two bonus numbers as a pair (one file gives one pair the
// other way round). One file holds a known wrong bonus pair for draw 418 (1 and 30; the others say 1 and 20).
TEST(HistoryImportTest, PublicHistoryFilesAgreeWithTheCheckedHistory) {
    auto reference = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
    ASSERT_TRUE(reference) << reference.error().message;
    std::map<int, DrawRecord> known;
    for (const DrawRecord& draw : reference.value())
        known[draw.drawNumber] = draw;

    struct Expected {
        int first, last;
        bool numberedByRowOrder;
    };
    const std::map<std::string, Expected> files = {
        {"Joker7822_LOTO7_AI_AGENT__loto7.csv", {1, 691, false}},
        {"Joker7822_LOTO7_AI_AGENT__loto7_at_0d9e3229_tail684-693.csv", {684, 693, false}},
        {"Joker7822_NEW_LOTO7__loto7.csv", {1, 689, false}},
        {"aisuru-hue_loto7-web__loto7-data_extracted.csv", {614, 663, false}}, // newest first
        {"asuberu1979_loto7-windmill__loto7_data.csv", {1, 696, false}},
        {"sei002_loto7-app__loto7_kako_data.csv", {1, 663, false}},
        {"take0902_loto7-app__loto7_data.csv", {1, 685, false}},
        {"woods3884_loto7-app__LOTO7_ALL.csv", {1, 585, true}}, // no draw numbers, dated
    };
    std::set<std::string> seen, wrong, bonusesSwapped;
    for (const auto& entry : std::filesystem::directory_iterator(KAZUTAMA_IMPORT_SAMPLES)) {
        const auto name = entry.path().filename().string();
        if (entry.path().extension() != ".csv" || name.starts_with("corroboration"))
            continue;
        seen.insert(name);
        ASSERT_TRUE(files.contains(name)) << name;
        const Expected& expected = files.at(name);
        auto imported = readHistoryImportFile(entry.path());
        ASSERT_TRUE(imported) << imported.error().message;
        EXPECT_EQ(imported->numberedByRowOrder, expected.numberedByRowOrder) << name;
        ASSERT_EQ(int(imported->draws.size()), expected.last - expected.first + 1) << name;
        for (size_t i = 0; i < imported->draws.size(); ++i) {
            const DrawRecord& draw = imported->draws[i];
            ASSERT_EQ(draw.drawNumber, expected.first + int(i)) << name;
            ASSERT_TRUE(draw.isComplete()) << name << " " << draw.drawNumber;
            auto it = known.find(draw.drawNumber);
            if (it == known.end())
                continue; // newer than the checked history
            const auto& want = it->second.numbers;
            const bool mainsAgree = std::equal(want.begin(), want.begin() + kMainCount, draw.numbers.begin());
            const int b1 = draw.numbers[7], b2 = draw.numbers[8];
            const std::string where = name + ": " + std::to_string(draw.drawNumber);
            if (mainsAgree && b1 == want[8] && b2 == want[7] && b1 != b2)
                bonusesSwapped.insert(where);
            else if (!mainsAgree || b1 != want[7] || b2 != want[8])
                wrong.insert(where);
        }
    }
    EXPECT_EQ(seen.size(), files.size());
    EXPECT_EQ(wrong, std::set<std::string>{"sei002_loto7-app__loto7_kako_data.csv: 418"});
    EXPECT_EQ(bonusesSwapped, std::set<std::string>{"take0902_loto7-app__loto7_data.csv: 2"});
}

} // namespace
} // namespace kazutama
