#include "sistema/fallos.h"

#include <algorithm>

namespace brisolt {
namespace {

// Whether a call's path contains a fault's. Where names are case-blind the
// program may spell a file otherwise than the disk or the test does, so there
// the match ignores ASCII case and takes either separator.
bool Contiene(const std::string& ruta, const std::string& parte) {
    if (!kEsWindows) return ruta.find(parte) != std::string::npos;
    auto plegar = [](std::string s) {
        for (char& c : s) {
            if (c == '\\')
                c = '/';
            else if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return s;
    };
    return plegar(ruta).find(plegar(parte)) != std::string::npos;
}

}  // namespace

SistemaConFallos::SistemaConFallos() : real_(SO()), anterior_(FijarSistema(this)) {}

SistemaConFallos::~SistemaConFallos() {
    FijarSistema(anterior_);
}

const SistemaConFallos::Fallo* SistemaConFallos::Anotar(Operacion op, const std::string& ruta,
                                                        std::size_t bytes) {
    llamadas_.push_back({op, ruta, bytes});
    if (parado_ != nullptr) {
        ++fallidas_;
        return parado_;
    }
    const Fallo* elegido = nullptr;
    for (Programado& p : fallos_) {
        const Fallo& f = p.fallo;
        if (f.operacion != Operacion::Cualquiera && f.operacion != op) continue;
        if (!f.ruta.empty() && !Contiene(ruta, f.ruta)) continue;
        ++p.vistas;
        const bool toca = f.desdeEntonces ? p.vistas >= f.enesima : p.vistas == f.enesima;
        if (toca && elegido == nullptr) elegido = &f;
    }
    if (elegido != nullptr && elegido->bytes == SIZE_MAX) ++fallidas_;
    if (elegido != nullptr && elegido->parar) parado_ = elegido;
    return elegido;
}

const std::string& SistemaConFallos::RutaDe(Manejador m) const {
    static const std::string ninguna;
    const auto it = rutas_.find(m);
    return it == rutas_.end() ? ninguna : it->second;
}

CodigoES SistemaConFallos::Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                                 Comparticion comparticion, Manejador* m) {
    if (const Fallo* f = Anotar(Operacion::Abrir, ruta)) {
        *m = kNinguno;
        return f->codigo;
    }
    const CodigoES e = real_.Abrir(ruta, acceso, creacion, comparticion, m);
    if (e == 0) rutas_[*m] = ruta;
    return e;
}

CodigoES SistemaConFallos::Cerrar(Manejador m) {
    const std::string ruta = RutaDe(m);
    rutas_.erase(m);
    // The handle goes away whatever the answer, as a real failed close does.
    const CodigoES e = real_.Cerrar(m);
    if (const Fallo* f = Anotar(Operacion::Cerrar, ruta)) return f->codigo;
    return e;
}

CodigoES SistemaConFallos::LeerEn(Manejador m, void* datos, std::size_t n, uint64_t pos,
                                  std::size_t* leidos) {
    if (const Fallo* f = Anotar(Operacion::Leer, RutaDe(m), n)) return f->codigo;
    return real_.LeerEn(m, datos, n, pos, leidos);
}

CodigoES SistemaConFallos::EscribirEn(Manejador m, const void* datos, std::size_t n, uint64_t pos,
                                      std::size_t* escritos) {
    if (const Fallo* f = Anotar(Operacion::Escribir, RutaDe(m), n)) {
        if (f->bytes == SIZE_MAX) return f->codigo;
        n = std::min(n, f->bytes);
        if (n == 0) {
            *escritos = 0;
            return 0;
        }
    }
    return real_.EscribirEn(m, datos, n, pos, escritos);
}

CodigoES SistemaConFallos::Sincronizar(Manejador m) {
    if (const Fallo* f = Anotar(Operacion::Sincronizar, RutaDe(m))) return f->codigo;
    return real_.Sincronizar(m);
}

CodigoES SistemaConFallos::Tamano(Manejador m, uint64_t* tamano) {
    if (const Fallo* f = Anotar(Operacion::Tamano, RutaDe(m))) return f->codigo;
    return real_.Tamano(m, tamano);
}

CodigoES SistemaConFallos::Truncar(Manejador m, uint64_t tamano) {
    if (const Fallo* f = Anotar(Operacion::Truncar, RutaDe(m))) return f->codigo;
    return real_.Truncar(m, tamano);
}

CodigoES SistemaConFallos::Identidad(Manejador m, IdentidadArchivo* id) {
    if (const Fallo* f = Anotar(Operacion::Identidad, RutaDe(m))) return f->codigo;
    return real_.Identidad(m, id);
}

CodigoES SistemaConFallos::Version(Manejador m, IdentidadArchivo* id) {
    if (const Fallo* f = Anotar(Operacion::Identidad, RutaDe(m))) return f->codigo;
    return real_.Version(m, id);
}

CodigoES SistemaConFallos::CopiarPermisos(const std::string& modelo, Manejador m) {
    if (const Fallo* f = Anotar(Operacion::CopiarPermisos, RutaDe(m))) return f->codigo;
    return real_.CopiarPermisos(modelo, m);
}

CodigoES SistemaConFallos::IdentidadDe(const std::string& ruta, IdentidadArchivo* id) {
    if (const Fallo* f = Anotar(Operacion::Identidad, ruta)) return f->codigo;
    return real_.IdentidadDe(ruta, id);
}

CodigoES SistemaConFallos::VersionDe(const std::string& ruta, IdentidadArchivo* id) {
    if (const Fallo* f = Anotar(Operacion::Identidad, ruta)) return f->codigo;
    return real_.VersionDe(ruta, id);
}

CodigoES SistemaConFallos::Borrar(const std::string& ruta) {
    if (const Fallo* f = Anotar(Operacion::Borrar, ruta)) return f->codigo;
    return real_.Borrar(ruta);
}

CodigoES SistemaConFallos::Renombrar(const std::string& de, const std::string& a) {
    if (const Fallo* f = Anotar(Operacion::Renombrar, a)) return f->codigo;
    return real_.Renombrar(de, a);
}

CodigoES SistemaConFallos::Enlazar(const std::string& existente, const std::string& nuevo) {
    if (const Fallo* f = Anotar(Operacion::Enlazar, existente)) return f->codigo;
    return real_.Enlazar(existente, nuevo);
}

CodigoES SistemaConFallos::Canonica(const std::string& ruta, std::string* canonica) {
    if (const Fallo* f = Anotar(Operacion::Canonica, ruta)) return f->codigo;
    return real_.Canonica(ruta, canonica);
}

CodigoES SistemaConFallos::CrearCarpeta(const std::string& ruta) {
    if (const Fallo* f = Anotar(Operacion::CrearCarpeta, ruta)) return f->codigo;
    return real_.CrearCarpeta(ruta);
}

CodigoES SistemaConFallos::BorrarCarpeta(const std::string& ruta) {
    if (const Fallo* f = Anotar(Operacion::BorrarCarpeta, ruta)) return f->codigo;
    return real_.BorrarCarpeta(ruta);
}

CodigoES SistemaConFallos::Listar(const std::string& carpeta, std::vector<std::string>* nombres) {
    if (const Fallo* f = Anotar(Operacion::Listar, carpeta)) return f->codigo;
    return real_.Listar(carpeta, nombres);
}

CodigoES SistemaConFallos::SincronizarCarpeta(const std::string& carpeta) {
    if (const Fallo* f = Anotar(Operacion::SincronizarCarpeta, carpeta)) return f->codigo;
    return real_.SincronizarCarpeta(carpeta);
}

CodigoES SistemaConFallos::CambiarCarpeta(const std::string& carpeta) {
    if (const Fallo* f = Anotar(Operacion::CambiarCarpeta, carpeta)) return f->codigo;
    return real_.CambiarCarpeta(carpeta);
}

CodigoES SistemaConFallos::CarpetaTemporal(const std::string& prefijo, std::string* ruta) {
    if (const Fallo* f = Anotar(Operacion::CarpetaTemporal, prefijo)) return f->codigo;
    return real_.CarpetaTemporal(prefijo, ruta);
}

CodigoES SistemaConFallos::EscribirPerfilSistema(const std::string& ruta,
                                                 const std::string& seccion,
                                                 const std::string& clave,
                                                 const std::string& valor) {
    if (const Fallo* f = Anotar(Operacion::EscribirPerfil, ruta)) return f->codigo;
    return real_.EscribirPerfilSistema(ruta, seccion, clave, valor);
}

}  // namespace brisolt

namespace brisolt {

CodigoES SistemaConFallos::CargarBiblioteca(const std::string& nombre, ManejadorBiblioteca* b) {
    *b = nullptr;
    if (const Fallo* f = Anotar(Operacion::CargarBiblioteca, nombre)) return f->codigo;
    const auto it = fingidas_.find(nombre);
    if (it == fingidas_.end()) return real_.CargarBiblioteca(nombre, b);
    *b = &*it;
    return 0;
}

FuncionBiblioteca SistemaConFallos::FuncionDe(ManejadorBiblioteca b, const std::string& nombre) {
    for (auto& fingida : fingidas_) {
        if (b != &fingida) continue;
        const auto f = fingida.second.find(nombre);
        return f == fingida.second.end() ? nullptr : f->second;
    }
    return real_.FuncionDe(b, nombre);
}

void SistemaConFallos::LiberarBiblioteca(ManejadorBiblioteca b) {
    for (auto& fingida : fingidas_) {
        if (b != &fingida) continue;
        Anotar(Operacion::LiberarBiblioteca, fingida.first);
        return;
    }
    Anotar(Operacion::LiberarBiblioteca, {});
    real_.LiberarBiblioteca(b);
}

}  // namespace brisolt
