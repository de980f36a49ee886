// RecordingDesktop: a Desktop for tests. It records every call in order and
// answers questions, choosers and offers from queues; it has no web browser.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/Desktop.h"

namespace mctf::testing {

class RecordingDesktop : public Desktop {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
        std::string action;  // the button offered beside OK, if any
    };

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool Confirm(std::string_view text, std::string_view caption) override;
    void OpenProgress() override;
    void SetProgress(int position) override;
    void CloseProgress() override;
    std::optional<std::string> ChooseFile(std::string_view filters,
                                          const std::string& startFolder) override;
    std::vector<std::string> ChooseFiles(std::string_view filters,
                                         const std::string& startFolder) override;
    std::optional<std::string> ChooseFolder(std::string_view title,
                                            const std::string& startFolder) override;
    bool ShowMessageOffering(std::string_view text, std::string_view action,
                             std::string_view description, std::string_view caption,
                             MessageIcon icon) override;

    // Answers for the next Confirm calls; Cancel when the queue is empty.
    std::deque<bool> confirmAnswers;
    // Answers for the next choosers, cancelled when empty: the files chosen
    // (ChooseFile takes the first), for a folder chooser the folder.
    std::deque<std::vector<std::string>> fileAnswers;
    std::deque<bool> offerAnswers;  // taken or not; OK when empty

    std::vector<Message> messages;
    std::vector<std::string> confirmations;     // texts asked
    std::vector<std::string> fileFilters;       // filters offered
    std::vector<std::string> fileStartFolders;  // where each chooser opened
    std::vector<int> progress;                  // every position set
    int progressOpened = 0;
    int progressClosed = 0;
    bool progressOpen = false;
};

}  // namespace mctf::testing
