// Every picture the forms name is in the executable's resources, found the way the renderer
// finds it. This executable links the same resources as Nexolant.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/artwork_names.h"
#include "win32/pictures.h"

namespace nexolant::win32 {
namespace {

TEST(ArtworkResourcesTest, EveryPictureNameIsABitmapResource) {
  PictureCache pictures;
  for (const std::string& name : artwork::AllPictureNames()) {
    const Picture* picture = pictures.Find(name);
    ASSERT_NE(picture, nullptr) << name;
    EXPECT_GT(picture->width, 0) << name;
    EXPECT_GT(picture->height, 0) << name;
  }
}

}  // namespace
}  // namespace nexolant::win32
