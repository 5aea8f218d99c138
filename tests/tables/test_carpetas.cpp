// Showing a native folder in the spelling of drive C: and back again.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tables/carpetas.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

class Carpetas : public ::testing::Test {
  protected:
    void SetUp() override {
        char plantilla[] = "/tmp/brisolt-carpetas-XXXXXX";
        ASSERT_NE(::mkdtemp(plantilla), nullptr);
        raiz_ = plantilla;
        unidad_ = raiz_ / "drive_c";
        fs::create_directories(unidad_ / "GC" / "Otra Escuela");
        fs::create_directories(raiz_ / "fuera");
        // The drive reached through a link, as a Wine prefix's dosdevices do.
        fs::create_directory_symlink(unidad_, raiz_ / "enlace");
        ::setenv("BRISOLT_DRIVE_C", unidad_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("BRISOLT_DRIVE_C");
        std::error_code ec;
        fs::remove_all(raiz_, ec);
    }

    fs::path raiz_, unidad_;
};

TEST_F(Carpetas, ANativeFolderOnDriveCShowsInTheDrivesSpelling) {
    const std::string c = unidad_.string();
    struct Caso {
        std::string nativa, vista;
    };
    const Caso casos[] = {
        {c + "/GC", "C:\\GC"},
        {c + "/GC/", "C:\\GC"},
        {c + "/GC/Otra Escuela", "C:\\GC\\Otra Escuela"},
        {c, "C:\\"},
        {(raiz_ / "enlace/GC").string(), "C:\\GC"},
        // A name that only begins like the drive lies outside it.
        {c + "_otro/GC", c + "_otro/GC"},
        {(raiz_ / "fuera").string(), (raiz_ / "fuera").string()},
        {"/", "/"},
        {"relativa/GC", "relativa/GC"},
    };
    for (const Caso& caso : casos) EXPECT_EQ(RutaWindows(caso.nativa), caso.vista) << caso.nativa;

    // With a trailing slash on the drive's variable, and back to the same folder.
    ::setenv("BRISOLT_DRIVE_C", (c + "/").c_str(), 1);
    EXPECT_EQ(RutaWindows(c + "/GC/Otra Escuela"), "C:\\GC\\Otra Escuela");
    EXPECT_EQ(fs::path(RutaNativa(RutaWindows(c + "/GC/Otra Escuela"))),
              fs::path(c + "/GC/Otra Escuela"));
}

}  // namespace
}  // namespace brisolt
