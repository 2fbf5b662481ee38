// tarvel-selfplay: the computer players play all three seats.
//
//   tarvel-selfplay --deals FILE [--dead-heat]
//       Plays each deal of FILE ("-" for standard input): a line holds the
//       first player 1..3 and 24 deck numbers in dealing order. Prints one
//       transcript line per deal.
//   tarvel-selfplay --games N [--seed S] [--game-to-8] [--dead-heat]
//       Plays N whole games from the shuffle and prints a summary.
//   ... --games N --store DIR --player NAME
//       Also stores every finished game in the data folder DIR as the game
//       does for a local game of the club member NAME: history entry, club
//       update, the cycle's top ten.
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "autoplay.h"
#include "cp1251.h"
#include "deal_line.h"
#include "game_record.h"
#include "match_state.h"
#include "rules.h"
#include "table_events.h"

namespace tarvel {
namespace {

constexpr int kExitMalformed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInternal = 3;

constexpr const char* kUsage =
    "usage: tarvel-selfplay --deals FILE [--dead-heat]\n"
    "       tarvel-selfplay --games N [--seed S] [--game-to-8] [--dead-heat]\n"
    "                       [--store DIR --player NAME]\n"
    "\n"
    "  --deals FILE  play the deals of FILE (\"-\" for standard input); each line\n"
    "                is the first player 1..3 and 24 deck numbers 1..24\n"
    "  --games N     play N whole games from the shuffle and print a summary\n"
    "  --seed S      seed of the shuffle (default: from the clock)\n"
    "  --game-to-8   games end at 8 game points instead of 10\n"
    "  --dead-heat   a deal without a closer gives no game point\n"
    "  --store DIR   store every game in the data folder DIR (history, club)\n"
    "  --player NAME the club member (or new player) who plays seat 3\n";

struct Options {
  std::optional<std::string> dealsFile;
  std::optional<std::int64_t> games;
  std::optional<std::uint64_t> seed;
  bool gameTo8 = false;
  bool deadHeat = false;
  std::optional<std::string> storeFolder;
  std::optional<std::string> player;
};

bool TrimmedEmpty(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// Parses the command line; an error message when it is not usable.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--deals" || arg == "--games" || arg == "--seed" || arg == "--store" ||
        arg == "--player") {
      if (!hasValue) {
        error = std::string(arg) + " needs a value";
        return std::nullopt;
      }
      const std::string_view value = argv[++i];
      if (arg == "--deals") {
        options.dealsFile = std::string(value);
      } else if (arg == "--store") {
        options.storeFolder = std::string(value);
      } else if (arg == "--player") {
        options.player = std::string(value);
        if (Cp1251ToUtf8(Utf8ToCp1251(value)) != value || TrimmedEmpty(value) || value.size() > 60) {
          error = "--player needs a name of Windows-1251 characters, not \"" + std::string(value) + "\"";
          return std::nullopt;
        }
      } else if (arg == "--games") {
        options.games = ParseNumber<std::int64_t>(value);
        if (!options.games || *options.games < 1) {
          error = "--games needs a positive number, not \"" + std::string(value) + "\"";
          return std::nullopt;
        }
      } else {
        options.seed = ParseNumber<std::uint64_t>(value);
        if (!options.seed) {
          error = "--seed needs a non-negative number, not \"" + std::string(value) + "\"";
          return std::nullopt;
        }
      }
    } else if (arg == "--game-to-8") {
      options.gameTo8 = true;
    } else if (arg == "--dead-heat") {
      options.deadHeat = true;
    } else {
      error = "unknown argument \"" + std::string(arg) + "\"";
      return std::nullopt;
    }
  }
  if (options.dealsFile.has_value() == options.games.has_value()) {
    error = "give either --deals FILE or --games N";
    return std::nullopt;
  }
  if (options.storeFolder.has_value() != options.player.has_value()) {
    error = "--store and --player go together";
    return std::nullopt;
  }
  if (options.dealsFile && (options.seed || options.gameTo8 || options.storeFolder)) {
    error = "--seed, --game-to-8 and --store apply to --games only";
    return std::nullopt;
  }
  return options;
}

// "seat:card ... | taken | results" of one played deal.
std::string TranscriptLine(const MatchState& state, const DealTranscript& transcript) {
  std::string out;
  for (int i = 0; i < transcript.count; ++i) {
    const PlayedMove& move = transcript.moves[static_cast<std::size_t>(i)];
    if (i > 0) out += ' ';
    out += std::to_string(move.seat);
    out += ':';
    out += std::to_string(DeckNumber(move.card));
  }
  out += " |";
  for (int seat = 1; seat <= 3; ++seat) {
    out += ' ' + std::to_string(state.Taken[static_cast<std::size_t>(seat)]);
  }
  out += " |";
  for (int seat = 1; seat <= 3; ++seat) {
    out += ' ' + std::to_string(state.DealResult[static_cast<std::size_t>(seat)]);
  }
  out += '\n';
  return out;
}

int PlayDeals(std::istream& input, const Options& options) {
  NullTableEvents events;
  MatchState state;
  state.DeadHeat = options.deadHeat;
  std::string line;
  std::string error;
  for (long lineNo = 1; std::getline(input, line); ++lineNo) {
    const std::optional<DealLine> deal = ParseDealLine(line, error);
    if (!deal) {
      std::cout.flush();
      std::cerr << "tarvel-selfplay: line " << lineNo << ": " << error << '\n';
      return kExitMalformed;
    }
    for (std::size_t pos = 1; pos <= 24; ++pos) {
      const CardCode card = CardFromDeckNumber(deal->deck[pos - 1]);
      state.Deck[pos] = card;
      state.DeckRanks[pos] = card.Order();
      state.DeckPoints[pos] = card.Points();
    }
    StartGivenDeal(state, events, false, deal->firstPlayer);
    DealTranscript transcript;
    if (!PlayOutDeal(state, events, &transcript)) {
      std::cout.flush();
      std::cerr << "tarvel-selfplay: line " << lineNo
                << ": a computer player chose a card that may not be played\n";
      return kExitInternal;
    }
    std::cout << TranscriptLine(state, transcript);
  }
  std::cout.flush();
  return 0;
}

std::string Fixed(double value, int decimals) {
  std::ostringstream out;
  out.setf(std::ios::fixed);
  out.precision(decimals);
  out << value;
  return out.str();
}

// The data folder of --store: the club files are installed on first use
// (from beside this program), and a damaged club file stops the run as it
// stops the game.
bool PrepareStore(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  if (!InstallClubFiles(folder, program)) {
    std::cerr << "tarvel-selfplay: cannot write the club files in \"" << folder.string() << "\"\n";
    return false;
  }
  if (ReadClubFile(folder / kLocalClubFile).state != ClubState::Valid) {
    std::cerr << "tarvel-selfplay: \"" << (folder / kLocalClubFile).string()
              << "\" is missing or fails its check; move it away to start a new, empty club\n";
    return false;
  }
  return true;
}

// Stores the game just played exactly as "Exit to menu" does.
bool StoreGame(const std::filesystem::path& folder, const MatchState& state, const ClubMember& member) {
  const StoredGame stored = StoreFinishedGame(folder, FinishedGameOf(state, member), StampNow());
  if (stored.historyWritten && stored.club == ClubWrite::Written) return true;
  std::cerr << "tarvel-selfplay: the game could not be stored in \"" << folder.string() << "\"\n";
  return false;
}

int PlayGames(const Options& options) {
  NullTableEvents events;
  MatchState state;
  state.GameTo8 = options.gameTo8;
  state.DeadHeat = options.deadHeat;
  DeckRandom random = options.seed ? DeckRandom(*options.seed) : DeckRandom();
  GameTally tally;
  // Speed is measured in processor time, so that other work on the machine
  // does not count against the engine.
  const std::clock_t start = std::clock();
  const std::filesystem::path store = options.storeFolder.value_or(std::string());
  if (options.storeFolder && !PrepareStore(store)) return kExitMalformed;
  const std::string player = Utf8ToCp1251(options.player.value_or(std::string()));
  for (std::int64_t game = 0; game < *options.games; ++game) {
    events.record.kon = static_cast<std::int32_t>(game % 2147483647 + 1);
    ClubMember member;
    if (options.storeFolder) {
      member = FindMember(ReadClubFile(store / kLocalClubFile).lines, player);
      events.record = PlayerRecordOf(member);
    }
    if (!PlayOutGame(state, events, random, tally)) {
      std::cerr << "tarvel-selfplay: game " << game + 1
                << " could not be played to its end\n";
      return kExitInternal;
    }
    if (options.storeFolder) {
      // "To sum up of game" computes the game's result, then it is stored.
      EndGame(state, events);
      if (!StoreGame(store, state, member)) return kExitMalformed;
    }
  }
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;

  const double games = static_cast<double>(tally.games);
  const double deals = static_cast<double>(tally.deals);
  std::cout << "games " << tally.games << '\n';
  std::cout << "deals " << tally.deals << '\n';
  std::cout << "game points";
  for (std::size_t seat = 1; seat <= 3; ++seat) std::cout << ' ' << tally.gamePoints[seat];
  std::cout << '\n';
  // A game's result is 100 x SumUpGame, as the human's GameResult.
  std::cout << "mean game results";
  for (std::size_t seat = 1; seat <= 3; ++seat) {
    std::cout << ' ' << Fixed(100.0 * static_cast<double>(tally.gameResults[seat]) / games, 2);
  }
  std::cout << '\n';
  std::cout << "deals won with 1 2 3 game points";
  for (std::size_t points = 1; points <= 3; ++points) {
    std::cout << ' ' << Fixed(100.0 * static_cast<double>(tally.dealsWonWith[points]) / deals, 2)
              << '%';
  }
  std::cout << '\n';
  // Last line on its own: it varies from run to run.
  std::cout << "deals per second (processor time) "
            << Fixed(seconds > 0 ? deals / seconds : 0.0, 0) << '\n';
  return 0;
}

int Run(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  std::string error;
  const std::optional<Options> options = ParseOptions(argc, argv, error);
  if (!options) {
    std::cerr << "tarvel-selfplay: " << error << "\n\n" << kUsage;
    return kExitUsage;
  }
  if (options->games) return PlayGames(*options);
  if (*options->dealsFile == "-") return PlayDeals(std::cin, *options);
  std::error_code ignored;
  std::ifstream file;
  if (!std::filesystem::is_directory(*options->dealsFile, ignored)) {
    file.open(*options->dealsFile, std::ios::binary);
  }
  if (!file.is_open()) {
    std::cerr << "tarvel-selfplay: cannot open \"" << *options->dealsFile << "\"\n";
    return kExitMalformed;
  }
  return PlayDeals(file, *options);
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) { return tarvel::Run(argc, argv); }
