#pragma once
// The on-screen form of one model window: buttons, text boxes and the list
// box as child widgets in design order above the painted client area. It
// follows the model's property changes and turns clicks, keys, menu choices
// and the close box into model events; it never calls a handler and reads
// back from a widget only what the user typed.

#include "model/Window.h"

#include <QMainWindow>
#include <optional>
#include <unordered_map>

class QAction;
class QLabel;
class QMenu;

namespace kav::qt {

class ClientArea;
class LogbookListModel;

// The access key a caption marks with "&" ("&Röd:" has r), if any.
std::optional<QChar> accessKeyOf(const QString& caption);

class FormView final : public QMainWindow, private WindowObserver {
public:
    explicit FormView(Window& window);
    ~FormView() override;

    QWidget* widgetFor(std::string_view control) const;
    QAction* actionFor(std::string_view menuItem) const;
    QMenu* menuFor(std::string_view menuName) const;
    // The window's status line, at the right end of its menu bar: shows a
    // short remark for a while. The client area keeps its design size.
    void showStatus(const QString& text);
    // The main window, for a window that belongs to it. On Wayland the window
    // is then shown as its transient child, which tiling compositors float
    // whole, as X11 window managers float tool windows.
    void setOwner(FormView* owner) { owner_ = owner; }

protected:
    bool event(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void controlChanged(Control& control, PropId id) override;
    void windowChanged(Window& window, PropId id) override;
    void menuPoppedUp(Window& window, std::string_view menuName) override;

    void buildWidgets();
    void buildMenus();
    void syncHeightFromWindow();

    Window* window_;
    ClientArea* client_ = nullptr;
    std::unordered_map<std::string_view, QWidget*> widgets_;
    std::unordered_map<std::string_view, QAction*> actions_;
    std::unordered_map<std::string_view, QMenu*> menus_;
    LogbookListModel* listModel_ = nullptr;
    QLabel* status_ = nullptr;
    FormView* owner_ = nullptr;
    int designMinHeight_ = 0;
    // On Wayland the main window's size is fixed at every height step, so a
    // tiling compositor floats it instead of cutting it to a tile.
    bool fixedSteps_ = false;
    bool frameKeptOnArea_ = false;
    bool applyingHeight_ = false;
};

} // namespace kav::qt
