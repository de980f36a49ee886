// Resource paths of the pictures, clips and icon compiled into the program.
// The .qrc sits in resources/ and is listed in every binary that shows them:
// compiled into a static library it would be dropped by the linker.
#pragma once

namespace mctf {

inline constexpr const char* kAppIcon = ":/mctfutil/icon.png";
inline constexpr const char* kAppIconSmall = ":/mctfutil/icon16.png";
// The two looping clips either side of the main window's commands.
inline constexpr const char* kRightClip = ":/mctfutil/flag_run.gif";
inline constexpr const char* kLeftClip = ":/mctfutil/rocket_jump.gif";
// The two pictures of the About box, left and right of the credits.
inline constexpr const char* kAboutLeftPicture = ":/mctfutil/about_flag.png";
inline constexpr const char* kAboutRightPicture = ":/mctfutil/about_rocket.png";

}  // namespace mctf
