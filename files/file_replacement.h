// Files replaced whole or not at all. What is written goes to a temporary
// file beside the target, is synced and renamed over the target only when
// every byte was written; a failure, SIGINT, SIGTERM or SIGHUP removes it and
// leaves the earlier file byte for byte as it was (after kill -9 a stray
// ".NAME.kaldora-XXXXXX" may remain beside it). A target that exists and is
// not a regular file (a device, a FIFO, a terminal) cannot be renamed over:
// it gets the bytes directly, once they are complete. Plain POSIX, no Qt.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace kaldora {

class FileReplacement {
public:
    // Makes the temporary file; Error() says why it could not (an errno),
    // before anything is written.
    explicit FileReplacement(const std::string& target);
    ~FileReplacement();  // removes the temporary file unless committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    int Error() const { return error_; }
    // The temporary file, a regular one, to be written by descriptor or by
    // name (a library that opens the file itself).
    const std::string& Path() const { return temporary_; }
    int Descriptor() const { return fd_; }
    // The folder the temporary file is in, for a library's own scratch files.
    std::string Folder() const;

    // Puts the written file in the target's place: 0, or the errno of what
    // failed (then the target is as it was).
    int Commit();

private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
    bool direct_ = false;  // the target is not a regular file
    int slot_ = -1;        // where the signal handler finds the name
};

// `bytes` as the whole new content of `target`: 0, or the errno of what
// failed.
int ReplaceFile(const std::string& target, std::string_view bytes);

// A file without a name in TMPDIR (else /tmp), gone when closed: a
// descriptor, or -1 with errno set.
int OpenScratchFile();

// Descriptors 0, 1 and 2 that are closed are opened on /dev/null, so that no
// file opened later takes their place; standard output read-only, so that
// printing to it still fails and is said.
void OpenMissingStandardStreams();

// Which file a descriptor or a path is: regular files only.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> RegularFileOf(int fd);
std::optional<FileIdentity> RegularFileAt(const std::string& path);

}  // namespace kaldora
