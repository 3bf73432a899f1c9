#include "storage/safe_save.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include "support/platform.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using storage::Speicherergebnis;
using testsupport::Lesen;
using testsupport::Schreiben;

TEST(SicherSchreiben, ErsetztDasZielUndLaesstKeinenRestZurueck) {
    testsupport::TempDir dir;
    Schreiben(dir / "a.txt", "alt");
    ASSERT_EQ(storage::SicherSchreiben(dir / "a.txt", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / "a.txt"), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

TEST(SicherSchreiben, NimmtDenErstenFreienTemporaernamen) {
    testsupport::TempDir dir;
    Schreiben(dir / "ini$$0.TMP", "fremd");
    ASSERT_EQ(storage::SicherSchreiben(dir / "x.ini", "inhalt", {"ini$$", ".TMP"}),
              Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / "ini$$0.TMP"), "fremd");  // someone else's file stays untouched
    EXPECT_FALSE(fs::exists(dir / "ini$$1.TMP"));   // ours was renamed away
    EXPECT_EQ(Lesen(dir / "x.ini"), "inhalt");
}

TEST(SicherSchreiben, AlleTemporaernamenBelegt) {
    testsupport::TempDir dir;
    for (int n = 0; n < 1000; ++n)
        Schreiben(dir / ("t" + std::to_string(n) + ".TMP"), "");
    Schreiben(dir / "z", "alt");
    EXPECT_EQ(storage::SicherSchreiben(dir / "z", "neu", {"t", ".TMP"}),
              Speicherergebnis::KeinTemporaername);
    EXPECT_EQ(Lesen(dir / "z"), "alt");
}

TEST(SicherSchreiben, FehlenderOrdner) {
    testsupport::TempDir dir;
    EXPECT_EQ(storage::SicherSchreiben(dir / "fehlt" / "a.txt", "neu"),
              Speicherergebnis::NichtSchreibbar);
    EXPECT_FALSE(fs::exists(dir / "fehlt"));
}

TEST(SicherSchreiben, ZielIstEinOrdner) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "ordner");
    EXPECT_EQ(storage::SicherSchreiben(dir / "ordner", "x"), Speicherergebnis::NichtSchreibbar);
    EXPECT_TRUE(fs::is_directory(dir / "ordner"));
}

}  // namespace

MUX6_NUR_POSIX(SicherSchreibenLinksUndGeraete, "symbolic links, file modes, FIFOs, /dev/full")
#ifndef _WIN32
namespace links_und_geraete {

namespace fs = std::filesystem;
using storage::Speicherergebnis;
using testsupport::Lesen;
using testsupport::Schreiben;

std::size_t Eintraege(const fs::path& ordner) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(ordner), fs::directory_iterator{}));
}

TEST(SicherSchreiben, SpeichertDurchEinenLinkInDieDateiDahinter) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "echt");
    Schreiben(dir / "echt" / "k.skr", "alt");
    fs::create_symlink("echt/k.skr", dir / "link.skr");
    ASSERT_EQ(storage::SicherSchreiben(dir / "link.skr", "neu"), Speicherergebnis::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.skr"));
    EXPECT_EQ(Lesen(dir / "echt" / "k.skr"), "neu");
    EXPECT_EQ(Eintraege(dir / "echt"), 1u);  // the temporary sat beside the real file
}

TEST(SicherSchreiben, EinVerwaisterLinkLegtSeinZielAn) {
    testsupport::TempDir dir;
    fs::create_symlink("neu.skr", dir / "link.skr");
    ASSERT_EQ(storage::SicherSchreiben(dir / "link.skr", "x"), Speicherergebnis::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.skr"));
    EXPECT_EQ(Lesen(dir / "neu.skr"), "x");
}

TEST(SicherSchreiben, EineLinkschleifeIstNichtSchreibbar) {
    testsupport::TempDir dir;
    fs::create_symlink("b", dir / "a");
    fs::create_symlink("a", dir / "b");
    EXPECT_EQ(storage::SicherSchreiben(dir / "a", "x"), Speicherergebnis::NichtSchreibbar);
}

TEST(SicherSchreiben, BehaeltDieRechteDerDatei) {
    testsupport::TempDir dir;
    Schreiben(dir / "geheim.sko", "alt");
    const auto rechte = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(dir / "geheim.sko", rechte);
    ASSERT_EQ(storage::SicherSchreiben(dir / "geheim.sko", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(fs::status(dir / "geheim.sko").permissions(), rechte);
}

TEST(SicherSchreiben, SchreibtInEinenFifoOhneIhnZuErsetzen) {
    testsupport::TempDir dir;
    const fs::path fifo = dir / "rohr";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int leser = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    ASSERT_EQ(storage::SicherSchreiben(fifo, "durchgereicht"), Speicherergebnis::Ok);
    char puffer[64] = {};
    const ssize_t n = ::read(leser, puffer, sizeof puffer);
    ::close(leser);
    EXPECT_EQ(std::string(puffer, n > 0 ? static_cast<std::size_t>(n) : 0), "durchgereicht");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Eintraege(dir.path()), 1u);
}

TEST(SicherSchreiben, EinFifoOhneLeserHaeltNichtAuf) {
    testsupport::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "rohr").c_str(), 0600), 0);
    EXPECT_EQ(storage::SicherSchreiben(dir / "rohr", "x"), Speicherergebnis::NichtSchreibbar);
}

TEST(SicherSchreiben, EinVollesGeraetBleibtGeraet) {
    if (!fs::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(storage::SicherSchreiben("/dev/full", "x"), Speicherergebnis::SchreibFehler);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(SicherSchreiben, InEinenOrdnerWirdNichtsGeschrieben) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "k.skr");
    EXPECT_EQ(storage::SicherSchreiben(dir / "k.skr", "x"), Speicherergebnis::NichtSchreibbar);
    EXPECT_EQ(Eintraege(dir / "k.skr"), 0u);
    EXPECT_EQ(Eintraege(dir.path()), 1u);
}

TEST(SicherSchreiben, TausendAlteTemporaerdateienHaltenNichtAuf) {
    testsupport::TempDir dir;
    Schreiben(dir / "k.skr", "alt");
    for (int n = 0; n < 1000; ++n)
        Schreiben(dir / ("k.skr$" + std::to_string(n) + ".TMP"), "");
    ASSERT_EQ(storage::SicherSchreiben(dir / "k.skr", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / "k.skr"), "neu");
    EXPECT_EQ(Eintraege(dir.path()), 1001u);
}

TEST(SicherSchreiben, EinMisslungenesSpeichernRaeumtAuf) {
    testsupport::TempDir dir;
    Schreiben(dir / "k.skr", "alt");
    // A file size limit makes the temporary's writing fail part way.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit vorher{};
    ::getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit eng = vorher;
    eng.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &eng), 0);
    const Speicherergebnis r = storage::SicherSchreiben(dir / "k.skr", "viel zu lang");
    ::setrlimit(RLIMIT_FSIZE, &vorher);
    EXPECT_EQ(r, Speicherergebnis::SchreibFehler);
    EXPECT_EQ(Lesen(dir / "k.skr"), "alt");
    EXPECT_EQ(Eintraege(dir.path()), 1u);
}

}  // namespace links_und_geraete
#endif
