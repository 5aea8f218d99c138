#include "generador.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "colocacion.h"
#include "export/intercambio.h"
#include "lectura.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {

namespace {

struct Asignacion {
    std::string asig, prof, grupo, nivel, curso, tarea;
    int sesiones = 0;
};

struct FilaSolucion {
    int dia = 0, hora = 0;
    std::string tarea, prof, nivel, curso, asig, grupo, aula;

    auto Clave() const { return std::tie(dia, hora, grupo, prof, tarea); }
};

std::vector<Asignacion> LeerAsignaciones(const std::string& carpeta) {
    std::vector<Asignacion> r;
    Lectura t(carpeta, "ASIGT.DBF");
    for (; !t->Eof(); t->Next()) {
        Asignacion a;
        a.asig = t.S("CASIG");
        a.prof = t.S("CPROF");
        a.grupo = t.S("CGRUP");
        a.nivel = t.S("NIVEL");
        a.curso = t.S("CURSO");
        a.tarea = t.S("CTAREA");
        std::string sesiones = t.S("SESIONES");
        a.sesiones = static_cast<int>(std::count(sesiones.begin(), sesiones.end(), '1'));
        r.push_back(std::move(a));
    }
    return r;
}

std::vector<std::string> LeerColumna(const std::string& carpeta, const char* tabla,
                                     const char* campo) {
    std::vector<std::string> r;
    Lectura t(carpeta, tabla);
    for (; !t->Eof(); t->Next()) r.push_back(t.S(campo));
    return r;
}

// Task codes of the catalogue ("*GUA"), without the one the teaching
// sessions carry.
std::vector<std::string> LeerTareas(const std::string& carpeta,
                                    const std::set<std::string>& docencia) {
    std::vector<std::string> r;
    if (!ExisteArchivo(UnirRuta(carpeta, "ASIGNOMT.DBF"))) return r;
    Lectura t(carpeta, "ASIGNOMT.DBF");
    for (; !t->Eof(); t->Next())
        if (t->FieldByName("ESTAREA").AsBoolean() && !docencia.count(t.S("COD")))
            r.push_back(t.S("COD"));
    return r;
}

// Each group keeps its own room (groups in GRUPOST.DBF order take the rooms
// in AULAT.DBF order); when that one is taken, the first free room.
void PonerAulas(std::vector<FilaSolucion>& filas, const std::vector<std::string>& grupos,
                const std::vector<std::string>& aulas) {
    if (aulas.empty()) return;
    std::map<std::string, size_t> propia;
    for (const auto& g : grupos) propia.emplace(g, propia.size() % aulas.size());
    std::map<std::pair<int, int>, std::set<size_t>> ocupadas;
    for (auto& f : filas) {
        if (f.grupo.empty()) continue;
        auto& usadas = ocupadas[{f.dia, f.hora}];
        auto it = propia.find(f.grupo);
        if (it == propia.end()) it = propia.emplace(f.grupo, propia.size() % aulas.size()).first;
        size_t a = it->second;
        if (usadas.count(a)) {
            a = 0;
            while (a < aulas.size() && usadas.count(a)) ++a;
        }
        if (a == aulas.size()) continue;  // more classes than rooms at this hour
        usadas.insert(a);
        f.aula = aulas[a];
    }
}

// Two task rows per teacher, in slots where the teacher has no class.
void PonerTareas(std::vector<FilaSolucion>& filas, const std::vector<std::string>& profesores,
                 const std::vector<std::string>& tareas) {
    if (tareas.empty()) return;
    std::set<std::tuple<std::string, int, int>> ocupado;
    for (const auto& f : filas) ocupado.insert({f.prof, f.dia, f.hora});
    const int huecos = kDiasSolucion * kHorasSolucion;
    std::set<std::string> vistos;
    int n = 0;
    for (const auto& p : profesores) {
        if (p.empty() || !vistos.insert(p).second) continue;
        int puestas = 0;
        for (int i = 0; i < huecos && puestas < 2; ++i) {
            int h = (n * 5 + i * 3) % huecos;  // spread over the week
            int dia = h / kHorasSolucion + 1, hora = h % kHorasSolucion + 1;
            if (!ocupado.insert({p, dia, hora}).second) continue;
            FilaSolucion f;
            f.dia = dia;
            f.hora = hora;
            f.tarea = tareas[(n + puestas) % tareas.size()];
            f.prof = p;
            filas.push_back(std::move(f));
            ++puestas;
        }
        ++n;
    }
}

void Escribir(const std::string& carpeta, const std::vector<FilaSolucion>& filas) {
    Tabla t;
    t.SetDatabaseName(carpeta);
    t.SetTableName(intercambio::Soluc().archivo);
    t.FieldDefs() = intercambio::Soluc().campos;
    t.CreateTable();
    t.SetExclusive(true);
    t.Open();
    for (const auto& f : filas) {
        t.Append();
        t.FieldByName("DIA").SetAsInteger(f.dia);
        t.FieldByName("HORA").SetAsInteger(f.hora);
        t.FieldByName("TAREA").SetAsString(f.tarea);
        t.FieldByName("PROF").SetAsString(f.prof);
        t.FieldByName("NIVEL").SetAsString(f.nivel);
        t.FieldByName("CURSO").SetAsString(f.curso);
        t.FieldByName("ASIG").SetAsString(f.asig);
        t.FieldByName("CODGRUPO").SetAsString(f.grupo);
        t.FieldByName("AULA").SetAsString(f.aula);
        t.Post();
    }
    t.Close();
}

}  // namespace

void GenerarSolucion(const std::string& carpeta) {
    std::vector<Asignacion> asignaciones = LeerAsignaciones(carpeta);
    std::vector<std::string> aulas = LeerColumna(carpeta, "AULAT.DBF", "ABREV");
    std::vector<std::string> grupos = LeerColumna(carpeta, "GRUPOST.DBF", "ABREV");
    std::vector<std::string> profesores = LeerColumna(carpeta, "PROFT.DBF", "ABREV");

    std::vector<Encargo> encargos;
    std::set<std::string> docencia;
    for (const auto& a : asignaciones) {
        encargos.push_back({a.prof, a.grupo, a.sesiones});
        docencia.insert(a.tarea);
    }
    std::vector<FilaSolucion> filas;
    for (const auto& s : ColocarSesiones(encargos, kDiasSolucion, kHorasSolucion)) {
        const Asignacion& a = asignaciones[s.encargo];
        FilaSolucion f;
        f.dia = s.dia;
        f.hora = s.hora;
        f.tarea = a.tarea;
        f.prof = a.prof;
        f.nivel = a.nivel;
        f.curso = a.curso;
        f.asig = a.asig;
        f.grupo = a.grupo;
        filas.push_back(std::move(f));
    }
    std::sort(filas.begin(), filas.end(),
              [](const FilaSolucion& x, const FilaSolucion& y) { return x.Clave() < y.Clave(); });
    PonerAulas(filas, grupos, aulas);
    PonerTareas(filas, profesores, LeerTareas(carpeta, docencia));
    std::stable_sort(filas.begin(), filas.end(), [](const FilaSolucion& x, const FilaSolucion& y) {
        return std::tie(x.dia, x.hora) < std::tie(y.dia, y.hora);
    });
    Escribir(carpeta, filas);
}

}  // namespace brisolt
