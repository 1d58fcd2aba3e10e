#pragma once
// Makes the disk "full" for this process without root: while a guard lives,
// files cannot grow past a few bytes (RLIMIT_FSIZE) and the signal that would
// end the process is ignored, so each write past the limit fails with EFBIG
// exactly as on a full disk.

#include <csignal>
#include <sys/resource.h>

namespace korvo::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit low = saved_;
        low.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace korvo::test
