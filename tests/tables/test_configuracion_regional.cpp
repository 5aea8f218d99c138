// The window's toolkit puts the user's locale in force for the whole process,
// so the C library formats numbers with a decimal comma in Spain. The files
// must not follow: dBASE numbers are written with "." in any locale, and the
// texts the engine makes keep only the separator it chooses.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "tables/conversion.h"
#include "tables/tabla.h"
#include "test_tabla_comun.h"

namespace brisolt {
namespace {

using namespace prueba;

// es_ES compiled into a scratch folder and put in force for LC_NUMERIC while
// the object lives.
class ComaDecimal {
  public:
    explicit ComaDecimal(const Carpeta& dir) {
        const std::string locales = dir / "locales";
        const std::string orden =
            "localedef -i es_ES -f UTF-8 '" + locales + "/es_ES.UTF-8' >/dev/null 2>&1";
        if (std::system(("mkdir -p '" + locales + "' && " + orden).c_str()) != 0) return;
        ::setenv("LOCPATH", locales.c_str(), 1);
        activa_ = std::setlocale(LC_NUMERIC, "es_ES.UTF-8") != nullptr;
    }
    ~ComaDecimal() {
        std::setlocale(LC_NUMERIC, "C");
        ::unsetenv("LOCPATH");
    }
    bool Activa() const { return activa_; }

  private:
    bool activa_ = false;
};

TEST(ConfiguracionRegional, NumbersInTheFileKeepThePointUnderADecimalCommaLocale) {
    Carpeta dir;
    ComaDecimal coma(dir);
    if (!coma.Activa()) GTEST_SKIP() << "localedef could not build es_ES";
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
