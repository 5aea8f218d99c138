#include "colocacion.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "aleatorio.h"
#include "tables/error.h"

namespace brisolt {

namespace {

constexpr int kIntentos = 25;

class Semana {
  public:
    Semana(const std::vector<Encargo>& encargos, int dias, int horas)
        : encargos_(encargos), horas_(horas), huecos_(dias * horas) {
        for (const auto& e : encargos) {
            prof_.push_back(Id(idProf_, e.profesor));
            grupo_.push_back(Id(idGrupo_, e.grupo));
        }
    }

    // Places everything in the given order; false at the first session that
    // finds no room.
    bool Intentar(const std::vector<int>& orden, int* fallido) {
        sesiones_.clear();
        ocupProf_.assign(idProf_.size(), std::vector<int>(huecos_, -1));
        ocupGrupo_.assign(idGrupo_.size(), std::vector<int>(huecos_, -1));
        for (int e : orden)
            for (int k = 0; k < encargos_[e].sesiones; ++k)
                if (!Colocar(e)) {
                    *fallido = e;
                    return false;
                }
        return true;
    }

    std::vector<SesionColocada> Resultado() const {
        std::vector<SesionColocada> r;
        for (const auto& s : sesiones_)
            r.push_back({s.encargo, s.hueco / horas_ + 1, s.hueco % horas_ + 1});
        return r;
    }

    // Sessions of the assignment's teacher plus those of its group.
    int Carga(int e) const {
        if (cargaProf_.empty()) {
            cargaProf_.assign(idProf_.size(), 0);
            cargaGrupo_.assign(idGrupo_.size(), 0);
            for (size_t i = 0; i < encargos_.size(); ++i) {
                if (prof_[i] >= 0) cargaProf_[prof_[i]] += encargos_[i].sesiones;
                if (grupo_[i] >= 0) cargaGrupo_[grupo_[i]] += encargos_[i].sesiones;
            }
        }
        return (prof_[e] >= 0 ? cargaProf_[prof_[e]] : 0) +
               (grupo_[e] >= 0 ? cargaGrupo_[grupo_[e]] : 0);
    }

  private:
    struct Sesion {
        int encargo, hueco;
    };

    static int Id(std::map<std::string, int>& ids, const std::string& nombre) {
        if (nombre.empty()) return -1;
        return ids.emplace(nombre, static_cast<int>(ids.size())).first->second;
    }

    bool Libre(int e, int hueco) const {
        return (prof_[e] < 0 || ocupProf_[prof_[e]][hueco] < 0) &&
               (grupo_[e] < 0 || ocupGrupo_[grupo_[e]][hueco] < 0);
    }

    void Poner(int sesion, int hueco) {
        int e = sesiones_[sesion].encargo;
        sesiones_[sesion].hueco = hueco;
        if (prof_[e] >= 0) ocupProf_[prof_[e]][hueco] = sesion;
        if (grupo_[e] >= 0) ocupGrupo_[grupo_[e]][hueco] = sesion;
    }

    void Quitar(int sesion) {
        int e = sesiones_[sesion].encargo, hueco = sesiones_[sesion].hueco;
        if (prof_[e] >= 0) ocupProf_[prof_[e]][hueco] = -1;
        if (grupo_[e] >= 0) ocupGrupo_[grupo_[e]][hueco] = -1;
    }

    // Lower is better: a day that already has this assignment is avoided,
    // then days on which the group (or the teacher) is busier.
    int Coste(int e, int hueco) const {
        int dia = hueco / horas_, coste = 0;
        for (int h = dia * horas_; h < (dia + 1) * horas_; ++h) {
            int g = grupo_[e] >= 0 ? ocupGrupo_[grupo_[e]][h] : -1;
            int p = prof_[e] >= 0 ? ocupProf_[prof_[e]][h] : -1;
            if ((g >= 0 && sesiones_[g].encargo == e) || (p >= 0 && sesiones_[p].encargo == e))
                coste += 100;
            coste += (g >= 0) + (p >= 0);
        }
        return coste;
    }

    // Moves a placed session to any other free slot except `prohibido`.
    bool Mover(int sesion, int prohibido) {
        int e = sesiones_[sesion].encargo;
        int origen = sesiones_[sesion].hueco;
        Quitar(sesion);
        for (int h = 0; h < huecos_; ++h)
            if (h != prohibido && h != origen && Libre(e, h)) {
                Poner(sesion, h);
                return true;
            }
        Poner(sesion, origen);
        return false;
    }

    bool Colocar(int e) {
        int mejor = -1, coste = 0;
        for (int h = 0; h < huecos_; ++h)
            if (Libre(e, h)) {
                int c = Coste(e, h);
                if (mejor < 0 || c < coste) mejor = h, coste = c;
            }
        if (mejor < 0) {
            // Repair: a slot where only one of the two is busy, with a session
            // that can go elsewhere.
            for (int h = 0; h < huecos_ && mejor < 0; ++h) {
                int p = prof_[e] >= 0 ? ocupProf_[prof_[e]][h] : -1;
                int g = grupo_[e] >= 0 ? ocupGrupo_[grupo_[e]][h] : -1;
                if ((p >= 0) == (g >= 0)) continue;
                if (Mover(p >= 0 ? p : g, h)) mejor = h;
            }
            if (mejor < 0) return false;
        }
        sesiones_.push_back({e, mejor});
        Poner(static_cast<int>(sesiones_.size()) - 1, mejor);
        return true;
    }

    const std::vector<Encargo>& encargos_;
    int horas_, huecos_;
    std::map<std::string, int> idProf_, idGrupo_;
    std::vector<int> prof_, grupo_;                       // per encargo
    std::vector<std::vector<int>> ocupProf_, ocupGrupo_;  // session in each slot, -1 free
    std::vector<Sesion> sesiones_;
    mutable std::vector<int> cargaProf_, cargaGrupo_;
};

}  // namespace

std::vector<SesionColocada> ColocarSesiones(const std::vector<Encargo>& encargos, int dias,
                                            int horas) {
    Semana semana(encargos, dias, horas);
    // The most constrained assignments first: those whose teacher and group
    // carry the most sessions between them.
    std::vector<int> carga(encargos.size());
    for (size_t e = 0; e < encargos.size(); ++e) carga[e] = semana.Carga(static_cast<int>(e));
    std::vector<int> orden(encargos.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) { return carga[a] > carga[b]; });

    Aleatorio rnd(20240901);
    int fallido = -1;
    for (int intento = 0; intento < kIntentos; ++intento) {
        if (semana.Intentar(orden, &fallido)) return semana.Resultado();
        // Retry with the one that failed first, the rest lightly shuffled.
        orden.erase(std::find(orden.begin(), orden.end(), fallido));
        for (size_t i = orden.size(); i > 1; --i)
            if (rnd.Porcentaje(20))
                std::swap(orden[i - 1], orden[rnd.Menor(static_cast<uint32_t>(i))]);
        orden.insert(orden.begin(), fallido);
    }
    const Encargo& e = encargos[fallido];
    throw Error("No se han podido colocar todas las sesiones de " + e.profesor + " con " + e.grupo);
}

}  // namespace brisolt
