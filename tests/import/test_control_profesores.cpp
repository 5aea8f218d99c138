// The teacher identity check: no zero, a zero filled in the dialog, a zero
// still there after it.

#include "import/control_profesores.h"

#include "import/entorno.h"
#include "import/guarda_cursor.h"
#include "import/rejilla.h"

namespace brisolt::prueba {
namespace {

const char* const kSinDni =
    "¡Atención! Sigue habiendo algún Profesor sin D.N.I.\n\r"
    "Este proceso se dentendrá y deberá volver a ejecutar\n\r"
    "la Importación, para poder corregir la incidencia";

// What the person does in the dialog.
enum class EnDialogo { Nada, Rellenar, SinSalirDeLaRejilla };

struct Caso {
    const char* nombre;
    Filas proft;
    EnDialogo accion;
    bool sigue;
    int dialogos;
    std::vector<std::string> dnisFinales;
};

class ControlProfesores : public EntornoImportacion, public ::testing::WithParamInterface<Caso> {};

TEST_P(ControlProfesores, DecideYDejaLaTablaAbierta) {
    const Caso& caso = GetParam();
    CrearProft(caso.proft);
    interfaz_.alProfesores = [&](Tabla& t) {
        if (caso.accion == EnDialogo::Nada) return;
        // The grid is on the first row without DNI; the person types there.
        for (t.First(); !t.Eof(); t.Next())
            if (t.FieldByName("DNI").AsInteger() == 0) break;
        EntrarRejilla(t);
        t.FieldByName("DNI").SetText("22334455");
        if (caso.accion == EnDialogo::Rellenar) SalirRejilla(t);
    };

    bool sigue = false;
    {
        GuardaCursor cursor(interfaz_);
        sigue = ControlarProfesores(*estado_, interfaz_, cursor);
    }

    EXPECT_EQ(sigue, caso.sigue);
    EXPECT_EQ(interfaz_.Veces("profesores"), caso.dialogos);
    // The hour-glass comes back after the dialog.
    EXPECT_EQ(interfaz_.Veces("espera"), 1 + caso.dialogos);
    EXPECT_EQ(interfaz_.Veces("informar:" + std::string(kSinDni)), caso.sigue ? 0 : 1);
    EXPECT_EQ(interfaz_.Veces("cerrar"), caso.sigue ? 0 : 1);
    // Either way the teacher table object is left open (for the lookups, or
    // until the window goes).
    ASSERT_TRUE(estado_->tablaProfesores);
    EXPECT_TRUE(estado_->tablaProfesores->Active());

    std::vector<std::string> dnis;
    for (const auto& fila : LeerFilas(Ztemp("PROFT.DBF"), {"DNI"})) dnis.push_back(fila[0]);
    EXPECT_EQ(dnis, caso.dnisFinales);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ControlProfesores,
    ::testing::Values(
        Caso{"SinCeros",
             {{"GLJ", "G", "MAT", "11"}, {"RA", "R", "ING", "12"}},
             EnDialogo::Rellenar,
             true,
             0,
             {"11", "12"}},
        Caso{"TablaVacia", {}, EnDialogo::Rellenar, true, 0, {}},
        Caso{"RellenadoEnElDialogo",
             {{"GLJ", "G", "MAT", "11"}, {"RA", "R", "ING", ""}, {"PPM", "P", "FIS", "13"}},
             EnDialogo::Rellenar,
             true,
             1,
             {"11", "22334455", "13"}},
        Caso{"SigueFaltando", {{"GLJ", "G", "MAT", "0"}}, EnDialogo::Nada, false, 1, {"0"}},
        // Releasing the dialog's table drops the edit it never posted.
        Caso{"EdicionSinGuardar",
             {{"GLJ", "G", "MAT", "0"}},
             EnDialogo::SinSalirDeLaRejilla,
             false,
             1,
             {"0"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace brisolt::prueba
