#pragma once
// The help window: the table of contents and the index beside the page, all
// read from one compiled help file.

#include <QString>
#include <QTextBrowser>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "help/chm/archivo_chm.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace brisolt::chm {

// A page browser whose links and images are internal files of the help file.
class NavegadorChm : public QTextBrowser {
    Q_OBJECT
  public:
    NavegadorChm(const ArchivoChm* chm, QWidget* padre);
    QVariant loadResource(int tipo, const QUrl& nombre) override;

  private:
    const ArchivoChm* chm_;
};

class VentanaAyuda : public QWidget {
    Q_OBJECT
  public:
    // `chm` is null when `ruta` could not be opened; the window then says why.
    VentanaAyuda(const QString& ruta, std::unique_ptr<ArchivoChm> chm, QWidget* padre = nullptr);
    ~VentanaAyuda() override;

    const QString& Ruta() const { return ruta_; }

    // Each shows a page, or a message in its place when the file lacks it.
    void MostrarContenido();
    void MostrarTema(const QString& referencia);
    void MostrarIndice(const QString& palabra);
    void MostrarContexto(std::uint32_t contexto);
    void MostrarMensaje(const QString& texto);

    // What the person sees, for tests and for the title bar.
    QString TemaActual() const;  // the internal path of the page shown; empty for a message
    QString TextoPagina() const;
    QTreeWidget* Contenido() const { return contenido_; }
    QListWidget* Indice() const { return indice_; }
    QLineEdit* Palabra() const { return palabra_; }
    QTabWidget* Pestanas() const { return pestanas_; }
    NavegadorChm* Pagina() const { return pagina_; }

  private:
    void LlenarContenido();
    void LlenarIndice();
    void SituarIndice(const QString& palabra);
    void MostrarInicio();
    void MarcarEnContenido(const QString& ruta);

    QString ruta_;
    std::unique_ptr<ArchivoChm> chm_;
    QTabWidget* pestanas_;
    QTreeWidget* contenido_;
    QLineEdit* palabra_;
    QListWidget* indice_;
    NavegadorChm* pagina_;
    bool enMensaje_ = false;  // a message stands where the page was
};

}  // namespace brisolt::chm
