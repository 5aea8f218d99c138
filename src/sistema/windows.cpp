// The system layer on Windows. Paths arrive in UTF-8 and reach the calls in
// UTF-16; every file is binary. Sharing between programs is the share mode of
// CreateFileW: shared holders let others read and write, an exclusive one
// lets nobody in, and neither lets a file be deleted or renamed under it.
#ifdef _WIN32

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>
#include <winternl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "sistema/sistema.h"

namespace brisolt {

namespace {

std::wstring Ancho(const std::string& s) {
    if (s.empty()) return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Estrecho(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                        0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                          nullptr);
    return s;
}

// The Windows error code is the I/O error table's code already.
CodigoES Ultimo() {
    const DWORD e = ::GetLastError();
    return e == 0 ? codigo_es::kErrorGeneral : static_cast<CodigoES>(e);
}

HANDLE H(Sistema::Manejador m) {
    return reinterpret_cast<HANDLE>(m);
}

int64_t Centenas(const FILETIME& f) {
    return static_cast<int64_t>((static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
}

CodigoES IdentidadDeManejador(HANDLE h, IdentidadArchivo* id) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h, &info)) return Ultimo();
    id->volumen = info.dwVolumeSerialNumber;
    id->indice = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    id->tamano = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const int64_t t = Centenas(info.ftLastWriteTime);
    id->segundos = t / 10000000;
    id->nanos = (t % 10000000) * 100;
    return 0;
}

// The file's index as the file system numbers it (FILE_INTERNAL_INFORMATION).
struct IndiceInterno {
    LARGE_INTEGER numero;
};
const auto kInformacionIndiceInterno = static_cast<FILE_INFORMATION_CLASS>(6);

class Windows final : public Sistema {
  public:
    CodigoES Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                   Comparticion comparticion, Manejador* m) override {
        *m = kNinguno;
        const DWORD deseado =
            acceso == Acceso::Lectura ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        DWORD compartir = 0;
        switch (comparticion) {
            case Comparticion::Libre:
                compartir = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
                break;
            case Comparticion::Compartida:
                compartir = FILE_SHARE_READ | FILE_SHARE_WRITE;
                break;
            case Comparticion::Exclusiva:
                compartir = 0;
                break;
        }
        const DWORD disposicion = creacion == Creacion::Existente ? OPEN_EXISTING
                                  : creacion == Creacion::Crear   ? OPEN_ALWAYS
                                                                  : CREATE_NEW;
        HANDLE h = ::CreateFileW(Ancho(ruta).c_str(), deseado, compartir, nullptr, disposicion,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return Ultimo();
        *m = reinterpret_cast<Manejador>(h);
        return 0;
    }

    CodigoES Cerrar(Manejador m) override { return ::CloseHandle(H(m)) ? 0 : Ultimo(); }

    // Reads and writes at the file pointer, moved first: under Wine a read or
    // write given its offset in an OVERLAPPED costs a round trip to the Wine
    // server, one at the pointer costs a plain system call. The program has
    // one thread and each open has its own pointer.
    CodigoES LeerEn(Manejador m, void* datos, std::size_t n, uint64_t pos,
                    std::size_t* leidos) override {
        if (CodigoES e = Mover(m, pos)) return e;
        DWORD r = 0;
        const DWORD pedir = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
        if (!::ReadFile(H(m), datos, pedir, &r, nullptr)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) {
                *leidos = 0;
                return 0;
            }
            return Ultimo();
        }
        *leidos = r;
        return 0;
    }

    CodigoES EscribirEn(Manejador m, const void* datos, std::size_t n, uint64_t pos,
                        std::size_t* escritos) override {
        if (CodigoES e = Mover(m, pos)) return e;
        DWORD w = 0;
        const DWORD pedir = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
        if (!::WriteFile(H(m), datos, pedir, &w, nullptr)) return Ultimo();
        *escritos = w;
        return 0;
    }

    CodigoES Sincronizar(Manejador m) override { return ::FlushFileBuffers(H(m)) ? 0 : Ultimo(); }

    CodigoES Tamano(Manejador m, uint64_t* tamano) override {
        LARGE_INTEGER t;
        if (!::GetFileSizeEx(H(m), &t)) return Ultimo();
        *tamano = static_cast<uint64_t>(t.QuadPart);
        return 0;
    }

    CodigoES Truncar(Manejador m, uint64_t tamano) override {
        LARGE_INTEGER t;
        t.QuadPart = static_cast<LONGLONG>(tamano);
        if (!::SetFilePointerEx(H(m), t, nullptr, FILE_BEGIN)) return Ultimo();
        return ::SetEndOfFile(H(m)) ? 0 : Ultimo();
    }

    CodigoES Identidad(Manejador m, IdentidadArchivo* id) override {
        return IdentidadDeManejador(H(m), id);
    }

    // Without the volume, whose query is the dear part of
    // GetFileInformationByHandle under Wine (milliseconds).
    CodigoES Version(Manejador m, IdentidadArchivo* id) override {
        FILE_BASIC_INFO basica;
        FILE_STANDARD_INFO estandar;
        if (!::GetFileInformationByHandleEx(H(m), FileBasicInfo, &basica, sizeof basica) ||
            !::GetFileInformationByHandleEx(H(m), FileStandardInfo, &estandar, sizeof estandar))
            return Ultimo();
        IO_STATUS_BLOCK io;
        IndiceInterno indice{};
        if (::NtQueryInformationFile(H(m), &io, &indice, sizeof indice,
                                     kInformacionIndiceInterno) != 0)
            return codigo_es::kErrorGeneral;
        *id = {};
        id->indice = static_cast<uint64_t>(indice.numero.QuadPart);
        id->tamano = static_cast<uint64_t>(estandar.EndOfFile.QuadPart);
        const int64_t t = basica.LastWriteTime.QuadPart;
        id->segundos = t / 10000000;
        id->nanos = (t % 10000000) * 100;
        return 0;
    }

    CodigoES CopiarPermisos(const std::string& modelo, Manejador m) override {
        // The read-only attribute is the one permission a file carries here;
        // a new copy of a writable original is writable already.
        (void)modelo;
        (void)m;
        return 0;
    }

    CodigoES IdentidadDe(const std::string& ruta, IdentidadArchivo* id) override {
        HANDLE h = ::CreateFileW(Ancho(ruta).c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return Ultimo();
        const CodigoES e = IdentidadDeManejador(h, id);
        ::CloseHandle(h);
        return e;
    }

    // The attributes of the name: size and last write, no index.
    CodigoES VersionDe(const std::string& ruta, IdentidadArchivo* id) override {
        WIN32_FILE_ATTRIBUTE_DATA d;
        if (!::GetFileAttributesExW(Ancho(ruta).c_str(), GetFileExInfoStandard, &d))
            return Ultimo();
        *id = {};
        id->tamano = (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
        const int64_t t = Centenas(d.ftLastWriteTime);
        id->segundos = t / 10000000;
        id->nanos = (t % 10000000) * 100;
        return 0;
    }

    TipoEntrada Tipo(const std::string& ruta) override {
        const DWORD a = ::GetFileAttributesW(Ancho(ruta).c_str());
        if (a == INVALID_FILE_ATTRIBUTES) return TipoEntrada::Ninguna;
        if (a & FILE_ATTRIBUTE_DIRECTORY) return TipoEntrada::Carpeta;
        if (a & FILE_ATTRIBUTE_DEVICE) return TipoEntrada::Otra;
        return TipoEntrada::Archivo;
    }

    bool ExisteEntrada(const std::string& ruta) override {
        return ::GetFileAttributesW(Ancho(ruta).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool SoloLectura(const std::string& ruta) override {
        const DWORD a = ::GetFileAttributesW(Ancho(ruta).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) != 0;
    }

    bool AbiertoPorOtro(const std::string& ruta) override {
        HANDLE h = ::CreateFileW(Ancho(ruta).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return false;
        }
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    }

    CodigoES Borrar(const std::string& ruta) override {
        return ::DeleteFileW(Ancho(ruta).c_str()) ? 0 : Ultimo();
    }

    CodigoES Renombrar(const std::string& de, const std::string& a) override {
        return ::MoveFileExW(Ancho(de).c_str(), Ancho(a).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : Ultimo();
    }

    CodigoES Enlazar(const std::string& existente, const std::string& nuevo) override {
        return ::CreateHardLinkW(Ancho(nuevo).c_str(), Ancho(existente).c_str(), nullptr)
                   ? 0
                   : Ultimo();
    }

    CodigoES Canonica(const std::string& ruta, std::string* canonica) override {
        const std::wstring w = Ancho(ruta);
        if (::GetFileAttributesW(w.c_str()) == INVALID_FILE_ATTRIBUTES) return Ultimo();
        const DWORD n = ::GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
        if (n == 0) return Ultimo();
        std::wstring completa(n, L'\0');
        const DWORD m = ::GetFullPathNameW(w.c_str(), n, completa.data(), nullptr);
        if (m == 0 || m >= n) return Ultimo();
        completa.resize(m);
        // Names are case-blind here: one spelling for every name of the file.
        ::CharUpperBuffW(completa.data(), static_cast<DWORD>(completa.size()));
        // Forward slashes, as every native path inside the program.
        for (wchar_t& c : completa)
            if (c == L'\\') c = L'/';
        *canonica = Estrecho(completa);
        return 0;
    }

    CodigoES CrearCarpeta(const std::string& ruta) override {
        return ::CreateDirectoryW(Ancho(ruta).c_str(), nullptr) ? 0 : Ultimo();
    }

    CodigoES BorrarCarpeta(const std::string& ruta) override {
        return ::RemoveDirectoryW(Ancho(ruta).c_str()) ? 0 : Ultimo();
    }

    CodigoES Listar(const std::string& carpeta, std::vector<std::string>* nombres) override {
        std::string patron = carpeta.empty() ? std::string(".") : carpeta;
        if (patron.back() != '/' && patron.back() != '\\') patron += '\\';
        patron += '*';
        WIN32_FIND_DATAW d;
        HANDLE h = ::FindFirstFileW(Ancho(patron).c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return Ultimo();
        nombres->clear();
        do {
            const std::string n = Estrecho(d.cFileName);
            if (n != "." && n != "..") nombres->push_back(n);
        } while (::FindNextFileW(h, &d));
        const DWORD e = ::GetLastError();
        ::FindClose(h);
        return e == ERROR_NO_MORE_FILES ? 0 : static_cast<CodigoES>(e);
    }

    CodigoES SincronizarCarpeta(const std::string&) override {
        // Renames are written through already (MOVEFILE_WRITE_THROUGH).
        return 0;
    }

    CodigoES CambiarCarpeta(const std::string& carpeta) override {
        return ::SetCurrentDirectoryW(Ancho(carpeta).c_str()) ? 0 : Ultimo();
    }

    std::string CarpetaActual() override {
        const DWORD n = ::GetCurrentDirectoryW(0, nullptr);
        if (n == 0) return {};
        std::wstring w(n, L'\0');
        const DWORD m = ::GetCurrentDirectoryW(n, w.data());
        w.resize(m);
        return Estrecho(w);
    }

    std::vector<std::string> Unidades() override {
        std::vector<std::string> raices;
        const DWORD n = ::GetLogicalDriveStringsW(0, nullptr);
        if (n == 0) return raices;
        std::wstring lista(n, L'\0');
        const DWORD m = ::GetLogicalDriveStringsW(n, lista.data());
        if (m == 0 || m > n) return raices;
        // Each root ends in a NUL, and one more NUL ends the list.
        for (std::size_t i = 0; i < m && lista[i] != L'\0';) {
            const std::wstring raiz(lista.c_str() + i);
            raices.push_back(Estrecho(raiz));
            i += raiz.size() + 1;
        }
        return raices;
    }

    CodigoES CarpetaTemporal(const std::string& prefijo, std::string* ruta) override {
        wchar_t base[MAX_PATH + 1];
        const DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
        if (n == 0) return Ultimo();
        const std::string carpeta = Estrecho(std::wstring(base, n));
        const unsigned semilla = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
        for (unsigned intento = 0; intento < 1000; ++intento) {
            const std::string candidata = carpeta + prefijo +
                                          std::to_string(::GetCurrentProcessId()) + "-" +
                                          std::to_string((semilla + intento * 7919u) % 1000000u);
            if (::CreateDirectoryW(Ancho(candidata).c_str(), nullptr)) {
                *ruta = candidata;
                return 0;
            }
            if (::GetLastError() != ERROR_ALREADY_EXISTS) return Ultimo();
        }
        return codigo_es::kYaExiste;
    }

    std::string RutaPrograma() override {
        std::wstring w(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = ::GetModuleFileNameW(nullptr, w.data(), static_cast<DWORD>(w.size()));
            if (n == 0) return {};
            if (n < w.size()) {
                w.resize(n);
                return Estrecho(w);
            }
            w.resize(w.size() * 2);
        }
    }

    std::optional<std::string> Entorno(const std::string& nombre) override {
        const std::wstring n = Ancho(nombre);
        const DWORD largo = ::GetEnvironmentVariableW(n.c_str(), nullptr, 0);
        if (largo == 0) return std::nullopt;
        std::wstring v(largo, L'\0');
        const DWORD m = ::GetEnvironmentVariableW(n.c_str(), v.data(), largo);
        v.resize(m);
        return Estrecho(v);
    }

    void FijarEntorno(const std::string& nombre, const std::string& valor) override {
        ::SetEnvironmentVariableW(Ancho(nombre).c_str(), Ancho(valor).c_str());
        // The C runtime keeps its own copy, which getenv reads.
        ::_wputenv_s(Ancho(nombre).c_str(), Ancho(valor).c_str());
    }

    std::tm HoraLocal() override {
        SYSTEMTIME s;
        ::GetLocalTime(&s);
        std::tm t{};
        t.tm_year = s.wYear - 1900;
        t.tm_mon = s.wMonth - 1;
        t.tm_mday = s.wDay;
        t.tm_hour = s.wHour;
        t.tm_min = s.wMinute;
        t.tm_sec = s.wSecond;
        t.tm_wday = s.wDayOfWeek;
        return t;
    }

    int IdProceso() override { return static_cast<int>(::GetCurrentProcessId()); }

    std::vector<std::string> Argumentos(int argc, char** argv) override {
        int n = 0;
        LPWSTR* w = ::CommandLineToArgvW(::GetCommandLineW(), &n);
        if (w == nullptr || n != argc) {
            if (w != nullptr) ::LocalFree(w);
            return std::vector<std::string>(argv, argv + argc);
        }
        std::vector<std::string> r;
        for (int i = 0; i < n; ++i) r.push_back(Estrecho(w[i]));
        ::LocalFree(w);
        return r;
    }

    void ConsolaUtf8() override {
        ::SetConsoleOutputCP(CP_UTF8);
        ::SetConsoleCP(CP_UTF8);
        // The program writes its own line ends (CRLF where the data wants
        // them): the C runtime must not add a CR before each LF.
        ::_setmode(::_fileno(stdout), _O_BINARY);
        ::_setmode(::_fileno(stderr), _O_BINARY);
    }

    CodigoES CargarBiblioteca(const std::string& nombre, ManejadorBiblioteca* b) override {
        *b = ::LoadLibraryW(Ancho(nombre).c_str());
        return *b ? 0 : Ultimo();
    }

    FuncionBiblioteca FuncionDe(ManejadorBiblioteca b, const std::string& nombre) override {
        return reinterpret_cast<FuncionBiblioteca>(
            ::GetProcAddress(static_cast<HMODULE>(b), nombre.c_str()));
    }

    void LiberarBiblioteca(ManejadorBiblioteca b) override {
        ::FreeLibrary(static_cast<HMODULE>(b));
    }

    CodigoES EscribirPerfilSistema(const std::string& ruta, const std::string& seccion,
                                   const std::string& clave, const std::string& valor) override {
        const std::wstring archivo = Ancho(ruta);
        if (!::WritePrivateProfileStringW(Ancho(seccion).c_str(), Ancho(clave).c_str(),
                                          Ancho(valor).c_str(), archivo.c_str()))
            return Ultimo();
        // All nulls but the file: whatever the system still caches of it goes to disk.
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, archivo.c_str());
        return 0;
    }

    CodigoES Ejecutar(const std::vector<std::string>& argumentos, const std::string& salida,
                      const std::string& errores,
                      const std::vector<std::pair<std::string, std::string>>& entorno,
                      int* estado) override {
        if (argumentos.empty()) return codigo_es::kRutaNoEncontrada;
        std::wstring linea;
        for (const auto& a : argumentos) {
            if (!linea.empty()) linea += L' ';
            linea += Citado(Ancho(a));
        }
        // Our environment with the changes, sorted as Windows wants it.
        std::vector<std::wstring> variables;
        if (wchar_t* bloque = ::GetEnvironmentStringsW()) {
            for (const wchar_t* v = bloque; *v != L'\0'; v += std::wcslen(v) + 1) {
                const std::wstring w = v;
                bool cambiada = false;
                for (const auto& [nombre, valor] : entorno)
                    cambiada = cambiada || ::_wcsnicmp(w.c_str(), (Ancho(nombre) + L"=").c_str(),
                                                       nombre.size() + 1) == 0;
                if (!cambiada) variables.push_back(w);
            }
            ::FreeEnvironmentStringsW(bloque);
        }
        for (const auto& [nombre, valor] : entorno)
            variables.push_back(Ancho(nombre + "=" + valor));
        std::wstring bloque;
        for (const auto& v : variables) bloque += v + L'\0';
        bloque += L'\0';

        SECURITY_ATTRIBUTES heredable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        auto abrir = [&](const std::string& ruta) {
            return ::CreateFileW(ruta.empty() ? L"NUL" : Ancho(ruta).c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, &heredable, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        };
        HANDLE out = abrir(salida);
        HANDLE err = abrir(errores);
        HANDLE in = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &heredable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = in;
        si.hStdOutput = out;
        si.hStdError = err;
        PROCESS_INFORMATION pi{};
        const BOOL ok = ::CreateProcessW(nullptr, linea.data(), nullptr, nullptr, TRUE,
                                         CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                                         bloque.data(), nullptr, &si, &pi);
        const CodigoES e = ok ? 0 : Ultimo();
        for (HANDLE h : {in, out, err})
            if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        if (!ok) return e;
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD codigo = 0;
        ::GetExitCodeProcess(pi.hProcess, &codigo);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        *estado = static_cast<int>(codigo);
        return 0;
    }

  private:
    static CodigoES Mover(Manejador m, uint64_t pos) {
        LARGE_INTEGER p;
        p.QuadPart = static_cast<LONGLONG>(pos);
        return ::SetFilePointerEx(H(m), p, nullptr, FILE_BEGIN) ? 0 : Ultimo();
    }

    // One argument as the C runtime of the program started will split it back.
    static std::wstring Citado(const std::wstring& a) {
        if (!a.empty() && a.find_first_of(L" \t\"") == std::wstring::npos) return a;
        std::wstring r = L"\"";
        std::size_t barras = 0;
        for (wchar_t c : a) {
            if (c == L'\\') {
                ++barras;
                continue;
            }
            if (c == L'"')
                r.append(barras * 2 + 1, L'\\');
            else
                r.append(barras, L'\\');
            barras = 0;
            r += c;
        }
        r.append(barras * 2, L'\\');
        r += L'"';
        return r;
    }
};

}  // namespace

Sistema& SistemaReal() {
    static Windows windows;
    return windows;
}

}  // namespace brisolt

#endif
