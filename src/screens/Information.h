#pragma once
// Information screen: a short description of the program in sixteen lines.

#include <QWidget>

namespace kw {

class Anwendung;

class Information : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Information";

    explicit Information(Anwendung& app);
};

} // namespace kw
