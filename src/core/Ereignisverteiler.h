#pragma once
// Hands every event of the run to several observers (the brew journal, the MQTT
// link), in the order they were added. Holds no observer it does not get.

#include "core/Ereignisse.h"

#include <vector>

namespace kw {

class Ereignisverteiler final : public Ereignisse {
public:
    void hinzufuegen(Ereignisse* e)
    {
        if (e)
            m_ziele.push_back(e);
    }

    void Lauf_Start() override { fuer_alle([](Ereignisse& e) { e.Lauf_Start(); }); }
    void Pruefung_Abgelehnt(const std::vector<int>& m) override { fuer_alle([&](Ereignisse& e) { e.Pruefung_Abgelehnt(m); }); }
    void Phase_Start(int p) override { fuer_alle([&](Ereignisse& e) { e.Phase_Start(p); }); }
    void Phase_Ende(int p) override { fuer_alle([&](Ereignisse& e) { e.Phase_Ende(p); }); }
    void Lauf_Ende(Endeart a) override { fuer_alle([&](Ereignisse& e) { e.Lauf_Ende(a); }); }
    void Ruf_Ausgeloest(int p, const std::string& t) override { fuer_alle([&](Ereignisse& e) { e.Ruf_Ausgeloest(p, t); }); }
    void Ruf_Stumm() override { fuer_alle([](Ereignisse& e) { e.Ruf_Stumm(); }); }
    void Ruf_Quittiert() override { fuer_alle([](Ereignisse& e) { e.Ruf_Quittiert(); }); }
    void Pause() override { fuer_alle([](Ereignisse& e) { e.Pause(); }); }
    void Pause_Freigabe() override { fuer_alle([](Ereignisse& e) { e.Pause_Freigabe(); }); }
    void Phase_Sprung(int r) override { fuer_alle([&](Ereignisse& e) { e.Phase_Sprung(r); }); }
    void Zeit_Geaendert(int s) override { fuer_alle([&](Ereignisse& e) { e.Zeit_Geaendert(s); }); }
    void Soll_Geaendert(const std::string& t) override { fuer_alle([&](Ereignisse& e) { e.Soll_Geaendert(t); }); }
    void Schalter(const std::string& n, bool ein) override { fuer_alle([&](Ereignisse& e) { e.Schalter(n, ein); }); }
    void Gradient(bool ein) override { fuer_alle([&](Ereignisse& e) { e.Gradient(ein); }); }
    void Signal(bool d) override { fuer_alle([&](Ereignisse& e) { e.Signal(d); }); }
    void Alarm_Antwort(const std::string& k) override { fuer_alle([&](Ereignisse& e) { e.Alarm_Antwort(k); }); }

private:
    template <class F> void fuer_alle(F f)
    {
        for (Ereignisse* e : m_ziele)
            f(*e);
    }
    std::vector<Ereignisse*> m_ziele;
};

} // namespace kw
