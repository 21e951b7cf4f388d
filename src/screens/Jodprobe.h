#pragma once
// Iodine-test guide: three stains on a white plate and what each one means.

#include <QWidget>

namespace kw {

class Anwendung;

class Jodprobe : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Jodprobe";

    explicit Jodprobe(Anwendung& app);

    // The three stains, drawn by us.
    enum class Faerbung { Dunkelblau, Beginnend, Gelb };
};

} // namespace kw
