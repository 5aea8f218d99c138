// Showing a native folder in the spelling of drive C: and back again.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sistema_prueba.h"
#include "tables/carpetas.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

class Carpetas : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-carpetas-");
        ASSERT_FALSE(raiz_.empty());
        unidad_ = raiz_ / "drive_c";
        fs::create_directories(unidad_ / "GC" / "Otra Escuela");
        fs::create_directories(raiz_ / "fuera");
        // The drive reached through a link, as a Wine prefix's dosdevices do.
        if (!kEsWindows) fs::create_directory_symlink(unidad_, raiz_ / "enlace");
        prueba::FijarEntorno("BRISOLT_DRIVE_C", unidad_.string());
    }
    void TearDown() override {
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        std::error_code ec;
        fs::remove_all(raiz_, ec);
    }

    fs::path raiz_, unidad_;
};

TEST_F(Carpetas, ANativeFolderOnDriveCShowsInTheDrivesSpelling) {
    SALTAR_EN_WINDOWS(
        "the drive's spelling maps a Linux folder; on Windows paths are the drive's already");
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
    prueba::FijarEntorno("BRISOLT_DRIVE_C", c + "/");
    EXPECT_EQ(RutaWindows(c + "/GC/Otra Escuela"), "C:\\GC\\Otra Escuela");
    EXPECT_EQ(fs::path(RutaNativa(RutaWindows(c + "/GC/Otra Escuela"))),
              fs::path(c + "/GC/Otra Escuela"));
}

}  // namespace
}  // namespace brisolt
