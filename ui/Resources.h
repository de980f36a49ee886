// Resource paths of the pictures, clips and icon compiled into the program.
// The .qrc sits in resources/ and is listed in every binary that shows them:
// compiled into a static library it would be dropped by the linker.
#pragma once

namespace mctf {

inline constexpr const char* kAppIcon = ":/mctfutil/icon.png";
inline constexpr const char* kAppIconSmall = ":/mctfutil/icon16.png";
inline constexpr const char* kRightClip = ":/mctfutil/flag_run.gif";   // clip 151
inline constexpr const char* kLeftClip = ":/mctfutil/rocket_jump.gif"; // clip 153
inline constexpr const char* kAboutLeftPicture = ":/mctfutil/about_flag.png";     // 141
inline constexpr const char* kAboutRightPicture = ":/mctfutil/about_rocket.png";  // 140

}  // namespace mctf
