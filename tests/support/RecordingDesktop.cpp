#include "tests/support/RecordingDesktop.h"

#include <gtest/gtest.h>

namespace mctf::testing {

void RecordingDesktop::ShowMessage(std::string_view text, std::string_view caption,
                                   MessageIcon icon) {
    messages.push_back({std::string(text), std::string(caption), icon});
}

bool RecordingDesktop::Confirm(std::string_view text, std::string_view) {
    confirmations.emplace_back(text);
    if (confirmAnswers.empty()) return false;
    bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void RecordingDesktop::OpenProgress() {
    EXPECT_FALSE(progressOpen) << "progress window opened twice";
    progressOpen = true;
    ++progressOpened;
}

void RecordingDesktop::SetProgress(int position) {
    EXPECT_TRUE(progressOpen) << "progress set while no window is open";
    progress.push_back(position);
}

void RecordingDesktop::CloseProgress() {
    EXPECT_TRUE(progressOpen) << "progress window closed while not open";
    progressOpen = false;
    ++progressClosed;
}

std::optional<std::string> RecordingDesktop::ChooseFile(std::string_view filters,
                                                        const std::string& startFolder) {
    fileFilters.emplace_back(filters);
    fileStartFolders.push_back(startFolder);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

}  // namespace mctf::testing
