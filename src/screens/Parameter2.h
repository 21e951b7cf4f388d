#pragma once
// Second page of the phase editor: the blocks of phases 11 to 20.

#include "screens/Phasenblock.h"

namespace kw {

class Parameter2 : public Phasenseite {
    Q_OBJECT
public:
    static constexpr const char* Name = "PARAMETER2";
    static constexpr int Erste_Phase = 11;

    explicit Parameter2(Anwendung& app);

protected:
    void Seitenwechsel() override;
};

} // namespace kw
