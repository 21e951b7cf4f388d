#pragma once
// Information screen: a short description of the program in sixteen lines, the version of this
// build, the program folder in use and the licence.

#include <QWidget>

class QListWidgetItem;

namespace kw {

class Anwendung;

class Information : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Information";

    explicit Information(Anwendung& app);

private:
    void versionEinsetzen(QListWidgetItem* eintrag);
};

} // namespace kw
