#pragma once
// Notice shown after the first OK of the settings screen while the sensor search runs (15 s).

#include <QWidget>

namespace kw {

class Anwendung;

class HardwareConf : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "HardwareConf";

    explicit HardwareConf(Anwendung& app);
};

} // namespace kw
