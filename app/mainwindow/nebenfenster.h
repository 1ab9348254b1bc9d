#pragma once
// The secondary windows of the main program. For now they are loaded,
// hidden and carry their captions and icons; their contents come later.

#include "app/update/fdownload.h"

#include <QLineEdit>
#include <QWidget>

namespace kmk {

class Nebenfenster : public QWidget {
    Q_OBJECT
public:
    Nebenfenster(const QString& name, const QString& caption, QWidget* parent = nullptr);
};

// The download window picks its address by the brand variant as it loads.
class FDownloadFenster : public upd::FDownload {
    Q_OBJECT
public:
    explicit FDownloadFenster(int markenvariante, QWidget* parent = nullptr);
    int geladenMitVariante() const { return m_variante; }

private:
    int m_variante = 0;
};

class Form1;
// The title page's update button (anbindung_aktualisierung.cpp).
void aktualisierungAnbinden(Form1& f);

} // namespace kmk
