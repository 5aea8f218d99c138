#include "import/diario.h"

#include <sstream>

#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt {

namespace {

constexpr const char* kCabecera = "BRISOLT DIARIO 1";

std::string Identidad(const IdentidadArchivo& i) {
    return std::to_string(i.volumen) + " " + std::to_string(i.indice) + " " +
           std::to_string(i.tamano) + " " + std::to_string(i.segundos) + " " +
           std::to_string(i.nanos);
}

void LeerIdentidad(const std::string& texto, IdentidadArchivo* i) {
    std::istringstream v(texto);
    v >> i->volumen >> i->indice >> i->tamano >> i->segundos >> i->nanos;
}

[[noreturn]] void Ilegible() {
    throw Error("El diario de una importación interrumpida no se puede leer: " +
                RutaVisible(RutaDiario()));
}

}  // namespace

std::string RutaDiario() {
    return RutaNativa(UnirRuta(kCarpetaStaging, "DEVOLVER.DIARIO"));
}

CodigoES GuardarDiario(const Diario& d) {
    std::ostringstream s;
    s << kCabecera << '\n'
      << "fase=" << (d.fase == Diario::Fase::Preparando ? "preparando" : "renombrando") << '\n'
      << "fecha=" << d.fecha << '\n'
      << "carpeta=" << d.carpeta << '\n';
    for (const auto& a : d.archivos)
        s << "archivo\n"
          << "original=" << a.original << '\n'
          << "nuevo=" << a.nuevo << '\n'
          << "copia=" << a.copia << '\n'
          << "existia=" << (a.existia ? 1 : 0) << '\n'
          << "antes=" << Identidad(a.antes) << '\n'
          << "despues=" << Identidad(a.despues) << '\n';
    s << "fin\n";
    const std::string ruta = RutaDiario();
    const std::string temporal = ruta + ".tmp";
    if (CodigoES e = EscribirArchivo(temporal, s.str(), true)) {
        SO().Borrar(temporal);
        return e;
    }
    if (CodigoES e = SO().Renombrar(temporal, ruta)) {
        SO().Borrar(temporal);
        return e;
    }
    const auto barra = ruta.find_last_of('/');
    return SO().SincronizarCarpeta(ruta.substr(0, barra));
}

std::optional<Diario> LeerDiario() {
    // A journal being written when the program stopped never reached its name.
    SO().Borrar(RutaDiario() + ".tmp");
    if (!SO().ExisteEntrada(RutaDiario())) return std::nullopt;
    std::string texto;
    if (LeerArchivo(RutaDiario(), &texto) != 0) Ilegible();
    std::istringstream s(texto);
    std::string linea;
    if (!std::getline(s, linea) || linea != kCabecera) Ilegible();
    Diario d;
    bool fin = false;
    while (std::getline(s, linea)) {
        if (linea == "fin") {
            fin = true;
            break;
        }
        if (linea == "archivo") {
            d.archivos.emplace_back();
            continue;
        }
        const auto igual = linea.find('=');
        if (igual == std::string::npos) Ilegible();
        const std::string clave = linea.substr(0, igual), valor = linea.substr(igual + 1);
        if (clave == "fase") {
            d.fase = valor == "renombrando" ? Diario::Fase::Renombrando : Diario::Fase::Preparando;
        } else if (clave == "fecha") {
            d.fecha = valor;
        } else if (clave == "carpeta") {
            d.carpeta = valor;
        } else if (d.archivos.empty()) {
            Ilegible();
        } else if (clave == "original") {
            d.archivos.back().original = valor;
        } else if (clave == "nuevo") {
            d.archivos.back().nuevo = valor;
        } else if (clave == "copia") {
            d.archivos.back().copia = valor;
        } else if (clave == "existia") {
            d.archivos.back().existia = valor == "1";
        } else if (clave == "antes") {
            LeerIdentidad(valor, &d.archivos.back().antes);
        } else if (clave == "despues") {
            LeerIdentidad(valor, &d.archivos.back().despues);
        }
    }
    if (!fin) Ilegible();
    return d;
}

CodigoES BorrarDiario() {
    const std::string ruta = RutaDiario();
    if (!SO().ExisteEntrada(ruta)) return 0;
    if (CodigoES e = SO().Borrar(ruta)) return e;
    return SO().SincronizarCarpeta(ruta.substr(0, ruta.find_last_of('/')));
}

}  // namespace brisolt
