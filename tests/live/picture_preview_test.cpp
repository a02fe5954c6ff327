#include "live/picture_preview.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "../files/data_folder_fixture.h"

namespace zd {
namespace {

TEST(FitPictureInBox, TouchesTheBoxOnOneSide) {
  struct Case {
    int32_t w, h, boxW, boxH;
    PictureSize expected;
  };
  const Case cases[] = {
      {1000, 300, 210, 144, {210, 63}},
      {800, 600, 210, 144, {192, 144}},
      {50, 50, 210, 144, {144, 144}},
      {215, 144, 210, 144, {215, 144}},  // equal tenths fill the height, 5 pixels too wide
      {20, 10, 210, 144, {288, 144}},    // tenths 0 and 0
      {392, 50, 196, 50, {196, 25}},     // the logo's box
      {100, 100, 196, 50, {50, 50}},
      {100000, 1, 196, 50, {196, 0}},
      {0, 50, 196, 50, {0, 0}},
      {50, 50, 0, 50, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " in " << c.boxW << " x " << c.boxH);
    EXPECT_EQ(FitPictureInBox(c.w, c.h, c.boxW, c.boxH), c.expected);
  }
}

TEST(ConvertJpegForPreview, OnlyJpegEndingsAreConverted) {
  for (const char* path : {"a.jpg", "B.JPG", "c.Jpeg", "d.jpeg", ".jpg", "x/y.JpG"})
    EXPECT_TRUE(IsJpegPath(path)) << path;
  for (const char* path : {"a.jpe", "b.jpg.bmp", "jpg", "pg", "", "c.bmp", "d.jpegx"})
    EXPECT_FALSE(IsJpegPath(path)) << path;
}

class PictureConversion : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    // Made here rather than kept in the sources: a 64 x 48 picture of one colour.
    ASSERT_EQ(std::system("convert -size 64x48 xc:'#c83232' photo.JPG"), 0);
  }
};

TEST_F(PictureConversion, AJpegBecomesTheSharedBitmapAndFitsItsBox) {
  ASSERT_EQ(::mkdir("Images", 0755), 0);
  PicturePath shown("photo.JPG");
  EXPECT_EQ(ConvertJpegForPreview(shown), JpegConversion::kConverted);
  EXPECT_EQ(shown.view(), kConvertedPicturePath);
  const std::optional<PictureSize> size = MeasureBitmapFile(shown.view());
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(*size, (PictureSize{64, 48}));
  EXPECT_EQ(FitPictureInBox(size->cx, size->cy, 196, 50), (PictureSize{66, 50}));

  // A bitmap is drawn as it is; a JPEG cannot be measured as a bitmap.
  PicturePath bitmap("Images/ConvertionJPEG.bmp");
  EXPECT_EQ(ConvertJpegForPreview(bitmap), JpegConversion::kNotJpeg);
  EXPECT_EQ(bitmap.view(), "Images/ConvertionJPEG.bmp");
  EXPECT_FALSE(MeasureBitmapFile("photo.JPG").has_value());
  EXPECT_FALSE(MeasureBitmapFile("missing.bmp").has_value());
}

TEST_F(PictureConversion, AFailedConversionNeverNamesTheSharedBitmap) {
  // Without its folder the bitmap cannot be written.
  PicturePath shown("photo.JPG");
  EXPECT_EQ(ConvertJpegForPreview(shown), JpegConversion::kFailed);
  EXPECT_EQ(shown.view(), "photo.JPG");

  // With a bitmap that another window converted before, a JPEG that cannot be read does not
  // point at it.
  ASSERT_EQ(::mkdir("Images", 0755), 0);
  PicturePath other("photo.JPG");
  ASSERT_EQ(ConvertJpegForPreview(other), JpegConversion::kConverted);
  test::WriteBytes(file("broken.jpeg"), "not a picture");
  PicturePath broken("broken.jpeg");
  EXPECT_EQ(ConvertJpegForPreview(broken), JpegConversion::kFailed);
  EXPECT_EQ(broken.view(), "broken.jpeg");
  PicturePath missing("missing.jpg");
  EXPECT_EQ(ConvertJpegForPreview(missing), JpegConversion::kFailed);
  EXPECT_EQ(missing.view(), "missing.jpg");
}

}  // namespace
}  // namespace zd
