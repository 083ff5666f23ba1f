// MissingParts: how a gameplay script says that its object lacks a component it
// needs. Level files are edited by players, so a script can land on an object
// without its Body or Transform; it then does nothing and says so once.
// Invariant: each notice prints at most one line in its lifetime.
#pragma once

#include <string_view>

namespace Framework {

class Component;

class MissingParts {
 public:
  // True when `present`; otherwise prints, the first time only, one line naming
  // the script, its object and the missing piece, and returns false.
  bool Check(bool present, const Component& script, std::string_view missing);

 private:
  bool said_ = false;
};

}  // namespace Framework
