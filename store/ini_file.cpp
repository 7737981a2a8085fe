#include "store/ini_file.h"

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

#include "store/errors.h"
#include "store/ini_cache.h"

namespace store {

namespace {

using platform::FileStamp;
using platform::FileSystem;
using platform::ReadStatus;

// A file's content as it is now.
struct Content {
  ReadStatus status = ReadStatus::kAbsent;
  std::shared_ptr<IniDocument> doc;  // set when status is kOk
  std::optional<FileStamp> stamp;    // the stamp `doc` was cached under, if it was
};

// Reads the file's content: from the cache when an equal, settled stamp
// proves it current, else from the file. What was read is cached when the
// file held still while it was read.
Content LoadContent(FileSystem& fs, const std::string& path) {
  IniCache& cache = IniCache::Instance();
  const auto read_at = std::chrono::system_clock::now();
  std::optional<CachedIni> cached;
  platform::StampedRead read = fs.ReadStamped(path, [&](const FileStamp& stamp) {
    // Past what a document holds: unreadable rather than cut short.
    if (stamp.size > IniDocument::kMaxBytes) return platform::StampVerdict::kTooLarge;
    cached = cache.Find(stamp);
    const bool current = cached && cached->settled && cached->stamp == stamp;
    return current ? platform::StampVerdict::kKnown : platform::StampVerdict::kRead;
  });
  if (read.status != ReadStatus::kOk) return {read.status, nullptr, std::nullopt};
  if (read.known) return {ReadStatus::kOk, cached->doc, read.before};
  if (read.bytes.size() > IniDocument::kMaxBytes) return {ReadStatus::kError, nullptr, std::nullopt};

  // An unsettled entry is current when the bytes are the same; that spares
  // parsing a large file again right after it was written.
  std::shared_ptr<IniDocument> doc;
  std::shared_ptr<const std::string> bytes;
  if (cached && cached->bytes && *cached->bytes == read.bytes) {
    doc = cached->doc;
    bytes = cached->bytes;
  } else {
    // The document keeps the bytes it was read from: they are the same as
    // the file's, and held once.
    doc = std::make_shared<IniDocument>(IniDocument::ParseOwned(std::move(read.bytes)));
    bytes = doc->Bytes();
  }
  read.bytes = std::string();

  if (!read.after) return {ReadStatus::kOk, doc, std::nullopt};
  CachedIni entry{*read.after, doc, nullptr, StampIsSettled(*read.after, read_at)};
  if (!entry.settled) entry.bytes = std::move(bytes);
  cache.Put(std::move(entry));
  return {ReadStatus::kOk, doc, read.after};
}

enum class Outcome { kWritten, kUnchanged, kFailed };

// Applies `edit` to the current content and replaces the file with the
// result, under the caller's records' lock. A file that exists but cannot be read is
// never overwritten (the file system itself refuses read-only files and
// folders). An edit that changes nothing writes nothing; one that asked for
// text the file cannot hold writes nothing and fails.
Outcome Rewrite(FileSystem& fs, const std::string& path,
                const std::function<void(IniDocument&)>& edit) {
  // Another copy of the program must not replace the file between this read
  // and this write, or its change would be lost: the command that writes
  // holds the records' lock (taken at the engine's entry point).
  IniCache& cache = IniCache::Instance();
  Content content = LoadContent(fs, path);
  if (content.status == ReadStatus::kError) return Outcome::kFailed;

  // Take the entry out while the document is edited, so that no reader sees
  // a half-edited document; edit in place when nobody else holds it.
  std::shared_ptr<IniDocument> doc = std::move(content.doc);
  std::optional<CachedIni> taken = content.stamp ? cache.Take(*content.stamp) : std::nullopt;
  if (taken && taken->doc != doc) taken.reset();
  if (taken) taken->doc.reset();
  if (!doc) {
    doc = std::make_shared<IniDocument>();
  } else if (doc.use_count() > 1) {
    doc = std::make_shared<IniDocument>(*doc);
  }

  const std::uint64_t revision = doc->Revision();
  const std::size_t refusals = doc->Refusals();
  edit(*doc);
  if (doc->Refusals() != refusals) return Outcome::kFailed;
  if (doc->Revision() == revision) {
    if (taken) {
      taken->doc = std::move(doc);
      cache.Put(std::move(*taken));
    }
    return Outcome::kUnchanged;
  }

  // The document takes the new bytes as its own, so that the file's
  // content is held once, by the document and the cache alike.
  std::shared_ptr<const std::string> bytes = doc->Flatten();
  const platform::Replacement replacement = fs.ReplaceFileStamped(path, *bytes);
  if (!replacement.replaced) return Outcome::kFailed;

  const std::optional<FileStamp>& after = replacement.stamp;
  if (after && after->size == bytes->size()) {
    // Just written, so not settled yet: the next read compares bytes.
    cache.Put(CachedIni{*after, std::move(doc), std::move(bytes), false});
  }
  return Outcome::kWritten;
}

}  // namespace

IniFile::IniFile(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

bool IniFile::Exists() const { return fs_.FileExists(path_); }

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& default_value) const {
  const Content content = LoadContent(fs_, path_);
  if (!content.doc) return default_value;
  return content.doc->Get(section, key).value_or(default_value);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  Update([&](IniDocument& doc) { doc.Set(section, key, value); });
}

std::vector<std::string> IniFile::ReadSection(const std::string& section) const {
  const Content content = LoadContent(fs_, path_);
  if (!content.doc) return {};
  return content.doc->Keys(section);
}

void IniFile::DeleteKey(const std::string& section, const std::string& key) {
  Rewrite(fs_, path_, [&](IniDocument& doc) { doc.DeleteKey(section, key); });
}

void IniFile::EraseSection(const std::string& section) {
  Update([&](IniDocument& doc) { doc.EraseSection(section); });
}

void IniFile::Update(const std::function<void(IniDocument&)>& edit) {
  if (Rewrite(fs_, path_, edit) == Outcome::kFailed) throw WriteError(path_);
}

std::shared_ptr<const IniDocument> IniFile::Snapshot() const {
  Content content = LoadContent(fs_, path_);
  if (!content.doc) return std::make_shared<const IniDocument>();
  return std::move(content.doc);
}

IniDocument IniFile::Load() const {
  const Content content = LoadContent(fs_, path_);
  return content.doc ? *content.doc : IniDocument();
}

}  // namespace store
