#include "platform/forms/dirlist.h"

#include "platform/vb/error.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStorageInfo>

namespace forms {

namespace {
QString clean(const QString& p)
{
    QString c = QDir::cleanPath(p);
    return c.isEmpty() ? QStringLiteral("/") : c;
}
} // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (!item)
            return;
        try {
            setPath(item->data(Qt::UserRole).toString());
        } catch (const vb::RuntimeError&) {
            Refresh();
        }
    });
}

void DirListBox::setPath(const QString& path)
{
    // A path read from a damaged record may hold NUL characters.
    if (path.trimmed().isEmpty() || path.contains(QChar(0)))
        throw vb::RuntimeError(vb::ErrPathNotFound, "path not found");
    const QString p = clean(path.trimmed());
    QFileInfo fi(p);
    if (p.isEmpty() || !fi.exists() || !fi.isDir())
        throw vb::RuntimeError(vb::ErrPathNotFound, "path not found");
    const bool changed = (p != m_path);
    m_path = p;
    Refresh();
    if (changed)
        emit Change();
}

QString DirListBox::selectedFolder() const
{
    const QListWidgetItem* item = currentItem();
    if (item && item->isSelected())
        return item->data(Qt::UserRole).toString();
    return m_path;
}

void DirListBox::Refresh()
{
    clear();
    if (m_path.isEmpty())
        return;
    // Parent chain from the root down to the path itself.
    QStringList chain;
    QDir d(m_path);
    chain.prepend(d.absolutePath());
    while (d.cdUp())
        chain.prepend(d.absolutePath());
    int depth = 0;
    for (const QString& c : chain) {
        const QString name = (c == "/") ? QStringLiteral("/") : QFileInfo(c).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(Qt::UserRole, c);
        ++depth;
    }
    const QStringList subs = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + s, this);
        item->setData(Qt::UserRole, clean(m_path + "/" + s));
    }
    setCurrentRow(-1);
}

void DirListBox::mousePressEvent(QMouseEvent* e)
{
    int button = 1;
    if (e->button() == Qt::RightButton)
        button = 2;
    else if (e->button() == Qt::MiddleButton)
        button = 4;
    if (button == 1)
        QListWidget::mousePressEvent(e);
    else {
        // A right click selects the entry under the mouse before the menu opens.
        if (QListWidgetItem* item = itemAt(e->pos()))
            setCurrentItem(item);
    }
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (e->modifiers() & Qt::ControlModifier) shift |= 2;
    if (e->modifiers() & Qt::AltModifier) shift |= 4;
    emit MouseDown(button, shift, int(e->position().x()), int(e->position().y()));
}

void DirListBox::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (QListWidgetItem* item = currentItem()) {
            try {
                setPath(item->data(Qt::UserRole).toString());
            } catch (const vb::RuntimeError&) {
                Refresh();
            }
        }
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    Refresh();
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!m_quiet)
            emit Change();
    });
}

void DriveListBox::Refresh()
{
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString r = v.rootPath();
        if (!r.isEmpty() && !roots.contains(r))
            roots << r;
    }
    const QString bisher = currentText();
    m_quiet = true;
    clear();
    addItems(roots);
    const int i = findText(bisher);
    setCurrentIndex(i >= 0 ? i : 0);
    m_quiet = false;
}

void DriveListBox::setDrive(const QString& path)
{
    const QString p = QDir::cleanPath(path);
    int beste = -1;
    for (int i = 0; i < count(); ++i) {
        const QString r = itemText(i);
        const bool darunter = r == QLatin1String("/") || p == r || p.startsWith(r + QLatin1Char('/'));
        if (darunter && (beste < 0 || r.size() > itemText(beste).size()))
            beste = i;
    }
    m_quiet = true;
    if (beste >= 0)
        setCurrentIndex(beste);
    m_quiet = false;
}

} // namespace forms
