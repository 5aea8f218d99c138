#pragma once
// A scratch folder per test, removed with everything in it.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace brisolt::pruebas {

class CarpetaTemporal {
  public:
    CarpetaTemporal() {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "herramientasXXXXXX").string();
        if (mkdtemp(plantilla.data())) ruta_ = plantilla;
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        if (!ruta_.empty()) std::filesystem::remove_all(ruta_, ec);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    const std::string& Ruta() const { return ruta_; }
    std::string operator/(const std::string& nombre) const { return ruta_ + "/" + nombre; }

  private:
    std::string ruta_;
};

}  // namespace brisolt::pruebas
