#include "texts/Journaltexte.h"

namespace kw {

const Journaltexte& Journaltexte_Fuer(Sprache sprache)
{
    switch (sprache) {
    case Sprache::Englisch: return texte::Journal_Englisch();
    case Sprache::Portugiesisch: return texte::Journal_Portugiesisch();
    case Sprache::Tschechisch: return texte::Journal_Tschechisch();
    case Sprache::Polnisch: return texte::Journal_Polnisch();
    case Sprache::Deutsch: break;
    }
    return texte::Journal_Deutsch();
}

}  // namespace kw
