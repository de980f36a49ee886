// GameMaps: the maps the server can load from the game folder for the
// current game type, as the Maps page lists them when it opens.
//
// Those are the maps of every .pk3 in the pak folders of the game type
// (PakFolders: baseq3, and morvane for the modification's types), searched
// through their whole central directory as the server reads them, and the
// loose .bsp files of those folders' maps folders. A folder that is not
// there lists nothing and is no fault: a game path not set yet names none.
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "core/FileSystem.h"
#include "core/PakScanner.h"
#include "core/ServerSettings.h"

namespace mctf {

class Desktop;

// A pak that could not be read, or a folder that could not be listed.
struct GameMapsProblem {
    std::string path;
    ScanStatus scan = ScanStatus::Scanned;  // a pak: why it was not read
    std::error_code error;                  // a folder: why it was not listed
};

struct GameMaps {
    // Each name once, sorted without regard to case (names that differ in
    // case only are different names, as mctfcli maps lists them).
    std::vector<std::string> names;
    std::vector<GameMapsProblem> problems;
};

// Reads the game folder's maps; the desktop's "Reading Data" bar runs once
// from 0 to 100 over all the paks.
GameMaps FindGameMaps(const ServerSettings& settings, Desktop& desktop,
                      FileSystem& files = SystemFiles());

// One line about a problem: "PATH: ERROR Cannot open file", "PATH: path
// longer than 127 characters, skipped", "PATH: cannot read the folder: REASON".
std::string DescribeProblem(const GameMapsProblem& problem);

}  // namespace mctf
