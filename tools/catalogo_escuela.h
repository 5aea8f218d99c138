#pragma once
// The fixed vocabulary of the sample school: its subjects, the study plan of
// each course, departments, names, non-teaching tasks, centres and their hour
// templates. Only data; the school itself is drawn in modelo_escuela.cpp.

#include <cstdint>
#include <string>
#include <vector>

namespace brisolt::muestra {

// One subject of the catalogue, the same short code in every course it is in.
struct MateriaCatalogo {
    const char* corto;   // LITRESV, three letters
    const char* val;     // VLITEASIG, at most 30 characters
    const char* cas;     // CLITEASIG, at most 30 characters
    int horas;           // HORSEMTE
    const char* depart;  // department that teaches it
    uint8_t cursos;      // bit i: present in Cursos()[i]
};

// One course (1-4 ESO, 1-2 BAC) and how its groups are made up.
struct PlanCurso {
    const char* curso;                               // "1"
    const char* nivel;                               // "ESO"
    const char* val;                                 // "Primer d'ESO", for the group names
    int grupos;                                      // groups at scale 1
    std::vector<const char*> comunes;                // every group takes these
    std::vector<std::vector<const char*>> opciones;  // group k takes opciones[k % n]
};

struct Tarea {
    const char* codigo;  // OCUPA
    const char* val;
    const char* cas;
};

struct Centro {
    int codigo;  // CODCEN
    const char* nombre;
    const char* domicilio;
    const char* localidad;
    const char* cp;
    const char* telefono;
    std::vector<std::pair<const char*, const char*>> horas;  // hours 1..7: start, end
};

const std::vector<MateriaCatalogo>& Materias();
const std::vector<PlanCurso>& Cursos();
const std::vector<Tarea>& Tareas();
const std::vector<Centro>& Centros();
// Departments with staff but no lessons of their own in the plans.
const std::vector<const char*>& DepartamentosSinClases();
const std::vector<const char*>& NombresHombre();
const std::vector<const char*>& NombresMujer();
const std::vector<const char*>& Apellidos();
const std::vector<const char*>& Calles();
const std::vector<const char*>& Localidades();
const std::vector<const char*>& Observaciones();

// The task code that the export puts on every teaching session ("*12").
inline constexpr const char* kTareaDocencia = "12";

}  // namespace brisolt::muestra
