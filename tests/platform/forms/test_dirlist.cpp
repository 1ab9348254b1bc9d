// The folder list: a click highlights, a double click or Enter opens.
#include "platform/forms/dirlist.h"
#include "platform/vb/error.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPoint mitte(forms::DirListBox& l, const QString& name)
{
    l.doItemsLayout();
    for (int i = 0; i < l.count(); ++i)
        if (l.item(i)->text().trimmed() == name)
            return l.visualItemRect(l.item(i)).center();
    return {};
}

} // namespace

TEST(DirListBox, ClickHighlightsDoubleClickAndEnterOpen)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("a/b");
    forms::DirListBox l;
    l.resize(300, 400);
    l.show();
    l.setPath(dir.path());
    QSignalSpy change(&l, &forms::DirListBox::Change);
    const QString a = QDir::cleanPath(dir.path() + "/a");

    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, mitte(l, "a"));
    EXPECT_EQ(l.Path(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(l.selectedFolder(), a);
    EXPECT_EQ(change.count(), 0);

    QTest::keyClick(&l, Qt::Key_Return);
    EXPECT_EQ(l.Path(), a);
    EXPECT_EQ(change.count(), 1);
    // The list shows the chain down to the path, then its sub-folders.
    EXPECT_EQ(l.item(l.count() - 1)->text().trimmed(), "b");

    // A real double click: press and release, then the second press.
    const QPoint b = mitte(l, "b");
    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, b);
    QTest::mouseDClick(l.viewport(), Qt::LeftButton, {}, b);
    EXPECT_EQ(l.Path(), a + "/b");
    EXPECT_THROW(l.setPath(dir.path() + "/fehlt"), vb::RuntimeError);
    EXPECT_EQ(l.Path(), a + "/b");
}
