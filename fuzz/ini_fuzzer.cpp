// Arbitrary bytes as record files: through the INI parser and serialiser
// alone, or as one record file, or as the settings file, an account file and
// the global record of a drive prefix, through every operation of a record
// file and of the data store. The prefix lives in memory, so that thousands
// of inputs run a second; one such pass in 1,024 runs on a real prefix on
// disk as well. Besides crashes and sanitizer reports, a run stops on
// any broken promise of the store: a value read back longer than its limit,
// a key listing past its room, a file that does not read back as it was
// written, a failed write that changed the file, a read that disagrees with
// the bytes on disk.
//
// The operations come from the input itself: every line picks one (by a hash
// of its bytes) and lends it its section, key and value, so that a mutation
// of one line changes one step.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/memory/memory_file_system.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_cache.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "store/ini_lines.h"
#include "store/records.h"

namespace {

namespace fs = std::filesystem;
namespace lines = store::ini_lines;
namespace records = store::records;
using store::IniDocument;

// Lines that lend an operation; the rest of a long input is only parsed.
constexpr std::size_t kMaxSteps = 8;
// Names probed in every check, and how many of them each read through the
// file (every read resolves the path and stats the file).
constexpr std::size_t kMaxProbes = 12;
constexpr std::size_t kFileProbes = 2;
// Names that the record files use, probed besides the input's own.
constexpr const char* kKnownSections[] = {records::kFirstRunSection,  records::kCounterSection,
                                          records::kAdministratorsSection, records::kUsersSection,
                                          records::kSkinSection,      records::kAccountMarkerSection,
                                          records::kHiddenItemsSection};
// Every record file of a run is written and flushed to disk on the real
// file system, a thousand times slower than in memory: one input in this
// many goes there too.
constexpr std::uint32_t kDiskEvery = 1024;
constexpr char kScratchFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\scratch.INI";
constexpr char kTempTemplate[] = "/quillomar-fuzz-XXXXXX";
constexpr char kNoValue[] = "\x01(none)";

// Ends the run as a crash, naming the promise that was broken.
void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// FNV-1a: a stable pick of an operation from a line's bytes.
std::uint32_t Hash(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// One operation's arguments, lent by one line of the input.
struct Step {
  std::uint32_t pick = 0;
  std::string section;  // the section the line stands in ("" before any)
  std::string key;      // its key name, or the whole line
  std::string value;    // its value, or the whole line
};

// The steps and the names to probe, taken from the input's lines.
struct Plan {
  std::vector<Step> steps;
  std::vector<std::string> sections;
  std::vector<std::string> keys;
};

Plan MakePlan(std::string_view bytes) {
  Plan plan;
  for (const char* section : kKnownSections) plan.sections.emplace_back(section);
  plan.keys = {records::kFirstRunKey, records::kCounterKey, records::kDefaultAdministratorName, "1"};
  std::string section;
  bytes.remove_prefix(lines::ByteOrderMarkLength(bytes));
  lines::ForEachLine(bytes, [&](std::string_view line) {
    const lines::LineParts parts = lines::Classify(line);
    if (parts.kind == lines::LineKind::kSection) {
      section = std::string(parts.name);
      if (plan.sections.size() < kMaxProbes) plan.sections.push_back(section);
    } else if (parts.kind != lines::LineKind::kBlank && plan.keys.size() < kMaxProbes) {
      plan.keys.emplace_back(parts.name);
    }
    if (plan.steps.size() < kMaxSteps) {
      const bool entry = parts.kind == lines::LineKind::kEntry;
      plan.steps.push_back({Hash(line), section, entry ? std::string(parts.name) : std::string(line),
                            entry ? std::string(parts.value) : std::string(line)});
    }
  });
  return plan;
}

// What a read must give back for a value just written.
std::string ReadBackOf(std::string_view value) {
  return std::string(lines::Unquote(lines::Trim(value)).substr(0, IniDocument::kMaxValueLength));
}

void RequireWithinLimits(const IniDocument& doc, const Plan& plan) {
  for (const std::string& section : plan.sections) {
    if (!doc.HasSection(section)) continue;
    std::size_t listing = 1;
    const std::vector<std::string> keys = doc.Keys(section);
    for (const std::string& key : keys) listing += key.size() + 1;
    Require(listing <= IniDocument::kKeyListingBytes, "a key listing fits into 16,384 bytes");
    const std::vector<std::string> all = doc.AllKeys(section);
    Require(all.size() >= keys.size() && std::equal(keys.begin(), keys.end(), all.begin()),
            "the whole listing goes on where the limited one stops");
    const std::vector<std::string> values = doc.AllValues(section);
    Require(values.size() == all.size(), "every listed key has its value");
    for (std::size_t i = 0; i < values.size(); ++i) {
      Require(values[i].size() <= IniDocument::kMaxValueLength, "a value reads back within 2,047 characters");
      // The whole list agrees with single reads (a few of them: each costs a look-up).
      if (i < kMaxProbes) Require(values[i] == doc.Get(section, all[i]).value_or(""), "a list reads as its keys do");
    }
  }
}

// Two documents answer alike for every probed section and key.
void RequireSameAnswers(const IniDocument& a, const IniDocument& b, const Plan& plan, const char* promise) {
  for (const std::string& section : plan.sections) {
    const bool present = a.HasSection(section);
    Require(present == b.HasSection(section), promise);
    // An absent section answers nothing in either.
    if (!present) continue;
    Require(a.Keys(section) == b.Keys(section), promise);
    // What Get gives for every listed key, in one pass over each.
    Require(a.AllKeys(section) == b.AllKeys(section), promise);
    Require(a.AllValues(section) == b.AllValues(section), promise);
    // Keys that may not stand there, read one by one (the listed ones were
    // compared whole above; every single read costs a look-up).
    for (std::size_t k = 0; k < plan.keys.size() && k < kFileProbes; ++k) {
      const std::string& key = plan.keys[plan.keys.size() - 1 - k];
      Require(a.Get(section, key) == b.Get(section, key), promise);
    }
  }
}

// The step's edit on a document. Returns false when the edit was a refused
// write (text the file cannot hold).
bool ApplyEdit(IniDocument& doc, const Step& step) {
  switch (step.pick % 6) {
    case 0:
    case 1: {
      const std::size_t refusals = doc.Refusals();
      doc.Set(step.section, step.key, step.value);
      if (doc.Refusals() != refusals) return false;
      Require(doc.Get(step.section, step.key) == ReadBackOf(step.value), "a written value reads back");
      // What the hide routine relies on before it records a path.
      Require((IniDocument::HowValueReadsBack(step.value) == IniDocument::ReadBack::kSame) ==
                  (doc.Get(step.section, step.key) == step.value),
              "a value said to read back as written does, and no other");
      return true;
    }
    case 2: {
      // Another letter case, quotes and blanks around the value.
      const std::string value = " \"" + step.value + "\" ";
      const std::size_t refusals = doc.Refusals();
      doc.Set(Upper(step.section), Upper(step.key), value);
      if (doc.Refusals() != refusals) return false;
      Require(doc.Get(step.section, step.key) == ReadBackOf(value), "names match without regard to case");
      return true;
    }
    case 3: {
      const std::uint64_t revision = doc.Revision();
      const bool deleted = doc.DeleteKey(step.section, step.key);
      Require(deleted == (doc.Revision() != revision), "a deletion changes the document exactly when it deletes");
      return true;
    }
    case 4:
      doc.EraseSection(step.section);
      Require(!doc.HasSection(step.section), "an erased section is gone");
      return true;
    default: {
      // A section named by the value.
      const std::size_t refusals = doc.Refusals();
      doc.Set(step.value, step.key, step.section);
      return doc.Refusals() == refusals;
    }
  }
}

void CheckDocument(std::string_view bytes, const Plan& plan) {
  IniDocument doc = IniDocument::Parse(bytes);
  RequireWithinLimits(doc, plan);
  const std::string once = doc.Serialize();
  const IniDocument again = IniDocument::Parse(once);
  Require(again.Serialize() == once, "serialising what was parsed is stable");
  RequireSameAnswers(doc, again, plan, "a file reads back as it was parsed");

  for (const Step& step : plan.steps) ApplyEdit(doc, step);
  RequireWithinLimits(doc, plan);
  RequireSameAnswers(doc, IniDocument::Parse(doc.Serialize()), plan, "an edited file reads back as edited");
}

// Where the record files of a run live: a fresh file system for each run,
// with the data folder made.
class Drives {
 public:
  virtual ~Drives() = default;
  virtual platform::FileSystem& files() = 0;
  // Starts afresh: nothing but an empty data folder (files() may be another
  // object afterwards).
  virtual void Clear() = 0;
  // The file's bytes, or nullopt when there is no regular file.
  virtual std::optional<std::string> Bytes(const std::string& path) = 0;
  // Puts the bytes in the file's place, behind the store's back.
  virtual void Put(const std::string& path, std::string_view bytes) = 0;
};

// The file system in memory: what nearly every run uses.
class MemoryDrives final : public Drives {
 public:
  platform::FileSystem& files() override { return *files_; }
  void Clear() override {
    files_ = platform::MakeMemoryFileSystem();
    Require(files_->CreateFolder(records::kDataFolder), "the data folder can be made");
  }
  std::optional<std::string> Bytes(const std::string& path) override {
    platform::ReadResult read = files_->ReadFile(path);
    if (read.status != platform::ReadStatus::kOk) return std::nullopt;
    return std::move(read.bytes);
  }
  void Put(const std::string& path, std::string_view bytes) override {
    Require(files_->ReplaceFile(path, std::string(bytes)), "a record file can be planted");
  }
  // Lets go of the run's files, so that nothing a run made outlives it (or
  // libFuzzer takes it for a leak and checks every run for one).
  void Release() { files_.reset(); }

 private:
  std::unique_ptr<platform::FileSystem> files_;
};

// A real drive prefix, made once under $TMPDIR (or /tmp) and removed at
// exit: the runs that go through the real file system.
class DiskDrives final : public Drives {
 public:
  DiskDrives() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + kTempTemplate;
    Require(::mkdtemp(pattern.data()) != nullptr, "a temporary folder can be made");
    root_ = pattern;
    fs::create_directories(root_ + "/Desktop");
    files_ = platform::MakeFileSystemAt(root_ + "/prefix", root_ + "/Desktop");
  }
  ~DiskDrives() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  platform::FileSystem& files() override { return *files_; }

  // Empties drives C: and D: and makes the data folder again.
  void Clear() override {
    for (const char* drive : {"/prefix/drive_c", "/prefix/drive_d"}) {
      std::error_code ignored;
      for (const auto& entry : fs::directory_iterator(root_ + drive, ignored)) fs::remove_all(entry.path(), ignored);
    }
    Require(files_->CreateFolder(records::kDataFolder), "the data folder can be made");
  }

  std::optional<std::string> Bytes(const std::string& path) override {
    const std::string native = files_->NativePath(path);
    std::error_code error;
    if (!fs::is_regular_file(native, error)) return std::nullopt;
    std::ifstream in(native, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void Put(const std::string& path, std::string_view bytes) override {
    std::ofstream out(files_->NativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(out.good(), "a record file can be planted");
  }

 private:
  std::string root_;
  std::unique_ptr<platform::FileSystem> files_;
};

// Every read of the file agrees with a parse of the bytes it holds: the whole
// content as loaded, and a few single reads, which take the same way.
void RequireReadsMatchDisk(Drives& prefix, const std::string& path, const Plan& plan) {
  const store::IniFile file(prefix.files(), path);
  const std::optional<std::string> bytes = prefix.Bytes(path);
  const IniDocument disk = bytes ? IniDocument::Parse(*bytes) : IniDocument();
  Require(file.Exists() == bytes.has_value(), "a file exists exactly when it is on disk");
  // Both are documents of the same bytes: they serialise alike.
  Require(file.Load().Serialize() == disk.Serialize(), "a loaded file matches the file on disk");
  for (std::size_t s = 0; s < plan.sections.size() && s < kFileProbes; ++s) {
    const std::string& section = plan.sections[plan.sections.size() - 1 - s];
    Require(file.ReadSection(section) == disk.Keys(section), "a key listing matches the file on disk");
    for (std::size_t k = 0; k < plan.keys.size() && k < kFileProbes; ++k) {
      const std::string& key = plan.keys[plan.keys.size() - 1 - k];
      Require(file.ReadString(section, key, kNoValue) == disk.Get(section, key).value_or(kNoValue),
              "a read matches the file on disk");
    }
  }
}

void CheckRecordFile(Drives& prefix, std::string_view bytes, const Plan& plan) {
  prefix.Clear();
  prefix.Put(kScratchFile, bytes);
  RequireReadsMatchDisk(prefix, kScratchFile, plan);

  // Each step once through the store and once on a model of the file: the
  // file must hold what the model says, and a refused write nothing new.
  store::IniFile file(prefix.files(), kScratchFile);
  IniDocument model = IniDocument::Parse(bytes);
  std::string expected(bytes);
  for (const Step& step : plan.steps) {
    const std::uint64_t revision = model.Revision();
    bool failed = false;
    try {
      if (step.pick % 7 == 6) {
        file.Update([&](IniDocument& doc) { ApplyEdit(doc, step); });
      } else {
        switch (step.pick % 6) {
          case 0:
          case 1:
            file.WriteString(step.section, step.key, step.value);
            break;
          case 3:
            file.DeleteKey(step.section, step.key);
            break;
          case 4:
            file.EraseSection(step.section);
            break;
          default:
            file.Update([&](IniDocument& doc) { ApplyEdit(doc, step); });
            break;
        }
      }
    } catch (const store::WriteError& error) {
      Require(error.path() == kScratchFile, "a failed write names its file");
      failed = true;
    }
    IniDocument attempt = model;
    const bool storable = ApplyEdit(attempt, step);
    Require(failed == !storable, "a write fails exactly when its text cannot be stored");
    if (storable) model = std::move(attempt);
    if (model.Revision() != revision) expected = model.Serialize();
    Require(prefix.Bytes(kScratchFile).value_or("") == expected, "the file holds what was written, whole");
  }
  RequireReadsMatchDisk(prefix, kScratchFile, plan);

  // Changed behind the store's back, at the same size: reads follow.
  if (!expected.empty()) {
    std::string changed = expected;
    changed.back() = changed.back() == 'x' ? 'y' : 'x';
    prefix.Put(kScratchFile, changed);
    RequireReadsMatchDisk(prefix, kScratchFile, plan);
  }
}

// The data store's routines on the input as settings file, administrator's
// file and global record.
void CheckStoreRoutines(Drives& prefix, std::string_view bytes, const Plan& plan) {
  prefix.Clear();
  platform::FileSystem& files = prefix.files();
  prefix.Put(records::kSettingsFile, bytes);
  prefix.Put(records::AccountFile(records::kDefaultAdministratorName), bytes);
  prefix.Put(records::kGlobalRecordFile, bytes);
  const IniDocument settings = IniDocument::Parse(bytes);

  const bool initialised = settings.Get(records::kFirstRunSection, records::kFirstRunKey) == records::kFirstRunDone;
  Require(store::ReadStoreState(files) ==
              (initialised ? store::StoreState::kInitialised : store::StoreState::kNotInitialised),
          "the first-run marker is read as it stands");
  std::vector<std::string> names = settings.Keys(records::kUsersSection);
  const std::vector<std::string> administrators = settings.Keys(records::kAdministratorsSection);
  names.insert(names.end(), administrators.begin(), administrators.end());
  Require(store::AccountNamesForLogin(files) == names, "the login names are the users, then the administrators");
  for (const std::string& name : names) {
    Require(store::UserPassword(files, name) == settings.Get(records::kUsersSection, name).value_or(""),
            "a user's password reads as stored");
    Require(store::AdministratorPassword(files, name) ==
                settings.Get(records::kAdministratorsSection, name).value_or(""),
            "an administrator's password reads as stored");
    store::AccountNameTaken(files, name);
  }

  store::MakeMirrorCopy(files);
  Require(prefix.Bytes(records::kMirrorFile) == prefix.Bytes(records::kGlobalRecordFile),
          "the mirror is a copy of the global record");

  // The routines that change accounts, with names and passwords from the
  // input. A name may hold anything, path separators included: the drive
  // folders are emptied before every run.
  for (const Step& step : plan.steps) {
    try {
      switch (step.pick % 5) {
        case 0:
          store::AddUserEntry(files, step.key, step.value);
          store::CreateAccountFile(files, step.key);
          break;
        case 1:
          store::DeleteUserAccount(files, step.key);
          break;
        case 2: {
          const std::vector<std::string> now = store::AdministratorNames(files);
          const std::string old_name = now.empty() ? step.section : now.front();
          if (store::RenameAdministrator(files, old_name, step.key, step.value)) {
            // A name too long for the listing is not listed, but none stands beside it.
            Require(store::AdministratorNames(files).size() <= 1, "a renamed administrator stands alone");
          }
          break;
        }
        case 3:
          store::IniFile(files, records::kSettingsFile)
              .WriteString(records::kSkinSection, records::kSkinKey, step.value);
          break;
        default:
          store::MakeMirrorCopy(files);
          break;
      }
    } catch (const store::WriteError&) {
      // Names and passwords that a record file cannot hold are refused.
    }
  }

  const std::optional<std::string> before_first_run = prefix.Bytes(records::kSettingsFile);
  const bool initialised_now = store::ReadStoreState(files) == store::StoreState::kInitialised;
  try {
    Require(store::InitialiseStore(files), "first run finds its folder");
    Require(store::ReadStoreState(files) == store::StoreState::kInitialised, "first run initialises");
    if (initialised_now) {
      Require(prefix.Bytes(records::kSettingsFile) == before_first_run, "first run leaves a set-up store alone");
    } else {
      Require(store::AdministratorNames(files) == std::vector<std::string>{records::kDefaultAdministratorName},
              "first run leaves the one default administrator");
    }
  } catch (const store::WriteError&) {
    // A settings file that became unreadable (a name made a folder of it).
  }
  store::ResetStore(files);
  Require(store::ReadStoreState(files) != store::StoreState::kNotInitialised ||
              !files.FolderExists(records::kDataFolder),
          "a reset store is gone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Plan plan = MakePlan(bytes);
  // One pass per input, picked by its bytes so that a run of one input does
  // what the finding run did: the parser and serialiser alone for five in
  // eight, the input as one record file for two, as the data store's files
  // for one; one pass in kDiskEvery of the last two also runs on disk.
  const std::uint32_t pick = Hash(bytes);
  if (pick % 8 < 5) {
    CheckDocument(bytes, plan);
    return 0;
  }
  const auto check = pick % 8 < 7 ? CheckRecordFile : CheckStoreRoutines;
  static MemoryDrives memory;
  check(memory, bytes, plan);
  memory.Release();
  if ((pick >> 16) % kDiskEvery == 0) {
    static DiskDrives disk;
    check(disk, bytes, plan);
  }
  // What the cache keeps between runs would look like a leak of this run to
  // libFuzzer, which then scans the heap after every run.
  store::IniCache::Instance().Clear();
  return 0;
}
