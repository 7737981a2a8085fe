#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The widths of the blank column runs between the ink of one drawn line of
// text, left to right (`inked` says which pixel columns hold ink).
inline std::vector<int> BlankRuns(const std::vector<bool>& inked) {
  std::vector<int> runs;
  int run = -1;  // -1 until the first ink
  for (const bool ink : inked) {
    if (ink) {
      if (run > 0) runs.push_back(run);
      run = 0;
    } else if (run >= 0) {
      ++run;
    }
  }
  return runs;
}

// How the drawn line of `text` runs its words together, or "" when they
// stand apart: each gap between words must be wider than every gap inside a
// word (letters that spread apart while the blanks between words shrink read
// as one long word); `ties_allowed` lets the narrowest gap between words
// equal the widest inside one.
inline std::string RunTogether(const std::string& text, const std::vector<bool>& inked, bool ties_allowed) {
  std::size_t gaps = 0;  // blanks between two words, however many in a row
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != ' ' && text[i - 1] == ' ' && text.find_first_not_of(' ') < i) ++gaps;
  }
  if (gaps == 0) return {};
  std::vector<int> runs = BlankRuns(inked);
  std::sort(runs.begin(), runs.end(), std::greater<>());
  if (runs.size() < gaps) return "\"" + text + "\" shows fewer gaps than it has words";
  if (runs.size() > gaps && (ties_allowed ? runs[gaps - 1] < runs[gaps] : runs[gaps - 1] <= runs[gaps])) {
    return "\"" + text + "\" runs its words together: a gap between words of " + std::to_string(runs[gaps - 1]) +
           " px, one inside a word of " + std::to_string(runs[gaps]);
  }
  return {};
}

}  // namespace testing_support
