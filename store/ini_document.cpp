#include "store/ini_document.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "store/ini_lines.h"
#include "platform/progress.h"
#include "platform/record_text.h"
#include "platform/windows_path.h"

namespace store {

using platform::windows_path::EqualIgnoringCase;
using platform::windows_path::FoldCase;

namespace {
using ini_lines::Classify;
using ini_lines::LineKind;
using ini_lines::Trim;

using ini_lines::kAssign;
using ini_lines::kCommentStart;
using ini_lines::kSectionClose;
using ini_lines::kSectionOpen;

// Every line that the document writes ends so.
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
// A line's length and role share 32 bits: the role in the top three.
constexpr unsigned kRoleShift = 29;
constexpr std::uint32_t kLengthMask = (std::uint32_t{1} << kRoleShift) - 1;
// Look-ups read a section through this many times over before it is indexed.
constexpr std::size_t kScansBeforeIndex = 2;
// Reading or writing a large record says every so many lines that it is
// still under way (platform/progress.h).
constexpr std::size_t kLinesPerProgressReport = 4096;

bool HasLineBreak(std::string_view text) {
  return text.find_first_of(ini_lines::kLineBreaks) != std::string_view::npos;
}

std::string EntryLine(std::string_view name, std::string_view value) {
  std::string line;
  line.reserve(name.size() + 1 + value.size());
  line.append(name).push_back(kAssign);
  line.append(value);
  return line;
}

// The value of an entry line as a read gives it back.
std::string_view ReadValue(std::string_view value) {
  const std::string_view unquoted = ini_lines::Unquote(value);
  return unquoted.substr(0, platform::RecordTextBytes(unquoted, IniDocument::kMaxValueLength));
}

// FNV-1a over the name's bytes in lower case.
std::uint32_t HashFolded(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(FoldCase(c))) * 16777619u;
  return hash;
}

// Finds the line ends of a text in order, each byte looked at once (by
// memchr, which is many times faster than a loop over the bytes).
class LineEnds {
 public:
  explicit LineEnds(std::string_view bytes) : bytes_(bytes), next_cr_(Next('\r', 0)), next_lf_(Next('\n', 0)) {}

  // Where the line that starts at `at` ends (its first CR or LF, or the end).
  std::size_t From(std::size_t at) {
    if (next_cr_ < at) next_cr_ = Next('\r', at);
    if (next_lf_ < at) next_lf_ = Next('\n', at);
    return std::min(next_cr_, next_lf_);
  }

  // Where the next line starts after the line end at `end`: CR LF is one
  // line end, a lone CR or LF is one too.
  std::size_t After(std::size_t end) const {
    if (end >= bytes_.size()) return end;
    return end + ((bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n') ? 2 : 1);
  }

 private:
  std::size_t Next(char c, std::size_t at) const {
    const void* found = std::memchr(bytes_.data() + at, c, bytes_.size() - at);
    return found == nullptr ? bytes_.size() : static_cast<std::size_t>(static_cast<const char*>(found) - bytes_.data());
  }

  std::string_view bytes_;
  std::size_t next_cr_;  // the first CR at or after the last place asked for
  std::size_t next_lf_;
};

// How many lines ForEachLine finds in `bytes`.
std::size_t CountLines(std::string_view bytes) {
  std::size_t lines = 0;
  LineEnds ends(bytes);
  for (std::size_t at = 0; at < bytes.size(); ++lines) at = ends.After(ends.From(at));
  return lines;
}

}  // namespace

// A section's key names: open addressing over the lines' places in the
// section (+1; 0 is a free slot, kGone one whose key was deleted), hashed by
// the folded name, which is read from the line itself. Each name points at
// its first live line.
class IniDocument::KeyIndex {
 public:
  static constexpr std::uint32_t kFree = 0;
  static constexpr std::uint32_t kGone = std::numeric_limits<std::uint32_t>::max();

  explicit KeyIndex(std::size_t names) {
    std::size_t capacity = 16;
    while (capacity < 2 * names + 2) capacity *= 2;
    slots_.assign(capacity, kFree);
  }

  // The slot of `name`, or of the free place where it would go; `name_at`
  // gives the name of the line at a place.
  template <typename NameAt>
  std::uint32_t& Slot(std::string_view name, NameAt name_at) {
    const std::size_t mask = slots_.size() - 1;
    std::uint32_t* reusable = nullptr;
    for (std::size_t at = HashFolded(name) & mask;; at = (at + 1) & mask) {
      std::uint32_t& slot = slots_[at];
      if (slot == kFree) return reusable != nullptr ? *reusable : slot;
      if (slot == kGone) {
        if (reusable == nullptr) reusable = &slot;
        continue;
      }
      if (EqualIgnoringCase(name_at(slot - 1), name)) return slot;
    }
  }

  // Counts a name put into a free slot; false when the index is too full
  // to take more (it must then be built again, larger).
  bool Added() { return ++used_ * 2 < slots_.size(); }

  bool has_duplicates = false;

 private:
  std::vector<std::uint32_t> slots_;
  std::size_t used_ = 0;
};

std::size_t IniDocument::FoldedHash::operator()(std::string_view name) const { return HashFolded(name); }

bool IniDocument::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualIgnoringCase(a, b);
}

IniDocument::IniDocument() : sections_(1), index_mutex_(std::make_unique<std::mutex>()) {}

IniDocument::IniDocument(const IniDocument& other)
    : source_(other.source_),
      added_(other.added_),
      lines_(other.lines_),
      sections_(other.sections_),
      first_section_(other.first_section_),
      byte_order_mark_(other.byte_order_mark_),
      revision_(other.revision_),
      refusals_(other.refusals_),
      index_mutex_(std::make_unique<std::mutex>()) {
  // Indexes change with their document: the copy builds its own.
  for (Section& section : sections_) {
    section.index.reset();
    section.scanned = 0;
  }
}

IniDocument& IniDocument::operator=(const IniDocument& other) {
  if (this != &other) *this = IniDocument(other);
  return *this;
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

IniDocument IniDocument::Parse(std::string_view bytes) { return ParseOwned(std::string(bytes.substr(0, kMaxBytes))); }

IniDocument IniDocument::ParseOwned(std::string owned) {
  IniDocument doc;
  if (owned.size() > kMaxBytes) owned.resize(kMaxBytes);
  doc.source_ = std::make_shared<const std::string>(std::move(owned));
  const std::string_view bytes = *doc.source_;
  std::size_t at = ini_lines::ByteOrderMarkLength(bytes);
  doc.byte_order_mark_ = at != 0;
  // Exactly the lines there are, and room for a few more: growing a large
  // file's lines for one new entry would double them.
  constexpr std::size_t kRoomForNewLines = 16;
  doc.lines_.reserve(CountLines(bytes.substr(at)) + kRoomForNewLines);

  LineEnds ends(bytes);
  while (at < bytes.size()) {
    const std::size_t end = ends.From(at);
    const std::string_view text = bytes.substr(at, end - at);
    const ini_lines::LineParts parts = Classify(text);
    LineRole role = LineRole::kOther;  // blank line or comment: kept as it is
    switch (parts.kind) {
      case LineKind::kBlank:
        break;
      case LineKind::kSection: {
        // "[name]": a new section; a repeated name stays unindexed, so the
        // first section of a name is the one that counts.
        role = LineRole::kHeader;
        doc.sections_.back().end = doc.lines_.size();
        Section section;
        section.header = doc.lines_.size();
        section.begin = section.end = section.header + 1;
        doc.sections_.push_back(std::move(section));
        doc.first_section_.try_emplace(std::string(parts.name), doc.sections_.size() - 1);
        break;
      }
      case LineKind::kEntry:
        role = LineRole::kEntry;
        break;
      case LineKind::kBareKey:
        role = LineRole::kBareKey;
        break;
    }
    doc.lines_.push_back(MakeLine(at, end - at, role));
    if (doc.lines_.size() % kLinesPerProgressReport == 0) platform::ReportProgress();
    at = ends.After(end);
  }
  doc.sections_.back().end = doc.lines_.size();
  return doc;
}

std::string IniDocument::Serialize() const {
  std::size_t size = byte_order_mark_ ? kByteOrderMark.size() : 0;
  for (Line line : lines_) {
    if (RoleOf(line) != LineRole::kRemoved) size += LengthOf(line) + kLineEnd.size();
  }
  std::string out;
  out.reserve(size);
  if (byte_order_mark_) out += kByteOrderMark;
  std::size_t written = 0;
  for (Line line : lines_) {
    if (RoleOf(line) == LineRole::kRemoved) continue;
    out += Text(line);
    out += kLineEnd;
    if (++written % kLinesPerProgressReport == 0) platform::ReportProgress();
  }
  return out;
}

std::shared_ptr<const std::string> IniDocument::Flatten() {
  auto bytes = std::make_shared<const std::string>(Serialize());
  // Every live line now stands in `bytes`, in the same order; removed lines
  // go, and the sections' places move up with the lines before them.
  std::size_t at = byte_order_mark_ ? kByteOrderMark.size() : 0;
  std::size_t kept = 0;
  auto keep = [&](std::size_t i) {
    const Line line = lines_[i];
    lines_[kept] = MakeLine(at, LengthOf(line), RoleOf(line));
    at += LengthOf(line) + kLineEnd.size();
    return kept++;
  };
  for (Section& section : sections_) {
    if (section.header != Section::kNoHeader) section.header = keep(section.header);
    const std::size_t begin = kept;
    bool removed = false;
    for (std::size_t i = section.begin; i < section.end; ++i) {
      if (RoleOf(lines_[i]) == LineRole::kRemoved) {
        removed = true;
      } else {
        keep(i);
      }
    }
    section.begin = begin;
    section.end = kept;
    // Its names stand at other places now.
    if (removed) section.index.reset();
    section.scanned = 0;
  }
  lines_.resize(kept);
  source_ = bytes;
  added_.clear();
  added_.shrink_to_fit();
  return bytes;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const std::optional<std::string_view> value = GetView(section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::optional<std::string_view> IniDocument::GetView(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const std::size_t index = FindKey(*found, key);
  if (index == kNotFound || RoleOf(lines_[index]) != LineRole::kEntry) return std::nullopt;
  return ReadValue(Classify(Text(lines_[index])).value);
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  // Each name takes its length plus a terminating byte; one final byte closes
  // the listing.
  return ListKeys(section, kKeyListingBytes - 1);
}

std::vector<std::string> IniDocument::AllKeys(std::string_view section) const {
  return ListKeys(section, static_cast<std::size_t>(-1));
}

std::vector<std::string> IniDocument::AllValues(std::string_view section) const {
  std::vector<std::string> values;
  const Section* found = FindSection(section);
  if (found == nullptr) return values;
  values.reserve(found->end - found->begin);
  // Without a key that stands twice, each line answers for itself.
  bool duplicates = false;
  {
    std::lock_guard lock(*index_mutex_);
    duplicates = IndexOf(*found).has_duplicates;
  }
  for (std::size_t i = found->begin; i < found->end; ++i) {
    if (RoleOf(lines_[i]) != LineRole::kEntry) continue;
    const ini_lines::LineParts parts = Classify(Text(lines_[i]));
    if (parts.name.empty()) continue;
    values.emplace_back(duplicates ? Get(section, parts.name).value_or("") : std::string(ReadValue(parts.value)));
  }
  return values;
}

void IniDocument::ForEachEntry(
    std::string_view section,
    const std::function<void(std::string_view name, std::string_view value)>& visit) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return;
  for (std::size_t i = found->begin; i < found->end; ++i) {
    if (RoleOf(lines_[i]) != LineRole::kEntry) continue;
    const ini_lines::LineParts parts = Classify(Text(lines_[i]));
    if (!parts.name.empty()) visit(parts.name, ReadValue(parts.value));
  }
}

std::vector<std::string> IniDocument::ListKeys(std::string_view section, std::size_t room) const {
  std::vector<std::string> keys;
  const Section* found = FindSection(section);
  if (found == nullptr) return keys;
  keys.reserve(std::min(found->end - found->begin, kKeyListingBytes / 2));
  for (std::size_t i = found->begin; i < found->end; ++i) {
    // A line without "=" reads as absent, so it is not listed either.
    if (RoleOf(lines_[i]) != LineRole::kEntry) continue;
    const std::string_view name = NameOf(lines_[i]);
    if (name.empty()) continue;
    // The first name that does not fit ends the listing.
    if (name.size() + 1 > room) break;
    room -= name.size() + 1;
    keys.emplace_back(name);
  }
  return keys;
}

IniDocument::ReadBack IniDocument::HowValueReadsBack(std::string_view value) {
  if (HasLineBreak(value)) return ReadBack::kLineBreak;
  if (Trim(value) != value) return ReadBack::kOuterBlanks;
  if (ini_lines::Unquote(value) != value) return ReadBack::kEnclosingQuotes;
  if (platform::RecordTextBytes(value, kMaxValueLength) < value.size()) return ReadBack::kTooLong;
  return ReadBack::kSame;
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

bool IniDocument::IsStorable(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (section.find(kSectionClose) != std::string_view::npos) return false;
  const std::string_view name = Trim(key);
  return !name.empty() && name.find(kAssign) == std::string_view::npos && name.front() != kCommentStart &&
         name.front() != kSectionOpen;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorable(section, key, value)) {
    ++refusals_;
    return;
  }
  const std::string_view name = Trim(key);

  Section* found = FindSection(section);
  if (found == nullptr) {
    // A new section goes to the end of the file.
    Line header, entry;
    if (!AddText(kSectionOpen + std::string(Trim(section)) + kSectionClose, header, LineRole::kHeader) ||
        !AddText(EntryLine(name, value), entry, LineRole::kEntry)) {
      ++refusals_;
      return;
    }
    Section added;
    added.header = lines_.size();
    added.begin = added.header + 1;
    added.end = added.begin + 1;
    lines_.push_back(header);
    lines_.push_back(entry);
    sections_.push_back(std::move(added));
    first_section_.try_emplace(std::string(Trim(section)), sections_.size() - 1);
    ++revision_;
    return;
  }

  const std::size_t index = FindKey(*found, key);
  if (index != kNotFound) {
    // An existing key keeps its place and the name as the file spells it.
    const ini_lines::LineParts parts = Classify(Text(lines_[index]));
    if (RoleOf(lines_[index]) == LineRole::kEntry && parts.value == value) return;
    Line changed;
    if (!AddText(EntryLine(parts.name, value), changed, LineRole::kEntry)) {
      ++refusals_;
      return;
    }
    lines_[index] = changed;
    ++revision_;
    return;
  }

  // A new key goes right after the section's last key line, ahead of any
  // blank lines or comments that close the section; only those shift, and
  // they are not indexed.
  Line entry;
  if (!AddText(EntryLine(name, value), entry, LineRole::kEntry)) {
    ++refusals_;
    return;
  }
  std::size_t position = found->end;
  while (position > found->begin) {
    const LineRole role = RoleOf(lines_[position - 1]);
    if (role == LineRole::kEntry || role == LineRole::kBareKey) break;
    --position;
  }
  InsertLine(*found, position, entry);
  if (found->index) {
    std::lock_guard lock(*index_mutex_);
    KeyIndex& keys = *found->index;
    std::uint32_t& slot = keys.Slot(name, [&](std::size_t at) { return NameOf(lines_[found->begin + at]); });
    slot = static_cast<std::uint32_t>(position - found->begin + 1);
    if (!keys.Added()) found->index.reset();
  }
  ++revision_;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  Section* found = FindSection(section);
  if (found == nullptr) return false;
  const std::size_t index = FindKey(*found, key);
  if (index == kNotFound) return false;

  // The line stays as a tombstone so that the places of the lines after it
  // hold; deleting many keys from a large section stays cheap.
  lines_[index] = MakeLine(0, 0, LineRole::kRemoved);
  if (found->index) {
    std::lock_guard lock(*index_mutex_);
    KeyIndex& keys = *found->index;
    const std::string_view name = Trim(key);
    std::uint32_t& slot = keys.Slot(name, [&](std::size_t at) { return NameOf(lines_[found->begin + at]); });
    slot = KeyIndex::kGone;
    if (keys.has_duplicates) {
      // A later line of the same name now answers for the key.
      for (std::size_t next = index + 1; next < found->end; ++next) {
        const LineRole role = RoleOf(lines_[next]);
        if ((role == LineRole::kEntry || role == LineRole::kBareKey) && EqualIgnoringCase(NameOf(lines_[next]), name)) {
          slot = static_cast<std::uint32_t>(next - found->begin + 1);
          break;
        }
      }
    }
  }
  ++revision_;
  return true;
}

bool IniDocument::EraseSection(std::string_view section) {
  const std::string folded = FoldCase(Trim(section));
  auto named = [&](const Section& s) {
    return s.header != Section::kNoHeader && FoldCase(Classify(Text(lines_[s.header])).name) == folded;
  };
  if (std::none_of(sections_.begin(), sections_.end(), named)) return false;
  std::vector<Line> lines;
  std::vector<Section> sections;
  for (Section& old : sections_) {
    if (named(old)) continue;
    Section kept = std::move(old);
    if (kept.header != Section::kNoHeader) {
      lines.push_back(lines_[kept.header]);
      kept.header = lines.size() - 1;
    }
    const std::size_t begin = lines.size();
    lines.insert(lines.end(), lines_.begin() + static_cast<std::ptrdiff_t>(kept.begin),
                 lines_.begin() + static_cast<std::ptrdiff_t>(kept.end));
    kept.begin = begin;
    kept.end = lines.size();
    sections.push_back(std::move(kept));
  }
  lines_ = std::move(lines);
  sections_ = std::move(sections);
  IndexSections();
  ++revision_;
  return true;
}

IniDocument::Line IniDocument::MakeLine(std::size_t start, std::size_t length, LineRole role) {
  return {static_cast<std::uint32_t>(start),
          static_cast<std::uint32_t>(length) | (static_cast<std::uint32_t>(role) << kRoleShift)};
}

IniDocument::LineRole IniDocument::RoleOf(Line line) { return static_cast<LineRole>(line.packed >> kRoleShift); }

std::size_t IniDocument::LengthOf(Line line) { return line.packed & kLengthMask; }

std::string_view IniDocument::Text(Line line) const {
  const std::size_t source_size = source_ ? source_->size() : 0;
  if (line.start < source_size) return std::string_view(*source_).substr(line.start, LengthOf(line));
  return std::string_view(added_).substr(line.start - source_size, LengthOf(line));
}

std::string_view IniDocument::NameOf(Line line) const {
  const LineRole role = RoleOf(line);
  if (role != LineRole::kEntry && role != LineRole::kBareKey) return {};
  return Classify(Text(line)).name;
}

bool IniDocument::AddText(std::string_view text, Line& line, LineRole role) {
  const std::size_t source_size = source_ ? source_->size() : 0;
  if (source_size + added_.size() + text.size() > kMaxBytes) return false;
  line = MakeLine(source_size + added_.size(), text.size(), role);
  added_.append(text);
  return true;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto it = first_section_.find(Trim(name));
  return it == first_section_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const IniDocument&>(*this).FindSection(name));
}

std::size_t IniDocument::FindKey(const Section& section, std::string_view key) const {
  const std::string_view name = Trim(key);
  if (name.empty()) return kNotFound;
  std::lock_guard lock(*index_mutex_);
  if (section.index != nullptr || section.scanned > kScansBeforeIndex * (section.end - section.begin)) {
    const std::uint32_t slot =
        IndexOf(section).Slot(name, [&](std::size_t at) { return NameOf(lines_[section.begin + at]); });
    return slot == KeyIndex::kFree || slot == KeyIndex::kGone ? kNotFound : section.begin + slot - 1;
  }
  // A look-up or two in a large section (one hide in a large record) costs
  // less by reading it than by indexing it.
  std::size_t i = section.begin;
  while (i < section.end && !EqualIgnoringCase(NameOf(lines_[i]), name)) ++i;
  const_cast<Section&>(section).scanned += i - section.begin + 1;
  return i < section.end ? i : kNotFound;
}

IniDocument::KeyIndex& IniDocument::IndexOf(const Section& section) const {
  if (!section.index) {
    std::size_t names = 0;
    for (std::size_t i = section.begin; i < section.end; ++i) {
      const LineRole role = RoleOf(lines_[i]);
      if (role == LineRole::kEntry || role == LineRole::kBareKey) ++names;
    }
    auto keys = std::make_shared<KeyIndex>(names);
    for (std::size_t i = section.begin; i < section.end; ++i) {
      // A line with an empty name ("=value") can never be asked for.
      const std::string_view name = NameOf(lines_[i]);
      if (name.empty()) continue;
      std::uint32_t& slot = keys->Slot(name, [&](std::size_t at) { return NameOf(lines_[section.begin + at]); });
      if (slot == KeyIndex::kFree) {
        slot = static_cast<std::uint32_t>(i - section.begin + 1);
        keys->Added();
      } else {
        keys->has_duplicates = true;
      }
    }
    const_cast<Section&>(section).index = std::move(keys);
  }
  return *section.index;
}

void IniDocument::IndexSections() {
  first_section_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    first_section_.try_emplace(std::string(Classify(Text(lines_[sections_[i].header])).name), i);
  }
}

void IniDocument::InsertLine(Section& section, std::size_t at, Line line) {
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
  ++section.end;
  for (Section& later : sections_) {
    if (later.begin <= section.begin || &later == &section) continue;
    if (later.header != Section::kNoHeader) ++later.header;
    ++later.begin;
    ++later.end;
  }
}

}  // namespace store
