#include "objects/Script.h"

#include "objects/Scripting.h"

namespace Framework {

Script::Script(std::string name) : Component(std::move(name)) { Scripting::Instance().Add(this); }

Script::~Script() { Scripting::Instance().Remove(this); }

}  // namespace Framework
