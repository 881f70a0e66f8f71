#include "site/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quor::site {

namespace {

[[noreturn]] void CannotWrite(const std::string& path, int error)
{
    throw std::runtime_error("cannot write " + path + ": " + std::strerror(error));
}

[[noreturn]] void CannotRead(const std::string& path, int error)
{
    throw std::runtime_error("cannot read " + path + ": " + std::strerror(error));
}

// 0 when every byte was written, else the error number.
int WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// A new file in path's folder under a name of its own, made with the usual
// permissions (0666 less the umask, which the kernel applies and this process
// never changes). Returns the descriptor and fills temporary.
int CreateTemporary(const std::filesystem::path& target, std::string& temporary)
{
    static std::atomic<unsigned> made{0};
    for (int attempt = 0;; ++attempt) {
        temporary = (target.parent_path() / ("." + target.filename().string() + "." +
                                             std::to_string(::getpid()) + "." + std::to_string(made++)))
                        .string();
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt == 100)
            return fd;
    }
}

// Makes a rename in folder survive a power cut.
int SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

}  // namespace

void ReplaceFile(const std::string& path, const std::string& text)
{
    const std::filesystem::path target(path);
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0)
        CannotWrite(path, errno);
    // A file replaced keeps its permissions: a private backup stays private.
    int error = 0;
    struct stat replaced {};
    if (::stat(path.c_str(), &replaced) == 0 && ::fchmod(fd, replaced.st_mode & 07777) != 0)
        error = errno;
    if (error == 0)
        error = WriteAll(fd, text);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        CannotWrite(path, error);
    }
    if (const int synced = SyncFolder(target.parent_path()); synced != 0)
        CannotWrite(path, synced);
}

std::string ReadFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        CannotRead(path, errno);
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            CannotRead(path, error);
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return text;
}

}  // namespace quor::site
