// The word table generator, run for real on data files in a temporary folder:
// faulty data stops the build with a message naming the file and the line,
// and writes nothing.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Ten language lines holding `prefix` + the language code.
std::string TenLanguages(const std::string& prefix = "t") {
  std::string out;
  for (const char* code : {"en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"}) {
    out += std::string(code) + " \"" + prefix + code + "\"\n";
  }
  return out;
}

// The ten language lines with line `index` (0-based) left out or replaced.
std::string TenLanguagesWith(int index, const std::string& replacement) {
  std::string out;
  int i = 0;
  for (const char* code : {"en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"}) {
    out += i++ == index ? replacement : std::string(code) + " \"t\"\n";
  }
  return out;
}

class GeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tarvel_words_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  fs::path Write(const std::string& name, const std::string& content) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  struct Result {
    int status = -1;
    std::string output;
  };

  // Runs the generator on the given data files; the outputs go to the
  // temporary folder.
  Result Run(const std::vector<fs::path>& data) {
    std::string command = std::string("'") + TARVEL_WORDS_PYTHON + "' '" + TARVEL_WORDS_GENERATOR +
                          "' --header '" + Header().string() + "' --source '" +
                          Source().string() + "'";
    for (const fs::path& p : data) command += " '" + p.string() + "'";
    command += " 2>&1";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) result.output += buffer;
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
  }

  fs::path Header() const { return dir_ / "word_ids.h"; }
  fs::path Source() const { return dir_ / "word_table.cpp"; }

  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
};

TEST_F(GeneratorTest, ValidDataGivesOneConstantPerEntry) {
  const fs::path data = Write("good.txt",
                              "# comment\n\n[Alpha]\n" + TenLanguages() +
                                  "\n[Beta]\nrow 0\n" + TenLanguages("a") + "row 1\n" +
                                  "all \"Same\"\n[Gamma]\nall \"Line\\n\\rbreak \\\"q\\\" \\\\\"\n");
  const Result result = Run({data});
  ASSERT_EQ(result.status, 0) << result.output;
  const std::string header = Slurp(Header());
  EXPECT_NE(header.find("enum class WordId : std::uint16_t"), std::string::npos);
  EXPECT_NE(header.find("  Alpha,"), std::string::npos);
  EXPECT_NE(header.find("  Beta,"), std::string::npos);
  EXPECT_NE(header.find("[2 rows]"), std::string::npos);
  EXPECT_NE(header.find("kWordCount = 3;"), std::string::npos);
  const std::string source = Slurp(Source());
  // Line break as the bytes LF CR, quote and backslash escaped for C++.
  EXPECT_NE(source.find("\"Line\\012\\015break \\\"q\\\" \\\\\""), std::string::npos) << source;
  EXPECT_NE(source.find("{\"Beta\", 10, 2}"), std::string::npos) << source;
  EXPECT_NE(source.find("{\"Gamma\", 30, 1}"), std::string::npos) << source;
}

struct BadCase {
  const char* what;
  std::string data;
  const char* message;  // part of the generator's error message
  int line;             // the line it names
};

TEST_F(GeneratorTest, FaultyDataFailsWithFileAndLineAndWritesNothing) {
  const std::string ok = "[Ok]\n" + TenLanguages();  // 11 lines
  const BadCase cases[] = {
      {"duplicate entry name", ok + "[Ok]\n" + TenLanguages(), "duplicate entry name Ok", 12},
      {"a language missing", "[A]\n" + TenLanguagesWith(9, ""), "9 of 10 languages", 10},
      {"an eleventh language", "[A]\n" + TenLanguages() + "ko \"x\"\n", "more than 10 languages",
       12},
      {"languages out of order", "[A]\n" + TenLanguagesWith(0, "ru \"x\"\n"),
       "expected language en, found ru", 2},
      {"unknown language", "[A]\n" + TenLanguagesWith(3, "xx \"x\"\n"), "unknown language code",
       5},
      {"row gap", "[A]\nrow 0\n" + TenLanguages() + "row 2\n" + TenLanguages(),
       "row gap, expected row 1, found row 2", 13},
      {"first row not 0", "[A]\nrow 1\n" + TenLanguages(), "row gap, expected row 0", 2},
      {"row number not a number", "[A]\nrow x\n" + TenLanguages(), "row gap", 2},
      {"empty row", "[A]\nrow 0\nrow 1\n" + TenLanguages(), "0 of 10 languages", 3},
      {"second row without its number", "[A]\nrow 0\n" + TenLanguages() + TenLanguages(),
       "more than 10 languages", 13},
      {"row cut short", "[A]\nrow 0\n" + TenLanguagesWith(9, "") + "row 1\n" + TenLanguages(),
       "9 of 10 languages", 12},
      {"lone LF", "[A]\n" + TenLanguagesWith(2, "de \"a\\nb\"\n"), "line break", 4},
      {"CR before LF", "[A]\n" + TenLanguagesWith(2, "de \"a\\r\\nb\"\n"), "line break", 4},
      {"unknown escape", "[A]\n" + TenLanguagesWith(1, "ru \"a\\tb\"\n"), "unknown escape", 3},
      {"unterminated text", "[A]\n" + TenLanguagesWith(1, "ru \"abc\n"), "unterminated", 3},
      {"backslash at the end", "[A]\n" + TenLanguagesWith(1, "ru \"abc\\\n"), "unterminated", 3},
      {"text after the quote", "[A]\n" + TenLanguagesWith(1, "ru \"a\" b\n"),
       "after the closing quote", 3},
      {"unquoted text", "[A]\n" + TenLanguagesWith(1, "ru abc\n"), "cannot read line", 3},
      {"tab inside a text", "[A]\n" + TenLanguagesWith(1, "ru \"a\tb\"\n"), "control character",
       3},
      {"name not CamelCase", "[newPlayer]\n" + TenLanguages(), "not a CamelCase identifier", 1},
      {"name with a blank", "[New Player]\n" + TenLanguages(), "not a CamelCase identifier", 1},
      {"empty name", "[]\n" + TenLanguages(), "not a CamelCase identifier", 1},
      {"text before any entry", "en \"x\"\n" + ok, "outside an entry", 1},
      {"all after other languages", "[A]\nen \"x\"\nall \"y\"\n", "'all' must replace", 3},
      {"entry without texts", "[A]\n[B]\n" + TenLanguages(), "entry A has no texts", 2},
      {"not UTF-8", "[A]\n" + TenLanguagesWith(4, "es \"\xC3\x28\"\n"), "not valid UTF-8", 6},
      {"no entries at all", "# only a comment\n", "no entries", 0},
  };
  for (const BadCase& c : cases) {
    fs::remove(Header());
    fs::remove(Source());
    const fs::path data = Write("bad.txt", c.data);
    const Result result = Run({data});
    EXPECT_EQ(result.status, 1) << c.what << "\n" << result.output;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.what << "\n" << result.output;
    const std::string location = data.string() + ":" + std::to_string(c.line) + ": error:";
    EXPECT_NE(result.output.find(location), std::string::npos) << c.what << "\n" << result.output;
    EXPECT_FALSE(fs::exists(Header())) << c.what;
    EXPECT_FALSE(fs::exists(Source())) << c.what;
  }
}

TEST_F(GeneratorTest, DuplicateAcrossFilesNamesBothPlaces) {
  const fs::path first = Write("first.txt", "[Shared]\n" + TenLanguages());
  const fs::path second = Write("second.txt", "# x\n[Shared]\n" + TenLanguages());
  const Result result = Run({first, second});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.output.find(second.string() + ":2: error: duplicate entry name Shared"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find(first.string() + ":1"), std::string::npos) << result.output;
}

TEST_F(GeneratorTest, MissingDataFileFails) {
  const Result result = Run({dir_ / "absent.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.output.find("cannot read"), std::string::npos) << result.output;
  EXPECT_FALSE(fs::exists(Header()));
}

}  // namespace
