#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace store {

// The content of one INI file as lines, with the private-profile rules:
// section and key names compare without regard to ASCII letter case; a value
// reads back trimmed of blanks and of one pair of enclosing quotes; a key
// that stands twice answers with its first occurrence; lines the document
// does not change (comments, blank lines, unknown lines) are kept byte for
// byte. A pure layer over bytes: no file access.
class IniDocument {
 public:
  // Longest value that a read gives back, in characters.
  static constexpr std::size_t kMaxValueLength = 2047;
  // Room for a key listing: each name plus one terminating byte, plus one
  // final byte, must fit.
  static constexpr std::size_t kKeyListingBytes = 16384;

  IniDocument() = default;

  // Parses a file's bytes (CR LF, LF or CR line ends; a UTF-8 byte-order
  // mark at the start is ignored).
  static IniDocument Parse(std::string_view bytes);

  // The file's bytes: unchanged lines as they were read, every line ending
  // in CR LF.
  std::string Serialize() const;

  // The value of the key, trimmed and unquoted, cut to kMaxValueLength;
  // nullopt when the section or key is absent.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // The key names of the section's entries in file order, as many as fit
  // into kKeyListingBytes; empty when the section is absent. A line without
  // "=" is no entry and is not listed.
  std::vector<std::string> Keys(std::string_view section) const;

  // The same, every one of them, however many: for the lists that the user
  // must see whole.
  std::vector<std::string> AllKeys(std::string_view section) const;

  // How a value written as it is would fail to read back byte for byte.
  enum class ReadBack {
    kSame,             // it reads back as written
    kLineBreak,        // it holds a line break, which ends the line
    kOuterBlanks,      // it begins or ends with a blank, which reading trims
    kEnclosingQuotes,  // it is enclosed in a pair of quotes, which reading drops
    kTooLong,          // it is longer than kMaxValueLength, where reading cuts it
  };
  static ReadBack HowValueReadsBack(std::string_view value);

  // True when the section exists (possibly without entries).
  bool HasSection(std::string_view section) const;

  // Sets the value: replaces an existing key's value in its place, or appends
  // the key at the end of its section (right after its last key line), or
  // appends the section at the end. Setting the value a key already has
  // changes nothing. Text that IsStorable refuses leaves the document as it
  // was and counts in Refusals().
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // True when the entry can be written so that it reads back as the same
  // entry without disturbing any other line: no line break in any of the
  // three, no "]" in the section name, and a key name that is not empty
  // (after trimming blanks), holds no "=" and does not begin with ";" or "[".
  static bool IsStorable(std::string_view section, std::string_view key, std::string_view value);

  // Removes the key's entry (the one that answers for it: a later line of
  // the same name then answers); returns false when it was absent.
  bool DeleteKey(std::string_view section, std::string_view key);

  // Removes the section with all its lines (every section of that name, so
  // that none of its keys stays readable); returns false when it was absent.
  bool EraseSection(std::string_view section);

  // Grows with every change to the content; an unchanged revision means
  // that nothing was changed since it was read.
  std::uint64_t Revision() const { return revision_; }

  // How many Set calls were refused because their text was not storable.
  std::size_t Refusals() const { return refusals_; }

 private:
  // What a kept line is (section headers are kept by their Section).
  enum class LineRole : std::uint8_t {
    kOther,    // blank line or comment
    kEntry,    // key=value
    kBareKey,  // a key without "=": reads as absent, never listed
    kRemoved,  // deleted; skipped when serialising
  };

  struct Line {
    std::string text;  // the line's bytes without its line end
    LineRole role = LineRole::kOther;
  };

  struct Section {
    bool has_header = false;  // false only for the lines before the first header
    std::string header;       // the header line as read or written
    std::vector<Line> lines;  // the lines up to the next header
    // Folded key name -> index in `lines` of its first live occurrence.
    std::unordered_map<std::string, std::size_t> first_key;
    bool has_duplicate_keys = false;
  };

  // The first section of that name, or nullptr.
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  // The key names of the section's entries in file order, stopping before
  // the first that does not fit into `room` bytes (each name counted with
  // one terminating byte).
  std::vector<std::string> ListKeys(std::string_view section, std::size_t room) const;
  // Index of the first live line of the key in the section, or npos.
  static std::size_t FindKey(const Section& section, std::string_view key);
  // Rebuilds first_section_ after sections were removed.
  void IndexSections();
  // Records a key line at `index` (its first occurrence wins).
  static void IndexKey(Section& section, std::string_view name, std::size_t index);

  std::vector<Section> sections_{Section{}};  // [0]: lines before the first header
  std::unordered_map<std::string, std::size_t> first_section_;  // folded name -> index
  bool byte_order_mark_ = false;
  std::uint64_t revision_ = 0;
  std::size_t refusals_ = 0;
};

}  // namespace store
