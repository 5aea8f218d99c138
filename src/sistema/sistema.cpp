#include "sistema/sistema.h"

namespace brisolt {

namespace {

Sistema*& Instalado() {
    static Sistema* instalado = nullptr;
    return instalado;
}

}  // namespace

Sistema& SO() {
    Sistema* s = Instalado();
    return s != nullptr ? *s : SistemaReal();
}

Sistema* FijarSistema(Sistema* sistema) {
    Sistema* anterior = Instalado();
    Instalado() = sistema;
    return anterior;
}

Archivo::~Archivo() {
    if (Abierto()) SO().Cerrar(m_);
}

Archivo& Archivo::operator=(Archivo&& otro) noexcept {
    if (this != &otro) {
        if (Abierto()) SO().Cerrar(m_);
        m_ = otro.m_;
        otro.m_ = Sistema::kNinguno;
    }
    return *this;
}

CodigoES Archivo::Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                        Comparticion comparticion) {
    if (Abierto()) SO().Cerrar(m_);
    m_ = Sistema::kNinguno;
    return SO().Abrir(ruta, acceso, creacion, comparticion, &m_);
}

CodigoES Archivo::Cerrar() {
    if (!Abierto()) return 0;
    const Sistema::Manejador m = m_;
    m_ = Sistema::kNinguno;
    return SO().Cerrar(m);
}

CodigoES Archivo::LeerTodo(void* datos, std::size_t n, uint64_t pos, std::size_t* leidos) {
    auto* p = static_cast<char*>(datos);
    std::size_t total = 0;
    while (total < n) {
        std::size_t r = 0;
        if (CodigoES e = SO().LeerEn(m_, p + total, n - total, pos + total, &r)) return e;
        if (r == 0) break;
        total += r;
    }
    if (leidos != nullptr) *leidos = total;
    return 0;
}

CodigoES Archivo::EscribirTodo(const void* datos, std::size_t n, uint64_t pos) {
    const auto* p = static_cast<const char*>(datos);
    while (n > 0) {
        std::size_t w = 0;
        if (CodigoES e = SO().EscribirEn(m_, p, n, pos, &w)) return e;
        if (w == 0) return codigo_es::kDiscoLleno;
        p += w;
        n -= w;
        pos += w;
    }
    return 0;
}

CodigoES Archivo::Tamano(uint64_t* tamano) const {
    return SO().Tamano(m_, tamano);
}

Biblioteca::~Biblioteca() {
    Liberar();
}

Biblioteca& Biblioteca::operator=(Biblioteca&& otra) noexcept {
    if (this != &otra) {
        Liberar();
        b_ = otra.b_;
        otra.b_ = nullptr;
    }
    return *this;
}

CodigoES Biblioteca::Cargar(const std::string& nombre) {
    Liberar();
    return SO().CargarBiblioteca(nombre, &b_);
}

FuncionBiblioteca Biblioteca::Funcion(const std::string& nombre) const {
    return b_ ? SO().FuncionDe(b_, nombre) : nullptr;
}

void Biblioteca::Liberar() {
    if (b_) SO().LiberarBiblioteca(b_);
    b_ = nullptr;
}

CodigoES LeerArchivo(const std::string& ruta, std::string* contenido) {
    Archivo a;
    if (CodigoES e = a.Abrir(ruta, Acceso::Lectura, Creacion::Existente, Comparticion::Libre))
        return e;
    uint64_t tamano = 0;
    if (CodigoES e = a.Tamano(&tamano)) return e;
    contenido->assign(static_cast<std::size_t>(tamano), '\0');
    std::size_t leidos = 0;
    if (CodigoES e = a.LeerTodo(contenido->data(), contenido->size(), 0, &leidos)) return e;
    contenido->resize(leidos);
    return a.Cerrar();
}

CodigoES EscribirArchivo(const std::string& ruta, const std::string& contenido, bool sincronizar) {
    Archivo a;
    if (CodigoES e =
            a.Abrir(ruta, Acceso::LecturaEscritura, Creacion::Crear, Comparticion::Exclusiva))
        return e;
    if (CodigoES e = SO().Truncar(a.Manejador(), 0)) return e;
    if (CodigoES e = a.EscribirTodo(contenido.data(), contenido.size(), 0)) return e;
    if (sincronizar)
        if (CodigoES e = SO().Sincronizar(a.Manejador())) return e;
    return a.Cerrar();
}

}  // namespace brisolt
