#pragma once
// The sitemaps of a compiled help file: the table of contents (.hhc) and the
// index (.hhk), both loose HTML of nested lists of <OBJECT> entries.

#include <string>
#include <vector>

namespace brisolt::chm {

struct EntradaMapa {
    std::string nombre;  // UTF-8
    std::string local;   // the topic as written ("intro.htm#a", "sub\x.htm"); may be empty
    std::vector<EntradaMapa> hijos;
};

// Never fails: whatever cannot be understood is skipped. Text that is not UTF-8
// is taken as Windows-1252, the code page of the help files we ship.
std::vector<EntradaMapa> LeerMapa(const std::string& html);

// The text as UTF-8: unchanged when it already is, else read as Windows-1252.
std::string AUtf8(const std::string& texto);

// HTML character references (&amp; &oacute; &#243; &#xF3;) decoded into UTF-8.
std::string DecodificarEntidades(const std::string& texto);

}  // namespace brisolt::chm
