// MenuLook: the textures, colours and sounds every menu shares, in one place so the
// layout, the input handling and the menu pass cannot drift apart.
#pragma once

#include "engine/Events.h"
#include "graphics/Sprite.h"

namespace Framework::MenuLook {

inline constexpr const char* ButtonTexture = "empty-button";
inline constexpr const char* PressedButtonTexture = "empty-button-pressed";
inline constexpr const char* PanelTexture = "empty-button-gray";
inline constexpr const char* HowToPlayTexture = "HowToPlay";
inline constexpr const char* HowToPlayRussianTexture = "HowToPlay_RU";

inline constexpr const char* ClickSound = "MenuOnClick.ogg";
inline constexpr const char* HoverSound = "MenuHoverOver.ogg";

// The deep teal of buttons and title panels.
inline constexpr Color3 ButtonTint{0.0196f, 0.3176f, 0.4196f};
// Labels are green, and yellow while their button is highlighted; titles are yellow.
inline constexpr Color3 LabelColor{0.24f, 0.91f, 0.42f};
inline constexpr Color3 HighlightColor{1.0f, 1.0f, 0.3765f};
// The sky tint of a menu header, and the grey that dims the game behind the pause menus.
inline constexpr Color3 SkyTint = Sprite::SkyColor;
inline constexpr Color3 DimTint{0.5f, 0.5f, 0.5f};
inline constexpr float DimAlpha = 0.5f;
// The tint of a menu that stands in the main-menu world: none, that world is its backdrop.
inline constexpr float SeeThroughAlpha = 0.0f;
// A picture drawn in its own colours, opaque where it is painted.
inline constexpr Color3 PictureTint{1.0f, 1.0f, 1.0f};
inline constexpr float PictureAlpha = 1.0f;
// A button of exactly this colour is drawn without the black outline.
inline constexpr Color3 NoOutlineColor{0.8f, 0.235f, 0.16f};

}  // namespace Framework::MenuLook
