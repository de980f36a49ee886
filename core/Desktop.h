// Desktop: everything the program's logic needs of the person at the screen.
//
// Message boxes, the OK/Cancel question, the "Reading Data" progress window,
// the file and folder choosers and the web browser all go through this one
// interface, so the same logic runs under the Qt window, in the mctfcli
// terminal command and in tests. Every call blocks until the person has
// answered, as a modal box would.
//
// What only a desktop has (several files at once, folders, a browser) comes
// with an answer for a place without it, such as a terminal: the single
// file chooser, a cancelled chooser, no browser.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mctf {

// The application's title: the caption of its message boxes.
inline constexpr std::string_view kAppTitle = "mctfutil";

enum class MessageIcon { None, Exclamation, Question, Information };

class Desktop {
public:
    virtual ~Desktop() = default;

    // A message box with an OK button.
    virtual void ShowMessage(std::string_view text, std::string_view caption = kAppTitle,
                             MessageIcon icon = MessageIcon::None) = 0;

    // An OK/Cancel box with the question icon, Cancel the default answer;
    // true when OK was chosen.
    virtual bool Confirm(std::string_view text, std::string_view caption) = 0;

    // The modeless "Reading Data" window with one bar from 0 to 100.
    virtual void OpenProgress() = 0;
    virtual void SetProgress(int position) = 0;
    virtual void CloseProgress() = 0;

    // A file-open chooser. `filters` is a list of "Caption (*.ext)" entries
    // separated by ";;", the first one active; `startFolder` is the folder it
    // opens in, empty for the chooser's own choice. nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(std::string_view filters,
                                                  const std::string& startFolder) = 0;

    // The same chooser taking several files at once; empty when cancelled.
    virtual std::vector<std::string> ChooseFiles(std::string_view filters,
                                                 const std::string& startFolder) {
        std::optional<std::string> file = ChooseFile(filters, startFolder);
        return file ? std::vector<std::string>{*file} : std::vector<std::string>{};
    }

    // A folder chooser titled `title`, opening in startFolder (empty: the
    // chooser's own choice); nullopt when cancelled.
    virtual std::optional<std::string> ChooseFolder(std::string_view /*title*/,
                                                    const std::string& /*startFolder*/) {
        return std::nullopt;
    }

    // A message box with OK and one more button captioned `action`, which
    // a screen reader describes with `description`; true when that button
    // was chosen.
    virtual bool ShowMessageOffering(std::string_view text, std::string_view /*action*/,
                                     std::string_view /*description*/,
                                     std::string_view caption = kAppTitle,
                                     MessageIcon icon = MessageIcon::None) {
        ShowMessage(text, caption, icon);
        return false;
    }

    // Shows the page at `path` (a local file) in the desktop's web browser;
    // false when none took it.
    virtual bool OpenInBrowser(const std::string& /*path*/) { return false; }
};

}  // namespace mctf
