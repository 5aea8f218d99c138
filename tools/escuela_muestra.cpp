#include "escuela_muestra.h"

#include <cstdio>

#include "catalogo_escuela.h"
#include "modelo_escuela.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {

namespace {

using muestra::Escuela;

DefCampo C(const char* nombre, int ancho) {
    return {nombre, TipoCampo::Cadena, ancho, 0};
}
DefCampo N(const char* nombre, int ancho, int decimales = 0) {
    return {nombre, TipoCampo::Numerico, ancho, decimales};
}
DefCampo D(const char* nombre) {
    return {nombre, TipoCampo::Fecha, 0, 0};
}
DefCampo M(const char* nombre) {
    return {nombre, TipoCampo::Memo, 0, 0};
}
DefCampo L(const char* nombre) {
    return {nombre, TipoCampo::Logico, 0, 0};
}

// A new FoxPro 2.x table in the folder, open and ready for appends.
class Nueva {
  public:
    Nueva(const std::string& carpeta, const char* nombre, std::vector<DefCampo> campos) {
        t_.SetDatabaseName(carpeta);
        t_.SetTableName(nombre);
        t_.SetTableLevel(NivelTabla::FoxPro2);
        t_.FieldDefs() = std::move(campos);
        t_.CreateTable();
        t_.SetExclusive(true);
        t_.Open();
    }
    ~Nueva() {
        try {
            t_.Close();
        } catch (...) {
        }
    }
    Nueva(const Nueva&) = delete;
    Nueva& operator=(const Nueva&) = delete;

    Nueva& Fila() {
        t_.Append();
        return *this;
    }
    Nueva& S(const char* campo, const std::string& valor) {
        t_.FieldByName(campo).SetAsString(valor);
        return *this;
    }
    Nueva& I(const char* campo, int32_t valor) {
        t_.FieldByName(campo).SetAsInteger(valor);
        return *this;
    }
    Nueva& B(const char* campo, bool valor) {
        t_.FieldByName(campo).SetAsBoolean(valor);
        return *this;
    }
    Nueva& F(const char* campo, int anio, int mes, int dia) {
        t_.FieldByName(campo).SetAsDateTime(FechaADias(anio, mes, dia));
        return *this;
    }
    void Guardar() { t_.Post(); }
    void Cerrar() { t_.Close(); }

  private:
    Tabla t_;
};

std::string CodCen(int i) {
    return std::to_string(muestra::Centros()[i].codigo);
}

void Asignat(const std::string& dir, const Escuela& e) {
    Nueva t(dir, "asignat.dbf",
            {C("CODASIG", 8),  C("VLITEASIG", 30), C("CLITEASIG", 30), C("RAMAESPEC", 4),
             C("HORSEMTE", 5), C("HORSEMPR", 5),   C("OPTATIVA", 1),   C("CIENCIAS", 1),
             C("LETRAS", 1),   C("GTP", 1),        C("LITRES", 3),     C("LITRESV", 3),
             N("NUMALGR", 4),  N("DGRUPO", 4),     N("VGRUPO", 4),     N("NGRUPO", 4),
             N("NFALTAL", 4),  N("NFALTAG", 4),    N("NRETRAL", 4),    N("NRETRAG", 4),
             N("HORANO", 4),   C("ACP", 3)});
    for (const auto& m : e.materias) {
        const auto& plan = muestra::Cursos()[m.curso];
        bool comun = false;
        for (const char* c : plan.comunes) comun = comun || m.litresv == c;
        bool ciencias = m.depart == "Matemàtiques" || m.depart == "Física i Química" ||
                        m.depart == "Biologia i Geologia" || m.depart == "Tecnologia";
        t.Fila()
            .S("CODASIG", m.codasig)
            .S("VLITEASIG", m.val)
            .S("CLITEASIG", m.cas)
            .S("RAMAESPEC", plan.nivel)
            .S("HORSEMTE", std::to_string(m.horas))
            .S("HORSEMPR", "0")
            .S("OPTATIVA", comun ? "N" : "S")
            .S("CIENCIAS", ciencias ? "S" : "N")
            .S("LETRAS", ciencias ? "N" : "S")
            .S("GTP", "N")
            .S("LITRES", m.litresv)
            .S("LITRESV", m.litresv)
            .I("NUMALGR", 30)
            .I("HORANO", m.horas * 35)
            .S("ACP", "")
            .Guardar();
    }
}

void Profesor(const std::string& dir, const Escuela& e) {
    Nueva t(dir, "profesor.dbf",
            {C("CODPROF", 4), N("DNI", 10), C("APENOMPROF", 40), C("DEPARTA", 30), C("SEXO", 1),
             D("FALTA"), D("FBAJA"), C("DOMICILIO", 40), C("LOCALIDAD", 30), C("TELEFONO", 9),
             C("CODCEN", 8)});
    int n = 0;
    for (const auto& p : e.profesores) {
        char codigo[16];
        std::snprintf(codigo, sizeof codigo, "%04d", ++n);
        t.Fila().S("CODPROF", codigo);
        if (!p.dniEnBlanco) t.I("DNI", p.dni);
        t.S("APENOMPROF", p.nombre)
            .S("DEPARTA", p.depart)
            .S("SEXO", std::string(1, p.sexo))
            .F("FALTA", 2015 + n % 9, 9, 1)
            .S("DOMICILIO", p.domicilio)
            .S("LOCALIDAD", p.localidad)
            .S("TELEFONO", p.telefono)
            .S("CODCEN", CodCen(0));
        if (p.bajaAnio) t.F("FBAJA", p.bajaAnio, p.bajaMes, p.bajaDia);
        t.Guardar();
    }
}

void Grupos(const std::string& dir, const Escuela& e) {
    Nueva t(dir, "grupos.dbf",
            {C("CODGRUP", 5), C("LITEGRUP", 30), C("TURNO", 1), N("DNI", 10), C("CODCUR", 4),
             C("CODAULA", 4), N("NUMALUM", 3), C("CODCEN", 8)});
    for (const auto& g : e.grupos)
        t.Fila()
            .S("CODGRUP", g.codigo)
            .S("LITEGRUP", g.literal)
            .S("TURNO", g.turno)
            .I("DNI", e.profesores[g.tutor].dni)
            .S("CODCUR", g.codigo.substr(0, 4))
            .S("CODAULA", e.aulas[g.aula].codigo)
            .I("NUMALUM", muestra::kAlumnosPorGrupo)
            .S("CODCEN", CodCen(0))
            .Guardar();
}

// Last year's timetable: each group's sessions laid out over the week in
// order. The export only reads which teacher teaches which subject to which
// group; the import replaces the rest.
void Horarios(const std::string& dir, const Escuela& e) {
    Nueva hg(dir, "horgrup.dbf",
             {C("CODCEN", 8), C("CODGRUP", 5), N("DIASEM", 1), N("NUMHORA", 2), C("HORDIADES", 5),
              C("HORDIAHAS", 5), C("CODASIG", 8), N("DNI", 10), N("CODAULA", 3)});
    Nueva hp(dir, "horprof.dbf",
             {C("CODCEN", 8), N("DNI", 10), N("DIASEM", 1), N("NUMHORA", 2), C("HORAD", 5),
              C("HORAH", 5), C("OCUPA", 5), C("CODGRUP", 5), C("CODASIG", 8), N("CODAULA", 3)});
    const auto& horas = muestra::Centros()[0].horas;
    const int porDia = static_cast<int>(horas.size());
    for (const auto& g : e.grupos) {
        int hueco = 0;
        const std::string& aula = e.aulas[g.aula].codigo;
        for (const auto& c : g.clases) {
            const auto& m = e.materias[c.materia];
            const auto& p = e.profesores[c.profesor];
            for (int s = 0; s < m.horas; ++s, ++hueco) {
                int dia = hueco / porDia + 1, hora = hueco % porDia + 1;
                hg.Fila()
                    .S("CODCEN", CodCen(0))
                    .S("CODGRUP", g.codigo)
                    .I("DIASEM", dia)
                    .I("NUMHORA", hora)
                    .S("HORDIADES", horas[hora - 1].first)
                    .S("HORDIAHAS", horas[hora - 1].second)
                    .S("CODASIG", m.codasig)
                    .I("DNI", p.dni);
                if (aula.size() <= 3) hg.I("CODAULA", std::stoi(aula));
                hg.Guardar();
                hp.Fila()
                    .S("CODCEN", CodCen(0))
                    .I("DNI", p.dni)
                    .I("DIASEM", dia)
                    .I("NUMHORA", hora)
                    .S("HORAD", horas[hora - 1].first)
                    .S("HORAH", horas[hora - 1].second)
                    .S("OCUPA", muestra::kTareaDocencia)
                    .S("CODGRUP", g.codigo)
                    .S("CODASIG", m.codasig);
                if (aula.size() <= 3) hp.I("CODAULA", std::stoi(aula));
                hp.Guardar();
            }
        }
    }
    // A guard duty for every teacher still at the school.
    int n = 0;
    for (const auto& p : e.profesores) {
        if (p.bajaAnio || p.dni == 0) continue;
        int hora = n % porDia + 1;
        hp.Fila()
            .S("CODCEN", CodCen(0))
            .I("DNI", p.dni)
            .I("DIASEM", (n / porDia) % 5 + 1)
            .I("NUMHORA", hora)
            .S("HORAD", horas[hora - 1].first)
            .S("HORAH", horas[hora - 1].second)
            .S("OCUPA", "GUA")
            .Guardar();
        ++n;
    }
}

void AsigAlum(const std::string& dir, const Escuela& e) {
    Nueva t(dir, "asigalum.dbf",
            {C("CODIGO", 10), C("CODASIG", 8), C("CODCUR", 4), C("CODGRUP", 5), C("CONVALIDA", 1)});
    for (const auto& a : e.alumnos) {
        const auto& g = e.grupos[a.grupo];
        for (int m : a.materias)
            t.Fila()
                .S("CODIGO", a.codigo)
                .S("CODASIG", e.materias[m].codasig)
                .S("CODCUR", g.codigo.substr(0, 4))
                .S("CODGRUP", g.codigo)
                .S("CONVALIDA", "N")
                .Guardar();
    }
}

void Alumnos(const std::string& dir, const Escuela& e) {
    Nueva t(dir, "alumnos.dbf",
            {C("APENOM", 45), C("CODIGO", 10), C("CODIGO2", 10), D("FECHANAC"), C("SEXO", 1),
             C("DOMICILIO", 40), C("CODPOSTAL", 5), C("LOCALIDAD", 30), C("TELEFONO", 9),
             C("CODCUR", 4), C("CODGRUP", 5), N("REPITE", 1), M("OBS"), M("COMENTARIO")});
    for (const auto& a : e.alumnos) {
        const auto& g = e.grupos[a.grupo];
        t.Fila()
            .S("APENOM", a.apenom)
            .S("CODIGO", a.codigo)
            .S("CODIGO2", a.codigo2)
            .F("FECHANAC", a.nacAnio, a.nacMes, a.nacDia)
            .S("SEXO", std::string(1, a.sexo))
            .S("DOMICILIO", a.domicilio)
            .S("CODPOSTAL", a.cp)
            .S("LOCALIDAD", a.localidad)
            .S("TELEFONO", a.telefono)
            .S("CODCUR", g.codigo.substr(0, 4))
            .S("CODGRUP", g.codigo)
            .I("REPITE", a.repite);
        if (!a.obs.empty()) t.S("OBS", a.obs);
        if (!a.comentario.empty()) t.S("COMENTARIO", a.comentario);
        t.Guardar();
    }
}

void Aulas(const std::string& dir, const Escuela& e) {
    Nueva t(dir, "aulas.dbf",
            {C("CODAULA", 4), C("LITAULA", 30), N("CAPACIDAD", 3), N("PLANTA", 2), C("CODCEN", 8)});
    for (const auto& a : e.aulas)
        t.Fila()
            .S("CODAULA", a.codigo)
            .S("LITAULA", a.literal)
            .I("CAPACIDAD", a.capacidad)
            .I("PLANTA", a.planta)
            .S("CODCEN", CodCen(0))
            .Guardar();
}

void Centro(const std::string& dir) {
    Nueva t(dir, "centro.dbf",
            {N("CODCEN", 8), C("LITCEN", 45), C("DOMICEN", 40), C("CPCEN", 5), C("LOCCEN", 30),
             C("PROVCEN", 20), C("TELCEN", 9), C("TIPOCEN", 4)});
    for (const auto& c : muestra::Centros())
        t.Fila()
            .I("CODCEN", c.codigo)
            .S("LITCEN", c.nombre)
            .S("DOMICEN", c.domicilio)
            .S("CPCEN", c.cp)
            .S("LOCCEN", c.localidad)
            .S("PROVCEN", "València")
            .S("TELCEN", c.telefono)
            .S("TIPOCEN", "IES")
            .Guardar();
}

void Lhortipo(const std::string& dir) {
    Nueva t(dir, "lhortipo.dbf",
            {C("CODCEN", 8), N("NUMHORA", 2), C("DESDE", 5), C("HASTA", 5), C("TIPO", 1)});
    for (const auto& c : muestra::Centros())
        for (size_t h = 0; h < c.horas.size(); ++h)
            t.Fila()
                .S("CODCEN", std::to_string(c.codigo))
                .I("NUMHORA", static_cast<int32_t>(h + 1))
                .S("DESDE", c.horas[h].first)
                .S("HASTA", c.horas[h].second)
                .S("TIPO", "L")
                .Guardar();
}

void Ocupa(const std::string& dir) {
    Nueva t(dir, "OCUPA.dbf", {C("OCUPA", 5), C("VLITERAL", 40), C("CLITERAL", 40), L("LECTIVA")});
    for (const auto& x : muestra::Tareas()) {
        bool lectiva = std::string(x.codigo) == muestra::kTareaDocencia;
        t.Fila()
            .S("OCUPA", x.codigo)
            .S("VLITERAL", x.val)
            .S("CLITERAL", x.cas)
            .B("LECTIVA", lectiva);
        t.Guardar();
    }
}

}  // namespace

void ConstruirEscuelaMuestra(const std::string& carpetaNativa, uint32_t semilla, int escala) {
    Escuela e = muestra::DibujarEscuela(semilla, escala);
    if (!CrearCarpetas(carpetaNativa)) throw Error("No se puede crear la carpeta " + carpetaNativa);
    Asignat(carpetaNativa, e);
    Centro(carpetaNativa);
    Profesor(carpetaNativa, e);
    AsigAlum(carpetaNativa, e);
    Aulas(carpetaNativa, e);
    Grupos(carpetaNativa, e);
    Alumnos(carpetaNativa, e);
    Horarios(carpetaNativa, e);
    Lhortipo(carpetaNativa);
    Ocupa(carpetaNativa);
}

}  // namespace brisolt
