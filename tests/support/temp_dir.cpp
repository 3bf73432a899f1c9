#include "support/temp_dir.h"

#include <clocale>
#include <fstream>
#include <random>
#include <sstream>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "support/platform.h"

namespace testsupport {
namespace fs = std::filesystem;

TempDir::TempDir(bool alsArbeitsverzeichnis) {
    std::random_device rd;
    for (;;) {
        pfad_ = fs::temp_directory_path() / ("mux6test-" + std::to_string(rd()));
        if (fs::create_directory(pfad_))
            break;
    }
    if (alsArbeitsverzeichnis) {
        vorher_ = fs::current_path();
        fs::current_path(pfad_);
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!vorher_.empty())
        fs::current_path(vorher_, ec);
    // Read-only folders from permission tests must be removable again.
    fs::permissions(pfad_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto& e : fs::recursive_directory_iterator(pfad_, ec))
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(pfad_, ec);
}

std::string Lesen(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void Schreiben(const fs::path& p, const std::string& inhalt) {
    std::ofstream out(p, std::ios::binary);
    out << inhalt;
}

namespace {

// Windows' C library has no UTF-8 locales and names its own differently;
// language and country alone ("de_DE") choose its locale for them
// (German_Germany.1252), with the same decimal comma.
std::string Systemname(const char* name) {
#ifdef _WIN32
    const std::string n(name);
    return n.substr(0, n.find('.'));
#else
    return name;
#endif
}

}  // namespace

LocaleScope::LocaleScope(const char* name) {
    const char* alt = std::setlocale(LC_ALL, nullptr);
    vorher_ = alt ? alt : "C";
    ok_ = std::setlocale(LC_ALL, Systemname(name).c_str()) != nullptr;
}

bool SchreibschutzGilt() {
#ifdef _WIN32
    return true;
#else
    return ::geteuid() != 0;
#endif
}

LocaleScope::~LocaleScope() {
    std::setlocale(LC_ALL, vorher_.c_str());
}

}  // namespace testsupport
