#include "settings/options.h"

#include <string_view>

#include "platform/raise.h"

namespace nexolant {
namespace {

constexpr std::size_t IndexOf(Option option) {
  return static_cast<std::size_t>(option);
}

// Each stored option's row stands at its option's place, where its value is kept.
constexpr bool RowsInOptionOrder() {
  for (std::size_t row = 0; row < kStoredOptions.size(); ++row) {
    if (IndexOf(kStoredOptions[row].option) != row) {
      return false;
    }
  }
  return true;
}
static_assert(RowsInOptionOrder());
static_assert(IndexOf(Option::kStartWithWindows) == kStoredOptions.size());
static_assert(kDefaultIntervalItem == kMonitorIntervals.size() - 1);

// "Each N minutes", "Each 1 minute" or "Each N seconds", read back into milliseconds.
constexpr unsigned SpokenInterval(std::string_view caption) {
  std::size_t at = caption.find(' ') + 1;
  unsigned count = 0;
  for (; caption[at] >= '0' && caption[at] <= '9'; ++at) {
    count = count * 10 + static_cast<unsigned>(caption[at] - '0');
  }
  return count * (caption.substr(at + 1).starts_with("minute") ? 60000u : 1000u);
}

constexpr bool CaptionsSayTheirIntervals() {
  for (const MonitorInterval& interval : kMonitorIntervals) {
    if (SpokenInterval(interval.caption) != interval.milliseconds) {
      return false;
    }
  }
  return true;
}
static_assert(CaptionsSayTheirIntervals());

constexpr bool HasForm(Option option, StoredForm form) {
  return IndexOf(option) < kStoredOptions.size() && kStoredOptions[IndexOf(option)].form == form;
}

}  // namespace

Options::Options() {
  for (const StoredOption& stored : kStoredOptions) {
    values_[IndexOf(stored.option)] = stored.byDefault;
  }
}

void Options::Set(Option option, int value) {
  if (HasForm(option, StoredForm::kItem) &&
      (value < 0 || value >= static_cast<int>(kMonitorIntervals.size()))) {
    return;
  }
  if (HasForm(option, StoredForm::kTick) || option == Option::kStartWithWindows) {
    value = value != 0 ? 1 : 0;
  }
  int& current = values_[IndexOf(option)];
  if (current == value) {
    return;
  }
  current = value;
  Raise(OnChanged, option);
}

}  // namespace nexolant
