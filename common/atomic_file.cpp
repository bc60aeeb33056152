#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "runtime_error.h"

namespace tilebash {

namespace {

constexpr std::size_t kReadLimit = 1 << 20;

// Closes a descriptor when it leaves scope, unless released first.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter++);
    return target.parent_path() / name;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The permissions of the file being replaced, which the new file keeps.
std::optional<mode_t> existingMode(const std::filesystem::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    return std::nullopt;
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        throw RuntimeError(errno == ENOENT ? ErrorCode::FileNotFound : ErrorCode::PathFileAccess,
                           path.string());
    }
    std::string content;
    char buffer[8192];
    while (content.size() < kReadLimit) {
        ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw RuntimeError(ErrorCode::PathFileAccess, path.string());
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (content.size() > kReadLimit) {
        content.resize(kReadLimit);
    }
    return content;
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path temporary = temporaryPathBeside(target);
    const std::optional<mode_t> mode = existingMode(target);
    // A new file gets the usual 0666 less the umask.
    FileDescriptor file(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode.value_or(0666)));
    if (file.get() < 0) {
        throw RuntimeError(ErrorCode::PathFileAccess, target.string());
    }
    bool written = writeAll(file.get(), bytes) && (!mode || ::fchmod(file.get(), *mode) == 0) &&
                   ::fsync(file.get()) == 0;
    written = file.close() && written;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw RuntimeError(ErrorCode::PathFileAccess, target.string());
    }
}

}  // namespace tilebash
