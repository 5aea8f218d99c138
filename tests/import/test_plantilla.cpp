// The hour template: which lhortipo rows count, PLANTILLA.DBF as written, and
// the times the dialog leaves behind.

#include "import/plantilla.h"

#include "import/entorno.h"
#include "import/rejilla.h"

namespace brisolt::prueba {
namespace {

class Plantilla : public EntornoImportacion {
  protected:
    HorasClase Ejecutar() {
        GuardaCursor cursor(interfaz_);
        return PlantillaHoraria(*estado_, interfaz_, cursor);
    }
    Filas FilasPlantilla() {
        return LeerFilas(Staging("PLANTILLA.DBF"), {"HORA", "HORAINI", "HORAFIN"});
    }
};

TEST_F(Plantilla, ReglasDeLhortipo) {
    CrearLhortipo({
        {"46000001", "1", "08:00", "08:55"},
        {"46000002", "2", "11:11", "11:11"},  // another centre
        {"46000001", "0", "07:00", "07:55"},  // hours out of range
        {"46000001", "21", "21:00", "21:55"},
        {"46000001", "-1", "06:00", "06:55"},
        {"46000001", "2", "08:55", "09:50"},
        {"46000001", "2", "09:00", ""},  // later wins; empty never clears
        {"46000001", "3", "", "10:45"},
        {"46000001", "3", "09:50:00", ""},  // cut to five characters
        {"", "4", "12:00", "12:55"},        // no centre: only for an empty list
        {"46000001", "20", "22:00", "22:55"},
        {"46000001", "20", "", ""},
    });

    const HorasClase horas = Ejecutar();

    Filas esperado;
    for (int h = 1; h <= 20; ++h) esperado.push_back({std::to_string(h), "", ""});
    esperado[0] = {"1", "08:00", "08:55"};
    esperado[1] = {"2", "09:00", "09:50"};
    esperado[2] = {"3", "09:50", "10:45"};
    esperado[19] = {"20", "22:00", "22:55"};
    EXPECT_EQ(FilasPlantilla(), esperado);
    for (int h = 1; h <= 20; ++h) {
        EXPECT_EQ(horas.Inicio(h), esperado[h - 1][1]) << h;
        EXPECT_EQ(horas.Fin(h), esperado[h - 1][2]) << h;
    }
    EXPECT_EQ(interfaz_.Veces("plantilla"), 1);
    EXPECT_EQ(interfaz_.Veces("espera"), 2);  // again after the dialog
    EXPECT_TRUE(estado_->wwTableLhortipo.Active());
}

TEST_F(Plantilla, ListaDeCentrosVacia) {
    estado_->CBCentro = "";
    CrearLhortipo({{"46000001", "1", "08:00", "08:55"}, {"", "4", "12:00", "12:55"}});
    const HorasClase horas = Ejecutar();
    for (int h = 1; h <= 20; ++h) {
        EXPECT_EQ(horas.Inicio(h), h == 4 ? "12:00" : "") << h;
        EXPECT_EQ(horas.Fin(h), h == 4 ? "12:55" : "") << h;
    }
}

TEST_F(Plantilla, LoQueDejaElDialogo) {
    CrearLhortipo({{"46000001", "1", "08:00", "08:55"}, {"46000001", "2", "08:55", "09:50"}});
    interfaz_.alPlantilla = [](Tabla& t) {
        EXPECT_EQ(t.RecordCount(), 20);
        for (t.First(); !t.Eof(); t.Next()) {
            const int hora = t.FieldByName("HORA").AsInteger();
            if (hora != 2 && hora != 7) continue;
            EntrarRejilla(t);
            if (hora == 2) t.FieldByName("HORAFIN").SetText("");  // cleared
            if (hora == 7) t.FieldByName("HORAINI").SetText("13:05");
            SalirRejilla(t);
        }
    };
    const HorasClase horas = Ejecutar();
    EXPECT_EQ(horas.Inicio(1), "08:00");
    EXPECT_EQ(horas.Fin(1), "08:55");
    EXPECT_EQ(horas.Inicio(2), "08:55");
    EXPECT_EQ(horas.Fin(2), "");
    EXPECT_EQ(horas.Inicio(7), "13:05");
    EXPECT_EQ(horas.Fin(7), "");
}

}  // namespace
}  // namespace brisolt::prueba
