#include "gameplay/MissingParts.h"

#include <iostream>

#include "objects/Component.h"
#include "objects/GameObject.h"

namespace Framework {

bool MissingParts::Check(bool present, const Component& script, std::string_view missing) {
  if (present) return true;
  if (!said_) {
    said_ = true;
    std::cout << script.Name << ": object";
    if (script.Owner) std::cout << " " << script.Owner->Id << " \"" << script.Owner->Name << "\"";
    std::cout << " has no " << missing << "; the script does nothing\n";
  }
  return false;
}

}  // namespace Framework
