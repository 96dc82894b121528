#include "files/file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>

namespace kaldora {

namespace {

// The temporary files being written, for the signal handler: fixed storage,
// since a handler may not allocate.
struct PendingFile {
    std::atomic<bool> used{false};
    char path[PATH_MAX];
};
PendingFile pendingFiles[16];
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previousActions[std::size(kStopSignals)];

extern "C" void RemovePendingFilesAndStop(int signal) {
    for (PendingFile& p : pendingFiles)
        if (p.used.load(std::memory_order_acquire)) unlink(p.path);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        if (kStopSignals[i] == signal) sigaction(signal, &previousActions[i], nullptr);
    raise(signal);
}

// Once per process; a signal that was ignored stays ignored.
void InstallStopHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
            if (sigaction(kStopSignals[i], nullptr, &previousActions[i]) != 0) continue;
            if (previousActions[i].sa_handler == SIG_IGN) continue;
            struct sigaction action {};
            action.sa_handler = RemovePendingFilesAndStop;
            sigemptyset(&action.sa_mask);
            sigaction(kStopSignals[i], &action, nullptr);
        }
    });
}

int RememberPending(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    static std::mutex lock;
    const std::lock_guard guard(lock);
    for (int i = 0; i < static_cast<int>(std::size(pendingFiles)); ++i) {
        PendingFile& p = pendingFiles[i];
        if (p.used.load(std::memory_order_relaxed)) continue;
        std::memcpy(p.path, path.c_str(), path.size() + 1);
        p.used.store(true, std::memory_order_release);
        return i;
    }
    return -1;
}

void ForgetPending(int slot) {
    if (slot >= 0) pendingFiles[slot].used.store(false, std::memory_order_release);
}

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link is followed, so that the file it names is replaced, not the link.
std::string ResolvedTarget(const std::string& target) {
    struct stat st {};
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    char* resolved = realpath(target.c_str(), nullptr);
    if (!resolved) return target;
    std::string path(resolved);
    std::free(resolved);
    return path;
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

// Renamed entries reach the disk with their folder.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

FileReplacement::FileReplacement(const std::string& target) : target_(ResolvedTarget(target)) {
    struct stat st {};
    const bool exists = stat(target_.c_str(), &st) == 0;
    direct_ = exists && !S_ISREG(st.st_mode);
    if (exists && S_ISDIR(st.st_mode)) {
        error_ = EISDIR;
        return;
    }
    std::string folder = FolderOf(target_);
    if (direct_) folder = TemporaryFolder();
    // A name of at most 255 bytes, hidden, that says whose it is.
    const std::string base = folder + "/." + NameOf(target_).substr(0, 200) + ".kaldora-";
    std::random_device device;
    std::mt19937 random(device() ^ static_cast<unsigned>(getpid()));
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    InstallStopHandlers();
    // A stop signal waits while a file is made and not yet remembered, so
    // that none is left behind.
    sigset_t stops, previous;
    sigemptyset(&stops);
    for (const int signal : kStopSignals) sigaddset(&stops, signal);
    pthread_sigmask(SIG_BLOCK, &stops, &previous);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = base;
        for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
        fd_ = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = name;
            slot_ = RememberPending(temporary_);
            break;
        }
        if (errno != EEXIST) break;
    }
    error_ = fd_ >= 0 ? 0 : errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    // The replaced file keeps its permissions.
    if (fd_ >= 0 && exists && !direct_) fchmod(fd_, st.st_mode & 07777);
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) close(fd_);
    if (!temporary_.empty()) unlink(temporary_.c_str());
    ForgetPending(slot_);
}

std::string FileReplacement::Folder() const { return FolderOf(temporary_); }

int FileReplacement::Commit() {
    if (error_ != 0) return error_;
    if (fsync(fd_) != 0 && errno != EINVAL) return errno;
    if (direct_) {
        // A device or a FIFO gets the finished bytes as they are.
        const int out = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (out < 0) return errno;
        char buffer[1 << 16];
        int error = 0;
        for (off_t at = 0; error == 0;) {
            const ssize_t got = pread(fd_, buffer, sizeof buffer, at);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                if (got < 0) error = errno;
                break;
            }
            error = WriteAll(out, buffer, static_cast<std::size_t>(got));
            at += got;
        }
        if (close(out) != 0 && error == 0) error = errno;
        return error;
    }
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) return errno;
    if (rename(temporary_.c_str(), target_.c_str()) != 0) return errno;
    temporary_.clear();
    ForgetPending(slot_);
    slot_ = -1;
    SyncFolder(FolderOf(target_));
    return 0;
}

int ReplaceFile(const std::string& target, std::string_view bytes) {
    FileReplacement file(target);
    if (file.Error() != 0) return file.Error();
    if (const int error = WriteAll(file.Descriptor(), bytes.data(), bytes.size())) return error;
    return file.Commit();
}

int OpenScratchFile() {
    const std::string folder = TemporaryFolder();
    const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
    // A file system without unnamed files: a named one, removed at once.
    std::string name = folder + "/.kaldora-XXXXXX";
    const int named = mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) unlink(name.c_str());
    return named;
}

void OpenMissingStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // The lowest free descriptor: this one. Standard output stays
        // unwritable, so that what is printed to it still fails as on a
        // closed one and is said.
        const int opened = open("/dev/null", fd == 2 ? O_WRONLY : O_RDONLY);
        if (opened >= 0 && opened != fd) close(opened);
    }
}

std::optional<FileIdentity> RegularFileOf(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

std::optional<FileIdentity> RegularFileAt(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

}  // namespace kaldora
