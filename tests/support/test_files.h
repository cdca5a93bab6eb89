// Files for tests: temporary folders, reading and writing whole files, the bundled competitions.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace corvane::testing {

// The whole file, or "" when it cannot be read.
inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

#ifdef CORVANE_SOURCE_DIR
// A bundled competition file's text.
inline std::string ScriptText(const std::string& name) {
  return FileText(std::filesystem::path(CORVANE_SOURCE_DIR) / "Scripts" / name);
}
#endif

// A temporary folder of its own for a test: a name no other process (another build tree running
// the same test at the same moment) can take, removed with everything in it afterwards.
class TempFolder {
 public:
  explicit TempFolder(const std::string& label = "test") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("corvane-" + label + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no folder: " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    // A test may have taken the write permission away to see a write fail.
    ::chmod(path_.c_str(), 0700);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace corvane::testing
