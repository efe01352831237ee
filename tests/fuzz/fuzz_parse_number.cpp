// ParseNumber on any text: it must never read past the text, and it must keep
// its own rules, checked here against each other on every input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "model/text_reading.h"

namespace {

bool SameNumber(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || a == b;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exactly sized copy, so that any read past the text is caught.
  std::unique_ptr<char[]> text(new char[size]);
  if (size > 0) std::memcpy(text.get(), data, size);
  std::string_view view(text.get(), size);
  const double value = ParseNumber(view);

  // Leading spaces are skipped.
  Check(SameNumber(ParseNumber(" " + std::string(view)), value));

  // Only the longest valid beginning counts: a character that cannot continue
  // any number form leaves the value alone.
  Check(SameNumber(ParseNumber(std::string(view) + "z"), value));

  // D and d read as exponent letters exactly like E and e, outside the radix forms.
  std::string trimmed(view.substr(std::min(view.find_first_not_of(' '), view.size())));
  if (trimmed.size() < 2 || trimmed[0] != '&') {
    std::string withE(view);
    for (char& c : withE) {
      if (c == 'D') c = 'E';
      if (c == 'd') c = 'e';
    }
    Check(SameNumber(ParseNumber(withE), value));
  }

  // Nothing in the number forms spells infinity or not-a-number.
  Check(!std::isnan(value));
  return 0;
}
