#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
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
//
// The document keeps the file's bytes once and each line as a place in them
// (8 bytes a line), so that a record file of N bytes costs little more than
// N; a section's key names are indexed only once look-ups in it have cost
// more than reading it through twice. Reads from several threads at once are
// safe; a change needs the document to itself.
class IniDocument {
 public:
  // Longest value that a read gives back, in characters of the record text
  // (see platform::RecordTextBytes).
  static constexpr std::size_t kMaxValueLength = 2047;
  // Room for a key listing: each name plus one terminating byte, plus one
  // final byte, must fit.
  static constexpr std::size_t kKeyListingBytes = 16384;
  // The largest content a document holds (512 MiB): what lies beyond is not
  // read, and a change that would pass it is refused (see Refusals()).
  static constexpr std::size_t kMaxBytes = (std::size_t{1} << 29) - 1;

  IniDocument();
  IniDocument(const IniDocument& other);
  IniDocument& operator=(const IniDocument& other);
  IniDocument(IniDocument&&) noexcept;
  IniDocument& operator=(IniDocument&&) noexcept;
  ~IniDocument();

  // Parses a file's bytes (CR LF, LF or CR line ends; a UTF-8 byte-order
  // mark at the start is ignored). ParseOwned keeps the bytes it is given
  // rather than a copy of them.
  static IniDocument Parse(std::string_view bytes);
  static IniDocument ParseOwned(std::string bytes);

  // The file's bytes: unchanged lines as they were read, every line ending
  // in CR LF.
  std::string Serialize() const;

  // The same bytes, which the document then keeps as its own in place of
  // what it held (so that a file written from it is not held twice).
  std::shared_ptr<const std::string> Flatten();

  // The bytes the document was parsed from or last flattened to (null for
  // a document made empty): its content byte for byte until it is changed.
  const std::shared_ptr<const std::string>& Bytes() const { return source_; }

  // The value of the key, trimmed and unquoted, cut to kMaxValueLength;
  // nullopt when the section or key is absent.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // The same as a view into the document, valid until it is next changed.
  std::optional<std::string_view> GetView(std::string_view section, std::string_view key) const;

  // The key names of the section's entries in file order, as many as fit
  // into kKeyListingBytes; empty when the section is absent. A line without
  // "=" is no entry and is not listed.
  std::vector<std::string> Keys(std::string_view section) const;

  // The same, every one of them, however many: for the lists that the user
  // must see whole.
  std::vector<std::string> AllKeys(std::string_view section) const;

  // For each key that AllKeys lists, in the same order, what Get gives for
  // it ("" when nothing): the values of a whole list, in one pass.
  std::vector<std::string> AllValues(std::string_view section) const;

  // Calls `visit(name, value)` for every entry that AllKeys lists, in file
  // order: its key name, and the value of that very line as Get would read
  // it (a key that stands twice then answers with its first line's value).
  void ForEachEntry(std::string_view section,
                    const std::function<void(std::string_view name, std::string_view value)>& visit) const;

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
  // changes nothing. Text that IsStorable refuses, or that would take the
  // document past kMaxBytes, leaves the document as it was and counts in
  // Refusals().
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
  enum class LineRole : std::uint8_t {
    kOther,    // blank line or comment
    kEntry,    // key=value
    kBareKey,  // a key without "=": reads as absent, never listed
    kRemoved,  // deleted; skipped when serialising
    kHeader,   // "[name]": opens a section
  };

  // A line: where its bytes are (an offset in the file's bytes, or past
  // them in the text added since), and its length and role packed together.
  struct Line {
    std::uint32_t start = 0;
    std::uint32_t packed = 0;
  };

  class KeyIndex;

  struct Section {
    static constexpr std::size_t kNoHeader = static_cast<std::size_t>(-1);
    std::size_t header = kNoHeader;  // its header line; kNoHeader for the lines before the first
    std::size_t begin = 0;           // its lines: [begin, end) of lines_
    std::size_t end = 0;
    // The index of its key names, once built (see FindKey), and the lines
    // that look-ups have read through without it.
    std::shared_ptr<KeyIndex> index;
    std::size_t scanned = 0;
  };

  static Line MakeLine(std::size_t start, std::size_t length, LineRole role);
  static LineRole RoleOf(Line line);
  static std::size_t LengthOf(Line line);
  std::string_view Text(Line line) const;
  std::string_view NameOf(Line line) const;
  // Keeps `text` as the text of a new or changed line; false when it would
  // take the document past kMaxBytes.
  bool AddText(std::string_view text, Line& line, LineRole role);

  // The first section of that name, or nullptr.
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  // The key names of the section's entries in file order, stopping before
  // the first that does not fit into `room` bytes (each name counted with
  // one terminating byte).
  std::vector<std::string> ListKeys(std::string_view section, std::size_t room) const;
  // Index in lines_ of the first live line of the key in the section, or npos.
  std::size_t FindKey(const Section& section, std::string_view key) const;
  // The section's index, built if it is not yet there (index_mutex_ held).
  KeyIndex& IndexOf(const Section& section) const;
  // Rebuilds first_section_ after sections were removed.
  void IndexSections();
  // Makes room for a line at `at` (within `section`), moving the sections after it.
  void InsertLine(Section& section, std::size_t at, Line line);

  std::shared_ptr<const std::string> source_;  // the bytes the lines were read from
  std::string added_;                          // text of lines set since
  std::vector<Line> lines_;                    // every line, headers included, in file order
  std::vector<Section> sections_;              // [0]: lines before the first header
  // Section names compared without regard to letter case, looked up by a
  // view without making a folded copy.
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual> first_section_;  // name -> index
  bool byte_order_mark_ = false;
  std::uint64_t revision_ = 0;
  std::size_t refusals_ = 0;
  // Guards the lazily built indexes and the look-ups' counts against readers
  // of other threads.
  std::unique_ptr<std::mutex> index_mutex_;
};

}  // namespace store
