// The clips and About pictures on screens above 1x: the "@2x" drawings, twice
// the pixels at the same size on screen.
#include <QImageReader>
#include <QMovie>
#include <QPixmap>

#include <gtest/gtest.h>

#include "ui/Resources.h"

namespace mctf::testing {
namespace {

TEST(SharpArt, TwiceThePixelsAtTheSameSize) {
    for (const char* resource : {kRightClip, kLeftClip, kAboutLeftPicture, kAboutRightPicture}) {
        SCOPED_TRACE(resource);
        EXPECT_EQ(ArtForScale(resource, 1.0), resource);
        QString sharp = ArtForScale(resource, 2.0);
        EXPECT_TRUE(sharp.contains("@2x")) << sharp.toStdString();
        EXPECT_EQ(ArtForScale(resource, 1.5), sharp);
        QSize plain = QImageReader(resource).size();
        ASSERT_TRUE(plain.isValid());
        EXPECT_EQ(QImageReader(sharp).size(), plain * 2);

        // What the main window and the About box show at 2x.
        QPixmap picture(sharp);
        QMovie clip(sharp);
        if (QString(resource).endsWith(".gif")) {
            ASSERT_TRUE(clip.jumpToFrame(0));
            picture = clip.currentPixmap();
            EXPECT_GT(clip.frameCount(), 1);
        }
        EXPECT_EQ(picture.devicePixelRatio(), 2.0);
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), plain);
    }
    EXPECT_EQ(ArtForScale(kAppIcon, 2.0), kAppIcon);  // no drawing of its own: as it is
}

}  // namespace
}  // namespace mctf::testing
