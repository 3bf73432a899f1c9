#include "storage/safe_save.h"

#include <gtest/gtest.h>

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
