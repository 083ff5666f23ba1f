#include "graphics/Mat4.h"

#include <numbers>

#include <gtest/gtest.h>

namespace Framework {
namespace {

void ExpectNear(const Mat4& a, const Mat4& b) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.Data()[i], b.Data()[i], 1e-5) << "element " << i;
}

TEST(Mat4, TranslationLivesInElements12To14ComposesRightToLeftAndInverts) {
  const Mat4 t = Mat4::Translation(3.0f, -2.0f, 1.0f);
  EXPECT_EQ(t.Data()[12], 3.0f);
  EXPECT_EQ(t.Data()[13], -2.0f);
  EXPECT_EQ(t.Data()[14], 1.0f);
  // Scale first, then rotate a quarter turn, then move.
  const Mat4 m = t * Mat4::RotationZ(std::numbers::pi_v<float> / 2) * Mat4::Scale(2.0f, 1.0f, 1.0f);
  const auto p = m.Apply(1.0f, 0.0f, 0.0f);
  EXPECT_NEAR(p[0], 3.0f, 1e-5);
  EXPECT_NEAR(p[1], 0.0f, 1e-5);  // (2, 0) turned to (0, 2), then moved by (3, -2)
  EXPECT_NEAR(p[3], 1.0f, 1e-6);
  // The inverse undoes an affine matrix; a singular one gives the identity.
  const Mat4 a = Mat4::Translation(4.0f, 5.0f, -1.0f) * Mat4::RotationZ(0.7f) * Mat4::Scale(0.5f, 3.0f, 2.0f);
  ExpectNear(a * a.Inverse(), Mat4::Identity());
  ExpectNear(Mat4::Scale(0.5f, 0.5f, 1.0f).Inverse(), Mat4::Scale(2.0f, 2.0f, 1.0f));
  EXPECT_EQ(Mat4::Scale(0.0f, 1.0f, 1.0f).Inverse(), Mat4::Identity());
}

}  // namespace
}  // namespace Framework
