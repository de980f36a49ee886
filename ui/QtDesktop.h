// QtDesktop: the Desktop of the window program. Message boxes and the file
// and folder choosers are Qt's own (the platform's native choosers where it
// has them), owned by the main window; the progress window is a
// ReadingDataWindow; pages open in the browser QDesktopServices names.
#pragma once

#include <memory>

#include "core/Desktop.h"

class QWidget;

namespace mctf {

class ReadingDataWindow;

class QtDesktop : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    // The window that owns the boxes; null centres them on the screen.
    void SetOwner(QWidget* owner) { owner_ = owner; }

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
    bool OpenInBrowser(const std::string& path) override;

    // The open progress window, null while none is open.
    ReadingDataWindow* ProgressWindow() const { return progress_.get(); }

private:
    QWidget* owner_ = nullptr;
    std::unique_ptr<ReadingDataWindow> progress_;
};

}  // namespace mctf
