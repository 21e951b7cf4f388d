#pragma once
// Small window for the text of the brewmaster call of the phase last touched in
// the editor (Bearbeitete_Phase). The text goes into the phase record as it is
// typed; "OK" returns to the editor page the user came from.

#include <QWidget>

class QLineEdit;

namespace kw {

class Anwendung;

class Ruf_Text : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Ruf_Text";

    explicit Ruf_Text(Anwendung& app);

    // Shows the window beside the editor page `seite`, not modal, with the call
    // text of Bearbeitete_Phase.
    void oeffnen(QWidget& seite);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* objekt, QEvent* e) override;

private:
    int phase();
    void Text_Holen();
    void Text_Ablegen();
    void OK();

    Anwendung& app;
    QLineEdit* Eingabe_Text_BraumeisterRuf;
};

} // namespace kw
