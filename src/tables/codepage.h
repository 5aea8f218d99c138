#pragma once
// Code pages of dBASE tables: the language driver byte (header byte 29) names
// one; text is converted between it and UTF-8 at the field boundary.

#include <cstdint>
#include <string>
#include <string_view>

namespace brisolt {

class CodePage {
  public:
    // From the language driver byte; 0 and unknown ids mean cp1252.
    static const CodePage& DesdeDriver(uint8_t driver);
    static const CodePage& Cp1252();

    const char* Nombre() const { return nombre_; }  // "cp1252", "cp850", ...

    // Bytes of the table -> UTF-8. Bytes with no mapping give U+FFFD.
    std::string AUtf8(std::string_view bytes) const;
    // UTF-8 -> bytes of the table, at most `maximo` bytes, never cutting a
    // character; characters the page lacks become '?'.
    std::string DesdeUtf8(std::string_view utf8, size_t maximo = SIZE_MAX) const;

    // For multi-byte pages (cp932, cp936, cp949, cp950) AUtf8/DesdeUtf8 fall
    // back to the bytes as they are when no converter is available.
    CodePage(const char* nombre, const char16_t* tablaAlta, bool multibyte = false)
        : nombre_(nombre), alta_(tablaAlta), multibyte_(multibyte) {}

  private:
    const char* nombre_;
    const char16_t* alta_;  // 128 code points for bytes 0x80..0xFF (single-byte pages)
    bool multibyte_;
};

// The language driver byte our created tables carry: Windows ANSI (cp1252).
inline constexpr uint8_t kDriverCp1252 = 0x57;

}  // namespace brisolt
