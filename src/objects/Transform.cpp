#include "objects/Transform.h"

namespace Framework {

void Transform::Initialize() { TypeId = TypeIdOf<Transform>(); }

}  // namespace Framework
