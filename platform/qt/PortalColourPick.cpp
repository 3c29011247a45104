// The colour dialog, and its screen pick through the desktop portal.
#include "platform/qt/PortalColourPick.h"

#include "platform/qt/ColourDialog.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QLabel>

namespace kav::qt {

namespace {

// The box layout under `root` that holds `w`, and where.
QBoxLayout* layoutHolding(QLayout* root, QWidget* w, int& index) {
    if (!root) return nullptr;
    if (auto* box = qobject_cast<QBoxLayout*>(root); box && (index = box->indexOf(w)) >= 0) return box;
    for (int i = 0; i < root->count(); ++i)
        if (QBoxLayout* found = layoutHolding(root->itemAt(i)->layout(), w, index)) return found;
    return nullptr;
}

QWidget* childWithText(QColorDialog& dialog, const QString& text) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (l->text() == text) return l;
    return nullptr;
}

} // namespace

PortalColourPick::PortalColourPick(QColorDialog& dialog, const QDBusConnection& bus)
    : QObject(&dialog), dialog_(&dialog), screen_(new ScreenPick(this, bus)) {
    // Qt makes its button only where its platform can grab the screen, and
    // on Xwayland that grab reads black: it goes at once outside X11.
    qtButton_ = qobject_cast<QPushButton*>(childWithText(dialog, QColorDialog::tr("&Pick Screen Color")));
    if (qtButton_ && !x11GrabReadsScreen()) {
        qtButton_->hide();
        QObject::disconnect(qtButton_, &QAbstractButton::clicked, nullptr, nullptr);
    }
    connect(screen_, &ScreenPick::decided, this, &PortalColourPick::settle);
    connect(screen_, &ScreenPick::finished, this, [this](ScreenPick::Outcome outcome, const QColor& c) {
        if (button_) button_->setEnabled(true);
        if (outcome == ScreenPick::Outcome::Picked && dialog_) dialog_->setCurrentColor(c);
    });
}

void PortalColourPick::settle(ScreenPick::Path path) {
    if (path != ScreenPick::Path::Portal || !dialog_) return;
    // The program's own button takes the place of Qt's, or, where Qt made
    // none, the place under the basic colours that Qt gives it.
    button_ = new QPushButton(QColorDialog::tr("&Pick Screen Color"), dialog_);
    int index = -1;
    QBoxLayout* box = nullptr;
    if (qtButton_) {
        box = layoutHolding(dialog_->layout(), qtButton_, index);
        qtButton_->hide();
        QObject::disconnect(qtButton_, &QAbstractButton::clicked, nullptr, nullptr);
    } else if (auto* basic = qobject_cast<QLabel*>(childWithText(*dialog_, QColorDialog::tr("&Basic colors")));
               basic && basic->buddy()) {
        box = layoutHolding(dialog_->layout(), basic->buddy(), index);
        ++index;
    }
    if (box)
        box->insertWidget(index, button_);
    else if (dialog_->layout())
        dialog_->layout()->addWidget(button_);
    button_->show();
    connect(button_, &QAbstractButton::clicked, this, [this] {
        button_->setEnabled(false);
        screen_->pick(dialog_);
    });
}

std::optional<QColor> runColourDialog(const QColor& initial, QWidget* parent) {
    // A colour dialog built while native dialogs are allowed hands its colour
    // to the desktop theme's hidden dialog (under GNOME's it then opens at
    // black and answers white): none is made, and only then is it coloured.
    const bool nativeRefused = QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QColorDialog dialog(parent);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, nativeRefused);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setCurrentColor(initial);
    if (parent) dialog.setWindowModality(Qt::WindowModal);
    new PortalColourPick(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    return c.isValid() ? std::optional(c) : std::nullopt;
}

} // namespace kav::qt
