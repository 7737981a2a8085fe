#pragma once

#include <string>

namespace platform::win32 {

// Where Help opens the user guide.
inline constexpr char kHelpGuidePath[] = "C:\\WINDOWS\\Quillomar.htm";
// The guide's name beside quillomar.exe, where the program ships it.
inline constexpr char kShippedGuideName[] = "Quillomar.htm";

// The guide shipped beside the running program: the folder of its .exe and
// kShippedGuideName. "" when the program's own path cannot be had.
std::string ShippedGuidePath();

// What UpdateGuide() did.
enum class GuideUpdate {
  kCurrent,    // the copy at the target is the shipped guide's age or newer: left as it is
  kPlaced,     // the shipped guide was copied to the target
  kNoShipped,  // there is no shipped guide: nothing was done
  kFailed,     // a copy was due but could not be made: the target is as it was
};

// Puts a copy of the guide at `shipped` at `target` when `target` is
// missing or older: when its last change is earlier than the shipped guide's,
// or at the same time but its bytes differ. A newer target (a later guide, or
// one the user edited) is left alone, and so is anything at `target` that is
// not a file. The copy keeps the shipped guide's time, so that it counts as
// current afterwards, and is never read-only; it takes the target's name
// whole or not at all, so that a browser never shows half a guide and an
// interrupted copy never passes for a newer one. The target's folder is made
// when it is missing.
GuideUpdate UpdateGuide(const std::string& shipped, const std::string& target);

}  // namespace platform::win32
