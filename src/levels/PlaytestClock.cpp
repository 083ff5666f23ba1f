#include "levels/PlaytestClock.h"

#include <iomanip>
#include <sstream>

namespace Framework {

void PlaytestClock::Entered() {
  seconds_ = 0.0;
  deaths_ = 0;
}

std::string PlaytestClock::WinLine(std::int32_t levelNumber) const {
  std::ostringstream line;
  line << "Playtest: level " << levelNumber << " won in " << std::fixed << std::setprecision(1) << seconds_
       << " s (game time), " << deaths_ << " deaths";
  return line.str();
}

}  // namespace Framework
