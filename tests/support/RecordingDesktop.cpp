#include "tests/support/RecordingDesktop.h"

#include <gtest/gtest.h>

namespace mctf::testing {

void RecordingDesktop::ShowMessage(std::string_view text, std::string_view caption,
                                   MessageIcon icon) {
    messages.push_back({std::string(text), std::string(caption), icon, {}});
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
    std::vector<std::string> files = ChooseFiles(filters, startFolder);
    return files.empty() ? std::nullopt : std::optional(files.front());
}

std::vector<std::string> RecordingDesktop::ChooseFiles(std::string_view filters,
                                                       const std::string& startFolder) {
    fileFilters.emplace_back(filters);
    fileStartFolders.push_back(startFolder);
    if (fileAnswers.empty()) return {};
    std::vector<std::string> answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> RecordingDesktop::ChooseFolder(std::string_view title,
                                                          const std::string& startFolder) {
    return ChooseFile(title, startFolder);  // the title stands for the filters
}

bool RecordingDesktop::ShowMessageOffering(std::string_view text, std::string_view action,
                                           std::string_view, std::string_view caption,
                                           MessageIcon icon) {
    messages.push_back({std::string(text), std::string(caption), icon, std::string(action)});
    const bool taken = !offerAnswers.empty() && offerAnswers.front();
    if (!offerAnswers.empty()) offerAnswers.pop_front();
    return taken;
}

}  // namespace mctf::testing
