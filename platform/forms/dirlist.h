#pragma once
// A folder list and a drive list as the runtime's file controls knew them.
// The folder list shows the chain of parent folders down to its path, then
// the path's sub-folders; a single click only highlights an entry, a double
// click or Enter makes it the path. The drive list offers the mounted
// volumes.
//
//   forms::DirListBox* dir = new forms::DirListBox(parent);
//   dir->setPath("/home");                    // Change, refilled
//   dir->selectedFolder();                    // highlighted entry, or the path

#include <QComboBox>
#include <QListWidget>
#include <QString>

namespace forms {

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
    void keyPressEvent(QKeyEvent* e) override;

private:
    QString m_path;
};

// The mounted volumes, by their root path ("/" first). Choosing another
// raises Change; setDrive from code selects one quietly, so a handler can
// go back to the previous drive when the chosen one is not ready.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);
    QString Drive() const { return currentText(); }
    // The volume holding 'path' (the deepest mount point above it).
    void setDrive(const QString& path);
    void Refresh();
signals:
    void Change();

private:
    bool m_quiet = false;
};

} // namespace forms
