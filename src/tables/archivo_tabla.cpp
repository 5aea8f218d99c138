#include "tables/archivo_tabla.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <set>

#include "tables/campo.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt {

namespace {

// Copies of tables closed a moment ago stay loaded, so a table that a step
// closes and reopens many times (once per student) is not read again while
// the file is unchanged.
constexpr size_t kCopiasCerradas = 16;

// Records of a table filled in blocks reach the file this many bytes at a time.
constexpr size_t kBloque = 64 * 1024;

struct Registro {
    std::map<std::string, std::shared_ptr<ArchivoTabla>> tablas;
    // The key of each table under the path it was first opened by, so that
    // opening it again by that path needs no path lookup.
    std::unordered_map<std::string, std::string> claves;
    uint64_t reloj = 0;
    // Tables this process created or emptied and fills: written in blocks.
    std::set<std::string> enBloques;
};

Registro& Tablas() {
    static Registro r;
    return r;
}

std::string Canonica(const std::string& ruta, CodigoES* error = nullptr) {
    std::string c;
    const CodigoES e = SO().Canonica(ruta, &c);
    if (error != nullptr) *error = e;
    return e == 0 ? c : std::string();
}

// A path that names the same file whatever the working folder.
bool Absoluta(const std::string& ruta) {
    if (!kEsWindows) return !ruta.empty() && ruta[0] == '/';
    const auto barra = [](char c) { return c == '/' || c == '\\'; };
    if (ruta.size() >= 2 && barra(ruta[0]) && barra(ruta[1])) return true;
    return ruta.size() >= 3 && std::isalpha(static_cast<unsigned char>(ruta[0])) &&
           ruta[1] == ':' && barra(ruta[2]);
}

// The same file (not the same version of it): volume and index.
bool MismoArchivo(const IdentidadArchivo& a, const IdentidadArchivo& b) {
    return a.volumen == b.volumen && a.indice == b.indice;
}

bool Falta(CodigoES e) {
    return e == codigo_es::kNoEncontrado || e == codigo_es::kRutaNoEncontrada;
}

// Another program holds the file in a way that keeps us out.
bool Conflicto(CodigoES e) {
    return e == codigo_es::kViolacionCompartir || e == codigo_es::kViolacionBloqueo;
}

uint16_t U16(const std::string& b, size_t o) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[o]) |
                                 (static_cast<unsigned char>(b[o + 1]) << 8));
}

uint32_t U32(const std::string& b, size_t o) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(b[o + i])) << (8 * i);
    return v;
}

std::string Mayusculas(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

// Field and file names compare many times per record: no copies here.
bool MismoNombre(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto mayuscula = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (mayuscula(a[i]) != mayuscula(b[i])) return false;
    return true;
}

std::string SinExtension(const std::string& ruta) {
    const auto barra = ruta.find_last_of('/');
    const auto punto = ruta.find_last_of('.');
    if (punto == std::string::npos || (barra != std::string::npos && punto < barra)) return ruta;
    return ruta.substr(0, punto);
}

// What the system said, in the I/O error table's words.
std::string Texto(CodigoES e) {
    return MensajeErrorES(e);
}

[[noreturn]] void EnUso(const std::string& ruta) {
    throw Error("La tabla '" + ruta + "' está en uso por otro programa");
}

// "1 registro", "3 registros".
std::string Cuenta(uint64_t n, const std::string& cosa) {
    return std::to_string(n) + " " + cosa + (n == 1 ? "" : "s");
}

}  // namespace

std::string ArchivoTabla::ClaveConocida(const std::string& ruta, std::optional<Firma>* comprobar) {
    auto& reg = Tablas();
    const auto c = reg.claves.find(ruta);
    if (c == reg.claves.end()) return {};
    const auto t = reg.tablas.find(c->second);
    if (t == reg.tablas.end() || t->second->ruta_ != ruta || !t->second->cargado_) return {};
    // On Windows the key is the path's own absolute spelling, case-folded:
    // the same path has the same key. Elsewhere a link on the way may now
    // lead to another file: the path must still name the file we know. Of a
    // closed table the open that follows tells; of an open one, a look now.
    if (!kEsWindows) {
        const Firma& conocida = t->second->firma_;
        if (t->second->usos_ == 0) {
            *comprobar = conocida;
            return c->second;
        }
        Firma f;
        if (SO().VersionDe(ruta, &f) != 0 || !MismoArchivo(f, conocida)) return {};
    }
    return c->second;
}

void ArchivoTabla::Quitar(const std::string& clave) {
    auto& reg = Tablas();
    const auto t = reg.tablas.find(clave);
    if (t == reg.tablas.end()) return;
    const auto c = reg.claves.find(t->second->ruta_);
    if (c != reg.claves.end() && c->second == clave) reg.claves.erase(c);
    reg.tablas.erase(t);
}

std::shared_ptr<ArchivoTabla> ArchivoTabla::Abrir(const std::string& ruta, Modo modo) {
    std::optional<Firma> comprobar;
    std::string clave = ClaveConocida(ruta, &comprobar);
    for (;;) {
        if (clave.empty()) {
            comprobar.reset();
            CodigoES error = 0;
            clave = Canonica(ruta, &error);
            if (clave.empty()) {
                if (Falta(error)) throw Error("No se encuentra la tabla '" + ruta + "'");
                throw Error("No se puede abrir la tabla '" + ruta + "': " + Texto(error));
            }
        }
        auto& reg = Tablas();
        auto& a = reg.tablas[clave];
        if (!a) {
            a.reset(new ArchivoTabla(ruta));
            a->clave_ = clave;
            a->enBloques_ = reg.enBloques.count(clave) > 0;
            if (Absoluta(ruta)) reg.claves[ruta] = clave;
        }
        std::shared_ptr<ArchivoTabla> tabla = a;
        try {
            tabla->TomarUso(modo);
        } catch (...) {
            if (tabla->usos_ == 0 && !tabla->cargado_) Quitar(clave);
            throw;
        }
        if (!comprobar || MismoArchivo(tabla->firma_, *comprobar)) return tabla;
        // The path names another file now than the one its key was found
        // for: that use is given back and the path looked up.
        tabla->Liberar();
        clave.clear();
    }
}

void ArchivoTabla::TomarUso(Modo modo) {
    const bool escritura = !modo.soloLectura;
    const Comparticion comparticion =
        modo.exclusiva ? Comparticion::Exclusiva : Comparticion::Compartida;
    if (usos_ == 0) {
        Archivo archivo;
        bool fdEscritura = false;
        CodigoES e = 0;
        if (escritura) {
            e = archivo.Abrir(ruta_, Acceso::LecturaEscritura, Creacion::Existente, comparticion);
            fdEscritura = e == 0;
            if (Conflicto(e)) EnUso(ruta_);
            if (e != 0 && e != codigo_es::kAccesoDenegado && !Falta(e))
                throw Error("No se puede abrir la tabla '" + ruta_ + "': " + Texto(e));
        }
        if (!archivo.Abierto())
            e = archivo.Abrir(ruta_, Acceso::Lectura, Creacion::Existente, comparticion);
        if (Conflicto(e)) EnUso(ruta_);
        if (Falta(e)) throw Error("No se encuentra la tabla '" + ruta_ + "'");
        if (e != 0) throw Error("No se puede abrir la tabla '" + ruta_ + "': " + Texto(e));
        archivo_ = std::move(archivo);
        fdEscritura_ = fdEscritura;
        bloqueoExclusivo_ = modo.exclusiva;
        try {
            // Taken before the file is read: a change made meanwhile shows
            // at the next open.
            const Firma f = FirmaActual();
            if (!cargado_ || !(f == firma_) || MdxCambiado()) {
                Cargar();
                firma_ = f;
            }
            escrita_ = false;
            if (fdEscritura_) RehacerMdxDesfasado();
        } catch (...) {
            archivo_.Cerrar();
            cargado_ = false;
            throw;
        }
        escribible_ = fdEscritura_;
        usos_ = 1;
        return;
    }
    // A stronger use than the file was opened with: the file is opened again
    // as asked, or kept as it was when the system refuses. A file we may not
    // write is still read, as on the first open.
    const bool masEscritura = escritura && !fdEscritura_;
    const bool masExclusiva = modo.exclusiva && !bloqueoExclusivo_;
    if (masEscritura || masExclusiva) {
        const Acceso accesoAntes = fdEscritura_ ? Acceso::LecturaEscritura : Acceso::Lectura;
        const Comparticion antes =
            bloqueoExclusivo_ ? Comparticion::Exclusiva : Comparticion::Compartida;
        const Comparticion despues = bloqueoExclusivo_ || modo.exclusiva ? Comparticion::Exclusiva
                                                                         : Comparticion::Compartida;
        Acceso acceso = escritura || fdEscritura_ ? Acceso::LecturaEscritura : Acceso::Lectura;
        // What is only here goes out through the handle that may write it.
        Volcar();
        archivo_.Cerrar();
        Archivo nuevo;
        CodigoES e = nuevo.Abrir(ruta_, acceso, Creacion::Existente, despues);
        if (e != 0 && !Conflicto(e) && acceso != accesoAntes) {
            acceso = accesoAntes;
            e = nuevo.Abrir(ruta_, acceso, Creacion::Existente, despues);
        }
        if (e != 0) {
            archivo_.Abrir(ruta_, accesoAntes, Creacion::Existente, antes);
            if (Conflicto(e)) EnUso(ruta_);
            throw Error("No se puede abrir la tabla '" + ruta_ + "': " + Texto(e));
        }
        archivo_ = std::move(nuevo);
        fdEscritura_ = acceso == Acceso::LecturaEscritura;
        escribible_ = fdEscritura_;
        bloqueoExclusivo_ = despues == Comparticion::Exclusiva;
        // A stale .MDX found by a reader is rewritten when this writer closes.
        if (fdEscritura_ && mdxDesfasado_) indicesCambiados_ = true;
    }
    ++usos_;
}

void ArchivoTabla::Liberar() {
    if (usos_ <= 0) return;
    // A table object that closes has its records in the file, whoever else
    // still holds it.
    if (--usos_ > 0) {
        Volcar();
        return;
    }
    std::string fallo;
    try {
        Cerrar();
    } catch (const Error& e) {
        fallo = e.what();
    }
    auto& reg = Tablas();
    cerradoEn_ = ++reg.reloj;
    std::vector<std::pair<uint64_t, std::string>> cerradas;
    for (const auto& [clave, t] : reg.tablas)
        if (t->usos_ == 0) cerradas.emplace_back(t->cerradoEn_, clave);
    if (cerradas.size() > kCopiasCerradas) {
        std::sort(cerradas.begin(), cerradas.end());
        for (size_t i = 0; i + kCopiasCerradas < cerradas.size(); ++i) Quitar(cerradas[i].second);
    }
    if (!fallo.empty()) throw Error(fallo);
}

void ArchivoTabla::Cerrar() {
    memo_.reset();
    std::string fallo;
    try {
        Volcar();
    } catch (const Error& e) {
        // The records that did not reach the file are lost with this copy:
        // the next open reads the file as it is.
        fallo = e.what();
        cargado_ = false;
    }
    if (indicesCambiados_ && fallo.empty()) {
        try {
            EscribirIndices();
        } catch (const Error& e) {
            fallo = e.what();
        }
    }
    if (escrita_) firma_ = FirmaActual();
    escrita_ = false;
    archivo_.Cerrar();
    fdEscritura_ = false;
    bloqueoExclusivo_ = false;
    escribible_ = false;
    if (!fallo.empty()) throw Error(fallo);
}

ArchivoTabla::~ArchivoTabla() = default;

bool ArchivoTabla::Borrar(const std::string& ruta) {
    CodigoES error = 0;
    const std::string clave = Canonica(ruta, &error);
    if (clave.empty()) return Falta(error);
    auto& reg = Tablas();
    if (auto it = reg.tablas.find(clave); it != reg.tablas.end()) {
        if (it->second->usos_ > 0) return false;
        Quitar(clave);
    }
    reg.enBloques.erase(clave);
    // Not while another program holds the file: where the system would let
    // us delete it under that program, our own exclusive open asks first.
    if (!kEsWindows) {
        Archivo a;
        const CodigoES e =
            a.Abrir(ruta, Acceso::Lectura, Creacion::Existente, Comparticion::Exclusiva);
        if (Conflicto(e)) return false;
        return SO().Borrar(ruta) == 0;
    }
    return SO().Borrar(ruta) == 0;
}

void ArchivoTabla::Olvidar(const std::string& ruta) {
    const std::string clave = Canonica(ruta);
    if (clave.empty()) return;
    auto& reg = Tablas();
    auto it = reg.tablas.find(clave);
    if (it != reg.tablas.end()) {
        if (it->second->usos_ > 0)
            throw Error("La tabla '" + ruta + "' está abierta y no se puede reemplazar");
        Quitar(clave);
    }
    reg.enBloques.erase(clave);
}

void ArchivoTabla::LlenarEnBloques(const std::string& ruta) {
    const std::string clave = Canonica(ruta);
    if (clave.empty()) return;
    auto& reg = Tablas();
    reg.enBloques.insert(clave);
    if (auto it = reg.tablas.find(clave); it != reg.tablas.end()) it->second->enBloques_ = true;
}

void ArchivoTabla::VolcarAbierta(const std::string& ruta) {
    // Asked before every copy: no system call unless something is pending.
    std::string clave;
    for (const auto& [k, t] : Tablas().tablas) {
        if (t->usos_ == 0 || !t->Pendiente()) continue;
        if (clave.empty()) clave = Canonica(ruta);
        if (k == clave) t->Volcar();
    }
}

ArchivoTabla::Firma ArchivoTabla::FirmaDe(const std::string& ruta) {
    Firma f;
    return SO().VersionDe(ruta, &f) == 0 ? f : Firma{};
}

bool ArchivoTabla::MdxCambiado() const {
    return !candidataMdx_.empty() && !(FirmaDe(candidataMdx_) == firmaMdx_);
}

ArchivoTabla::Firma ArchivoTabla::FirmaActual() const {
    Firma f;
    return SO().Version(archivo_.Manejador(), &f) == 0 ? f : Firma{};
}

void ArchivoTabla::Fallo(const std::string& detalle) const {
    throw Error("La tabla '" + ruta_ + "' está dañada: " + detalle);
}

void ArchivoTabla::Cargar() {
    cargado_ = false;
    uint64_t tamano = 0;
    if (CodigoES e = archivo_.Tamano(&tamano))
        throw Error("No se puede leer la tabla '" + ruta_ + "': " + Texto(e));
    std::string b(static_cast<size_t>(tamano), '\0');
    size_t leido = 0;
    if (CodigoES e = archivo_.LeerTodo(b.data(), b.size(), 0, &leido))
        throw Error("No se puede leer la tabla '" + ruta_ + "': " + Texto(e));
    b.resize(leido);

    if (b.empty()) Fallo("el archivo está vacío");
    const uint8_t version = static_cast<uint8_t>(b[0]);
    switch (version) {
        case 0x03:
        case 0x83:
        case 0x8B:
        case 0xF5:
        case 0x30:
        case 0x31:
        case 0x32:
            break;
        case 0x04:
        case 0x8C:
            throw Error("La tabla '" + ruta_ + "' es de dBASE nivel 7, que no se admite");
        default: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", version);
            throw Error("La tabla '" + ruta_ + "' no es de un tipo admitido (versión " + hex + ")");
        }
    }
    if (b.size() < 32) Fallo("la cabecera está incompleta");
    if (b[15] != 0) throw Error("La tabla '" + ruta_ + "' está cifrada y no se puede leer");
    const uint32_t cuenta = U32(b, 4);
    const size_t cabecera = U16(b, 8);
    const size_t longitud = U16(b, 10);
    if (cabecera < 33) Fallo("la longitud de la cabecera no es válida");
    if (cabecera > b.size()) Fallo("el archivo es más corto que su cabecera");
    const bool vfp = version >= 0x30 && version <= 0x32;

    std::vector<DescCampo> campos;
    size_t p = 32;
    int suma = 1;
    for (;;) {
        if (p >= cabecera) Fallo("la lista de campos no termina");
        if (static_cast<unsigned char>(b[p]) == 0x0D) break;
        if (p + 32 > cabecera) Fallo("la lista de campos no termina");
        DescCampo c;
        size_t n = 0;
        while (n < 11 && b[p + n] != '\0') ++n;
        c.info.nombre = Mayusculas(std::string_view(b).substr(p, n));
        c.info.tipo = b[p + 11];
        c.info.ancho = static_cast<unsigned char>(b[p + 16]);
        c.info.decimales = static_cast<unsigned char>(b[p + 17]);
        const uint8_t banderas = static_cast<uint8_t>(b[p + 18]);
        if (c.info.ancho == 0) Fallo("el campo '" + c.info.nombre + "' tiene longitud 0");
        c.info.sistema = c.info.tipo == '0' || (vfp && (banderas & 0x01) != 0);
        const char t = c.info.tipo;
        c.memo = t == 'M' || t == 'G' || t == 'P' || (t == 'B' && !vfp);
        c.binario = t == '0' || (vfp && (t == 'I' || t == 'B' || t == 'Y' || t == 'T' ||
                                         (c.memo && c.info.ancho == 4)));
        c.desplazamiento = suma;
        suma += c.info.ancho;
        campos.push_back(std::move(c));
        p += 32;
    }
    if (campos.empty()) Fallo("no tiene campos");
    if (static_cast<size_t>(suma) != longitud)
        Fallo("la longitud de registro (" + std::to_string(longitud) +
              ") no coincide con la de sus campos (" + std::to_string(suma) + ")");

    // Fewer bytes than the header promises is damage: read as far as it goes,
    // the table would pass for a complete one with fewer records. Bytes after
    // the promised records (the 0x1A mark, a writer's padding) are no records.
    const size_t resto = b.size() - cabecera;
    if (resto / longitud < cuenta) {
        const size_t completos = resto / longitud;
        size_t parte = resto % longitud;
        if (parte == 1 && b.back() == '\x1A') parte = 0;  // the mark, not a record's first byte
        if (parte > 0 && completos + 1 == cuenta)
            Fallo("el último registro (el " + std::to_string(cuenta) + ") está cortado: tiene " +
                  std::to_string(parte) + " de sus " + std::to_string(longitud) + " bytes");
        Fallo("la cabecera anuncia " + Cuenta(cuenta, "registro") + " y el archivo solo contiene " +
              std::to_string(completos));
    }
    registros_ = cuenta;
    enDisco_ = cuenta;
    cabeceraPendiente_ = false;
    version_ = version;
    longitudCabecera_ = cabecera;
    longitud_ = longitud;
    cabecera_ = b.substr(0, cabecera);
    // The records stay in the buffer they were read into.
    b.erase(0, cabecera);
    b.resize(static_cast<size_t>(registros_) * longitud);
    datos_ = std::move(b);
    borrados_ = 0;
    for (uint32_t i = 0; i < registros_; ++i)
        if (datos_[static_cast<size_t>(i) * longitud_] == '*') ++borrados_;
    pagina_ = &CodePage::DesdeDriver(static_cast<uint8_t>(cabecera_[29]));
    campos_ = std::move(campos);
    infos_.clear();
    for (const auto& c : campos_) infos_.push_back(c.info);
    // Names are stored in upper case; the first of two equal names wins.
    porNombre_.clear();
    for (size_t i = 0; i < campos_.size(); ++i)
        porNombre_.emplace(campos_[i].info.nombre, static_cast<int>(i));
    blanco_.assign(longitud_, ' ');
    for (const auto& c : campos_) codec::Limpiar(c, blanco_.data());
    mapas_.clear();
    memo_.reset();
    CargarIndices();
    cargado_ = true;
}

int ArchivoTabla::BuscarCampo(std::string_view nombre) const {
    const auto it = porNombre_.find(Mayusculas(nombre));
    return it == porNombre_.end() ? -1 : it->second;
}

const char* ArchivoTabla::Registro(uint32_t recno) const {
    if (recno < 1 || recno > registros_) return nullptr;
    return datos_.data() + static_cast<size_t>(recno - 1) * longitud_;
}

bool ArchivoTabla::Borrado(uint32_t recno) const {
    const char* r = Registro(recno);
    return r == nullptr || *r == '*';
}

void ArchivoTabla::EscribirCabecera() {
    const std::tm t = SO().HoraLocal();
    char b[7];
    b[0] = static_cast<char>(t.tm_year);
    b[1] = static_cast<char>(t.tm_mon + 1);
    b[2] = static_cast<char>(t.tm_mday);
    for (int i = 0; i < 4; ++i) b[3 + i] = static_cast<char>((enDisco_ >> (8 * i)) & 0xFF);
    cabeceraPendiente_ = true;
    escrita_ = true;
    if (CodigoES e = archivo_.EscribirTodo(b, sizeof b, 1))
        throw Error("No se puede escribir en la tabla '" + ruta_ + "': " + Texto(e));
    cabeceraPendiente_ = false;
    std::memcpy(cabecera_.data() + 1, b, sizeof b);
}

void ArchivoTabla::EscribirBloque() {
    if (enDisco_ >= registros_) return;
    // The records first, then the count that takes them in: a failure in
    // between leaves a header that counts fewer records than the file holds.
    const size_t desde = static_cast<size_t>(enDisco_) * longitud_;
    std::string bloque(datos_, desde);
    bloque += '\x1A';
    escrita_ = true;
    if (CodigoES e = archivo_.EscribirTodo(bloque.data(), bloque.size(), longitudCabecera_ + desde))
        throw Error("No se puede escribir en la tabla '" + ruta_ + "': " + Texto(e));
    enDisco_ = registros_;
    EscribirCabecera();
}

void ArchivoTabla::Volcar() {
    if (!Pendiente() || !archivo_.Abierto()) return;
    if (enDisco_ < registros_)
        EscribirBloque();
    else
        EscribirCabecera();
}

void ArchivoTabla::Escribir(uint32_t recno, const char* datos) {
    if (!escribible_) throw Error("La tabla '" + ruta_ + "' está abierta solo para lectura");
    const uint64_t pos =
        longitudCabecera_ + static_cast<uint64_t>(recno - 1) * static_cast<uint64_t>(longitud_);
    if (recno == registros_ + 1) {
        if (enBloques_) {
            // A full block goes out before this record joins the others, so
            // a failed write fails this Post with nothing changed.
            if (static_cast<size_t>(registros_ - enDisco_ + 1) * longitud_ > kBloque)
                EscribirBloque();
        } else {
            std::string bytes(datos, longitud_);
            bytes += '\x1A';
            escrita_ = true;
            if (CodigoES e = archivo_.EscribirTodo(bytes.data(), bytes.size(), pos))
                throw Error("No se puede escribir en la tabla '" + ruta_ + "': " + Texto(e));
        }
        datos_.append(datos, longitud_);
        ++registros_;
        if (!enBloques_) enDisco_ = registros_;
        if (*datos == '*') ++borrados_;
        AnotarEnIndices(recno, nullptr, datos);
        for (auto& [k, mapa] : mapas_) {
            if (*datos == '*') break;
            bool valida = false;
            const std::string clave = ClaveMapa(*this, k / 2, k % 2 == 1, datos, recno, &valida);
            if (valida) mapa[clave].push_back(recno);
        }
    } else if (recno >= 1 && recno <= registros_) {
        // A record the file has is written through; one it has not yet goes
        // out with its block.
        if (recno <= enDisco_) {
            escrita_ = true;
            if (CodigoES e = archivo_.EscribirTodo(datos, longitud_, pos))
                throw Error("No se puede escribir en la tabla '" + ruta_ + "': " + Texto(e));
        }
        char* destino = datos_.data() + static_cast<size_t>(recno - 1) * longitud_;
        const std::string anterior(destino, longitud_);
        if (anterior[0] == '*') --borrados_;
        if (*datos == '*') ++borrados_;
        std::memcpy(destino, datos, longitud_);
        AnotarEnIndices(recno, anterior.data(), datos);
        mapas_.clear();
    } else {
        throw Error("El registro " + std::to_string(recno) + " no existe en la tabla '" + ruta_ +
                    "'");
    }
    if (enBloques_)
        cabeceraPendiente_ = true;
    else
        EscribirCabecera();
}

void ArchivoTabla::Vaciar() {
    if (!escribible_) throw Error("La tabla '" + ruta_ + "' está abierta solo para lectura");
    escrita_ = true;
    CodigoES e = SO().Truncar(archivo_.Manejador(), longitudCabecera_);
    if (e == 0) e = archivo_.EscribirTodo("\x1A", 1, longitudCabecera_);
    if (e != 0) throw Error("No se puede vaciar la tabla '" + ruta_ + "': " + Texto(e));
    datos_.clear();
    registros_ = 0;
    enDisco_ = 0;
    borrados_ = 0;
    mapas_.clear();
    for (auto& i : indices_) i->entradas.clear();
    EscribirCabecera();
    // An emptied table is filled again from nothing: in blocks, as a new one.
    enBloques_ = true;
    if (!clave_.empty()) Tablas().enBloques.insert(clave_);
    if (!indices_.empty()) {
        indicesCambiados_ = true;
        EscribirIndices();
    }
}

// ---- indexes

void ArchivoTabla::CargarIndices() {
    indices_.clear();
    rutaMdx_.clear();
    candidataMdx_.clear();
    firmaMdx_ = {};
    problemaMdx_.clear();
    indicesCambiados_ = false;
    mdxDesfasado_ = false;
    // Byte 28 also marks a FoxPro .CDX; only a .MDX beside the table is ours.
    if ((static_cast<uint8_t>(cabecera_[28]) & 0x01) == 0 || EsVfp() || version_ == 0xF5) return;
    const std::string mdx = RutaNativa(SinExtension(ruta_) + ".MDX");
    // A copy kept from an earlier open is good only while its index file is.
    candidataMdx_ = mdx;
    firmaMdx_ = FirmaDe(mdx);
    if (SO().Tipo(mdx) != TipoEntrada::Archivo) return;
    rutaMdx_ = mdx;
    std::vector<TagMdx> tags;
    try {
        tags = LeerTagsMdx(mdx);
    } catch (const Error& e) {
        problemaMdx_ = e.what();
        return;
    }
    for (auto& t : tags) {
        auto indice = std::make_unique<IndiceTabla>(t.descendente);
        t.claves.clear();
        indice->tag = t;
        std::string expr = t.expresion;
        size_t ancho = 0;
        bool todosTexto = true;
        size_t inicio = 0;
        while (inicio <= expr.size()) {
            size_t fin = expr.find('+', inicio);
            if (fin == std::string::npos) fin = expr.size();
            std::string nombre = expr.substr(inicio, fin - inicio);
            while (!nombre.empty() && nombre.back() == ' ') nombre.pop_back();
            while (!nombre.empty() && nombre.front() == ' ') nombre.erase(0, 1);
            const int c = BuscarCampo(nombre);
            if (c < 0) {
                indice->problema = "la expresión '" + t.expresion + "' no se admite";
                break;
            }
            indice->campos.push_back(c);
            const auto& d = campos_[static_cast<size_t>(c)];
            ancho += static_cast<size_t>(d.info.ancho);
            if (d.info.tipo != 'C') todosTexto = false;
            inicio = fin + 1;
        }
        if (indice->problema.empty()) {
            const char tipo = t.tipoClave;
            const auto& d0 = campos_[static_cast<size_t>(indice->campos[0])];
            const bool valida =
                (tipo == 'C' && todosTexto && ancho == static_cast<size_t>(t.longitudClave)) ||
                (tipo == 'N' && indice->campos.size() == 1 &&
                 (d0.info.tipo == 'N' || d0.info.tipo == 'F')) ||
                (tipo == 'D' && indice->campos.size() == 1 && d0.info.tipo == 'D');
            if (!valida) indice->problema = "la expresión '" + t.expresion + "' no se admite";
        }
        if (indice->problema.empty()) {
            try {
                for (uint32_t r = 1; r <= registros_; ++r)
                    indice->entradas.emplace(Clave(*indice, Registro(r), r), r);
            } catch (const Error& e) {
                indice->problema = e.what();
                indice->claveNoNumero = true;
                indice->entradas.clear();
            }
        }
        // Every record has its key in a tag (one per distinct key in a unique
        // one). Another count means the table changed behind the index: the
        // keys above come from the records, and the file is rewritten from
        // them. A tag that cannot be built from the records says so instead.
        uint64_t esperadas = 0;
        bool sabida = false;
        if (indice->problema.empty()) {
            const std::string* previa = nullptr;
            for (const auto& e : indice->entradas) {
                if (!t.unico || previa == nullptr || *previa != e.first) ++esperadas;
                previa = &e.first;
            }
            sabida = true;
        } else if (!t.unico) {
            esperadas = registros_;
            sabida = true;
        }
        const bool desfasado = t.mayorRegistro > registros_ || (sabida && t.entradas != esperadas);
        if (desfasado && indice->problema.empty()) {
            mdxDesfasado_ = true;
        } else if (desfasado && !indice->claveNoNumero) {
            indice->problema = "el índice está desfasado (la etiqueta tiene " +
                               Cuenta(t.entradas, "clave") + " y la tabla " +
                               Cuenta(registros_, "registro") +
                               ") y no se puede rehacer: " + indice->problema;
        }
        indices_.push_back(std::move(indice));
    }
}

std::string ArchivoTabla::Clave(const IndiceTabla& indice, const char* registro,
                                uint32_t recno) const {
    if (indice.tag.tipoClave == 'C') {
        std::string k;
        for (int c : indice.campos) {
            const auto& d = campos_[static_cast<size_t>(c)];
            k.append(registro + d.desplazamiento, static_cast<size_t>(d.info.ancho));
        }
        return k;
    }
    const DescCampo& d = campos_[static_cast<size_t>(indice.campos[0])];
    double v = 0;
    switch (codec::LeerNumero(d, registro, &v)) {
        case codec::Lectura::Numero:
            break;
        case codec::Lectura::Vacio:
            v = 0;
            break;
        case codec::Lectura::NoNumero:
            // Nobody reads a deleted record: its key only keeps its place.
            if (*registro != '*') codec::NoEsNumero(*this, d, registro, recno, codec::Entera(d));
            v = 0;
            break;
    }
    return codec::ClaveOrdenable(v);
}

const IndiceTabla* ArchivoTabla::Indice(std::string_view nombre) {
    for (const auto& i : indices_) {
        if (!MismoNombre(i->tag.nombre, nombre)) continue;
        if (i->claveNoNumero) throw Error(i->problema);
        if (!i->problema.empty())
            throw Error("No se puede usar el índice '" + std::string(nombre) + "' de la tabla '" +
                        ruta_ + "': " + i->problema);
        return i.get();
    }
    if (!problemaMdx_.empty())
        throw Error("No se puede usar el índice '" + std::string(nombre) + "': " + problemaMdx_);
    return nullptr;
}

void ArchivoTabla::AnotarEnIndices(uint32_t recno, const char* anterior, const char* nuevo) {
    for (auto& i : indices_) {
        if (!i->problema.empty()) continue;
        if (anterior != nullptr) i->entradas.erase({Clave(*i, anterior, recno), recno});
        i->entradas.emplace(Clave(*i, nuevo, recno), recno);
        indicesCambiados_ = true;
    }
}

void ArchivoTabla::EscribirIndices() {
    indicesCambiados_ = false;
    // A tag we cannot compute would be lost by a rewrite: leave the file alone.
    if (rutaMdx_.empty() || !problemaMdx_.empty()) return;
    for (const auto& i : indices_)
        if (!i->problema.empty()) return;
    std::vector<TagMdx> tags;
    for (const auto& i : indices_) {
        TagMdx t = i->tag;
        t.claves.clear();
        const std::string* previa = nullptr;
        for (const auto& e : i->entradas) {
            if (t.unico && previa != nullptr && *previa == e.first) continue;
            previa = &e.first;
            const char* r = Registro(e.second);
            std::string k;
            if (t.tipoClave == 'C') {
                k = e.first;
            } else {
                double v = 0;
                const DescCampo& d = campos_[static_cast<size_t>(i->campos[0])];
                if (codec::LeerNumero(d, r, &v) != codec::Lectura::Numero) v = 0;
                k = t.tipoClave == 'N'
                        ? ClaveNumericaMdx(v)
                        : ClaveFechaMdx(v + static_cast<double>(codec::kJulianoDe18991230));
            }
            t.claves.emplace_back(std::move(k), e.second);
        }
        tags.push_back(std::move(t));
    }
    std::string base = SinExtension(ruta_);
    if (const auto barra = base.find_last_of('/'); barra != std::string::npos)
        base.erase(0, barra + 1);
    EscribirMdx(rutaMdx_, Mayusculas(base), tags);
    firmaMdx_ = FirmaDe(rutaMdx_);
    mdxDesfasado_ = false;
}

void ArchivoTabla::RehacerMdxDesfasado() {
    if (!mdxDesfasado_) return;
    indicesCambiados_ = true;
    EscribirIndices();
}

// ---- memo

std::string ArchivoTabla::LeerMemo(uint32_t bloque) {
    if (!memo_) {
        const bool fox = version_ == 0xF5 || EsVfp();
        ArchivoMemo::Tipo tipo =
            fox ? ArchivoMemo::Tipo::Fpt
                : (version_ == 0x8B ? ArchivoMemo::Tipo::Dbt4 : ArchivoMemo::Tipo::Dbt3);
        std::string ruta = RutaNativa(SinExtension(ruta_) + (fox ? ".FPT" : ".DBT"));
        if (version_ == 0x03) {
            const std::string fpt = RutaNativa(SinExtension(ruta_) + ".FPT");
            if (ExisteArchivo(fpt)) {
                ruta = fpt;
                tipo = ArchivoMemo::Tipo::Fpt;
            }
        }
        memo_ = ArchivoMemo::Abrir(ruta, tipo, false);
        memoEscritura_ = false;
    }
    return memo_->Leer(bloque);
}

uint32_t ArchivoTabla::EscribirMemo(const std::string& datos) {
    if (!escribible_) throw Error("La tabla '" + ruta_ + "' está abierta solo para lectura");
    if (!(version_ == 0xF5 || EsVfp()))
        throw Error("No se pueden escribir memos en la tabla '" + ruta_ + "'");
    if (!memo_ || !memoEscritura_) {
        memo_.reset();
        memo_ = ArchivoMemo::Abrir(RutaNativa(SinExtension(ruta_) + ".FPT"), ArchivoMemo::Tipo::Fpt,
                                   true);
        memoEscritura_ = true;
    }
    return memo_->Escribir(datos);
}

// ---- lookup maps

std::string ArchivoTabla::ClaveMapa(const ArchivoTabla& a, int campo, bool numerica,
                                    const char* registro, uint32_t recno, bool* valida) {
    const DescCampo& c = a.campos_[static_cast<size_t>(campo)];
    if (numerica) {
        double v = 0;
        const codec::Lectura l = codec::LeerNumero(c, registro, &v);
        if (l == codec::Lectura::NoNumero)
            codec::NoEsNumero(a, c, registro, recno, codec::Entera(c));
        *valida = l == codec::Lectura::Numero;
        return *valida ? FlotanteExacto(v) : std::string();
    }
    *valida = true;
    return codec::Texto(const_cast<ArchivoTabla&>(a), c, registro, recno);
}

const std::vector<uint32_t>& ArchivoTabla::Coincidencias(int campo, bool numerica,
                                                         const std::string& clave) {
    static const std::vector<uint32_t> ninguna;
    const int k = campo * 2 + (numerica ? 1 : 0);
    auto it = mapas_.find(k);
    if (it == mapas_.end()) {
        std::unordered_map<std::string, std::vector<uint32_t>> mapa;
        for (uint32_t r = 1; r <= registros_; ++r) {
            const char* reg = Registro(r);
            if (*reg == '*') continue;
            bool valida = false;
            std::string c = ClaveMapa(*this, campo, numerica, reg, r, &valida);
            if (valida) mapa[std::move(c)].push_back(r);
        }
        it = mapas_.emplace(k, std::move(mapa)).first;
    }
    const auto m = it->second.find(clave);
    return m == it->second.end() ? ninguna : m->second;
}

}  // namespace brisolt
