#pragma once
// A fresh folder for one test, removed afterwards; optionally the working
// directory while it lives (the settings file is resolved against it).

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
  public:
    explicit TempDir(bool alsArbeitsverzeichnis = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return pfad_; }
    std::filesystem::path operator/(const std::string& name) const { return pfad_ / name; }

  private:
    std::filesystem::path pfad_;
    std::filesystem::path vorher_;
};

std::string Lesen(const std::filesystem::path& p);
void Schreiben(const std::filesystem::path& p, const std::string& inhalt);

// Switches LC_ALL for the scope; false from ok() when the locale is missing.
class LocaleScope {
  public:
    explicit LocaleScope(const char* name);
    ~LocaleScope();
    bool ok() const { return ok_; }

  private:
    std::string vorher_;
    bool ok_;
};

}  // namespace testsupport
