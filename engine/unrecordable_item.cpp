#include "engine/unrecordable_item.h"

#include "platform/record_text.h"
#include "store/ini_document.h"

namespace engine {

std::optional<Unrecordable> WhyUnrecordable(const std::string& path, const std::string& name) {
  using ReadBack = store::IniDocument::ReadBack;
  if (name.find('\\') != std::string::npos) return Unrecordable::kBackslashInName;
  // The records give back what they hold, so its length is what counts.
  const std::optional<std::string> recorded = platform::ToRecordText(path);
  switch (store::IniDocument::HowValueReadsBack(recorded.value_or(path))) {
    case ReadBack::kSame:
      break;
    case ReadBack::kLineBreak:
      return Unrecordable::kLineBreak;
    case ReadBack::kOuterBlanks:
      return Unrecordable::kOuterBlanks;
    case ReadBack::kEnclosingQuotes:
      return Unrecordable::kEnclosingQuotes;
    case ReadBack::kTooLong:
      return Unrecordable::kTooLong;
  }
  if (!recorded) return Unrecordable::kNotInCodePage;
  return std::nullopt;
}

std::optional<Unrecordable> WhyUnhideable(platform::FileSystem& fs, const std::string& path,
                                          const platform::FolderEntry& entry) {
  if (std::optional<Unrecordable> why = WhyUnrecordable(path, entry.name)) return why;
  if (!fs.CanMarkItself(entry)) return Unrecordable::kUnmarkableLink;
  return std::nullopt;
}

UnrecordableItem::UnrecordableItem(const std::string& path, Unrecordable reason)
    : store::Error(path), path_(path), reason_(reason) {}

}  // namespace engine
