// Texts of the output guard, in every language. "%1" is filled in by the caller.

#include "texts/Texte.h"

namespace kw {

const Waechtertexte& Waechtertexte_Fuer(Sprache sprache)
{
    static const Waechtertexte deutsch{
        "Der Ausgangswächter war beendet und wurde neu gestartet. Er hat alle Ausgänge kurz ausgeschaltet; "
        "sie folgen wieder der Steuerung.",
        "Der Ausgangswächter (kesselwerk-waechter) lässt sich nicht starten: %1\n"
        "Das Programm schaltet die Ausgänge ohne ihn. Stürzt es ab oder hängt es, bleiben die Relais, wie sie "
        "sind – die Heizung im Auge behalten!",
        "Das Programm hat länger als eine Sekunde nicht reagiert. Der Ausgangswächter hat deshalb alle Ausgänge "
        "%1 s lang ausgeschaltet (Heizung, Rührwerk, Kühlung, Extras, Signal); sie folgen jetzt wieder der "
        "Steuerung.",
    };
    static const Waechtertexte englisch{
        "The output guard had ended and was started again. It switched all outputs off for a moment; they "
        "follow the controller again.",
        "The output guard (kesselwerk-waechter) cannot be started: %1\n"
        "The program switches the outputs without it. If the program crashes or hangs, the relays stay as they "
        "are – keep an eye on the heating!",
        "The program did not respond for more than a second. The output guard therefore kept all outputs off for "
        "%1 s (heating, stirrer, cooling, extras, signal); they follow the controller again now.",
    };
    static const Waechtertexte portugiesisch{
        "O guarda das saídas tinha terminado e foi reiniciado. Desligou todas as saídas por um momento; elas "
        "seguem novamente o controlo.",
        "Não é possível iniciar o guarda das saídas (kesselwerk-waechter): %1\n"
        "O programa comanda as saídas sem ele. Se o programa falhar ou bloquear, os relés ficam como estão – "
        "vigie o aquecimento!",
        "O programa não respondeu durante mais de um segundo. Por isso, o guarda das saídas manteve todas as "
        "saídas desligadas durante %1 s (aquecimento, agitador, arrefecimento, extras, sinal); agora seguem "
        "novamente o controlo.",
    };
    static const Waechtertexte tschechisch{
        "Hlídač výstupů byl ukončen a byl znovu spuštěn. Na okamžik vypnul všechny výstupy; opět následují "
        "řízení.",
        "Hlídač výstupů (kesselwerk-waechter) nelze spustit: %1\n"
        "Program ovládá výstupy bez něj. Pokud program spadne nebo zamrzne, relé zůstanou, jak jsou – hlídejte "
        "topení!",
        "Program déle než sekundu nereagoval. Hlídač výstupů proto na %1 s vypnul všechny výstupy (topení, "
        "míchadlo, chlazení, extra výstupy, signál); nyní opět následují řízení.",
    };
    static const Waechtertexte polnisch{
        "Strażnik wyjść został zakończony i uruchomiony ponownie. Na chwilę wyłączył wszystkie wyjścia; znów "
        "podążają za sterowaniem.",
        "Nie można uruchomić strażnika wyjść (kesselwerk-waechter): %1\n"
        "Program steruje wyjściami bez niego. Jeśli program ulegnie awarii lub się zawiesi, przekaźniki "
        "pozostaną w obecnym stanie – pilnuj grzania!",
        "Program nie odpowiadał dłużej niż sekundę. Dlatego strażnik wyjść wyłączył wszystkie wyjścia na %1 s "
        "(grzanie, mieszadło, chłodzenie, wyjścia dodatkowe, sygnał); teraz znów podążają za sterowaniem.",
    };
    switch (sprache) {
    case Sprache::Deutsch: return deutsch;
    case Sprache::Englisch: return englisch;
    case Sprache::Portugiesisch: return portugiesisch;
    case Sprache::Tschechisch: return tschechisch;
    case Sprache::Polnisch: return polnisch;
    }
    return deutsch;
}

} // namespace kw
