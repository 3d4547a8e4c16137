// POSIX file handling for the records file. Every descriptor is closed before a function returns.
#include "records/records_storage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace records {
namespace {

constexpr mode_t NEW_FILE_MODE = 0644;
constexpr std::size_t COPY_CHUNK = 4096;
constexpr char REPLACEMENT_SUFFIX[] = ".new";

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        if (fd_ < 0) return true;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::span<const std::uint8_t> bytes, WriteFunction write) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// -1 when the file cannot be read at all (a folder, a device error).
long readUpTo(int fd, std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long>(done);
}

// Copies what `from` holds beyond `offset` to the end of `to`.
bool copyTail(int from, off_t offset, int to, WriteFunction write) {
    if (::lseek(from, offset, SEEK_SET) < 0) return false;
    std::uint8_t chunk[COPY_CHUNK];
    for (;;) {
        const ssize_t got = ::read(from, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!writeAll(to, std::span<const std::uint8_t>(chunk, static_cast<std::size_t>(got)), write)) return false;
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

// Makes the rename itself survive a power cut; a folder that cannot be synced is no reason to fail.
void syncFolder(const std::string& path) {
    FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY));
    if (folder.valid()) ::fsync(folder.get());
}

bool writeReplacement(int old, const std::string& temporary, std::span<const std::uint8_t> bytes,
                      WriteFunction write) {
    struct stat oldStatus {};
    if (::fstat(old, &oldStatus) != 0) return false;
    FileDescriptor replacement(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, NEW_FILE_MODE));
    if (!replacement.valid()) return false;
    return ::fchmod(replacement.get(), oldStatus.st_mode & 07777) == 0 && writeAll(replacement.get(), bytes, write) &&
           copyTail(old, static_cast<off_t>(bytes.size()), replacement.get(), write) &&
           ::fsync(replacement.get()) == 0 && replacement.close();
}

// A records file that is a link (into a synced folder, say) stays one: the save replaces the file the
// link leads to.
std::string linkTarget(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    char target[PATH_MAX];
    return ::realpath(path.c_str(), target) != nullptr ? std::string(target) : path;
}

}  // namespace

std::string replacementPath(const std::string& path) { return path + REPLACEMENT_SUFFIX; }

bool fileReadable(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return file.valid();
}

long readFileStart(const std::string& path, std::span<std::uint8_t> buffer) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return -1;
    return readUpTo(file.get(), buffer);
}

bool createFileWith(const std::string& path, std::span<const std::uint8_t> bytes, WriteFunction write) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NEW_FILE_MODE));
    if (!file.valid()) return false;
    const bool written = writeAll(file.get(), bytes, write);
    return file.close() && written;
}

// The old file is opened for writing although only read, so that a file the user made read-only is
// left alone, as an in-place save would.
bool overwriteFileStart(const std::string& recordsPath, std::span<const std::uint8_t> bytes, WriteFunction write) {
    const std::string path = linkTarget(recordsPath);
    FileDescriptor old(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (!old.valid()) return false;
    const std::string temporary = replacementPath(path);
    if (!writeReplacement(old.get(), temporary, bytes, write) || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(path);
    return true;
}

// No fsync, unlike the records' saves: this one may come every second, and a process that is killed
// cannot lose what its write put in the page cache; only a power cut can, and then the rename leaves
// the old file or a cut one, which its reader refuses.
bool replaceFileWith(const std::string& givenPath, std::span<const std::uint8_t> bytes, WriteFunction write) {
    const std::string path = linkTarget(givenPath);
    const std::string temporary = replacementPath(path);
    FileDescriptor replacement(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, NEW_FILE_MODE));
    const bool written = replacement.valid() && writeAll(replacement.get(), bytes, write) && replacement.close();
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace records
