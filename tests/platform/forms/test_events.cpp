#include "platform/forms/colors.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ChangeRule, CodeWriteRunsChangeAtOnceAndOnlyWhenTextDiffers)
{
    QLineEdit edit;
    int changes = 0;
    QString seen;
    forms::onChange(&edit, [&] { ++changes; seen = edit.text(); });

    forms::setText(&edit, "12:00");
    EXPECT_EQ(changes, 1);   // ran before setText returned
    EXPECT_EQ(seen, "12:00");
    forms::setText(&edit, "12:00");
    EXPECT_EQ(changes, 1);
    forms::setText(&edit, "");
    EXPECT_EQ(changes, 2);
}

TEST(ChangeRule, MultiLineFieldRunsChangeOnlyWhenTheTextDiffers)
{
    QPlainTextEdit edit;
    int changes = 0;
    QString seen;
    forms::onChange(&edit, [&] { ++changes; seen = edit.toPlainText(); });

    forms::setText(&edit, "Zeile 1\nZeile 2");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, "Zeile 1\nZeile 2");
    forms::setText(&edit, "Zeile 1\nZeile 2");
    EXPECT_EQ(changes, 1);
    forms::setText(&edit, "Zeile 1\nZeile 3");
    EXPECT_EQ(changes, 2);
    forms::setText(&edit, "");
    EXPECT_EQ(changes, 3);
    forms::setText(&edit, "");
    EXPECT_EQ(changes, 3);
}

TEST(ChangeRule, TypingRunsChangePerCharacter)
{
    QWidget w;
    auto* edit = new QLineEdit(&w);
    int changes = 0;
    forms::onChange(edit, [&] { ++changes; });
    w.show();
    QTest::keyClicks(edit, "abc");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(edit->text(), "abc");
}

TEST(ChangeRule, ControlsAreFoundByNameInTheirOwnWindowOnly)
{
    QWidget fenster;
    // A secondary window parented to the main one, searched first, with the same name.
    auto* neben = new QWidget(&fenster, Qt::Window);
    auto* fremd = new QLineEdit(neben);
    fremd->setObjectName("EinVon");
    auto* seite = new QWidget(&fenster);
    auto* feld = new QLineEdit(seite);
    feld->setObjectName("EinVon");
    EXPECT_EQ(forms::control(&fenster, "EinVon"), feld);
    EXPECT_EQ(forms::control(seite, "EinVon"), feld);
    EXPECT_EQ(forms::control(neben, "EinVon"), fremd);
    EXPECT_EQ(forms::control(&fenster, "EinNach"), nullptr);
    EXPECT_EQ(forms::control(nullptr, "EinVon"), nullptr);
}

TEST(ChangeRule, AnyControlByNameReadsAndWritesItsText)
{
    QWidget w;
    auto* combo = new forms::ComboBox(&w);
    auto* edit = new QLineEdit(&w);
    auto* label = new QLabel(&w);
    auto* multi = new QPlainTextEdit(&w);
    auto* frame = new QGroupBox(&w);
    int changes = 0;
    forms::onChange(edit, [&] { ++changes; });
    for (QWidget* c : std::initializer_list<QWidget*>{combo, edit, label, multi, frame}) {
        forms::setText(c, "Köln €ß");
        EXPECT_EQ(forms::text(c), "Köln €ß") << c->metaObject()->className();
    }
    forms::setText(edit, "Köln €ß");
    EXPECT_EQ(changes, 1);
    // Controls without a text: nothing read, nothing written, no crash.
    auto* box = new QCheckBox("Journal", &w);
    forms::setText(box, "x");
    EXPECT_EQ(box->text(), "Journal");
    EXPECT_EQ(forms::text(box), "");
    EXPECT_EQ(forms::text(nullptr), "");
    forms::setText(static_cast<QWidget*>(nullptr), "x");
}

TEST(ClickRule, CheckBoxClickOnlyOnValueChange)
{
    QCheckBox box;
    int clicks = 0;
    forms::onClick(&box, [&] { ++clicks; });
    forms::setValue(&box, 0);
    EXPECT_EQ(clicks, 0);
    forms::setValue(&box, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(forms::value(&box), 1);
    forms::setValue(&box, 1);
    EXPECT_EQ(clicks, 1);
    box.click();   // the user
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(forms::value(&box), 0);
}

TEST(ClickRule, GreyIsForCodeOnlyAUserClickNeverReachesIt)
{
    QCheckBox box;
    int clicks = 0;
    forms::onClick(&box, [&] { ++clicks; });
    forms::setValue(&box, 2);
    EXPECT_EQ(forms::value(&box), 2);
    EXPECT_EQ(clicks, 1);
    box.click();   // the user leaves grey ...
    EXPECT_EQ(forms::value(&box), 1);
    box.click();   // ... and then goes between ticked and unticked only
    EXPECT_EQ(forms::value(&box), 0);
    box.click();
    EXPECT_EQ(forms::value(&box), 1);
    forms::setValue(&box, 2);
    forms::setValue(&box, 0);   // code leaving grey ends it too
    box.click();
    EXPECT_EQ(forms::value(&box), 1);
    box.click();
    EXPECT_EQ(forms::value(&box), 0);
}

TEST(ClickRule, ListClickOnlyOnSelectionChange)
{
    QListWidget list;
    list.addItems({"a", "b", "c"});
    list.setCurrentRow(-1);
    int clicks = 0;
    forms::onClick(&list, [&] { ++clicks; });
    forms::setListIndex(&list, 1);
    EXPECT_EQ(clicks, 1);
    forms::setListIndex(&list, 1);
    EXPECT_EQ(clicks, 1);
    forms::setListIndex(&list, 7);   // out of range: nothing
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.currentRow(), 1);
    forms::setListIndex(&list, -1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(list.currentRow(), -1);
}

struct Options : ::testing::Test {
    QWidget frame;
    forms::OptionGroup group;
    QRadioButton* b[3];
    std::vector<int> clicks;
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i) {
            b[i] = new QRadioButton(QString("Opt%1").arg(i), &frame);
            b[i]->setGeometry(0, i * 30, 100, 25);
            group.add(b[i]);
        }
        QObject::connect(&group, &forms::OptionGroup::click, [this](int i) { clicks.push_back(i); });
        frame.show();
    }
};

TEST_F(Options, StartWithNoneAndClickOnlyOnChange)
{
    EXPECT_EQ(group.value(), -1);
    group.setValue(1);
    EXPECT_EQ(clicks, std::vector<int>{1});
    group.setValue(1);
    EXPECT_EQ(clicks, std::vector<int>{1});
    group.setValue(2);
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
    EXPECT_FALSE(b[1]->isChecked());
    EXPECT_TRUE(b[2]->isChecked());
}

TEST_F(Options, UserClicksSelectAndReclickChangesNothing)
{
    QTest::mouseClick(b[0], Qt::LeftButton);
    EXPECT_EQ(clicks, std::vector<int>{0});
    QTest::mouseClick(b[0], Qt::LeftButton);
    EXPECT_EQ(clicks, std::vector<int>{0});
    EXPECT_TRUE(b[0]->isChecked());
    QTest::mouseClick(b[2], Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<int>{0, 2}));
    EXPECT_FALSE(b[0]->isChecked());
    EXPECT_EQ(group.value(), 2);
}

TEST_F(Options, CanShowNoneSelectedWithoutClick)
{
    group.setValue(0);
    clicks.clear();
    group.setValue(-1);
    EXPECT_EQ(group.value(), -1);
    for (auto* x : b)
        EXPECT_FALSE(x->isChecked());
    EXPECT_TRUE(clicks.empty());
    // selecting again after "none" is a change
    group.setValue(0);
    EXPECT_EQ(clicks, std::vector<int>{0});
    group.setChecked(0, false);
    EXPECT_EQ(group.value(), -1);
}

TEST_F(Options, SetFromCodeSelectsOrClearsThroughTheGroup)
{
    forms::setOptionValue(b[1], true);
    forms::setOptionValue(b[1], true);
    EXPECT_EQ(clicks, std::vector<int>{1});
    forms::setOptionValue(b[2], false);   // not the selected one: nothing changes
    EXPECT_EQ(group.value(), 1);
    forms::setOptionValue(b[1], false);
    EXPECT_EQ(group.value(), -1);
    EXPECT_FALSE(b[1]->isChecked());
    EXPECT_EQ(clicks, std::vector<int>{1});
    // A button outside any group clears too, though Qt keeps it exclusive.
    QWidget alone;
    auto* x = new QRadioButton("X", &alone);
    x->setChecked(true);
    forms::setOptionValue(x, false);
    EXPECT_FALSE(x->isChecked());
    EXPECT_TRUE(x->autoExclusive());
}

struct Combo : ::testing::Test {
    QWidget w;
    forms::ComboBox* combo = new forms::ComboBox(&w);
    int changes = 0, clicks = 0;
    void SetUp() override
    {
        combo->setItems({"Berlin", "Bonn", "Köln"});
        QObject::connect(combo, &forms::ComboBox::change, [this] { ++changes; });
        QObject::connect(combo, &forms::ComboBox::click, [this] { ++clicks; });
        w.show();
        combo->setFocus();
    }
};

TEST_F(Combo, TypingRaisesChangeOnly)
{
    combo->setText("");
    changes = 0;
    QTest::keyClicks(combo, "Ha");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(combo->text(), "Ha");   // no completion took over
}

TEST_F(Combo, ListChoiceRaisesClickOnly)
{
    combo->setText("");
    changes = 0;
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(combo->text().isEmpty());
}

TEST_F(Combo, RefillKeepsTypedTextAndRaisesNothing)
{
    QTest::keyClicks(combo, "Hamb");
    changes = clicks = 0;
    combo->setItems({"Aachen", "Hamburg"});
    combo->addItem("Hannover");
    combo->clearItems();
    combo->setItems({"Zwickau"});
    EXPECT_EQ(combo->text(), "Hamb");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(Combo, CodeWritesAndEnter)
{
    changes = clicks = 0;
    combo->setText("Leipzig");
    combo->setText("Leipzig");
    EXPECT_EQ(changes, 1);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->count(), 3);   // Enter adds nothing to the list
    combo->setListIndex(2);
    combo->setListIndex(2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(combo->text(), QString::fromUtf8("Köln"));
}

TEST(Colours, RuntimeValuesAreBlueGreenRed)
{
    EXPECT_EQ(forms::bgr(192), QColor(192, 0, 0));
    EXPECT_EQ(forms::bgr(12582912), QColor(0, 0, 192));
    EXPECT_EQ(forms::bgr(65280), QColor(0, 255, 0));
    EXPECT_EQ(forms::bgr(0xFFFFFF), QColor(255, 255, 255));
    EXPECT_EQ(forms::toBgr(QColor(0, 0, 192)), 12582912);
    EXPECT_EQ(forms::toBgr(forms::bgr(0x123456)), 0x123456);
    EXPECT_TRUE(forms::bgr(qint64(0x8000000F)).isValid());   // system colour
}

} // namespace
