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

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  // A hidden temporary beside the target: ".name.XXXXXX", the X's filled in by mkstemp.
  std::string hidden = path.filename().string();
  hidden.insert(hidden.begin(), '.');
  hidden.append(".XXXXXX");
  std::string tempName = (folder / hidden).string();
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return FileFailure(path, "Cannot save", errno);
  // Keep the permissions an existing file had; new files get the usual 0644 less the umask.
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) {
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
  if (::rename(tempName.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tempName.c_str());
    return FileFailure(path, "Cannot save", err);
  }
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
