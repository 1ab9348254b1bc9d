#pragma once
// Drive and folder lists of the backup frame: the folder list shows the
// chain of parent folders down to its path, then the path's sub-folders.

#include <QComboBox>
#include <QListWidget>
#include <QString>

namespace kmk {

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    // Throws vb::RuntimeError(76) for a folder that does not exist; the list
    // then keeps its folder.
    void setPath(const QString& path);
    // The folder of the selected entry; without a selection the list's path.
    QString selectedFolder() const;
    void Refresh();

signals:
    void Change();
    void MouseDown(int button, int shift, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    QString m_path;
};

// On Linux there is a single file-system root.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);
    QString Drive() const { return currentText(); }
signals:
    void Change();
};

} // namespace kmk
