#pragma once
// The secondary windows of the main program. For now they are loaded,
// hidden and carry their captions and icons; their contents come later.

#include <QLineEdit>
#include <QWidget>

namespace kmk {

class Nebenfenster : public QWidget {
    Q_OBJECT
public:
    Nebenfenster(const QString& name, const QString& caption, QWidget* parent = nullptr);
};

// The download window picks its address by the brand variant as it loads.
class FDownloadFenster : public Nebenfenster {
    Q_OBJECT
public:
    explicit FDownloadFenster(int markenvariante, QWidget* parent = nullptr);
    int geladenMitVariante() const { return m_variante; }
    QLineEdit* txtSource = nullptr;

private:
    int m_variante = 0;
};

} // namespace kmk
