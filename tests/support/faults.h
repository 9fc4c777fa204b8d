#pragma once

// Faults the tests bring about on purpose: a full disk, a changed environment.

#include <QByteArray>
#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

// Files may grow to `bytes` at most while it lives: writes past that fail
// with EFBIG as on a full disk, even for root (the kernel's SIGXFSZ ignored).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};

// Sets an environment variable (removes it for a null value) while it lives.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        value.isNull() ? void(qunsetenv(name)) : void(qputenv(name, value));
    }
    ~EnvironmentVariable() { had_ ? void(qputenv(name_, old_)) : void(qunsetenv(name_)); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};
