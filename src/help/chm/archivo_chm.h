#pragma once
// A compiled help file opened through chmlib: its internal files, the facts of
// its #SYSTEM record and the mapping of help context numbers to topics.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace brisolt::chm {

class ArchivoChm {
  public:
    // Null when the file is missing or is not a compiled help file.
    static std::unique_ptr<ArchivoChm> Abrir(const std::string& ruta);
    ~ArchivoChm();
    ArchivoChm(const ArchivoChm&) = delete;
    ArchivoChm& operator=(const ArchivoChm&) = delete;

    // An internal file by its path ("/intro.htm"); names match without regard to case.
    std::optional<std::string> Leer(const std::string& ruta) const;
    bool Existe(const std::string& ruta) const;
    // The internal path a topic reference names, tried as given, from the root and
    // by its last component ("\x\intro.htm" finds "/intro.htm"); empty when none.
    std::string Resolver(const std::string& referencia) const;
    // Every internal file, in the order the directory lists them.
    std::vector<std::string> Archivos() const;

    // From #SYSTEM, with the fallbacks the file allows: a contents or index file
    // that #SYSTEM does not name is the first ".hhc"/".hhk" inside.
    const std::string& Contenido() const { return contenido_; }
    const std::string& Indice() const { return indice_; }
    const std::string& TemaInicial() const { return temaInicial_; }
    const std::string& Titulo() const { return titulo_; }

    // The topic string the context map gives for the number (unresolved).
    std::optional<std::string> TemaDeContexto(std::uint32_t contexto) const;

  private:
    explicit ArchivoChm(chmFile* archivo);
    void LeerSistema();

    chmFile* archivo_;
    std::string contenido_, indice_, temaInicial_, titulo_;
};

// A topic reference as pages and sitemaps write it, split: the internal path
// with "/" separators and a leading "/", and the anchor after "#" if any.
struct Referencia {
    std::string ruta;
    std::string ancla;
};
Referencia PartirReferencia(const std::string& referencia);

}  // namespace brisolt::chm
