#include "TextureSet.h"

namespace Framework::Art {

TextureList AllTextures() {
  TextureList list;
  AddCharacterTextures(list);
  AddInterfaceTextures(list);
  AddScreenTextures(list);
  AddLevelTextures(list);
  return list;
}

}  // namespace Framework::Art
