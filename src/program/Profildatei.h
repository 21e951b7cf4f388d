#pragma once
// Keyed settings file of the INI kind ("[Abschnitt]" lines, "Schluessel=Wert"
// lines), held in memory as its lines so that everything the program does not
// write comes out again untouched.
//
// Section and key names match without regard to ASCII case and with surrounding
// blanks removed. Lines that are neither a section header nor an entry (blank
// lines, comments, garbage) are kept but never read.
//
// The sections are indexed as the file is read, and the keys of a section on
// its first use, so a lookup costs the same in a file of any size.
//
// On disk the text is either 8-bit Western European (Windows-1252, the format
// the recipe files have always had) or UTF-8 with a byte order mark (for texts
// that the code page cannot hold). In memory everything is UTF-8.

#include "fileio/Dateiname.h" // Ist_Utf8
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kw {

class Profildatei {
public:
    enum class Kodierung {
        Westeuropaeisch,  // Windows-1252 (also pure ASCII)
        Utf8,             // valid UTF-8 holding non-ASCII text, no byte order mark
        Utf8_Bom,         // UTF-8 starting with EF BB BF
    };

    // Longest value that Ini_Lesen returns, in characters.
    static constexpr std::size_t Max_Wertlaenge = 254;

    Profildatei() = default;

    // Lines split at CR LF, LF or CR; the text is UTF-8.
    static Profildatei aus_Text(std::string_view text);
    // File contents: the encoding is recognised (see Kodierung_Erkennen) and remembered.
    static Profildatei aus_Bytes(std::string_view bytes);

    // Every line ended by CR LF.
    std::string als_Text() const;
    // File contents in the encoding of `kodierung()`; a text that Windows-1252
    // cannot hold switches the document to UTF-8 with a byte order mark.
    std::string als_Bytes();

    Kodierung kodierung() const { return m_kodierung; }
    void setKodierung(Kodierung k) { m_kodierung = k; }
    // All lines in file order.
    std::vector<std::string> zeilen() const;
    bool leer() const;

    // The value of the key, blanks around it removed, cut to 254 characters;
    // empty when the section or the key is missing. The first section and the
    // first key of a name count.
    std::string Ini_Lesen(std::string_view abschnitt, std::string_view schluessel) const;

    // Replaces the value of the key in place (the key keeps its spelling in the
    // file, "TEMPERATUR=62" stays "TEMPERATUR=...", blanks around it removed), or appends the entry at the end
    // of its section, or appends the section at the end of the file. Names are
    // written without surrounding blanks. A line break inside the value would
    // break the file apart and is written as a blank.
    void Ini_Schreiben(std::string_view abschnitt, std::string_view schluessel,
                       std::string_view wert);

    // Appends the line at the end of the section unless the section holds it
    // already (compared without surrounding blanks). For lines no key can find,
    // such as a separator of equals signs.
    void Zeile_Sicherstellen(std::string_view abschnitt, std::string_view zeile);

private:
    struct Abschnitt {
        std::string kopf;                 // the header line; none for the lines before the first header
        bool hat_kopf = false;
        std::string name;                 // the header's name, folded for matching
        std::vector<std::string> zeilen;  // the lines after the header, up to the next one
        // Folded key -> its first entry line; built on first use.
        mutable std::unique_ptr<std::unordered_map<std::string, std::size_t>> schluessel;
        const std::unordered_map<std::string, std::size_t>& index() const;
    };
    static constexpr std::size_t Fehlt = static_cast<std::size_t>(-1);
    // Index into m_abschnitte of the first section of the name, or Fehlt.
    std::size_t finde_Abschnitt(std::string_view abschnitt) const;
    Abschnitt& Abschnitt_Anlegen(std::string_view abschnitt);
    void Anhaengen(Abschnitt& a, std::string zeile);
    void neuer_Abschnitt(std::string kopf, std::string_view name);

    // [0] holds the lines before the first header.
    std::vector<Abschnitt> m_abschnitte = std::vector<Abschnitt>(1);
    // Hash of each section's folded name, side by side with m_abschnitte: a search
    // walks this compact array instead of the sections.
    std::vector<std::size_t> m_namenshash = std::vector<std::size_t>(1);
    // Folded section names looked up so far -> first section or Fehlt. A program
    // asks for a few dozen names, so the sections are searched once per name.
    mutable std::unordered_map<std::string, std::size_t> m_gefunden;
    Kodierung m_kodierung = Kodierung::Westeuropaeisch;
};

// --- Western European code page ---------------------------------------------

// Windows-1252 bytes to UTF-8. Every byte maps to a character; the five bytes
// the code page leaves undefined map to U+0081, U+008D, U+008F, U+0090, U+009D,
// so that any file comes back byte for byte.
std::string Westeuropaeisch_Nach_Utf8(std::string_view bytes);

// UTF-8 to Windows-1252. Returns false at the first character the code page
// cannot hold (then `fehlzeichen` holds that character in UTF-8) or at invalid
// UTF-8 (then `fehlzeichen` is empty).
bool Utf8_Nach_Westeuropaeisch(std::string_view utf8, std::string& bytes,
                               std::string& fehlzeichen);

// A leading byte order mark means UTF-8; otherwise a text that is valid UTF-8
// and holds at least one multi-byte sequence is taken as UTF-8 (a German text
// in Windows-1252 practically never forms such sequences: "Ã¼"); anything else
// is Windows-1252.
Profildatei::Kodierung Kodierung_Erkennen(std::string_view bytes);

} // namespace kw
