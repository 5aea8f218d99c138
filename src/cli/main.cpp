// brisolt-cli: the commands of the window without a window, and table dumps.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/comandos.h"
#include "cli/consola.h"
#include "import/devolver.h"
#include "sistema/sistema.h"
#include "tables/error.h"

namespace brisolt::cli {
namespace {

const Orden* const kOrdenes[] = {&kOrdenDemo, &kOrdenExportar, &kOrdenImportar, &kOrdenRestaurar,
                                 &kOrdenVolcar};

const Orden* Buscar(const std::string& nombre) {
    for (const Orden* orden : kOrdenes)
        if (nombre == orden->nombre) return orden;
    return nullptr;
}

void Uso() {
    std::cerr << "Uso: brisolt-cli ORDEN [opciones]\n";
    for (const Orden* orden : kOrdenes) std::cerr << "  " << orden->uso << '\n';
}

}  // namespace

bool Argumentos::Tiene(const std::string& opcion) const {
    for (const auto& [o, v] : opciones)
        if (o == opcion) return true;
    return false;
}

std::string Argumentos::Valor(const std::string& opcion, const std::string& porDefecto) const {
    std::string valor = porDefecto;
    for (const auto& [o, v] : opciones)
        if (o == opcion) valor = v;
    return valor;
}

std::vector<std::string> Argumentos::Valores(const std::string& opcion) const {
    std::vector<std::string> valores;
    for (const auto& [o, v] : opciones)
        if (o == opcion) valores.push_back(v);
    return valores;
}

Argumentos Argumentos::Leer(const std::vector<std::string>& args,
                            const std::vector<std::string>& conValor,
                            const std::vector<std::string>& sinValor) {
    auto esta = [](const std::vector<std::string>& lista, const std::string& o) {
        for (const auto& x : lista)
            if (x == o) return true;
        return false;
    };
    Argumentos resultado;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string nombre = a, valor;
            bool enLinea = false;
            if (auto igual = a.find('='); igual != std::string::npos) {
                nombre = a.substr(0, igual);
                valor = a.substr(igual + 1);
                enLinea = true;
            }
            if (esta(conValor, nombre)) {
                if (!enLinea) {
                    if (i + 1 >= args.size()) throw Error("Falta el valor de la opción " + nombre);
                    valor = args[++i];
                }
                resultado.opciones.emplace_back(nombre, valor);
            } else if (esta(sinValor, nombre) && !enLinea) {
                resultado.opciones.emplace_back(nombre, "");
            } else {
                throw Error("Opción desconocida: " + a);
            }
        } else {
            resultado.posicionales.push_back(a);
        }
    }
    return resultado;
}

}  // namespace brisolt::cli

int main(int argc, char** argv) {
    using namespace brisolt::cli;
    brisolt::SO().ConsolaUtf8();
    const std::vector<std::string> todos = brisolt::SO().Argumentos(argc, argv);
    if (todos.size() < 2) {
        Uso();
        return 2;
    }
    const Orden* orden = Buscar(todos[1]);
    if (!orden) {
        std::cerr << "Orden desconocida: " << todos[1] << '\n';
        Uso();
        return 2;
    }
    std::vector<std::string> argumentos(todos.begin() + 2, todos.end());
    try {
        // A write-back of the school's timetables cut short is finished or
        // undone before anything else reads them.
        if (const auto aviso = brisolt::TerminarDevolucionInterrumpida())
            std::cout << *aviso << '\n';
        return orden->funcion(argumentos);
    } catch (const brisolt::Error& e) {
        std::cerr << brisolt::TextoCajaError(e.what()) << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << brisolt::TextoCajaError(e.what()) << '\n';
        return 1;
    }
}
