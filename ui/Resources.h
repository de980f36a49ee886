// Resource paths of the pictures, clips and icon compiled into the program.
// The .qrc sits in resources/ and is listed in every binary that shows them:
// compiled into a static library it would be dropped by the linker.
#pragma once

#include <QString>

namespace mctf {

inline constexpr const char* kAppIcon = ":/mctfutil/icon.png";
inline constexpr const char* kAppIconSmall = ":/mctfutil/icon16.png";
// The two looping clips either side of the main window's commands.
inline constexpr const char* kRightClip = ":/mctfutil/flag_run.gif";
inline constexpr const char* kLeftClip = ":/mctfutil/rocket_jump.gif";
// The two pictures of the About box, left and right of the credits.
inline constexpr const char* kAboutLeftPicture = ":/mctfutil/about_flag.png";
inline constexpr const char* kAboutRightPicture = ":/mctfutil/about_rocket.png";

// The clip or picture to show at `devicePixelRatio`: its "@2x" drawing above
// 1x. Qt gives a file named "@2x" a pixel ratio of 2, so it keeps its size on
// screen and only gets sharper; QMovie and QPixmap do not look for it alone.
QString ArtForScale(const char* resource, qreal devicePixelRatio);

}  // namespace mctf
