#include "store/ini_document.h"

#include <algorithm>

#include "store/ini_lines.h"
#include "platform/windows_path.h"

namespace store {

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
}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  const std::size_t mark = ini_lines::ByteOrderMarkLength(bytes);
  doc.byte_order_mark_ = mark != 0;
  bytes.remove_prefix(mark);

  ini_lines::ForEachLine(bytes, [&doc](std::string_view text) {
    const ini_lines::LineParts parts = Classify(text);
    switch (parts.kind) {
      case LineKind::kBlank:
        // Blank line or comment: kept as it is.
        doc.sections_.back().lines.push_back({std::string(text), IniDocument::LineRole::kOther});
        break;
      case LineKind::kSection: {
        // "[name]": a new section; a repeated name stays unindexed, so the
        // first section of a name is the one that counts.
        Section section;
        section.has_header = true;
        section.header = std::string(text);
        doc.sections_.push_back(std::move(section));
        doc.first_section_.try_emplace(FoldCase(parts.name), doc.sections_.size() - 1);
        break;
      }
      case LineKind::kEntry:
      case LineKind::kBareKey: {
        // "key=value" or a bare key: indexed below, once its section is whole.
        const auto role = parts.kind == LineKind::kEntry ? IniDocument::LineRole::kEntry
                                                         : IniDocument::LineRole::kBareKey;
        doc.sections_.back().lines.push_back({std::string(text), role});
        break;
      }
    }
  });

  // Index each section in one go, with the index sized for its lines: far
  // cheaper on large files than growing it line by line.
  for (Section& section : doc.sections_) {
    section.first_key.reserve(section.lines.size());
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
      if (section.lines[i].role == LineRole::kOther) continue;
      IndexKey(section, Classify(section.lines[i].text).name, i);
    }
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::size_t size = byte_order_mark_ ? kByteOrderMark.size() : 0;
  for (const Section& section : sections_) {
    if (section.has_header) size += section.header.size() + kLineEnd.size();
    for (const Line& line : section.lines) size += line.text.size() + kLineEnd.size();
  }

  std::string out;
  out.reserve(size);
  if (byte_order_mark_) out += kByteOrderMark;
  for (const Section& section : sections_) {
    if (section.has_header) {
      out += section.header;
      out += kLineEnd;
    }
    for (const Line& line : section.lines) {
      if (line.role == LineRole::kRemoved) continue;
      out += line.text;
      out += kLineEnd;
    }
  }
  return out;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const std::size_t index = FindKey(*found, key);
  if (index == kNotFound || found->lines[index].role != LineRole::kEntry) return std::nullopt;
  const std::string_view value = ini_lines::Unquote(Classify(found->lines[index].text).value);
  return std::string(value.substr(0, kMaxValueLength));
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  // Each name takes its length plus a terminating byte; one final byte closes
  // the listing.
  return ListKeys(section, kKeyListingBytes - 1);
}

std::vector<std::string> IniDocument::AllKeys(std::string_view section) const {
  return ListKeys(section, static_cast<std::size_t>(-1));
}

std::vector<std::string> IniDocument::ListKeys(std::string_view section, std::size_t room) const {
  std::vector<std::string> keys;
  const Section* found = FindSection(section);
  if (found == nullptr) return keys;
  keys.reserve(std::min(found->lines.size(), kKeyListingBytes / 2));
  for (const Line& line : found->lines) {
    // A line without "=" reads as absent, so it is not listed either.
    if (line.role != LineRole::kEntry) continue;
    const std::string_view name = Classify(line.text).name;
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
  if (value.size() > kMaxValueLength) return ReadBack::kTooLong;
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
    Section added;
    added.has_header = true;
    added.header = kSectionOpen + std::string(Trim(section)) + kSectionClose;
    added.lines.push_back({EntryLine(name, value), LineRole::kEntry});
    IndexKey(added, name, 0);
    sections_.push_back(std::move(added));
    first_section_.try_emplace(FoldCase(Trim(section)), sections_.size() - 1);
    ++revision_;
    return;
  }

  const std::size_t index = FindKey(*found, key);
  if (index != kNotFound) {
    // An existing key keeps its place and the name as the file spells it.
    Line& line = found->lines[index];
    const ini_lines::LineParts parts = Classify(line.text);
    if (line.role == LineRole::kEntry && parts.value == value) return;
    line.text = EntryLine(parts.name, value);
    line.role = LineRole::kEntry;
    ++revision_;
    return;
  }

  // A new key goes right after the section's last key line, ahead of any
  // blank lines or comments that close the section; only those shift, and
  // they are not indexed.
  std::size_t position = found->lines.size();
  while (position > 0) {
    const LineRole role = found->lines[position - 1].role;
    if (role == LineRole::kEntry || role == LineRole::kBareKey) break;
    --position;
  }
  found->lines.insert(found->lines.begin() + static_cast<std::ptrdiff_t>(position),
                      {EntryLine(name, value), LineRole::kEntry});
  IndexKey(*found, name, position);
  ++revision_;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  Section* found = FindSection(section);
  if (found == nullptr) return false;
  const std::size_t index = FindKey(*found, key);
  if (index == kNotFound) return false;

  // The line stays as a tombstone so that the indices of the lines after it
  // hold; deleting many keys from a large section stays cheap.
  Line& line = found->lines[index];
  line.role = LineRole::kRemoved;
  line.text = std::string();
  const std::string folded = FoldCase(Trim(key));
  found->first_key.erase(folded);
  if (found->has_duplicate_keys) {
    // A later line of the same name now answers for the key.
    for (std::size_t next = index + 1; next < found->lines.size(); ++next) {
      const Line& candidate = found->lines[next];
      if (candidate.role != LineRole::kEntry && candidate.role != LineRole::kBareKey) continue;
      if (FoldCase(Classify(candidate.text).name) == folded) {
        found->first_key.emplace(folded, next);
        break;
      }
    }
  }
  ++revision_;
  return true;
}

bool IniDocument::EraseSection(std::string_view section) {
  const std::string folded = FoldCase(Trim(section));
  bool erased = false;
  for (std::size_t i = sections_.size(); i-- > 1;) {
    if (FoldCase(Classify(sections_[i].header).name) != folded) continue;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
    erased = true;
  }
  if (!erased) return false;
  IndexSections();
  ++revision_;
  return true;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto it = first_section_.find(FoldCase(Trim(name)));
  return it == first_section_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const IniDocument&>(*this).FindSection(name));
}

std::size_t IniDocument::FindKey(const Section& section, std::string_view key) {
  const std::string_view name = Trim(key);
  if (name.empty()) return kNotFound;
  const auto it = section.first_key.find(FoldCase(name));
  return it == section.first_key.end() ? kNotFound : it->second;
}

void IniDocument::IndexSections() {
  first_section_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    first_section_.try_emplace(FoldCase(Classify(sections_[i].header).name), i);
  }
}

void IniDocument::IndexKey(Section& section, std::string_view name, std::size_t index) {
  // A line with an empty name ("=value") can never be asked for.
  if (name.empty()) return;
  if (!section.first_key.try_emplace(FoldCase(name), index).second) section.has_duplicate_keys = true;
}

}  // namespace store
