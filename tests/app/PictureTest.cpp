#include "app/Picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PictureTest, HalfwayPassMeetsInTheMiddle) {
    EXPECT_EQ(app::blendByte(0, 255, 128), 128);
}

TEST(PictureTest, LastPassStopsShortOfThePictureOfVersionEight) {
    EXPECT_EQ(app::blendByte(0, 255, 254), 254);
    EXPECT_EQ(app::blendByte(255, 0, 254), 1);
    // (100 + 200 * 254) / 255 = 199.6: rounded to the nearest, not cut.
    EXPECT_EQ(app::blendByte(100, 200, 254), 200);
    // (200 * 254 + 10) / 255 = 199.25.
    EXPECT_EQ(app::blendByte(10, 200, 254), 199);
}

TEST(PictureTest, PassOneBarelyLeavesThePictureOfVersionSeven) {
    EXPECT_EQ(app::blendByte(255, 0, 1), 254);
    EXPECT_EQ(app::blendByte(0, 255, 1), 1);
    EXPECT_EQ(app::blendByte(37, 37, 1), 37);
}

TEST(PictureTest, PassBlendsEveryByteOfEveryRow) {
    QImage A(3, 2, QImage::Format_RGB888);
    QImage B(3, 2, QImage::Format_RGB888);
    A.fill(QColor(0, 255, 100));
    B.fill(QColor(255, 0, 200));
    QImage W(3, 2, QImage::Format_RGB888);
    app::blendPass(A, B, W, 128);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(W.pixelColor(x, y), QColor(128, 127, 150)) << x << "," << y;
        }
    }
}

TEST(PictureTest, EmblemsAreTwoPicturesOfOneSize) {
    const QImage A = app::TForm1::pictureA();
    const QImage B = app::TForm1::pictureB();
    ASSERT_FALSE(A.isNull());
    ASSERT_FALSE(B.isNull());
    EXPECT_EQ(A.size(), QSize(504, 331));
    EXPECT_EQ(B.size(), QSize(504, 331));
    EXPECT_NE(A, B);
}

TEST(PictureTest, WindowIsTheSizeOfThePictureAndFrameless) {
    app::TForm1 form([](int) {});
    EXPECT_EQ(form.size(), QSize(504, 331));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form.shownPicture(), app::TForm1::pictureA());
}

TEST(PictureTest, AnimationBlinksBlendsAndCloses) {
    std::vector<int> pauses;
    std::vector<double> opacities;
    app::TForm1 form([&](int milliseconds) {
        pauses.push_back(milliseconds);
        opacities.push_back(form.windowOpacity());
    });
    form.exec();
    EXPECT_EQ(pauses, (std::vector<int>{500, 100, 100, 100, 100, 1000}));
    // Alpha 0 waits until blending is switched on: visible, then out and in twice.
    EXPECT_EQ(opacities, (std::vector<double>{1.0, 0.0, 1.0, 0.0, 1.0, 1.0}));
    QImage expected(504, 331, QImage::Format_RGB888);
    app::blendPass(app::TForm1::pictureA(), app::TForm1::pictureB(), expected, 254);
    EXPECT_EQ(form.shownPicture(), expected);
    EXPECT_FALSE(form.isVisible());
}

TEST(PictureTest, ShowPictureReturnsWhenTheWindowHasClosed) {
    int pauses = 0;
    app::ShowPicture([&](int) { ++pauses; });
    EXPECT_EQ(pauses, 6);
}

} // namespace
