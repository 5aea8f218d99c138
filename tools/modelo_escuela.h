#pragma once
// The sample school in memory, drawn from a seed: what escuela_muestra.cpp
// writes out as the school-management tables. Kept apart from the writing so
// the drawing rules (who teaches what, tutors, loads) read on their own.

#include <cstdint>
#include <string>
#include <vector>

namespace brisolt::muestra {

struct Materia {
    std::string codasig;  // course + level + short code: 1ESOMAT
    std::string litresv;  // MAT
    std::string val, cas;
    int horas = 0;
    std::string depart;
    int curso = 0;  // index into Cursos()
};

struct Profesor {
    std::string nombre;  // "Ferrer Martí, Àngels"
    std::string depart;
    int32_t dni = 0;  // 0: not yet known to the school-management system
    bool dniEnBlanco = false;
    int bajaAnio = 0, bajaMes = 0, bajaDia = 0;  // leaving date, 0 when still here
    char sexo = 'H';
    std::string telefono, domicilio, localidad;
    int capacidad = 20;  // most teaching sessions a week
    int carga = 0;       // teaching sessions a week
};

struct Clase {
    int materia = 0;   // index into Escuela::materias
    int profesor = 0;  // index into Escuela::profesores
};

struct Grupo {
    std::string codigo;  // 1ESOA
    std::string turno;   // M, V
    std::string literal;
    int curso = 0;
    int tutor = -1;
    int aula = 0;  // home room, index into Escuela::aulas
    std::vector<Clase> clases;
};

struct Alumno {
    std::string codigo, codigo2, apenom;
    int grupo = 0;
    int repite = 0;
    char sexo = 'H';
    int nacAnio = 0, nacMes = 0, nacDia = 0;
    std::string domicilio, cp, localidad, telefono;
    std::string obs, comentario;  // memo fields, often empty
    std::vector<int> materias;    // indices into Escuela::materias
};

struct Aula {
    std::string codigo, literal;
    int capacidad = 0, planta = 0;
};

struct Escuela {
    std::vector<Materia> materias;
    std::vector<Profesor> profesores;
    std::vector<Grupo> grupos;
    std::vector<Alumno> alumnos;
    std::vector<Aula> aulas;
};

inline constexpr int kAlumnosPorGrupo = 25;

// escala >= 1 multiplies the groups (and so the students), the teachers and
// the rooms; the subject catalogue stays the same. Throws Error when escala
// is out of range.
Escuela DibujarEscuela(uint32_t semilla, int escala);

// The letter of the k-th group of a course: A..Z, then digits, lower case and
// accented letters, so large scales still give distinct five-character codes.
std::string LetraGrupo(int k);

}  // namespace brisolt::muestra
