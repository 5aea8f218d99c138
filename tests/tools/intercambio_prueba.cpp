#include "intercambio_prueba.h"

namespace brisolt::pruebas {

namespace {

DefCampo C(const char* n, int ancho) {
    return {n, TipoCampo::Cadena, ancho, 0};
}

}  // namespace

void Crear(const std::string& dir, const char* nombre, std::vector<DefCampo> campos,
           const std::vector<Fila>& filas) {
    Tabla t;
    t.SetDatabaseName(dir);
    t.SetTableName(nombre);
    t.FieldDefs() = std::move(campos);
    t.CreateTable();
    t.Open();
    for (const auto& f : filas) {
        t.Append();
        for (const auto& [campo, valor] : f) {
            if (t.FieldByName(campo).Info().tipo == 'L')
                t.FieldByName(campo).SetAsBoolean(valor == "T");
            else
                t.FieldByName(campo).SetAsString(valor);
        }
        t.Post();
    }
}

static Fila Asig(const char* asig, const char* prof, const char* grupo, const char* sesiones) {
    std::string g = grupo;
    return {{"CASIG", asig},           {"CPROF", prof},           {"CGRUP", g},
            {"NIVEL", g.substr(1, 3)}, {"CURSO", g.substr(0, 1)}, {"GRUPO", g.substr(g.size() - 1)},
            {"SESIONES", sesiones},    {"CTAREA", "*12"}};
}

void Intercambio(const std::string& dir) {
    const std::string veinte(20, '1');
    Crear(dir, "ASIGT.DBF",
          {C("CASIG", 10),
           C("CPROF", 10),
           C("CGRUP", 10),
           C("CAULA", 10),
           C("TURNO", 1),
           C("NIVEL", 5),
           C("CURSO", 3),
           C("GRUPO", 2),
           {"HORAS", TipoCampo::Flotante},
           C("SESIONES", 20),
           C("NCONEX", 4),
           C("CTAREA", 10)},
          {Asig("MAT", "GLJ", "1ESOA", "1111"), Asig("MAT", "GLJ", "1ESOB", "1111"),
           Asig("VAL", "PPM", "1ESOA", "111"), Asig("VAL", "PPM", "1ESOB", "111"),
           Asig("EFI", "RA", "1ESOA", "11"), Asig("EFI", "RA", "1ESOB", "11"),
           Asig("ING", "", "1ESOA", "111"), Asig("TUT", "GLJ", "1ESOA", "1"),
           Asig("GEH", "RA", "1ESOA", veinte.c_str()), Asig("", "PPM", "1ESOB", ""),
           Asig("FRA", "PPM", "1ESOC", "11")});
    Crear(dir, "AULAT.DBF", {C("ABREV", 10), C("NOMBRE", 80)},
          {{{"ABREV", "101"}, {"NOMBRE", "Aula 101"}}, {{"ABREV", "102"}, {"NOMBRE", "Aula 102"}}});
    Crear(dir, "GRUPOST.DBF", {C("ABREV", 10), C("TURNO", 1)},
          {{{"ABREV", "1ESOA"}, {"TURNO", "M"}},
           {{"ABREV", "1ESOB"}, {"TURNO", "M"}},
           {{"ABREV", "1ESOC"}, {"TURNO", "M"}}});
    Crear(dir, "PROFT.DBF", {C("ABREV", 10), C("NOMBRE", 80), {"DNI", TipoCampo::Entero}},
          {{{"ABREV", "GLJ"}, {"DNI", "11111111"}},
           {{"ABREV", "PPM"}, {"DNI", "22222222"}},
           {{"ABREV", "RA"}, {"DNI", "33333333"}},
           {{"ABREV", "XYZ"}, {"DNI", "44444444"}}});
    Crear(dir, "ASIGNOMT.DBF",
          {C("COD", 10), C("CODLARGO", 10), C("NOMBRE", 80), {"ESTAREA", TipoCampo::Logico}},
          {{{"COD", "MAT"}, {"ESTAREA", "F"}},
           {{"COD", "*12"}, {"ESTAREA", "T"}},
           {{"COD", "*GUA"}, {"ESTAREA", "T"}},
           {{"COD", "*RDP"}, {"ESTAREA", "T"}}});
}

}  // namespace brisolt::pruebas
