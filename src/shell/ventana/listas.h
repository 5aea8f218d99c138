#pragma once
// The folder list and the drive list of the main window. Both only show and
// report; moving the school-management folder is the window's business,
// since it may fail and it stages the tables.

#include <QComboBox>
#include <QListWidget>
#include <string>
#include <vector>

#include "shell/lista_carpetas.h"

namespace brisolt::ventana {

// A folder tree list: the folder's parents from the root down, the folder
// itself, then its subfolders. Each item carries its full native path; on
// drive C: the list starts at the drive, spelt "C:\" as the Windows
// programs spell it. Enter or a double click opens a folder.
class TListaDirectorios : public QListWidget {
    Q_OBJECT
  public:
    explicit TListaDirectorios(QWidget* padre);

    void Mostrar(const std::string& carpeta);
    const std::string& Carpeta() const { return carpeta_; }
    static std::string RutaDe(const QListWidgetItem* item);

  protected:
    void keyPressEvent(QKeyEvent* evento) override;

  signals:
    // Double click or Enter on an item: the user wants that folder.
    void carpetaPedida(const std::string& carpeta);

  private:
    std::string carpeta_;
};

// Drive C: (the mapped folder), the prefix's other Wine drives, the mounted
// volumes and the root, in that order, each folder once.
std::vector<Unidad> Unidades();

// The drive list. Remembers the folder last shown on each drive, which is
// where picking the drive again leads.
class TListaUnidades : public QComboBox {
    Q_OBJECT
  public:
    explicit TListaUnidades(QWidget* padre);

    // The folder list now shows `carpeta`: select its drive without a signal.
    void SeguirCarpeta(const std::string& carpeta);
    int UnidadDe(const std::string& carpeta) const;
    const std::vector<Unidad>& Lista() const { return unidades_; }

  signals:
    void carpetaPedida(const std::string& carpeta);

  private:
    std::vector<Unidad> unidades_;
    std::vector<std::string> actuales_;  // per drive
};

}  // namespace brisolt::ventana
