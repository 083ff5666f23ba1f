// The floor a game's first screen is measured against: what the window system and
// the OpenGL driver cost before a game draws anything. It opens a desktop-sized
// window and, at 60 frames a second, clears it and (when asked) covers it with one
// textured quad, then shows it. Built and run by scripts/bench.sh; not part of the game.
//   quad_probe FRAMES QUAD    (QUAD 1: one full-window textured quad; 0: clear only)
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kFrameMs = 16;        // about 60 frames a second
constexpr int kTextureSide = 256;   // a picture of ordinary size, stretched over the window
constexpr int kDefaultFrames = 600;

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : kDefaultFrames;
  const bool quad = argc > 2 && std::atoi(argv[2]) != 0;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "quad_probe: SDL_Init failed: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("quad probe", 0, 0, 1920, 1080, SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (window == nullptr || SDL_GL_CreateContext(window) == nullptr) {
    std::fprintf(stderr, "quad_probe: no GL window: %s\n", SDL_GetError());
    return 1;
  }
  std::vector<unsigned char> pixels(kTextureSide * kTextureSide * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSide, kTextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

  const Uint32 start = SDL_GetTicks();
  for (int frame = 0; frame < frames; ++frame) {
    const Uint32 frameStart = SDL_GetTicks();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
    glClearColor(0.4f, 0.7f, 0.9f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (quad) {
      glEnable(GL_TEXTURE_2D);
      glBegin(GL_QUADS);
      glTexCoord2f(0, 0);
      glVertex2f(-1, -1);
      glTexCoord2f(1, 0);
      glVertex2f(1, -1);
      glTexCoord2f(1, 1);
      glVertex2f(1, 1);
      glTexCoord2f(0, 1);
      glVertex2f(-1, 1);
      glEnd();
    }
    SDL_GL_SwapWindow(window);
    const Uint32 spent = SDL_GetTicks() - frameStart;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
  }
  std::printf("%d frames in %u ms\n", frames, SDL_GetTicks() - start);
  return 0;
}
