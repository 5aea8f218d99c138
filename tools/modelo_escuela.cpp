#include "modelo_escuela.h"

#include <algorithm>
#include <map>
#include <set>

#include "aleatorio.h"
#include "catalogo_escuela.h"
#include "tables/error.h"

namespace brisolt::muestra {

namespace {

// Group letters after A..Z: digits, lower case, then the cp1252 letters.
const std::vector<std::string>& Letras() {
    static const std::vector<std::string> letras = [] {
        std::vector<std::string> v;
        for (char c = 'A'; c <= 'Z'; ++c) v.emplace_back(1, c);
        for (char c = '0'; c <= '9'; ++c) v.emplace_back(1, c);
        for (char c = 'a'; c <= 'z'; ++c) v.emplace_back(1, c);
        const char* acentuadas[] = {"À", "Á", "Â", "Ã", "Ä", "Å", "Æ", "Ç", "È", "É", "Ê", "Ë",
                                    "Ì", "Í", "Î", "Ï", "Ð", "Ñ", "Ò", "Ó", "Ô", "Õ", "Ö", "Ø",
                                    "Ù", "Ú", "Û", "Ü", "Ý", "Þ", "ß", "à", "á", "â", "ã", "ä",
                                    "å", "æ", "ç", "è", "é", "ê", "ë", "ì", "í", "î", "ï", "ð",
                                    "ñ", "ò", "ó", "ô", "õ", "ö", "ø", "ù", "ú", "û", "ü", "ý",
                                    "þ", "ÿ", "Š", "š", "Œ", "œ", "Ž", "ž", "Ÿ"};
        for (const char* a : acentuadas) v.emplace_back(a);
        return v;
    }();
    return letras;
}

std::string Telefono(Aleatorio& rnd, char primera) {
    std::string t(1, primera);
    for (int i = 0; i < 8; ++i) t += static_cast<char>('0' + rnd.Menor(10));
    return t;
}

std::string NombreCompleto(Aleatorio& rnd, char sexo) {
    const auto& nombres = sexo == 'M' ? NombresMujer() : NombresHombre();
    std::string a1 = rnd.Elegir(Apellidos()), a2 = rnd.Elegir(Apellidos());
    return a1 + " " + a2 + ", " + rnd.Elegir(nombres);
}

class Dibujante {
  public:
    Dibujante(uint32_t semilla, int escala)
        : rnd_(0x5EC0DA11ull * 0x100000000ull + semilla), escala_(escala) {}

    Escuela Dibujar() {
        Materias_();
        Grupos_();
        Profesores_();
        Clases_();
        Tutores_();
        Bajas_();
        Aulas_();
        Alumnos_();
        return std::move(e_);
    }

  private:
    void Materias_() {
        const auto& cursos = Cursos();
        for (size_t c = 0; c < cursos.size(); ++c) {
            for (const auto& m : brisolt::muestra::Materias()) {
                if (!(m.cursos & (1u << c))) continue;
                Materia x;
                x.codasig = std::string(cursos[c].curso) + cursos[c].nivel + m.corto;
                x.litresv = m.corto;
                x.val = m.val;
                x.cas = m.cas;
                x.horas = m.horas;
                x.depart = m.depart;
                x.curso = static_cast<int>(c);
                indice_[{static_cast<int>(c), m.corto}] = static_cast<int>(e_.materias.size());
                e_.materias.push_back(std::move(x));
            }
        }
    }

    int Materia_(int curso, const std::string& corto) const {
        auto it = indice_.find({curso, corto});
        if (it == indice_.end()) throw Error("La muestra no tiene la asignatura " + corto);
        return it->second;
    }

    void Grupos_() {
        const auto& cursos = Cursos();
        for (size_t c = 0; c < cursos.size(); ++c) {
            const PlanCurso& plan = cursos[c];
            int n = plan.grupos * escala_;
            if (n > static_cast<int>(Letras().size()))
                throw Error("Escala demasiado grande para la muestra");
            for (int k = 0; k < n; ++k) {
                Grupo g;
                g.curso = static_cast<int>(c);
                g.codigo = std::string(plan.curso) + plan.nivel + LetraGrupo(k);
                // Second-year baccalaureate runs in the afternoon.
                g.turno = (std::string(plan.nivel) == "BAC" && std::string(plan.curso) == "2")
                              ? "V"
                              : "M";
                g.literal = std::string(plan.val) + " " + LetraGrupo(k);
                std::vector<const char*> materias = plan.comunes;
                const auto& opcion = plan.opciones[k % plan.opciones.size()];
                materias.insert(materias.end(), opcion.begin(), opcion.end());
                for (const char* corto : materias) {
                    if (std::string(corto) == "TUT") continue;  // taught by the tutor, later
                    g.clases.push_back({Materia_(g.curso, corto), -1});
                }
                e_.grupos.push_back(std::move(g));
            }
        }
    }

    Profesor Nuevo_(const std::string& depart) {
        Profesor p;
        p.sexo = rnd_.Porcentaje(58) ? 'M' : 'H';
        p.nombre = NombreCompleto(rnd_, p.sexo);
        p.depart = depart;
        do {
            p.dni = 10000000 + static_cast<int32_t>(rnd_.Menor(70000000));
        } while (!dnis_.insert(p.dni).second);
        p.telefono = Telefono(rnd_, '6');
        p.domicilio =
            std::string(rnd_.Elegir(Calles())) + ", " + std::to_string(rnd_.Entre(1, 120));
        p.localidad = rnd_.Elegir(Localidades());
        return p;
    }

    // Enough teachers per department for about 13 sessions each, which leaves
    // the timetable generator room to place everything.
    void Profesores_() {
        std::vector<std::string> orden;
        std::map<std::string, int> demanda;
        for (const auto& g : e_.grupos)
            for (const auto& c : g.clases) {
                const Materia& m = e_.materias[c.materia];
                if (!demanda.count(m.depart)) orden.push_back(m.depart);
                demanda[m.depart] += m.horas;
            }
        for (const auto& d : orden) {
            int n = std::max(1, (demanda[d] + 12) / 13);
            for (int i = 0; i < n; ++i) e_.profesores.push_back(Nuevo_(d));
        }
        // Newly arrived teachers whom the school-management system does not
        // know by DNI yet; kept to a few sessions because the export gives all
        // of them the code of the first one.
        const char* sinDni[] = {"Anglés", "Matemàtiques", "Valencià"};
        for (int i = 0; i < 3; ++i) {
            Profesor p = Nuevo_(sinDni[i]);
            dnis_.erase(p.dni);
            p.dni = 0;
            p.dniEnBlanco = i != 1;
            p.capacidad = 5;
            e_.profesores.push_back(std::move(p));
        }
        for (int i = 0; i < escala_; ++i)
            for (const char* d : DepartamentosSinClases()) e_.profesores.push_back(Nuevo_(d));
    }

    void Clases_() {
        for (auto& g : e_.grupos)
            for (auto& c : g.clases) {
                const Materia& m = e_.materias[c.materia];
                int mejor = -1;
                for (size_t p = 0; p < e_.profesores.size(); ++p) {
                    const Profesor& x = e_.profesores[p];
                    if (x.depart != m.depart || x.carga + m.horas > x.capacidad) continue;
                    if (mejor < 0 || x.carga < e_.profesores[mejor].carga)
                        mejor = static_cast<int>(p);
                }
                if (mejor < 0)  // a full department: the least loaded one takes it
                    for (size_t p = 0; p < e_.profesores.size(); ++p)
                        if (e_.profesores[p].depart == m.depart &&
                            (mejor < 0 || e_.profesores[p].carga < e_.profesores[mejor].carga))
                            mejor = static_cast<int>(p);
                c.profesor = mejor;
                e_.profesores[mejor].carga += m.horas;
            }
    }

    // The tutor is the group's teacher with the most hours in it who tutors no
    // other group, and teaches the group's tutorial hour.
    void Tutores_() {
        std::vector<bool> tutor(e_.profesores.size(), false);
        for (auto& g : e_.grupos) {
            int mejor = -1, horas = -1;
            for (const auto& c : g.clases) {
                const Profesor& p = e_.profesores[c.profesor];
                int h = e_.materias[c.materia].horas;
                if (tutor[c.profesor] || p.dni == 0 || p.carga >= p.capacidad) continue;
                if (h > horas) mejor = c.profesor, horas = h;
            }
            if (mejor < 0)
                for (size_t p = 0; p < e_.profesores.size(); ++p)
                    if (!tutor[p] && e_.profesores[p].dni != 0 &&
                        (mejor < 0 || e_.profesores[p].carga < e_.profesores[mejor].carga))
                        mejor = static_cast<int>(p);
            if (mejor < 0) throw Error("La muestra no tiene tutores suficientes");
            tutor[mejor] = true;
            g.tutor = mejor;
            g.clases.push_back({Materia_(g.curso, "TUT"), mejor});
            e_.profesores[mejor].carga += 1;
        }
    }

    // Teachers who left during the year: still in the table, with no lessons.
    // One of them is the last record, so the export must cope with a skipped
    // last teacher.
    void Bajas_() {
        for (int i = 0; i < 4 * escala_; ++i) {
            const auto& materia =
                e_.materias[rnd_.Menor(static_cast<uint32_t>(e_.materias.size()))];
            Profesor p = Nuevo_(materia.depart);
            p.bajaAnio = 2024;
            p.bajaMes = rnd_.Entre(1, 6);
            p.bajaDia = rnd_.Entre(1, 28);
            e_.profesores.push_back(std::move(p));
        }
    }

    void Aulas_() {
        int n = static_cast<int>(e_.grupos.size()) + (static_cast<int>(e_.grupos.size()) + 9) / 10;
        for (int i = 0; i < n; ++i) {
            Aula a;
            a.planta = i / 99;
            a.codigo = std::to_string((a.planta + 1) * 100 + i % 99 + 1);
            a.literal = "Aula " + a.codigo;
            a.capacidad = 30;
            e_.aulas.push_back(std::move(a));
        }
        const std::pair<const char*, const char*> especiales[] = {
            {"LAB1", "Laboratori de Ciències"},
            {"LAB2", "Laboratori de Física i Química"},
            {"INF1", "Aula d'Informàtica 1"},
            {"INF2", "Aula d'Informàtica 2"},
            {"GIM", "Gimnàs"},
            {"MUS", "Aula de Música"},
            {"PLA", "Aula de Plàstica"},
            {"TAL", "Taller de Tecnologia"},
            {"BIB", "Biblioteca"},
            {"SAL", "Saló d'Actes"}};
        for (const auto& [codigo, literal] : especiales) {
            Aula a;
            a.codigo = codigo;
            a.literal = literal;
            a.capacidad = 40;
            e_.aulas.push_back(std::move(a));
        }
        for (size_t g = 0; g < e_.grupos.size(); ++g) e_.grupos[g].aula = static_cast<int>(g);
    }

    void Alumnos_() {
        int32_t codigo = 10230000;
        for (size_t gi = 0; gi < e_.grupos.size(); ++gi) {
            const Grupo& g = e_.grupos[gi];
            const PlanCurso& plan = Cursos()[g.curso];
            int edad = std::stoi(plan.curso) + (std::string(plan.nivel) == "BAC" ? 15 : 11);
            for (int k = 0; k < kAlumnosPorGrupo; ++k) {
                Alumno a;
                codigo += 1 + static_cast<int32_t>(rnd_.Menor(9));
                a.codigo = std::to_string(codigo);
                a.codigo2 = rnd_.Porcentaje(30) ? std::to_string(rnd_.Entre(100000, 999999)) : "";
                a.sexo = rnd_.Porcentaje(50) ? 'M' : 'H';
                a.apenom = NombreCompleto(rnd_, a.sexo);
                a.grupo = static_cast<int>(gi);
                a.repite = rnd_.Porcentaje(8) ? 1 : 0;
                a.nacAnio = 2024 - edad - a.repite;
                a.nacMes = rnd_.Entre(1, 12);
                a.nacDia = rnd_.Entre(1, 28);
                a.domicilio =
                    std::string(rnd_.Elegir(Calles())) + ", " + std::to_string(rnd_.Entre(1, 200));
                a.localidad = rnd_.Elegir(Localidades());
                a.cp = "46" + std::to_string(rnd_.Entre(100, 999));
                a.telefono = Telefono(rnd_, '9');
                if (rnd_.Porcentaje(15)) a.obs = rnd_.Elegir(Observaciones());
                if (rnd_.Porcentaje(5))
                    a.comentario = "Beca de menjador.\r\nTransport escolar: línia 2.";
                for (const auto& c : g.clases) a.materias.push_back(c.materia);
                // Some students also take a reinforcement subject that no
                // group timetable has.
                if (rnd_.Porcentaje(6))
                    for (const char* corto : {"RMA", "RLL"})
                        if (indice_.count({g.curso, corto})) {
                            a.materias.push_back(indice_.at({g.curso, corto}));
                            break;
                        }
                e_.alumnos.push_back(std::move(a));
            }
        }
    }

    Aleatorio rnd_;
    int escala_;
    Escuela e_;
    std::map<std::pair<int, std::string>, int> indice_;
    std::set<int32_t> dnis_;
};

}  // namespace

std::string LetraGrupo(int k) {
    return Letras().at(static_cast<size_t>(k));
}

Escuela DibujarEscuela(uint32_t semilla, int escala) {
    if (escala < 1) throw Error("La escala debe ser 1 o mayor");
    return Dibujante(semilla, escala).Dibujar();
}

}  // namespace brisolt::muestra
