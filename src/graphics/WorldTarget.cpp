#include "graphics/WorldTarget.h"

#include <algorithm>
#include <iostream>

namespace Framework {

WorldTarget::Layout WorldTarget::LayoutFor(int width, int height) {
  Layout layout;
  width = std::max(width, 1);
  height = std::max(height, 1);
  layout.Factor = std::max(1, height / ArtRows);
  layout.Width = (width + layout.Factor - 1) / layout.Factor;
  layout.Height = (height + layout.Factor - 1) / layout.Factor;
  const int scaledWidth = layout.Width * layout.Factor;
  const int scaledHeight = layout.Height * layout.Factor;
  layout.OffsetX = -(scaledWidth - width) / 2;
  layout.OffsetY = -(scaledHeight - height) / 2;
  layout.ScaleX = static_cast<float>(width) / static_cast<float>(scaledWidth);
  layout.ScaleY = static_cast<float>(height) / static_cast<float>(scaledHeight);
  return layout;
}

bool WorldTarget::Make(const Layout& layout) {
  Destroy();
  glGenTextures(1, &colour_);
  glBindTexture(GL_TEXTURE_2D, colour_);
  // No alpha: the window has none either, so the blends leave the same colours.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, layout.Width, layout.Height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glBindTexture(GL_TEXTURE_2D, 0);
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, layout.Width, layout.Height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
  const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    std::cout << "Graphics: the offscreen world target (" << layout.Width << "x" << layout.Height
              << ") is not usable (status 0x" << std::hex << status << std::dec
              << "); the world is drawn at the window's resolution\n";
    Destroy();
    return false;
  }
  layout_ = layout;
  return true;
}

bool WorldTarget::Begin(int windowWidth, int windowHeight) {
  if (failed_ || glGenFramebuffers == nullptr) return false;
  const Layout wanted = LayoutFor(windowWidth, windowHeight);
  if (framebuffer_ == 0 || !(wanted == layout_)) {
    if (!Make(wanted)) {
      failed_ = true;
      return false;
    }
  }
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, layout_.Width, layout_.Height);
  return true;
}

void WorldTarget::Present(int windowWidth, int windowHeight) const {
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBlitFramebuffer(0, 0, layout_.Width, layout_.Height, layout_.OffsetX, layout_.OffsetY,
                    layout_.OffsetX + layout_.Width * layout_.Factor, layout_.OffsetY + layout_.Height * layout_.Factor,
                    GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, windowWidth, windowHeight);
}

void WorldTarget::Destroy() {
  if (framebuffer_ != 0) glDeleteFramebuffers(1, &framebuffer_);
  if (depth_ != 0) glDeleteRenderbuffers(1, &depth_);
  if (colour_ != 0) glDeleteTextures(1, &colour_);
  framebuffer_ = depth_ = colour_ = 0;
  layout_ = Layout{};
}

}  // namespace Framework
