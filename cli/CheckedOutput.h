// CheckedOutput: the stream buffer mctfcli's data goes through to standard
// output, written straight to the file descriptor so that no failed write
// goes unnoticed.
//
// Through std::cout a full disk, a pipe closed early (with SIGPIPE ignored)
// or a closed standard output would lose the bytes and the reason in the C
// library's buffer, and the program would still exit 0. Here the first
// failure is kept with its errno, nothing is written after it, and
// FinishOutput turns it into "mctfcli: standard output: REASON" and exit 1.
#pragma once

#include <array>
#include <iosfwd>
#include <streambuf>

namespace mctf {

class CheckedOutput : public std::streambuf {
public:
    // Over an open descriptor (1 for standard output). One closed already
    // is never written to, since a file opened later may have taken its
    // number: its first write fails with EBADF.
    explicit CheckedOutput(int descriptor);
    ~CheckedOutput() override;
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    // Writes what is buffered; the errno of the first write that failed, 0
    // when everything went out.
    int Finish();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Drain();

    int descriptor_;
    bool closed_;
    int error_ = 0;
    std::array<char, 4096> buffer_{};
};

// The end of a run whose data went to `output`: writes what is left and,
// when any write failed, says so on err. The command's status, made 1 if it
// was 0 and the output failed.
int FinishOutput(CheckedOutput& output, int status, std::ostream& err);

}  // namespace mctf
