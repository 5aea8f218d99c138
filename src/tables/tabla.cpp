#include "tables/tabla.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "sistema/sistema.h"
#include "tables/archivo_tabla.h"
#include "tables/campo.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt {

namespace {

constexpr const char* kNoEditando = "La fuente de datos no está en modo de edición o inserción";
constexpr const char* kCerrada = "No se puede realizar esta operación con la tabla cerrada";

// Engine errors of a named component carry its name in front.
template <class F>
auto ConNombre(const std::string& nombre, F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const Error& e) {
        if (nombre.empty()) throw;
        throw Error(nombre + ": " + e.what());
    }
}

std::string Mayusculas(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

std::string SinExtension(const std::string& ruta) {
    const auto barra = ruta.find_last_of("/\\");
    const auto punto = ruta.find_last_of('.');
    if (punto == std::string::npos || (barra != std::string::npos && punto < barra)) return ruta;
    return ruta.substr(0, punto);
}

bool TieneExtension(const std::string& nombre) {
    return SinExtension(nombre) != nombre;
}

// The companion file (.MDX, .FPT) spelt in the case of the table's extension.
std::string Companero(const std::string& ruta, const char* extension) {
    const std::string base = SinExtension(ruta);
    const std::string ext = ruta.substr(base.size());
    const bool minusculas =
        std::any_of(ext.begin(), ext.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    std::string e = extension;
    if (minusculas)
        for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return RutaNativa(base + e);
}

bool EsNumerica(const DescCampo& c) {
    const char t = c.info.tipo;
    return t == 'N' || t == 'F' || t == 'I' || t == 'Y' || t == '+' || t == 'O' ||
           (t == 'B' && !c.memo);
}

// Integer fields take a whole number; float, currency and double fields a
// number with the user's decimal separator.
bool EsEntera(const DescCampo& c) {
    const char t = c.info.tipo;
    return t == 'I' || t == '+' || (t == 'N' && c.info.decimales == 0);
}

struct Uso {
    std::shared_ptr<ArchivoTabla> a;
    ~Uso() {
        if (a) try {
                a->Liberar();
            } catch (...) {
            }
    }
};

}  // namespace

struct Tabla::Estado {
    enum class Modo { Consulta, Edicion, Insercion };

    std::shared_ptr<ArchivoTabla> archivo;
    Modo modo = Modo::Consulta;
    std::string pendiente;
    bool modificado = false;
    uint32_t actual = 0;
    bool eof = true;
    const IndiceTabla* indice = nullptr;
    int campoFiltro = -1;
    std::string valorFiltro;

    const DescCampo& Desc(int i) const { return archivo->Campos()[static_cast<size_t>(i)]; }

    const char* Lectura() const {
        if (modo != Modo::Consulta) return pendiente.data();
        const char* r = archivo->Registro(actual);
        return r != nullptr ? r : archivo->RegistroEnBlanco().data();
    }
    // The number of the record Lectura gives, for the messages: the one an
    // insert would append, else the current one.
    uint32_t NumeroLectura() const {
        return modo == Modo::Insercion ? archivo->Registros() + 1 : actual;
    }

    bool Visible(uint32_t r) const {
        const char* reg = archivo->Registro(r);
        if (reg == nullptr || *reg == '*') return false;
        if (campoFiltro < 0) return true;
        return codec::Texto(*archivo, Desc(campoFiltro), reg, r) == valorFiltro;
    }

    // Walks in the cursor's order: the current index, else file order (through
    // the filter's map when filtered).
    uint32_t Primero() const {
        if (indice != nullptr) {
            for (const auto& e : indice->entradas)
                if (Visible(e.second)) return e.second;
            return 0;
        }
        if (campoFiltro >= 0) {
            for (uint32_t r : archivo->Coincidencias(campoFiltro, false, valorFiltro))
                if (Visible(r)) return r;
            return 0;
        }
        for (uint32_t r = 1; r <= archivo->Registros(); ++r)
            if (!archivo->Borrado(r)) return r;
        return 0;
    }

    uint32_t Siguiente(uint32_t desde) const {
        if (indice != nullptr) {
            const char* reg = archivo->Registro(desde);
            if (reg == nullptr) return 0;
            auto it = indice->entradas.upper_bound({archivo->Clave(*indice, reg, desde), desde});
            for (; it != indice->entradas.end(); ++it)
                if (Visible(it->second)) return it->second;
            return 0;
        }
        if (campoFiltro >= 0) {
            const auto& lista = archivo->Coincidencias(campoFiltro, false, valorFiltro);
            for (auto it = std::upper_bound(lista.begin(), lista.end(), desde); it != lista.end();
                 ++it)
                if (Visible(*it)) return *it;
            return 0;
        }
        for (uint32_t r = desde + 1; r <= archivo->Registros(); ++r)
            if (!archivo->Borrado(r)) return r;
        return 0;
    }

    // True when `a` comes before `b` in the cursor's order.
    bool Antes(uint32_t a, uint32_t b) const {
        if (indice == nullptr) return a < b;
        return indice->entradas.key_comp()({archivo->Clave(*indice, archivo->Registro(a), a), a},
                                           {archivo->Clave(*indice, archivo->Registro(b), b), b});
    }

    void Posicionar(uint32_t r) {
        actual = r;
        eof = r == 0;
    }

    // The one place where a pending record is settled: written when a field
    // was set since Append or Edit, else dropped.
    void Asentar() {
        if (modo == Modo::Consulta) return;
        if (modificado)
            Escribir();
        else
            Descartar();
    }

    void Escribir() {
        if (modo == Modo::Insercion) {
            const uint32_t nuevo = archivo->Registros() + 1;
            archivo->Escribir(nuevo, pendiente.data());
            Posicionar(nuevo);
        } else {
            archivo->Escribir(actual, pendiente.data());
        }
        Descartar();
    }

    void Descartar() {
        modo = Modo::Consulta;
        modificado = false;
        pendiente.clear();
    }
};

Tabla::Tabla(std::string nombre) : nombre_(std::move(nombre)) {}

Tabla::~Tabla() {
    try {
        Close();
    } catch (...) {
    }
}

void Tabla::SetDatabaseName(std::string carpeta) {
    carpeta_ = std::move(carpeta);
}
void Tabla::SetTableName(std::string nombre) {
    nombreTabla_ = std::move(nombre);
}
void Tabla::SetExclusive(bool exclusiva) {
    exclusiva_ = exclusiva;
}
void Tabla::SetReadOnly(bool soloLectura) {
    soloLectura_ = soloLectura;
}
void Tabla::SetTableLevel(NivelTabla nivel) {
    nivel_ = nivel;
}
void Tabla::SetFilter(std::string filtro) {
    filtro_ = std::move(filtro);
}
void Tabla::SetFiltered(bool filtrado) {
    filtrado_ = filtrado;
}

std::string Tabla::RutaArchivo() const {
    std::string nombre = nombreTabla_;
    if (!TieneExtension(nombre)) {
        const bool minusculas =
            std::any_of(nombre.begin(), nombre.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        nombre += minusculas ? ".dbf" : ".DBF";
    }
    return RutaNativa(carpeta_.empty() ? nombre : UnirRuta(carpeta_, nombre));
}

void Tabla::SetIndexName(std::string indice) {
    if (!estado_) {
        indice_ = std::move(indice);
        return;
    }
    ConNombre(nombre_, [&] {
        estado_->Asentar();
        const IndiceTabla* i = nullptr;
        if (!indice.empty()) {
            i = estado_->archivo->Indice(indice);
            if (i == nullptr) throw Error("No se encuentra el índice '" + indice + "'");
        }
        estado_->indice = i;
        indice_ = std::move(indice);
    });
}

namespace {

// The one filter form there is: Campo= 'valor', a quote inside doubled.
bool LeerFiltro(const std::string& f, std::string* campo, std::string* valor) {
    size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    const size_t inicio = i;
    while (i < f.size() && (std::isalnum(static_cast<unsigned char>(f[i])) || f[i] == '_')) ++i;
    if (i == inicio) return false;
    *campo = f.substr(inicio, i - inicio);
    while (i < f.size() && f[i] == ' ') ++i;
    if (i >= f.size() || f[i] != '=') return false;
    ++i;
    while (i < f.size() && f[i] == ' ') ++i;
    if (i >= f.size() || f[i] != '\'') return false;
    ++i;
    std::string v;
    for (;;) {
        if (i >= f.size()) return false;
        if (f[i] == '\'') {
            if (i + 1 < f.size() && f[i + 1] == '\'') {
                v += '\'';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        v += f[i++];
    }
    while (i < f.size() && f[i] == ' ') ++i;
    if (i != f.size()) return false;
    while (!v.empty() && v.back() == ' ') v.pop_back();
    *valor = v;
    return true;
}

}  // namespace

void Tabla::Open() {
    if (estado_) return;
    ConNombre(nombre_, [&] {
        auto e = std::make_unique<Estado>();
        Uso uso{ArchivoTabla::Abrir(RutaArchivo(), {exclusiva_, soloLectura_})};
        e->archivo = uso.a;
        if (filtrado_ && !filtro_.empty()) {
            std::string campo, valor;
            if (!LeerFiltro(filtro_, &campo, &valor))
                throw Error("La expresión de filtro '" + filtro_ + "' no se admite");
            e->campoFiltro = e->archivo->BuscarCampo(campo);
            if (e->campoFiltro < 0) throw Error(Formato("No se encuentra el campo '%s'", campo));
            e->valorFiltro = valor;
        }
        if (!indice_.empty()) {
            e->indice = e->archivo->Indice(indice_);
            if (e->indice == nullptr) throw Error("No se encuentra el índice '" + indice_ + "'");
        }
        e->Posicionar(e->Primero());
        uso.a.reset();  // the use now belongs to the cursor
        estado_ = std::move(e);
    });
}

void Tabla::Close() {
    if (!estado_) return;
    auto archivo = std::move(estado_->archivo);
    estado_.reset();
    ConNombre(nombre_, [&] { archivo->Liberar(); });
}

bool Tabla::Active() const {
    return estado_ != nullptr;
}

void Tabla::First() {
    ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        estado_->Asentar();
        estado_->Posicionar(estado_->Primero());
    });
}

void Tabla::Next() {
    ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        estado_->Asentar();
        if (estado_->eof) return;
        const uint32_t r = estado_->Siguiente(estado_->actual);
        if (r == 0)
            estado_->eof = true;
        else
            estado_->actual = r;
    });
}

bool Tabla::Eof() const {
    return !estado_ || estado_->eof;
}

void Tabla::Append() {
    ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        estado_->Asentar();
        if (!estado_->archivo->Escribible())
            throw Error("La tabla '" + estado_->archivo->Ruta() +
                        "' está abierta solo para lectura");
        estado_->pendiente = estado_->archivo->RegistroEnBlanco();
        estado_->modo = Estado::Modo::Insercion;
        estado_->modificado = false;
    });
}

void Tabla::Edit() {
    ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        if (estado_->modo != Estado::Modo::Consulta) return;
        if (!estado_->archivo->Escribible())
            throw Error("La tabla '" + estado_->archivo->Ruta() +
                        "' está abierta solo para lectura");
        const char* r = estado_->archivo->Registro(estado_->actual);
        if (r == nullptr || *r == '*') {
            // Nothing to edit: as on an empty table, editing starts a new record.
            estado_->pendiente = estado_->archivo->RegistroEnBlanco();
            estado_->modo = Estado::Modo::Insercion;
        } else {
            estado_->pendiente.assign(r, estado_->archivo->LongitudRegistro());
            estado_->modo = Estado::Modo::Edicion;
        }
        estado_->modificado = false;
    });
}

void Tabla::Post() {
    ConNombre(nombre_, [&] {
        if (!estado_ || estado_->modo == Estado::Modo::Consulta) throw Error(kNoEditando);
        estado_->Escribir();
    });
}

void Tabla::Cancel() {
    if (estado_) estado_->Descartar();
}

bool Tabla::Editing() const {
    return estado_ && estado_->modo != Estado::Modo::Consulta;
}

Campo Tabla::FieldByName(std::string_view nombre) {
    const int i = estado_ ? estado_->archivo->BuscarCampo(nombre) : -1;
    if (i < 0) {
        const std::string texto = Formato("No se encuentra el campo '%s'", std::string(nombre));
        throw Error(nombre_.empty() ? texto : nombre_ + ": " + texto);
    }
    return Campo(this, i);
}

bool Tabla::HasField(std::string_view nombre) const {
    return estado_ && estado_->archivo->BuscarCampo(nombre) >= 0;
}

const std::vector<InfoCampo>& Tabla::Fields() const {
    static const std::vector<InfoCampo> ninguno;
    return estado_ ? estado_->archivo->Infos() : ninguno;
}

bool Tabla::Locate(std::string_view campo, std::string_view valor) {
    const int i = ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        estado_->Asentar();
        const int c = estado_->archivo->BuscarCampo(campo);
        if (c < 0) throw Error(Formato("No se encuentra el campo '%s'", std::string(campo)));
        return c;
    });
    Estado& e = *estado_;
    const DescCampo& d = e.Desc(i);
    const bool numerica = EsNumerica(d);
    std::string clave;
    if (numerica) {
        const double numero =
            EsEntera(d) ? static_cast<double>(TextoAEntero(valor)) : TextoAFlotante(valor);
        clave = FlotanteExacto(numero);
    } else {
        clave = std::string(valor);
        while (!clave.empty() && clave.back() == ' ') clave.pop_back();
    }
    return ConNombre(nombre_, [&] {
        uint32_t hallado = 0;
        auto considerar = [&](uint32_t r) {
            if (!e.Visible(r)) return false;
            if (hallado == 0 || e.Antes(r, hallado)) hallado = r;
            return e.indice == nullptr;  // in file order the first match is the answer
        };
        if (d.memo) {
            for (uint32_t r = 1; r <= e.archivo->Registros(); ++r)
                if (codec::Texto(*e.archivo, d, e.archivo->Registro(r), r) == clave &&
                    considerar(r))
                    break;
        } else {
            for (uint32_t r : e.archivo->Coincidencias(i, numerica, clave))
                if (considerar(r)) break;
        }
        if (hallado == 0) return false;
        e.Posicionar(hallado);
        return true;
    });
}

bool Tabla::FindKey(const std::vector<std::string>& valores) {
    return ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        Estado& e = *estado_;
        e.Asentar();
        if (e.indice == nullptr) throw Error("No hay ningún índice activo");
        const IndiceTabla& ind = *e.indice;
        std::string clave;
        bool parcial = false;
        if (ind.tag.tipoClave == 'C') {
            for (size_t k = 0; k < ind.campos.size(); ++k) {
                if (k >= valores.size()) {
                    parcial = true;
                    break;
                }
                const DescCampo& d = e.Desc(ind.campos[k]);
                const size_t ancho = static_cast<size_t>(d.info.ancho);
                std::string b = e.archivo->Pagina().DesdeUtf8(valores[k], ancho);
                b.resize(ancho, ' ');
                clave += b;
            }
        } else {
            if (valores.empty()) throw Error("No se ha dado ningún valor para buscar");
            double v = 0;
            const std::string& t = valores[0];
            int32_t entero;
            if (ind.tag.tipoClave == 'D') {
                if (!codec::TextoAFecha(t, &v))
                    throw Error(Formato("'%s' no es una fecha válida", t));
            } else if (EsEntero(t, &entero)) {
                v = entero;
            } else {
                v = TextoAFlotante(t);
            }
            clave = codec::ClaveOrdenable(v);
        }
        auto it = ind.entradas.begin();
        if (parcial && ind.tag.descendente) {
            const size_t largo =
                ind.entradas.empty() ? clave.size() : ind.entradas.begin()->first.size();
            it = ind.entradas.lower_bound(
                {clave + std::string(largo - std::min(largo, clave.size()), '\xFF'), 0});
        } else {
            it = ind.entradas.lower_bound({clave, 0});
        }
        for (; it != ind.entradas.end(); ++it) {
            const bool coincide =
                parcial ? it->first.compare(0, clave.size(), clave) == 0 : it->first == clave;
            if (!coincide) break;
            if (e.Visible(it->second)) {
                e.Posicionar(it->second);
                return true;
            }
        }
        return false;
    });
}

int64_t Tabla::RecNo() const {
    if (!estado_ || estado_->modo == Estado::Modo::Insercion) return 0;
    return estado_->archivo->Registro(estado_->actual) != nullptr ? estado_->actual : 0;
}

int64_t Tabla::RecordCount() const {
    if (!estado_) return 0;
    Estado& e = *estado_;
    if (e.campoFiltro < 0) return e.archivo->Vivos();
    int64_t n = 0;
    for (uint32_t r : e.archivo->Coincidencias(e.campoFiltro, false, e.valorFiltro))
        if (e.Visible(r)) ++n;
    return n;
}

void Tabla::GoTo(int64_t recno) {
    ConNombre(nombre_, [&] {
        if (!estado_) throw Error(kCerrada);
        estado_->Asentar();
        if (recno < 1 || recno > UINT32_MAX || !estado_->Visible(static_cast<uint32_t>(recno)))
            throw Error("El registro " + std::to_string(recno) + " no existe");
        estado_->Posicionar(static_cast<uint32_t>(recno));
    });
}

// ---- CreateTable and EmptyTable

namespace {

struct CampoNuevo {
    std::string nombre;
    char tipo;
    int ancho, decimales;
};

std::string CabeceraNueva(uint8_t version, uint8_t driver, bool conIndice,
                          const std::vector<CampoNuevo>& campos,
                          const std::vector<bool>& enIndice) {
    const size_t largo = 32 + 32 * campos.size() + 1;
    size_t registro = 1;
    for (const auto& c : campos) registro += static_cast<size_t>(c.ancho);
    std::string h(largo, '\0');
    const std::tm t = SO().HoraLocal();
    h[0] = static_cast<char>(version);
    h[1] = static_cast<char>(t.tm_year);
    h[2] = static_cast<char>(t.tm_mon + 1);
    h[3] = static_cast<char>(t.tm_mday);
    h[8] = static_cast<char>(largo & 0xFF);
    h[9] = static_cast<char>(largo >> 8);
    h[10] = static_cast<char>(registro & 0xFF);
    h[11] = static_cast<char>(registro >> 8);
    h[28] = conIndice ? 1 : 0;
    h[29] = static_cast<char>(driver);
    for (size_t i = 0; i < campos.size(); ++i) {
        char* d = h.data() + 32 + 32 * i;
        std::memcpy(d, campos[i].nombre.data(), campos[i].nombre.size());
        d[11] = campos[i].tipo;
        d[16] = static_cast<char>(campos[i].ancho);
        d[17] = static_cast<char>(campos[i].decimales);
        d[31] = enIndice[i] ? 1 : 0;
    }
    h[largo - 1] = '\x0D';
    return h + '\x1A';
}

std::vector<std::string> Partes(const std::string& expresion) {
    std::vector<std::string> r;
    size_t i = 0;
    while (i <= expresion.size()) {
        size_t f = expresion.find('+', i);
        if (f == std::string::npos) f = expresion.size();
        std::string p = expresion.substr(i, f - i);
        while (!p.empty() && p.back() == ' ') p.pop_back();
        while (!p.empty() && p.front() == ' ') p.erase(0, 1);
        r.push_back(Mayusculas(p));
        i = f + 1;
    }
    return r;
}

}  // namespace

void Tabla::CreateTable() {
    ConNombre(nombre_, [&] {
        if (estado_) throw Error("No se puede crear la tabla mientras está abierta");
        const bool fox = nivel_ == NivelTabla::FoxPro2;
        std::vector<CampoNuevo> campos;
        bool hayMemo = false;
        for (const auto& d : defCampos_) {
            CampoNuevo c{Mayusculas(d.nombre), 'C', d.tamano, 0};
            if (c.nombre.empty() || c.nombre.size() > 10)
                throw Error("El nombre de campo '" + d.nombre + "' no es válido");
            for (const auto& o : campos)
                if (o.nombre == c.nombre) throw Error("El campo '" + c.nombre + "' está repetido");
            switch (d.tipo) {
                case TipoCampo::Cadena:
                    if (d.tamano < 1 || d.tamano > 254)
                        throw Error("El campo '" + c.nombre + "' tiene un tamaño no válido");
                    break;
                case TipoCampo::Entero:
                    c = {c.nombre, 'N', 11, 0};
                    break;
                case TipoCampo::Flotante:
                    c = {c.nombre, 'F', 20, 4};
                    break;
                case TipoCampo::Logico:
                    c = {c.nombre, 'L', 1, 0};
                    break;
                case TipoCampo::Fecha:
                    c = {c.nombre, 'D', 8, 0};
                    break;
                case TipoCampo::Memo:
                    if (!fox)
                        throw Error("El campo memo '" + c.nombre +
                                    "' solo se admite en tablas FoxPro");
                    c = {c.nombre, 'M', 10, 0};
                    hayMemo = true;
                    break;
                case TipoCampo::Numerico:
                    if (d.tamano < 1 || d.tamano > 20 || d.decimales < 0 ||
                        (d.decimales > 0 && d.decimales > d.tamano - 2))
                        throw Error("El campo '" + c.nombre + "' tiene un tamaño no válido");
                    c = {c.nombre, 'N', d.tamano, d.decimales};
                    break;
            }
            campos.push_back(c);
        }
        if (campos.empty()) throw Error("La tabla no tiene campos");
        if (fox && !defIndices_.empty()) throw Error("Las tablas FoxPro se crean sin índices");

        std::vector<bool> enIndice(campos.size(), false);
        std::vector<TagMdx> tags;
        for (const auto& di : defIndices_) {
            TagMdx t;
            t.nombre = Mayusculas(di.nombre);
            if (t.nombre.empty() || t.nombre.size() > 10)
                throw Error("El nombre de índice '" + di.nombre + "' no es válido");
            const auto partes = Partes(di.campos);
            std::vector<size_t> usados;
            for (const auto& p : partes) {
                size_t k = 0;
                while (k < campos.size() && campos[k].nombre != p) ++k;
                if (k == campos.size())
                    throw Error("El índice '" + t.nombre + "' usa el campo '" + p +
                                "', que la tabla no tiene");
                usados.push_back(k);
            }
            std::string expr;
            for (size_t k = 0; k < partes.size(); ++k) expr += (k ? "+" : "") + partes[k];
            t.expresion = expr;
            const CampoNuevo& primero = campos[usados[0]];
            if (usados.size() == 1 && primero.tipo != 'C') {
                if (primero.tipo == 'D') {
                    t.tipoClave = 'D';
                    t.longitudClave = 8;
                } else if (primero.tipo == 'N' || primero.tipo == 'F') {
                    t.tipoClave = 'N';
                    t.longitudClave = 12;
                } else {
                    throw Error("El índice '" + t.nombre + "' no se puede crear sobre ese campo");
                }
            } else {
                t.tipoClave = 'C';
                for (size_t k : usados) {
                    if (campos[k].tipo != 'C')
                        throw Error("El índice '" + t.nombre + "' solo puede unir campos de texto");
                    t.longitudClave += campos[k].ancho;
                }
                if (t.longitudClave > 100)
                    throw Error("La clave del índice '" + t.nombre + "' es demasiado larga");
            }
            if (usados.size() == 1) enIndice[usados[0]] = true;
            tags.push_back(std::move(t));
        }

        const std::string ruta = RutaArchivo();
        ArchivoTabla::Olvidar(ruta);
        Archivo archivo;
        CodigoES e =
            archivo.Abrir(ruta, Acceso::LecturaEscritura, Creacion::Crear, Comparticion::Exclusiva);
        if (e == codigo_es::kViolacionCompartir || e == codigo_es::kViolacionBloqueo)
            throw Error("La tabla '" + ruta + "' está en uso por otro programa; no se ha cambiado");
        if (e != 0) throw Error("No se puede crear la tabla '" + ruta + "': " + MensajeErrorES(e));
        const uint8_t version = fox ? (hayMemo ? 0xF5 : 0x03) : 0x03;
        const uint8_t driver = fox ? 0x03 : kDriverCp1252;
        const std::string bytes = CabeceraNueva(version, driver, !tags.empty(), campos, enIndice);
        e = SO().Truncar(archivo.Manejador(), 0);
        if (e == 0) e = archivo.EscribirTodo(bytes.data(), bytes.size(), 0);
        if (e == 0) e = archivo.Cerrar();
        if (e != 0)
            throw Error("No se puede escribir la tabla '" + ruta + "': " + MensajeErrorES(e));

        const std::string mdx = Companero(ruta, ".MDX");
        if (tags.empty()) {
            BorrarArchivo(mdx);
        } else {
            std::string base = SinExtension(ruta);
            if (const auto b = base.find_last_of('/'); b != std::string::npos) base.erase(0, b + 1);
            EscribirMdx(mdx, Mayusculas(base), tags);
        }
        const std::string fpt = Companero(ruta, ".FPT");
        if (hayMemo)
            ArchivoMemo::CrearFpt(fpt);
        else
            BorrarArchivo(fpt);
        ArchivoTabla::LlenarEnBloques(ruta);
    });
}

void Tabla::EmptyTable() {
    ConNombre(nombre_, [&] {
        if (estado_) {
            estado_->Descartar();
            estado_->archivo->Vaciar();
            estado_->Posicionar(0);
            return;
        }
        Uso uso{ArchivoTabla::Abrir(RutaArchivo(), {true, false})};
        uso.a->Vaciar();
        auto a = std::move(uso.a);
        a->Liberar();
    });
}

bool BorrarArchivoTabla(const std::string& ruta) {
    return ArchivoTabla::Borrar(RutaNativa(ruta));
}

void VolcarTablaAbierta(const std::string& ruta) {
    ArchivoTabla::VolcarAbierta(ruta);
}

// ---- Campo: a handle on the cursor's current (or pending) record

#define BRISOLT_CAMPO_LECTURA                    \
    if (!tabla_->estado_) throw Error(kCerrada); \
    Tabla::Estado& e = *tabla_->estado_;         \
    const DescCampo& d = e.Desc(indice_);        \
    const char* r = e.Lectura();

std::string Campo::AsString() const {
    BRISOLT_CAMPO_LECTURA
    return codec::Texto(*e.archivo, d, r, e.NumeroLectura());
}
int32_t Campo::AsInteger() const {
    BRISOLT_CAMPO_LECTURA
    return codec::Entero(*e.archivo, d, r, e.NumeroLectura());
}
double Campo::AsFloat() const {
    BRISOLT_CAMPO_LECTURA
    return codec::Flotante(*e.archivo, d, r, e.NumeroLectura());
}
bool Campo::AsBoolean() const {
    BRISOLT_CAMPO_LECTURA
    return codec::Logico(*e.archivo, d, r, e.NumeroLectura());
}
double Campo::AsDateTime() const {
    BRISOLT_CAMPO_LECTURA
    return codec::FechaHora(*e.archivo, d, r, e.NumeroLectura());
}
bool Campo::IsNull() const {
    BRISOLT_CAMPO_LECTURA
    return codec::Nulo(*e.archivo, d, r);
}
#undef BRISOLT_CAMPO_LECTURA

const InfoCampo& Campo::Info() const {
    if (!tabla_->estado_) throw Error(kCerrada);
    return tabla_->estado_->Desc(indice_).info;
}

namespace {

template <class E, class F>
void Modificar(const std::string& nombre, E* e, int indice, F&& poner) {
    if (e == nullptr || e->modo == E::Modo::Consulta)
        throw Error(nombre.empty() ? std::string(kNoEditando) : nombre + ": " + kNoEditando);
    const DescCampo& d = e->Desc(indice);
    if (d.info.sistema) return;
    poner(*e->archivo, d, e->pendiente.data());
    e->modificado = true;
}

}  // namespace

void Campo::SetAsString(std::string_view valor) {
    Modificar(
        tabla_->nombre_, tabla_->estado_.get(), indice_,
        [&](ArchivoTabla& a, const DescCampo& d, char* r) { codec::PonerTexto(a, d, r, valor); });
}
void Campo::SetAsInteger(int32_t valor) {
    Modificar(
        tabla_->nombre_, tabla_->estado_.get(), indice_,
        [&](ArchivoTabla& a, const DescCampo& d, char* r) { codec::PonerEntero(a, d, r, valor); });
}
void Campo::SetAsFloat(double valor) {
    Modificar(tabla_->nombre_, tabla_->estado_.get(), indice_,
              [&](ArchivoTabla& a, const DescCampo& d, char* r) {
                  codec::PonerFlotante(a, d, r, valor);
              });
}
void Campo::SetAsBoolean(bool valor) {
    Modificar(
        tabla_->nombre_, tabla_->estado_.get(), indice_,
        [&](ArchivoTabla& a, const DescCampo& d, char* r) { codec::PonerLogico(a, d, r, valor); });
}
void Campo::SetAsDateTime(double valor) {
    Modificar(tabla_->nombre_, tabla_->estado_.get(), indice_,
              [&](ArchivoTabla& a, const DescCampo& d, char* r) {
                  codec::PonerFechaHora(a, d, r, valor);
              });
}
void Campo::Clear() {
    Modificar(tabla_->nombre_, tabla_->estado_.get(), indice_,
              [&](ArchivoTabla&, const DescCampo& d, char* r) { codec::Limpiar(d, r); });
}
void Campo::SetText(std::string_view texto) {
    Modificar(tabla_->nombre_, tabla_->estado_.get(), indice_,
              [&](ArchivoTabla& a, const DescCampo& d, char* r) {
                  codec::PonerTextoTecleado(a, d, r, texto);
              });
}

}  // namespace brisolt
