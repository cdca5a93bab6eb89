#include "engine/io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

namespace corvane {

namespace {

Error FileFailure(const std::filesystem::path& path, const std::string& what, int err) {
  return Error{what + " \"" + path.string() + "\": " + std::strerror(err)};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileFailure(path, "Cannot open", errno != 0 ? errno : ENOENT);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return FileFailure(path, "Cannot read", EISDIR);
  std::string bytes;
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (bytes.size() + got > maxBytes) {
      return Error{"Cannot read \"" + path.string() + "\": the file is larger than " +
                   std::to_string(maxBytes) + " bytes"};
    }
    bytes.append(buffer, got);
  }
  if (in.bad()) return FileFailure(path, "Cannot read", EIO);
  return bytes;
}

namespace {

namespace fs = std::filesystem;

// The file a save writes: a symbolic link is followed to the file it points to (which need not
// exist yet), so the link stays and the file behind it gets the new contents.
Result<fs::path> SavedFile(const fs::path& path) {
  fs::path file = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat link {};
    if (::lstat(file.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return file;
    std::error_code ec;
    const fs::path next = fs::read_symlink(file, ec);
    if (ec) return FileFailure(path, "Cannot save", ec.value());
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return FileFailure(path, "Cannot save", ELOOP);
}

// A rename is only lasting once the folder that holds the name is on disk too. Best effort:
// some file systems cannot sync a folder, and the file itself is saved by then.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// For a folder that takes no new file (a shared folder) holding a file the user may write: the
// file is rewritten where it is. Its room is taken first, so a full disk leaves it unchanged.
Status SaveInPlace(const fs::path& shown, const fs::path& file, std::string_view bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return FileFailure(shown, "Cannot save", errno);
  const auto size = static_cast<off_t>(bytes.size());
  int err = size > 0 ? ::posix_fallocate(fd, 0, size) : 0;
  if (err == EOPNOTSUPP || err == EINVAL) err = 0;  // the file system cannot reserve room
  if (err == 0) {
    const bool written = ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
                         ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    err = written ? 0 : errno;
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) return FileFailure(shown, "Cannot save", err);
  return Done{};
}

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const Result<fs::path> saved = SavedFile(path);
  if (!saved) return Error{saved.error()};
  const fs::path& file = saved.value();
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  // A hidden temporary beside the file: ".name.XXXXXX", the X's filled in by mkstemp.
  std::string hidden = file.filename().string();
  hidden.insert(hidden.begin(), '.');
  hidden.append(".XXXXXX");
  std::string tempName = (folder / hidden).string();
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) {
    const int err = errno;
    if ((err == EACCES || err == EPERM) && ::access(file.c_str(), W_OK) == 0) {
      return SaveInPlace(path, file, bytes);
    }
    return FileFailure(path, "Cannot save", err);
  }
  // Keep the permissions an existing file had; new files get the usual 0644 less the umask.
  struct stat existing {};
  if (::stat(file.c_str(), &existing) == 0) {
    ::fchmod(fd, existing.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeErr = errno;
  if (::close(fd) != 0 || !written) {
    const int err = written ? errno : writeErr;
    ::unlink(tempName.c_str());
    return FileFailure(path, "Cannot save", err);
  }
  if (::rename(tempName.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(tempName.c_str());
    return FileFailure(path, "Cannot save", err);
  }
  SyncFolder(folder);
  return Done{};
}

Status AppendToFile(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return FileFailure(path, "Cannot save", errno);
  const bool written = WriteAll(fd, bytes);
  const int writeErr = errno;
  if (::close(fd) != 0 || !written)
    return FileFailure(path, "Cannot save", written ? errno : writeErr);
  return Done{};
}

}  // namespace corvane
