// Runs a fuzz target without libFuzzer, deterministically: every seed file
// once, then a fixed number of mutants of the seeds made by a generator with
// a fixed seed. A target reports a broken property by aborting; the input
// that was running is then written beside the working folder (see
// kCrashFile) so it can be replayed alone and added to the corpus.
//
//   fuzz_<name> [--mutations N] [--seed S] [--max-size BYTES] PATH...
//
// PATH is a seed file or a folder of seed files (not searched recursively).
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tarvel::fuzz {
namespace {

// splitmix64: small, fast and the same on every platform and library, so a
// failing mutant number means the same input everywhere.
class Generator {
 public:
  explicit Generator(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number in 0..bound-1; bound must be positive.
  std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }

 private:
  std::uint64_t state_;
};

// Bytes that parsers treat specially: line ends, separators, signs, digits,
// quotes and brackets, the ends of the byte range and UTF-8 lead bytes.
constexpr std::array<std::uint8_t, 28> kInteresting = {
    0x00, 0xFF, 0x7F, 0x80, ' ', '\t', '\r', '\n', '0', '1', '9', '-', '+', '/',
    ':',  '@',  '[',  ']',  '"', '{',  '}',  ',',  '#', 0xC0, 0xE0, 0xF0, 0xED, 0xE8};

using Bytes = std::vector<std::uint8_t>;

class Mutator {
 public:
  Mutator(std::uint64_t seed, std::size_t maxSize) : random_(seed), maxSize_(maxSize) {}

  // Usually one edit of `input`, sometimes up to four; `other` is a second
  // seed for splicing. Few edits keep most mutants close enough to a valid
  // input to get past the first checks of a parser.
  Bytes Mutate(Bytes input, const Bytes& other) {
    const std::size_t edits = random_.Below(4) == 0 ? 2 + random_.Below(3) : 1;
    for (std::size_t i = 0; i < edits; ++i) Edit(input, other);
    if (input.size() > maxSize_) input.resize(maxSize_);
    return input;
  }

 private:
  void Edit(Bytes& data, const Bytes& other) {
    switch (random_.Below(data.empty() ? 1 : 9)) {
      case 0:  // insert one byte, often a special one
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(random_.Below(data.size() + 1)),
                    AnyByte());
        break;
      case 1:  // flip one bit
        data[random_.Below(data.size())] ^= static_cast<std::uint8_t>(1u << random_.Below(8));
        break;
      case 2:  // overwrite one byte
        data[random_.Below(data.size())] = AnyByte();
        break;
      case 3: {  // erase a short run
        const std::size_t at = random_.Below(data.size());
        const std::size_t count = 1 + random_.Below(std::min<std::size_t>(8, data.size() - at));
        data.erase(data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + count));
        break;
      }
      case 4:  // cut the end off
        data.resize(random_.Below(data.size()));
        break;
      case 5: {  // repeat a piece somewhere else
        const std::size_t from = random_.Below(data.size());
        const std::size_t count = 1 + random_.Below(std::min<std::size_t>(64, data.size() - from));
        const Bytes piece(data.begin() + static_cast<std::ptrdiff_t>(from),
                          data.begin() + static_cast<std::ptrdiff_t>(from + count));
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(random_.Below(data.size() + 1)),
                    piece.begin(), piece.end());
        break;
      }
      case 6: {  // the head of this input and the tail of another
        const std::size_t keep = random_.Below(data.size() + 1);
        const std::size_t from = random_.Below(other.size() + 1);
        data.resize(keep);
        data.insert(data.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
        break;
      }
      case 7: {  // nudge a digit, so numbers cross their ranges
        const std::size_t at = random_.Below(data.size());
        if (data[at] >= '0' && data[at] <= '9') {
          data[at] = static_cast<std::uint8_t>(random_.Below(2) == 0 ? (data[at] == '9' ? '0' : data[at] + 1)
                                                                     : (data[at] == '0' ? '9' : data[at] - 1));
        } else {
          data[at] = static_cast<std::uint8_t>('0' + random_.Below(10));
        }
        break;
      }
      default: {  // swap two bytes
        const std::size_t a = random_.Below(data.size());
        const std::size_t b = random_.Below(data.size());
        std::swap(data[a], data[b]);
        break;
      }
    }
  }

  std::uint8_t AnyByte() {
    return random_.Below(2) == 0 ? kInteresting[random_.Below(kInteresting.size())]
                                 : static_cast<std::uint8_t>(random_.Next());
  }

  Generator random_;
  std::size_t maxSize_;
};

struct Seed {
  std::string name;
  Bytes bytes;
};

// What the crash handler writes; set before every run so the handler only
// calls async-signal-safe functions.
constexpr const char* kCrashFile = "fuzz-replay-crash.bin";
const Bytes* g_running = nullptr;
const char* g_runningName = "";
long g_mutant = -1;

void WriteText(const char* text) {
  const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
  (void)ignored;
}

void WriteNumber(long number) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits - 1, number);
  *result.ptr = '\0';
  WriteText(digits);
}

extern "C" void OnCrash(int signal) {
  WriteText("\nfuzz replay: the target crashed on ");
  if (g_mutant >= 0) {
    WriteText("mutant ");
    WriteNumber(g_mutant);
    WriteText(" (last edited from seed ");
    WriteText(g_runningName);
    WriteText(")");
  } else {
    WriteText("seed ");
    WriteText(g_runningName);
  }
  if (g_running != nullptr) {
    const int file = ::open(kCrashFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file >= 0) {
      const ssize_t ignored = ::write(file, g_running->data(), g_running->size());
      (void)ignored;
      ::close(file);
      WriteText("; the input is in ");
      WriteText(kCrashFile);
    }
  }
  WriteText("\n");
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void InstallCrashHandler() {
  for (const int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP}) {
    ::signal(signal, OnCrash);
  }
}

bool ReadFile(const std::filesystem::path& path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The seed files of every path, folders in file name order.
bool CollectSeeds(const std::vector<std::string>& paths, std::vector<Seed>& seeds) {
  for (const std::string& path : paths) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path, error)) {
      for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
        if (entry.is_regular_file(error)) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
    } else {
      files.emplace_back(path);
    }
    if (error) {
      std::fprintf(stderr, "fuzz replay: cannot read the folder %s\n", path.c_str());
      return false;
    }
    for (const auto& file : files) {
      Seed seed{file.string(), {}};
      if (!ReadFile(file, seed.bytes)) {
        std::fprintf(stderr, "fuzz replay: cannot read %s\n", seed.name.c_str());
        return false;
      }
      seeds.push_back(std::move(seed));
    }
  }
  return true;
}

template <typename Number>
bool ParseOption(std::string_view text, Number& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

void Run(const Bytes& input) { LLVMFuzzerTestOneInput(input.data(), input.size()); }

int Main(int argc, char** argv) {
  long mutations = 20000;
  std::uint64_t seed = 1;
  std::size_t maxSize = 0;  // 0: twice the largest seed plus a little
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--mutations" && hasValue && ParseOption(argv[i + 1], mutations) && mutations >= 0) {
      ++i;
    } else if (arg == "--seed" && hasValue && ParseOption(argv[i + 1], seed)) {
      ++i;
    } else if (arg == "--max-size" && hasValue && ParseOption(argv[i + 1], maxSize)) {
      ++i;
    } else if (!arg.empty() && arg.front() != '-') {
      paths.emplace_back(arg);
    } else {
      std::fprintf(stderr,
                   "usage: %s [--mutations N] [--seed S] [--max-size BYTES] SEED_FILE_OR_FOLDER...\n",
                   argv[0]);
      return 2;
    }
  }
  std::vector<Seed> seeds;
  if (paths.empty() || !CollectSeeds(paths, seeds)) return 2;
  if (seeds.empty()) {
    std::fprintf(stderr, "fuzz replay: no seed files\n");
    return 2;
  }
  if (maxSize == 0) {
    for (const Seed& s : seeds) maxSize = std::max(maxSize, s.bytes.size());
    maxSize = 2 * maxSize + 64;
  }

  InstallCrashHandler();
  for (const Seed& s : seeds) {
    g_running = &s.bytes;
    g_runningName = s.name.c_str();
    Run(s.bytes);
  }

  // Each mutant starts from a seed, or now and then from the previous
  // mutant, so that edits pile up and reach further from the seeds.
  Mutator mutator(seed, maxSize);
  Generator choose(seed ^ 0x5EEDull);
  Bytes mutant;
  for (long i = 0; i < mutations; ++i) {
    const Seed& base = seeds[choose.Below(seeds.size())];
    const Seed& other = seeds[choose.Below(seeds.size())];
    const bool fromPrevious = !mutant.empty() && choose.Below(4) == 0;
    mutant = mutator.Mutate(fromPrevious ? std::move(mutant) : base.bytes, other.bytes);
    g_running = &mutant;
    if (!fromPrevious) g_runningName = base.name.c_str();
    g_mutant = i;
    Run(mutant);
  }
  g_running = nullptr;
  std::printf("%zu seed files and %ld mutants passed\n", seeds.size(), mutations);
  return 0;
}

}  // namespace
}  // namespace tarvel::fuzz

int main(int argc, char** argv) { return tarvel::fuzz::Main(argc, argv); }
