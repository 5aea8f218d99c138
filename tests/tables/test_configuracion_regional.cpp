// The window's toolkit puts the user's locale in force for the whole process,
// so the C library formats numbers with a decimal comma in Spain. The files
// must not follow: dBASE numbers are written with "." in any locale, and the
// texts the engine makes keep only the separator it chooses.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sistema_prueba.h"
#include "tables/conversion.h"
#include "tables/tabla.h"
#include "test_tabla_comun.h"

namespace brisolt {
namespace {

using namespace prueba;

// A Spanish locale in force for LC_NUMERIC while the object lives: on Linux
// es_ES compiled into a scratch folder, on Windows the system's own.
class ComaDecimal {
  public:
    explicit ComaDecimal([[maybe_unused]] const Carpeta& dir) {
#ifndef _WIN32
        const std::string locales = dir / "locales";
        const std::string orden =
            "localedef -i es_ES -f UTF-8 '" + locales + "/es_ES.UTF-8' >/dev/null 2>&1";
        if (std::system(("mkdir -p '" + locales + "' && " + orden).c_str()) != 0) return;
        FijarEntorno("LOCPATH", locales);
        activa_ = std::setlocale(LC_NUMERIC, "es_ES.UTF-8") != nullptr;
#else
        // The newer C runtime knows the locale by its tag, the older by its name.
        activa_ = std::setlocale(LC_NUMERIC, "es-ES") != nullptr ||
                  std::setlocale(LC_NUMERIC, "Spanish_Spain.1252") != nullptr;
#endif
    }
    ~ComaDecimal() {
        std::setlocale(LC_NUMERIC, "C");
        if (!kEsWindows) QuitarEntorno("LOCPATH");
    }
    bool Activa() const {
        return activa_;
    }

  private:
    bool activa_ = false;
};

TEST(ConfiguracionRegional, NumbersInTheFileKeepThePointUnderADecimalCommaLocale) {
    Carpeta dir;
    ComaDecimal coma(dir);
    if (!coma.Activa()) {
        if (kEsWindows) GTEST_SKIP() << "Windows has no Spanish locale here";
        SALTAR_SIN_HERRAMIENTA("localedef could not build es_ES (package locales)");
    }
    char prueba[16];
    std::snprintf(prueba, sizeof prueba, "%.1f", 2.5);
    ASSERT_STREQ(prueba, "2,5");  // the C library now formats with a comma

    const std::string ruta = dir / "HORAS.DBF";
    Crear(ruta, {Cadena("COD", 4), Flotante("NHORAS")});
    {
        Tabla t;
        t.SetTableName(ruta);
        t.Open();
        t.Append();
        t.FieldByName("COD").SetAsString("MAT");
        t.FieldByName("NHORAS").SetAsFloat(2.5);
        t.Post();
        t.First();
        EXPECT_DOUBLE_EQ(t.FieldByName("NHORAS").AsFloat(), 2.5);
    }
    const std::string bytes = Leer(ruta);
    EXPECT_NE(bytes.find("2.5000"), std::string::npos);
    EXPECT_EQ(bytes.find("2,5000"), std::string::npos);

    // The engine's own texts carry only the separator it was given.
    FijarSeparadorDecimal('.');
    EXPECT_EQ(FlotanteATexto(2.5), "2.5");
    EXPECT_EQ(FlotanteATexto(1234.125), "1234.125");
    FijarSeparadorDecimal('\0');
}

}  // namespace
}  // namespace brisolt
