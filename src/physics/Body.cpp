#include "physics/Body.h"

#include <iostream>

#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

Body::Body() : Component("Body"), Shape(std::make_unique<ShapeAABB>()) {}

// Physics holds no lasting pointer to a body (it gathers them afresh every step),
// so a body may die at any time between steps, before or after Physics itself.
Body::~Body() = default;

void Body::Initialize() {
  Shape->Owner = this;
  OwnerTransform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!OwnerTransform) {
    if (Owner) {
      std::cout << "Body: object " << Owner->Id << " \"" << Owner->Name
                << "\" has no Transform; its body takes no part in physics until it gets one\n";
    } else {
      std::cout << "Body: initialised before being attached to an object; it takes no part in physics\n";
    }
    return;
  }
  Position = OwnerTransform->Position;
  Shape->HalfWidth = OwnerTransform->Scale.x * 0.5f;
  Shape->HalfHeight = OwnerTransform->Scale.y * 0.5f;
}

}  // namespace Framework
