#pragma once
// Layout of the entry page "Eintragungen" of the main window, and the small
// toolkit the three page builders share. The builders only create and place
// the controls (objectName = the control's name, arrays "Name_0".."Name_3");
// the main window finds them by name and connects their handlers.

#include <QFont>
#include <QRect>
#include <QString>
#include <QVariantMap>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace forms {
class ComboBox;
class MouseUpButton;
}

namespace kmk {

// Creates the controls of the entry page on page.
void buildEintragungenPage(QWidget* page);

namespace pages {

// Programmatic ids of the hosted controls.
inline constexpr const char* kCalendarProgId = "QKCAL.QKCalCtrl.1";
inline constexpr const char* kSpinProgId = "QKSPIN.QKSpinCtrl.1";

// Creates a hosted control (calendar or spin button) of the given
// programmatic id as a child of parent and gives it its design-time
// properties. Returns nullptr when it cannot; the builder then puts a
// placeholder of the same name and geometry in its place.
// The factory in use from the start is controlHostFactory(); tests may
// set their own before they call the builders, and an empty one
// gives placeholders only.
using HostedControlFactory =
    std::function<QWidget*(const QString& progId, const QVariantMap& designProperties, QWidget* parent)>;
void setHostedControlFactory(HostedControlFactory factory);
// Creates the control through the registered control library
// (com::ControlHost); nullptr when the library is not registered or cannot
// be loaded. A design-time value the control refuses is left at its default.
QWidget* controlHostFactory(const QString& progId, const QVariantMap& designProperties, QWidget* parent);

// Design-time properties of each hosted control of the pages, by name
// ("QKC", "QKC2", "QKC3", "QKSpin1".."QKSpin7").
QVariantMap designProperties(const QString& name);

// A hosted control through the factory, or a placeholder: a plain framed
// widget that carries the programmatic id in its property "progId" and the
// design-time values as dynamic properties.
QWidget* hosted(QWidget* parent, const QString& name, const QString& progId, const QRect& r);

// The page toolkit: every control gets its name, its parent and its fixed
// pixel geometry.
QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QRect& r);
// A label that shows a value in a sunken box.
QLabel* valueLabel(QWidget* parent, const QString& name, const QRect& r);
QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, const QRect& r);
QLineEdit* textBox(QWidget* parent, const QString& name, const QRect& r, int maxLength = 32767);
forms::ComboBox* comboBox(QWidget* parent, const QString& name, const QRect& r);
QListWidget* listBox(QWidget* parent, const QString& name, const QRect& r);
// A fixed-pitch font of the size of like, for lists of fixed-width lines.
QFont fixedPitch(const QFont& like);
QPlainTextEdit* helpBox(QWidget* parent, const QString& name, const QRect& r);
QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, const QRect& r);
QRadioButton* option(QWidget* parent, const QString& name, const QString& caption, const QRect& r);
// A button that acts on Click.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& r);
// A button that acts on the mouse release (takes the focus on press).
forms::MouseUpButton* mouseUpButton(QWidget* parent, const QString& name, const QString& caption,
                                    const QRect& r);

} // namespace pages
} // namespace kmk
